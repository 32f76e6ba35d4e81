#pragma once
// Reading and writing a text file as a list of lines. Lines are written with
// CR LF on every platform; LF or CR LF are read alike.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace MyApp {

// How many lines to read in all, told by the first line (a header that says
// how much follows).
using LineLimitFromFirstLine = std::size_t (*)(const std::string& firstLine);

// Cuts a stream of bytes into lines: a line ends at LF, a CR directly before
// the LF is dropped, a line is kept only up to its first NUL, and a last line
// without a line end still counts. A line longer than MaxLineBytes (NULs and
// all) ends the reading: it is kept cut at that length, its index is recorded
// and nothing after it is read, so no file costs more than that per line.
class LineSplitter {
public:
    static constexpr std::size_t MaxLineBytes = 4096;

    // Once the first line is complete, `limitFromFirstLine` (when given) may
    // lower `lineLimit`.
    explicit LineSplitter(std::vector<std::string>& output,
                          std::size_t lineLimit = std::numeric_limits<std::size_t>::max(),
                          LineLimitFromFirstLine limitFromFirstLine = nullptr);

    // Returns false once the line limit is reached or a line was too long;
    // the rest need not be fed.
    bool Feed(std::string_view bytes);
    void Finish();
    bool Full() const { return stopped || lines.size() >= maxLines; }
    static constexpr std::size_t NoLongLine = std::numeric_limits<std::size_t>::max();
    std::size_t FirstLongLine() const { return firstLongLine; }

private:
    void Store(char c);
    void EndLine();

    std::vector<std::string>& lines;
    std::size_t maxLines;
    LineLimitFromFirstLine limitFromFirst;
    std::string line;
    bool started = false;  // the current line has at least one byte
    bool pendingCr = false;
    bool afterNul = false;
    bool stopped = false;
    std::size_t lineBytes = 0;
    std::size_t firstLongLine = NoLongLine;
};

struct LineFile {
    // A file is read in blocks of this size, and no further than the block
    // that completes the last line wanted.
    static constexpr std::size_t ReadBlockBytes = 65536;

    bool failed = false;      // the last ReadLines did not complete
    bool openFailed = false;  // the file could not be opened (set together with failed)
    std::error_code cause;    // why, when the last ReadLines failed
    // Index of the line of the last ReadLines that was too long and ended it, if any.
    std::size_t firstLongLine = LineSplitter::NoLongLine;
    std::uintmax_t bytesRead = 0;  // taken from the file by the last ReadLines
    std::filesystem::path path;

    // Reads at most `maxLines` lines (or as many as `limitFromFirstLine` says); a file
    // that cannot be opened, or is no regular file (a pipe, a device), gives no lines.
    std::vector<std::string> ReadLines(
        std::size_t maxLines = std::numeric_limits<std::size_t>::max(),
        LineLimitFromFirstLine limitFromFirstLine = nullptr);
};

// Writes each string and a CR LF to an open file; true when everything was written.
bool WriteLines(std::FILE* file, const std::vector<std::string>& lines);

}  // namespace MyApp
