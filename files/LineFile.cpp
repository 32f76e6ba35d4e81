#include "LineFile.h"

#include "FileAccess.h"

#include <algorithm>
#include <array>
#include <cerrno>

namespace MyApp {

LineSplitter::LineSplitter(std::vector<std::string>& output, std::size_t lineLimit,
                           LineLimitFromFirstLine limitFromFirstLine)
    : lines(output), maxLines(lineLimit), limitFromFirst(limitFromFirstLine) {}

void LineSplitter::Store(char c) {
    started = true;
    if (++lineBytes > MaxLineBytes) {
        // Too long to keep whole: keep it cut and read no further, whatever follows.
        if (firstLongLine == NoLongLine) firstLongLine = lines.size();
        EndLine();
        stopped = true;
        return;
    }
    if (afterNul) return;
    if (c == '\0') {
        afterNul = true;
    } else {
        line.push_back(c);
    }
}

void LineSplitter::EndLine() {
    lines.push_back(std::move(line));
    if (lines.size() == 1 && limitFromFirst) {
        maxLines = std::min(maxLines, limitFromFirst(lines.front()));
    }
    line.clear();
    lineBytes = 0;
    started = pendingCr = afterNul = false;
}

bool LineSplitter::Feed(std::string_view bytes) {
    for (std::size_t next = 0; next < bytes.size();) {
        if (Full()) return false;
        // A run of bytes that are neither line ends nor NULs goes into the line at once, as
        // far as the line may grow: a drawing is thousands of short lines.
        if (!pendingCr && !afterNul) {
            std::size_t end = next;
            const std::size_t room = std::min(bytes.size(), next + (MaxLineBytes - lineBytes));
            while (end < room && bytes[end] != '\n' && bytes[end] != '\r' && bytes[end] != '\0') ++end;
            if (end != next) {
                line.append(bytes.data() + next, end - next);
                lineBytes += end - next;
                started = true;
                next = end;
                continue;
            }
        }
        const char c = bytes[next++];
        if (pendingCr) {
            pendingCr = false;
            if (c == '\n') {
                EndLine();
                continue;
            }
            Store('\r');
        }
        if (c == '\n') {
            EndLine();
        } else if (c == '\r') {
            pendingCr = true;
            started = true;
        } else {
            Store(c);
        }
    }
    return !Full();
}

void LineSplitter::Finish() {
    if (Full()) return;
    if (pendingCr) {
        pendingCr = false;
        Store('\r');
    }
    if (started) EndLine();
}

std::vector<std::string> LineFile::ReadLines(std::size_t maxLines,
                                             LineLimitFromFirstLine limitFromFirstLine) {
    failed = openFailed = false;
    firstLongLine = LineSplitter::NoLongLine;
    bytesRead = 0;
    cause.clear();
    std::vector<std::string> lines;
    FileHandle file = OpenForReading(path, cause);
    if (!file) {
        failed = openFailed = true;
        return lines;
    }
    LineSplitter splitter(lines, maxLines, limitFromFirstLine);
    std::array<char, ReadBlockBytes> buffer;
    for (;;) {
        const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), file.get());
        bytesRead += count;
        if (count > 0 && !splitter.Feed(std::string_view(buffer.data(), count))) break;
        if (count < buffer.size()) {
            if (std::ferror(file.get())) {
                failed = true;
                cause = std::error_code(errno, std::generic_category());
            }
            splitter.Finish();
            break;
        }
    }
    firstLongLine = splitter.FirstLongLine();
    return lines;
}

bool WriteLines(std::FILE* file, const std::vector<std::string>& lines) {
    for (const std::string& text : lines) {
        if (std::fwrite(text.data(), 1, text.size(), file) != text.size() ||
            std::fwrite("\r\n", 1, 2, file) != 2) {
            return false;
        }
    }
    return true;
}

}  // namespace MyApp
