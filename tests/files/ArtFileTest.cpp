#include "files/ArtFile.h"

#include "files/LineFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using namespace Testing;  // files written and read whole

constexpr const char* ReadFailedText = "Errore durante la lettura.";
constexpr const char* BadFormatText = "Formato non valido.";
constexpr const char* DamagedText = "File danneggiato.";

std::string Repeat(const std::string& line, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += line;
    return text;
}

// "W;H;B 5;3 71;10": what a read gave, readable when a comparison fails.
std::string Text(const ArtReadResult& result) {
    if (!result.Ok()) return result.Message();
    const ArtDrawing& drawing = result.drawing;
    std::string text = std::to_string(drawing.width) + ";" + std::to_string(drawing.height) + ";" +
                       std::to_string(drawing.background);
    for (const CellCode& code : drawing.cells) {
        text += " " + std::to_string(code.glyph) + ";" + std::to_string(code.pair);
    }
    return text;
}

class ArtFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path path = folder / "drawing.art";
};

// Through the file reader and through the in-memory reader alike.
TEST_F(ArtFileTest, AcceptsLenientButSoundFilesAndRefusesBrokenOnesWithTheirMessage) {
    const std::string cells6 = Repeat("71;10\r\n", 6), zeros(8'000'000, '0');
    std::vector<std::pair<std::string, std::string>> cases = {
        {"2;1;0;\r\n5;3;\r\n;3\r\n", "2;1;0 5;3 0;3"},
        {" 3;+1x;\t7\r\n12abc;x7\r\n-0;007\r\n+-5;- 5\r\n", "3;1;7 12;0 0;7 0;0"},
        // Codes outside the atlas are kept as read, saturated past 32 bits.
        {"3;1;10\r\n500;-3\r\n-2147483648;2147483647\r\n-2147483649;+2147483648\r\n",
         "3;1;10 500;-3 -2147483648;2147483647 -2147483648;2147483647"},
        {"", ReadFailedText},
        {"\r\n" + cells6, BadFormatText},
        {"3;2\r\n" + cells6, BadFormatText},
        {"3;2;10;7\r\n" + cells6, BadFormatText},
        {"3;2;10\r\n" + Repeat("71;10\r\n", 5), DamagedText},
        {"2;1;10\r\n5;\r\n71;10\r\n", DamagedText},
        {"2;1;10\r\n5;;3\r\n71;10\r\n", DamagedText},
        // Lines too long to keep are refused among the cells (after them they are not
        // read): cut short, they would read as a wrong number instead of 7, 3 or 10.
        {"2;1;" + zeros + "7\r\n5;3\r\n71;10\r\n", BadFormatText},
        {"2;1;10\r\n5;" + zeros + "3\r\n71;10\r\n", DamagedText},
        {"2;1;10\r\n5;3\r\n71;" + zeros + "10", DamagedText},
        // A UTF-8 byte-order mark in front (Notepad's) is no part of the header.
        {"\xEF\xBB\xBF" "2;1;10\r\n5;3\r\n71;10\r\n", "2;1;10 5;3 71;10"},
        {"\xEF\xBB\xBF" "2;1\r\n" + cells6, BadFormatText},
        {"\xEF\xBB\xBF" "2;1;10\r\n5;3;\r\n71\r\n", DamagedText},
        {"\xEF\xBB" "2;1;10\r\n5;3\r\n71;10\r\n", BadFormatText},
    };
    // Sizes the cell store cannot hold and backgrounds outside the atlas; the
    // last two would wrap to an acceptable 1 and 10 if not saturated.
    for (const char* header : {";;;", "0;1;10", "1;0;10", "81;1;10", "1;26;10", "-1;1;10",
                               "1;1;42", "1;1;-1", "4294967297;1;10", "1;1;4294967306"}) {
        cases.push_back({header + std::string("\r\n") + cells6, BadFormatText});
    }
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE("bytes: \"" + bytes.substr(0, 40) + "\"");
        WriteBytes(path, bytes);
        EXPECT_EQ(Text(ReadArtFile(path)), expected);
        EXPECT_EQ(Text(ReadArtBytes(bytes)), expected);
    }
    EXPECT_STREQ(ReadArtFile(folder.Path()).Message(), ReadFailedText);  // a folder
}

// Four gigabytes of zeros after the lines a drawing needs, or in place of its
// cell line (sparse, so they cost no disk), or eight megabytes of lines as
// long as a line may be: the reader takes no more than the lines it needs and
// the rest of the block that holds their end.
TEST_F(ArtFileTest, ReadsNoFurtherThanTheCellsOrTheFirstOverlongLine) {
    const struct { std::string needed, more, read; } cases[] = {
        {"80;25;10\r\n" + Repeat("71;10\r\n", 1999) + "8;9\r\n", "",
         "80;25;10" + Repeat(" 71;10", 1999) + " 8;9"},
        {"1;1;10\r\n8;9\r\n", Repeat(std::string(4000, '7') + "\n", 2000), "1;1;10 8;9"},
        {"1;1;10\r\n", "", DamagedText},
    };
    for (const auto& c : cases) {
        WriteBytes(path, c.needed + c.more);
        fs::resize_file(path, std::uintmax_t(4) << 30);
        const ArtReadResult result = ReadArtFile(path);
        EXPECT_EQ(Text(result), c.read);
        EXPECT_LE(result.bytesRead, c.needed.size() + LineFile::ReadBlockBytes);
    }
}

// The committed file was written by hand from the format, with codes outside the atlas;
// native and Windows builds must both write back exactly its bytes. What it reads as is
// checked by its exported picture in the converter's tests.
TEST_F(ArtFileTest, WritesBackTheGoldenFileByteForByte) {
    const fs::path golden = SourceFolder() / "tests" / "data" / "golden-7x3.art";
    const ArtReadResult read = ReadArtFile(golden);
    CellGrid grid;
    ASSERT_TRUE(grid.FillFromFile(read.drawing.width, read.drawing.height,
                                  read.drawing.background, read.drawing.cells));
    ASSERT_TRUE(WriteArtFile(path, grid));
    EXPECT_EQ(ReadBytes(path), ReadBytes(golden));
}

}  // namespace
}  // namespace MyApp
