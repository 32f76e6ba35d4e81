#include "LineFile.h"

#include "FileAccess.h"

#include <array>

namespace MyApp {

LineSplitter::LineSplitter(std::vector<std::string>& output, std::size_t lineLimit)
    : lines(output), maxLines(lineLimit) {}

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
    line.clear();
    lineBytes = 0;
    started = pendingCr = afterNul = false;
}

bool LineSplitter::Feed(std::string_view bytes) {
    for (char c : bytes) {
        if (Full()) return false;
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

std::vector<std::string> LineFile::ReadLines(std::size_t maxLines) {
    failed = openFailed = false;
    firstLongLine = LineSplitter::NoLongLine;
    std::vector<std::string> lines;
    FileHandle file = OpenFile(path, "rb");
    if (!file) {
        failed = openFailed = true;
        return lines;
    }
    LineSplitter splitter(lines, maxLines);
    std::array<char, 65536> buffer;
    for (;;) {
        const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), file.get());
        if (count > 0 && !splitter.Feed(std::string_view(buffer.data(), count))) break;
        if (count < buffer.size()) {
            if (std::ferror(file.get())) failed = true;
            splitter.Finish();
            break;
        }
    }
    firstLongLine = splitter.FirstLongLine();
    return lines;
}

bool LineFile::WriteLines(const std::vector<std::string>& lines) {
    failed = openFailed = false;
    FileHandle file = OpenFile(path, "wb");
    if (!file) {
        failed = openFailed = true;
        return false;
    }
    for (const std::string& text : lines) {
        if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() ||
            std::fwrite("\r\n", 1, 2, file.get()) != 2) {
            failed = true;
            break;
        }
    }
    if (!failed && !FlushToDisk(file.get())) failed = true;
    if (std::fclose(file.release()) != 0) failed = true;
    return !failed;
}

}  // namespace MyApp
