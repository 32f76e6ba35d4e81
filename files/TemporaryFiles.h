#pragma once
// The temporary files a save writes before replacing its target: their names, holding one
// while it is written, and removing those that saves which never finished left behind.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

namespace MyApp {

// The names a save tries, one after another, for its temporary file: beside the target,
// "~tessaly-", random letters and digits, ".tmp". A name is as long as the target's own
// (within MinLength..MaxLength), so a target whose path the folder can hold does not fail
// for its temporary's, short names aside.
class TemporaryNames {
public:
    static constexpr const char* Prefix = "~tessaly-";
    static constexpr const char* Suffix = ".tmp";
    static constexpr std::size_t MinLength = 20;
    static constexpr std::size_t MaxLength = 40;

    explicit TemporaryNames(std::uint64_t seed);
    // A name in the folder of `target`.
    std::filesystem::path NextFor(const std::filesystem::path& target);

private:
    std::mt19937_64 random;
};

// A seed that differs from run to run: the clock keeps two runs apart even where the random
// device repeats itself.
std::uint64_t FreshSeed();
// `count` random lowercase letters and digits, as file names take them on every system.
std::string RandomLetters(std::mt19937_64& random, std::size_t count);

// Whether a file name is one TemporaryNames gives.
bool IsTemporaryName(const std::filesystem::path& name);

// A temporary file is not taken for stale before it is this old: it may have been created
// and not yet held.
constexpr std::chrono::seconds StaleAfter{10};

// Marks an open temporary as being written, for as long as it stays open, so that
// RemoveStaleTemporaries in any process leaves it alone. On Windows the open file itself
// keeps it from being removed.
void HoldTemporary(int descriptor);

// Removes the temporary files in `folder` that nobody holds and that are older than
// StaleAfter: what interrupted saves left. One listing of the folder; errors are ignored.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

}  // namespace MyApp
