#include "files/LineFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace MyApp {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

// A file is read in blocks, so the same bytes cut anywhere must give the same
// lines. The first line longer than the limit ends the reading, kept cut.
TEST(LineFile, ReadsLfAndCrLfAlikeCutsAtNulAndStopsAtALongLineWhereverTheBytesAreSplit) {
    const std::string full(LineSplitter::MaxLineBytes, 'a');
    const std::size_t none = LineSplitter::NoLongLine;
    const struct { std::string bytes; Lines lines; std::size_t firstLong; } cases[] = {
        {"a\nbb\nccc\n", {"a", "bb", "ccc"}, none},  {"a\r\nbb\nccc", {"a", "bb", "ccc"}, none},
        {"a\rb\r\nc\r", {"a\rb", "c\r"}, none},      {"a\r\r\nb", {"a\r", "b"}, none},
        {"\n\r\nx\n\n", {"", "", "x", ""}, none},     {"a\n\0"s, {"a", ""}, none},
        {"ab\0cd\r\nef\0\nno\0"s, {"ab", "ef", "no"}, none}, {"", {}, none},
        {full + "\r\n" + full + "\n", {full, full}, none},
        {"x\n" + full + "\n" + full + "b\r\n" + full + "z\r\nend", {"x", full, full}, 2},
        // Bytes after a NUL are not kept but still count.
        {"x\n" + std::string(LineSplitter::MaxLineBytes + 1, '\0') + "\nend", {"x", ""}, 1},
    };
    Testing::TempFolder folder;
    LineFile file;
    file.path = folder / "lines.txt";
    for (const auto& c : cases) {
        SCOPED_TRACE("bytes: \"" + c.bytes.substr(0, 20) + "\"");
        Testing::WriteBytes(file.path, c.bytes);
        EXPECT_EQ(file.ReadLines(), c.lines);
        EXPECT_EQ(file.firstLongLine, c.firstLong);
        EXPECT_EQ(file.bytesRead, c.bytes.size());
        for (std::size_t cut = 0; cut <= c.bytes.size(); cut += 1 + cut / 64) {
            Lines pieces;
            LineSplitter splitter(pieces);
            if (splitter.Feed(std::string_view(c.bytes).substr(0, cut)) &&
                splitter.Feed(std::string_view(c.bytes).substr(cut))) {
                splitter.Finish();
            }
            EXPECT_EQ(pieces, c.lines) << "cut at " << cut;
        }
    }
}

}  // namespace
}  // namespace MyApp
