#include "files/LineFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace MyApp {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

class LineFileTest : public ::testing::Test {
protected:
    // Writes `bytes` to a file and reads it back as lines.
    Lines ReadFrom(const std::string& bytes, std::size_t maxLines = SIZE_MAX) {
        file.path = folder / "lines.txt";
        Testing::WriteBytes(file.path, bytes);
        return file.ReadLines(maxLines);
    }

    Testing::TempFolder folder;
    LineFile file;
};

// A file is read in large chunks, so the same bytes cut anywhere must give the same lines.
TEST_F(LineFileTest, ReadsLfAndCrLfAlikeAndCutsAtNulWhereverTheBytesAreSplit) {
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"a\nbb\nccc\n", {"a", "bb", "ccc"}},
        {"a\r\nbb\nccc", {"a", "bb", "ccc"}},
        {"a\rb\r\nc\r", {"a\rb", "c\r"}},
        {"a\r\r\nb", {"a\r", "b"}},
        {"\n\r\nx\n\n", {"", "", "x", ""}},
        {"ab\0cd\r\nef\0\nno\0"s, {"ab", "ef", "no"}},
        {"a\n\0"s, {"a", ""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("bytes: \"" + c.bytes + "\"");
        EXPECT_EQ(ReadFrom(c.bytes), c.lines);
        EXPECT_FALSE(file.failed);
        for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) {
            Lines pieces;
            LineSplitter splitter(pieces);
            splitter.Feed(std::string_view(c.bytes).substr(0, cut));
            splitter.Feed(std::string_view(c.bytes).substr(cut));
            splitter.Finish();
            EXPECT_EQ(pieces, c.lines) << "cut at " << cut;
        }
    }
    EXPECT_EQ(ReadFrom("1\r\n2\r\n3\r\n", 2), (Lines{"1", "2"}));
}

TEST_F(LineFileTest, StopsAtTheFirstLongLineKeepingItCut) {
    const std::string full(LineSplitter::MaxLineBytes, 'a');
    EXPECT_EQ(ReadFrom("x\n" + full + "\n" + full + "b\r\n" + full + "z\r\nend"),
              (Lines{"x", full, full}));
    EXPECT_EQ(file.firstLongLine, 2u);
    // Bytes after a NUL are not kept but still count.
    EXPECT_EQ(ReadFrom("x\n" + std::string(LineSplitter::MaxLineBytes + 1, '\0') + "\nend"),
              (Lines{"x", ""}));
    EXPECT_EQ(file.firstLongLine, 1u);
    ReadFrom(full + "\r\n" + full + "\n");
    EXPECT_EQ(file.firstLongLine, LineSplitter::NoLongLine);
}

TEST_F(LineFileTest, WritesEveryLineWithCrLfAndReadsThemBack) {
    file.path = folder / "out.txt";
    const Lines lines{"2;1;10", "", " spaced ", "x\ry", std::string(4096, 'w')};
    ASSERT_TRUE(file.WriteLines(lines));
    EXPECT_EQ(file.ReadLines(), lines);
    ASSERT_TRUE(file.WriteLines({"short", "a\nb"}));  // truncates what was there
    EXPECT_EQ(Testing::ReadBytes(file.path), "short\r\na\nb\r\n");
}

TEST_F(LineFileTest, UnopenableFilesFailToOpen) {
    file.path = folder / "absent.txt";
    EXPECT_TRUE(file.ReadLines().empty());
    EXPECT_TRUE(file.failed && file.openFailed);
    file.path = folder / "missing" / "out.txt";
    EXPECT_FALSE(file.WriteLines({"a"}));
    EXPECT_TRUE(file.failed && file.openFailed);
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
}  // namespace MyApp
