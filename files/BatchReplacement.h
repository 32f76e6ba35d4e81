#pragma once
// Many files replaced as ReplaceFileSafely replaces one, at the cost of one flush to disk
// for all of them instead of one each.

#include "FileAccess.h"
#include "TemporaryFiles.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <mutex>
#include <random>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

namespace MyApp {

// The points between the steps of a commit, in order.
enum class BatchStep {
    Written,        // every temporary file written, in the system's cache only
    OnDisk,         // every temporary file on disk, no target replaced yet
    OneReplaced,    // after each rename of a temporary file over its target
    AllReplaced,    // every target replaced, their folders not yet on disk
    FoldersOnDisk,  // the folders on disk: the batch is done
};

// Each file is written to a temporary file beside its target as ReplaceFileSafely writes
// it (same checks, marks, links), but only into the system's cache. The commit then puts
// them all on disk at once (on Linux one syncfs a file system; elsewhere each file is
// flushed as it is written), renames each over its target, and puts each target's folder
// on disk once. A crash at any point leaves every target either as it was or whole with
// its new content; a temporary file left behind is removed by a later save in that folder
// once it is stale (TemporaryFiles).
class BatchReplacement {
public:
    using StepHook = std::function<void(BatchStep)>;

    // `hook`, when given, is called at each step of every commit.
    explicit BatchReplacement(StepHook hook = nullptr);
    BatchReplacement(const BatchReplacement&) = delete;
    BatchReplacement& operator=(const BatchReplacement&) = delete;

    // Writes `target`'s new content to its temporary file, under `key`; false with the
    // cause when that fails, the target untouched. Safe from several threads at once.
    bool Add(std::size_t key, const std::filesystem::path& target, const FileWriter& write,
             std::error_code& cause);

    // Commits every file added since the last commit: the keys of those that could not
    // replace their target, each with its cause (their targets are as they were, or, when
    // only their folder could not be put on disk, replaced). Not while files are added.
    std::vector<std::pair<std::size_t, std::error_code>> Commit();

private:
    struct Entry {
        std::size_t key;
        StagedFile file;
    };

    void Sweep(const std::filesystem::path& folder);

    StepHook hook;
    std::mutex mutex;
    std::vector<Entry> entries;
    std::set<std::filesystem::path> swept;
    std::mt19937_64 seeds;  // one for each file's temporary names
};

}  // namespace MyApp
