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

using Testing::ReadBytes;
using Testing::TempFolder;
using Testing::WriteBytes;
using Lines = std::vector<std::string>;

class LineFileTest : public ::testing::Test {
protected:
    // Writes `bytes` to a file and reads it back as lines.
    Lines ReadFrom(const std::string& bytes, std::size_t maxLines = SIZE_MAX) {
        file.path = folder / "lines.txt";
        WriteBytes(file.path, bytes);
        return file.ReadLines(maxLines);
    }

    TempFolder folder;
    LineFile file;
};

TEST_F(LineFileTest, ReadsLineEndsAndLineContentAsWritten) {
    using namespace std::string_literals;
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"a\nbb\nccc\n", {"a", "bb", "ccc"}},
        {"a\r\nbb\r\nccc\r\n", {"a", "bb", "ccc"}},
        {"a\r\nbb\nccc", {"a", "bb", "ccc"}},
        {"a\rb\r\nc\r", {"a\rb", "c\r"}},
        {"a\r\r\nb", {"a\r", "b"}},
        {"\n\r\nx\n\n", {"", "", "x", ""}},
        {"ab\0cd\r\nef\0\nno\0"s, {"ab", "ef", "no"}},
        {"\0\r\n"s, {""}},
        {"a\n\0"s, {"a", ""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadFrom(c.bytes), c.lines) << "bytes: \"" << c.bytes << "\"";
        EXPECT_FALSE(file.failed);
        EXPECT_FALSE(file.openFailed);
    }
}

TEST_F(LineFileTest, MissingFileFailsToOpenAndGivesNoLines) {
    file.path = folder / "absent.txt";
    EXPECT_TRUE(file.ReadLines().empty());
    EXPECT_TRUE(file.failed);
    EXPECT_TRUE(file.openFailed);

    // The flags belong to the last operation only.
    EXPECT_EQ(ReadFrom("x\n"), Lines{"x"});
    EXPECT_FALSE(file.failed);
    EXPECT_FALSE(file.openFailed);
}

TEST_F(LineFileTest, StopsAfterTheLinesAskedFor) {
    EXPECT_EQ(ReadFrom("1\n2\n3\n4\n", 2), (Lines{"1", "2"}));
    EXPECT_EQ(ReadFrom("1\r\n2\r\n", 2), (Lines{"1", "2"}));
    EXPECT_EQ(ReadFrom("1\n2", 5), (Lines{"1", "2"}));
    EXPECT_TRUE(ReadFrom("1\n2\n", 0).empty());
    EXPECT_FALSE(file.failed);
}

TEST_F(LineFileTest, CutsLongLinesAndRemembersTheFirst) {
    const std::size_t limit = LineSplitter::MaxLineBytes;
    const std::string full(limit, 'a');
    const Lines lines = ReadFrom("x\n" + full + "\n" + full + "bcd\r\n" + full + "z\r\nend");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], full);
    EXPECT_EQ(lines[2], full);
    EXPECT_EQ(lines[3], full);
    EXPECT_EQ(lines[4], "end");
    EXPECT_EQ(file.firstLongLine, 2u);

    ReadFrom(full + "\r\n" + full + "\n");
    EXPECT_EQ(file.firstLongLine, LineSplitter::NoLongLine);
}

TEST_F(LineFileTest, WritesEveryLineWithCrLf) {
    file.path = folder / "out.txt";
    ASSERT_TRUE(file.WriteLines({"2;1;10", "", "a\nb", "last"}));
    EXPECT_FALSE(file.failed);
    EXPECT_EQ(ReadBytes(file.path), "2;1;10\r\n\r\na\nb\r\nlast\r\n");

    ASSERT_TRUE(file.WriteLines({"short"}));  // truncates what was there
    EXPECT_EQ(ReadBytes(file.path), "short\r\n");

    ASSERT_TRUE(file.WriteLines({}));
    EXPECT_EQ(ReadBytes(file.path), "");
    EXPECT_TRUE(std::filesystem::exists(file.path));
}

TEST_F(LineFileTest, WrittenLinesReadBackUnchanged) {
    const Lines lines{"1;2;3", "", " spaced ", "x\ry", std::string(4096, 'w')};
    file.path = folder / "round.txt";
    ASSERT_TRUE(file.WriteLines(lines));
    EXPECT_EQ(file.ReadLines(), lines);
}

TEST_F(LineFileTest, WriteIntoAMissingFolderFailsToOpen) {
    file.path = folder / "missing" / "out.txt";
    EXPECT_FALSE(file.WriteLines({"a"}));
    EXPECT_TRUE(file.failed);
    EXPECT_TRUE(file.openFailed);
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

// Feeding the bytes in pieces cut anywhere gives the same lines as feeding them at once.
TEST(LineSplitter, ChunkBoundariesDoNotChangeTheLines) {
    using namespace std::string_literals;
    const std::string samples[] = {
        "ab\r\ncd\r\n\r\nef",
        "a\r\r\nb\rc\r",
        "x\0y\r\nz\0\r\n\r"s,
        "1;2\n\n3;4\r\n",
        "long" + std::string(LineSplitter::MaxLineBytes, 'L') + "\r\ntail\n",
    };
    for (const std::string& bytes : samples) {
        Lines whole;
        LineSplitter oneShot(whole);
        oneShot.Feed(bytes);
        oneShot.Finish();

        // Every single cut point, then every byte alone.
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
            Lines pieces;
            LineSplitter splitter(pieces);
            splitter.Feed(std::string_view(bytes).substr(0, cut));
            splitter.Feed(std::string_view(bytes).substr(cut));
            splitter.Finish();
            EXPECT_EQ(pieces, whole) << "cut at " << cut;
            EXPECT_EQ(splitter.FirstLongLine(), oneShot.FirstLongLine());
        }
        Lines bytewise;
        LineSplitter splitter(bytewise);
        for (char c : bytes) splitter.Feed(std::string_view(&c, 1));
        splitter.Finish();
        EXPECT_EQ(bytewise, whole);
    }
}

TEST(LineSplitter, CrAtTheEndOfAChunkThenLfEndsTheLine) {
    Lines lines;
    LineSplitter splitter(lines);
    splitter.Feed("a\r");
    EXPECT_TRUE(lines.empty());
    splitter.Feed("\nb\r");
    EXPECT_EQ(lines, Lines{"a"});
    splitter.Feed("c");
    splitter.Finish();
    EXPECT_EQ(lines, (Lines{"a", "b\rc"}));
}

TEST(LineSplitter, ReportsWhenFull) {
    Lines lines;
    LineSplitter splitter(lines, 2);
    EXPECT_TRUE(splitter.Feed("1\n"));
    EXPECT_FALSE(splitter.Feed("2\n3\n4"));
    EXPECT_TRUE(splitter.Full());
    splitter.Finish();
    EXPECT_EQ(lines, (Lines{"1", "2"}));
}

}  // namespace
}  // namespace MyApp
