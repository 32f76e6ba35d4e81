#include "files/ArtFile.h"

#include "files/FileAccess.h"
#include "files/LineFile.h"
#include "model/DrawingEditor.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using Testing::ReadBytes;
using Testing::TestDataFolder;
using Testing::WriteBytes;
using Codes = std::vector<CellCode>;

constexpr const char* ReadFailedText = "Errore durante la lettura.";
constexpr const char* BadFormatText = "Formato non valido.";
constexpr const char* DamagedText = "File danneggiato.";

std::string Repeat(const std::string& line, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += line;
    return text;
}

// "5;3 71;10 ": readable when a comparison fails.
std::string Text(const Codes& codes) {
    std::string text;
    for (const CellCode& code : codes) {
        text += std::to_string(code.glyph) + ";" + std::to_string(code.pair) + " ";
    }
    return text;
}

std::size_t EntriesIn(const fs::path& folder) {
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class ArtFileTest : public ::testing::Test {
protected:
    ArtReadResult Read(const std::string& bytes) {
        const fs::path path = folder / "drawing.art";
        WriteBytes(path, bytes);
        return ReadArtFile(path);
    }

    Testing::TempFolder folder;
    DrawingEditor editor;
};

// Every refusal, through the file reader and through the in-memory reader alike.
TEST_F(ArtFileTest, RefusesBrokenFilesWithTheirMessage) {
    const std::string cells6 = Repeat("71;10\r\n", 6);
    std::vector<std::pair<std::string, const char*>> cases = {
        {"", ReadFailedText},
        {"\r\n" + cells6, BadFormatText},
        {"3;2\r\n" + cells6, BadFormatText},
        {"3;2;10;7\r\n" + cells6, BadFormatText},
        {"3;2;10\r\n" + Repeat("71;10\r\n", 5), DamagedText},
        {"2;1;10\r\n5;\r\n71;10\r\n", DamagedText},
        {"2;1;10\r\n5;;3\r\n71;10\r\n", DamagedText},
        {"2;1;10\r\n\r\n71;10\r\n", DamagedText},
        {"2;1;10\r\n71;10\r\n;\r\n", DamagedText},
    };
    // Sizes the cell store cannot hold and backgrounds outside the atlas; the
    // last two would wrap to an acceptable 1 and 10 if not saturated.
    for (const char* header : {";;;", "0;1;10", "1;0;10", "81;1;10", "1;26;10", "-1;1;10",
                               "1;1;42", "1;1;-1", "99999999999;1;10", "1;99999999999;10",
                               "-99999999999;1;10", "4294967297;1;10", "1;1;4294967306"}) {
        cases.push_back({header + std::string("\r\n") + cells6, BadFormatText});
    }
    for (const auto& [bytes, message] : cases) {
        SCOPED_TRACE("bytes: \"" + bytes.substr(0, 40) + "\"");
        EXPECT_STREQ(Read(bytes).Message(), message);
        EXPECT_STREQ(ReadArtBytes(bytes).Message(), message);
    }
    EXPECT_STREQ(ReadArtFile(folder / "absent.art").Message(), ReadFailedText);
    EXPECT_STREQ(ReadArtFile(folder.Path()).Message(), ReadFailedText);
}

TEST_F(ArtFileTest, AcceptsLenientButSoundFiles) {
    using namespace std::string_literals;
    const struct { std::string bytes; int width, height, background; Codes cells; } cases[] = {
        {"2;1;10\n5;3\n71;10\n", 2, 1, 10, {{5, 3}, {71, 10}}},
        {"2;1;10\r\n5;3\r\n71;10", 2, 1, 10, {{5, 3}, {71, 10}}},
        {"2;1;10;\r\n5;3;\r\n;3\r\n", 2, 1, 10, {{5, 3}, {0, 3}}},
        {" 2;+1x;\t7\r\n12abc;x7\r\n-0;007\r\n", 2, 1, 7, {{12, 0}, {0, 7}}},
        {"1;1;0\r\n1;2\r\ngarbage\r\n;;;\r\n", 1, 1, 0, {{1, 2}}},
        {"1;1;41\r\n71;41\0junk\r\n"s, 1, 1, 41, {{71, 41}}},
        // Codes outside the atlas are kept as read, saturated past 32 bits.
        {"3;1;10\r\n500;-3\r\n131;42\r\n99999999999;-99999999999\r\n",
         3, 1, 10, {{500, -3}, {131, 42}, {INT32_MAX, INT32_MIN}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("bytes: \"" + c.bytes + "\"");
        for (const ArtReadResult& result : {Read(c.bytes), ReadArtBytes(c.bytes)}) {
            ASSERT_TRUE(result.Ok()) << result.Message();
            EXPECT_EQ(result.drawing.width, c.width);
            EXPECT_EQ(result.drawing.height, c.height);
            EXPECT_EQ(result.drawing.background, c.background);
            EXPECT_EQ(Text(result.drawing.cells), Text(c.cells));
        }
    }
}

// Four gigabytes of zeros after the lines a drawing needs, or in place of its
// cell line (sparse, so they cost no disk): a reader that went on through them
// would take many seconds.
TEST_F(ArtFileTest, ReadingStopsOnceTheCellsAreInOrALineIsTooLong) {
    const fs::path path = folder / "huge.art";
    for (const std::string& needed : {"80;25;10\r\n" + Repeat("71;10\r\n", 1999) + "8;9\r\n",
                                      std::string("1;1;10\r\n8;9\r\n")}) {
        WriteBytes(path, needed);
        fs::resize_file(path, std::uintmax_t(4) << 30);
        const auto start = std::chrono::steady_clock::now();
        const ArtReadResult result = ReadArtFile(path);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        ASSERT_TRUE(result.Ok()) << result.Message();
        EXPECT_EQ(Text({result.drawing.cells.back()}), "8;9 ");
        EXPECT_LT(took.count(), 2.0);
    }

    WriteBytes(path, "1;1;10\r\n");
    fs::resize_file(path, std::uintmax_t(4) << 30);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_STREQ(ReadArtFile(path).Message(), DamagedText);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 2.0);
}

TEST_F(ArtFileTest, OverlongLinesAreIgnoredAfterTheCellsAndRefusedAmongThem) {
    const std::string zeros(8'000'000, '0');
    const ArtReadResult after = Read("2;1;10\r\n5;3\r\n71;10\r\n" + zeros + "\r\n1;1\r\n");
    EXPECT_EQ(Text(after.drawing.cells), "5;3 71;10 ");
    // Cut short, these lines would read as a wrong number instead of 7, 3 or 10.
    EXPECT_STREQ(Read("2;1;" + zeros + "7\r\n5;3\r\n71;10\r\n").Message(), BadFormatText);
    EXPECT_STREQ(Read("2;1;10\r\n5;" + zeros + "3\r\n71;10\r\n").Message(), DamagedText);
    EXPECT_STREQ(Read("2;1;10\r\n5;3\r\n71;" + zeros + "10").Message(), DamagedText);
}

TEST_F(ArtFileTest, FailedSaveLeavesEverythingAsItWas) {
    ASSERT_TRUE(editor.NewDrawing(3, 2, 10));
    // The target is a folder, or its folder does not exist.
    fs::create_directory(folder / "folder.art");
    EXPECT_FALSE(WriteArtFile(folder / "folder.art", editor.Grid()));
    EXPECT_TRUE(fs::is_empty(folder / "folder.art"));
    EXPECT_FALSE(WriteArtFile(folder / "missing" / "drawing.art", editor.Grid()));

    // The temporary file cannot be made.
    const fs::path target = folder / "old.art";
    const std::string old = "1;1;10\r\n42;8\r\n";
    WriteBytes(target, old);
    fs::create_directory(folder / "old.art.tmp~");
    WriteBytes(folder / "old.art.tmp~" / "blocks.txt", "x");
    EXPECT_FALSE(WriteArtFile(target, editor.Grid()));
    EXPECT_EQ(ReadBytes(target), old);
    fs::remove_all(folder / "old.art.tmp~");

    // The write breaks off half way, as on a full disk.
    const bool saved = ReplaceFileSafely(target, [&](const fs::path& temporary) {
        EXPECT_EQ(temporary.parent_path(), folder.Path());
        LineFile file;
        file.path = temporary;
        file.WriteLines({"80;25;10", "71;10"});
        return false;
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(target), old);
    EXPECT_EQ(EntriesIn(folder.Path()), 2u);  // no temporary file left behind
}

TEST_F(ArtFileTest, SuccessfulSaveReplacesTheOldFile) {
    const fs::path target = folder / "drawing.art";
    WriteBytes(target, "80;25;10\r\n" + Repeat("71;10\r\n", 2000));
    WriteBytes(folder / "drawing.art.tmp~", "stale leftover of an earlier crash");
    ASSERT_TRUE(editor.NewDrawing(1, 1, 10));
    editor.PlaceGlyph(0);
    ASSERT_TRUE(WriteArtFile(target, editor.Grid()));
    EXPECT_EQ(ReadBytes(target), "1;1;10\r\n0;8\r\n");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u);
}

TEST_F(ArtFileTest, RandomDrawingsSurviveWriteAndRead) {
    std::mt19937 random(20240611);
    auto between = [&](std::int32_t low, std::int32_t high) {
        return std::uniform_int_distribution<std::int32_t>(low, high)(random);
    };
    const fs::path path = folder / "random.art";
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const int width = between(1, 80), height = between(1, 25), background = between(0, 41);
        Codes codes(std::size_t(width) * height);
        for (CellCode& code : codes) {
            switch (between(0, 3)) {
                case 0: code = {between(0, 130), between(0, 41)}; break;
                case 1: code = {between(-1000, 1000), between(-1000, 1000)}; break;
                case 2: code = {between(INT32_MIN, -1), between(0, INT32_MAX)}; break;
                default: code = {BlankGlyph, background}; break;
            }
        }
        ASSERT_TRUE(editor.LoadDrawing(width, height, background, codes));
        ASSERT_TRUE(WriteArtFile(path, editor.Grid()));
        const ArtReadResult result = ReadArtFile(path);
        ASSERT_TRUE(result.Ok()) << result.Message();
        ASSERT_EQ(result.drawing.width, width);
        ASSERT_EQ(result.drawing.height, height);
        ASSERT_EQ(result.drawing.background, background);
        ASSERT_EQ(Text(result.drawing.cells), Text(codes));
    }
}

// The committed file was written by hand from the format; native and Windows
// builds must both write exactly these bytes and read them back.
const Codes GoldenCells = {
    {0, 0}, {1, 1}, {2, 8}, {42, 8}, {71, 6}, {130, 41}, {71, 10},
    {500, -3}, {131, 42}, {-1, -1}, {INT32_MIN, INT32_MAX}, {71, 6}, {7, 0}, {99, 20},
    {24, 3}, {25, 3}, {130, 41}, {71, 0}, {65, 5}, {66, 5}, {71, 6},
};

TEST_F(ArtFileTest, WritesTheGoldenFileByteForByte) {
    Codes loaded = GoldenCells;
    for (int column = 0; column < 3; ++column) loaded[14 + column] = {BlankGlyph, 6};
    ASSERT_TRUE(editor.LoadDrawing(7, 3, 6, loaded));
    editor.SelectCell(0, 2);
    editor.SetPalettePair(3);
    editor.PlaceGlyph(24);
    editor.PlaceGlyph(25);
    editor.SetPalettePair(41);
    editor.PlaceGlyph(130);

    const fs::path path = folder / "golden.art";
    ASSERT_TRUE(WriteArtFile(path, editor.Grid()));
    const std::string golden = ReadBytes(TestDataFolder() / "golden-7x3.art");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(ReadBytes(path), golden);
}

TEST_F(ArtFileTest, ReadsTheGoldenFile) {
    const ArtReadResult result = ReadArtFile(TestDataFolder() / "golden-7x3.art");
    ASSERT_TRUE(result.Ok()) << result.Message();
    EXPECT_EQ(result.drawing.width, 7);
    EXPECT_EQ(result.drawing.height, 3);
    EXPECT_EQ(result.drawing.background, 6);
    EXPECT_EQ(Text(result.drawing.cells), Text(GoldenCells));
}

}  // namespace
}  // namespace MyApp
