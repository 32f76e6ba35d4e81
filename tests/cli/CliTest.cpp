// tessaly-cli run as a process, as a user runs it: exit codes, what it prints,
// and the pictures it writes, byte for byte.

#include "files/ArtFile.h"
#include "files/AtlasBitmap.h"
#include "files/BitmapFile.h"
#include "model/DrawingEditor.h"
#include "model/ExportPicture.h"
#include "support/Process.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using Testing::ReadBytes;
using Testing::RunProcess;
using Testing::WriteBytes;

#ifdef _WIN32
constexpr const char* LineEnd = "\r\n";  // the converter's console streams are text streams
#else
constexpr const char* LineEnd = "\n";
#endif

std::string Line(const std::string& text) { return text + LineEnd; }

Testing::ProcessResult Cli(const std::vector<std::string>& arguments) {
    return RunProcess(TESSALY_CLI, arguments);
}

std::string ArtText(int width, int height, int background, const std::vector<CellCode>& cells) {
    std::string text = std::to_string(width) + ";" + std::to_string(height) + ";" +
                       std::to_string(background) + "\r\n";
    for (const CellCode& cell : cells) {
        text += std::to_string(cell.glyph) + ";" + std::to_string(cell.pair) + "\r\n";
    }
    return text;
}

// A drawing whose cells run through many glyphs and pairs.
std::vector<CellCode> Varied(int width, int height) {
    std::vector<CellCode> cells;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            cells.push_back(CellCode{(column * 13 + row * 7) % GlyphCount,
                                     (column + row * 3) % PairCount});
        }
    }
    return cells;
}

// What the editor's export writes for this drawing: its composer and writer on the committed atlas.
std::string EditorExport(int width, int height, int background,
                         const std::vector<CellCode>& cells) {
    static const AtlasImage atlas =
        *ReadAtlasBitmap(ReadBytes(Testing::SourceFolder() / "resources" / "atlas.bmp"));
    DrawingEditor editor;
    EXPECT_TRUE(editor.LoadDrawing(width, height, background, cells));
    const std::vector<std::uint8_t> bytes =
        EncodeBitmap(ComposeExportPicture(editor.Grid(), atlas));
    return std::string(bytes.begin(), bytes.end());
}

class CliTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (folder / name).string(); }
    std::string Drawing(const std::string& name, const std::string& text) const {
        WriteBytes(folder / name, text);
        return Path(name);
    }

    Testing::TempFolder folder;
};

TEST_F(CliTest, ExportsPicturesByteForByteAsTheEditorDoes) {
    struct Size { int width, height, background; std::size_t bytes; };
    for (const Size size :
         {Size{1, 1, 3, 1206}, Size{10, 10, 10, 115254}, Size{80, 25, 7, 2304054}}) {
        const std::vector<CellCode> cells = Varied(size.width, size.height);
        const std::string drawing =
            Drawing("in.art", ArtText(size.width, size.height, size.background, cells));
        const auto result = Cli({"export", drawing, Path("out.bmp")});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
        const std::string written = ReadBytes(folder / "out.bmp");
        EXPECT_EQ(written.size(), size.bytes);
        EXPECT_TRUE(written == EditorExport(size.width, size.height, size.background, cells))
            << size.width << " x " << size.height;
    }
}

TEST_F(CliTest, ExportsCellsOutsideTheAtlasAsTheEditorDoesAndReplacesAnOldPicture) {
    // Codes a hand-edited file may hold; the reader keeps them and the export shows a blank.
    const std::vector<CellCode> cells = {{500, 3}, {42, 77}, {-1, -1}, {42, 3}};
    WriteBytes(folder / "out.bmp", "an older picture");
    const std::string drawing = Drawing("odd.art", ArtText(2, 2, 9, cells));
    const auto result = Cli({"export", drawing, Path("out.bmp")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(ReadBytes(folder / "out.bmp") == EditorExport(2, 2, 9, cells));
}

TEST_F(CliTest, ExamplesExportToTheirCommittedPictures) {
    // The committed pictures were made by the native converter; the Windows one must agree.
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(Testing::SourceFolder() / "examples")) {
        if (entry.path().extension() != ".art") continue;
        ++examples;
        fs::path picture = entry.path();
        picture.replace_extension(".bmp");
        const auto result = Cli({"export", entry.path().string(), Path("example.bmp")});
        EXPECT_EQ(result.exitCode, 0) << entry.path() << result.err;
        EXPECT_TRUE(ReadBytes(folder / "example.bmp") == ReadBytes(picture)) << entry.path();
    }
    EXPECT_GE(examples, 3);
}

TEST_F(CliTest, RefusedDrawingsPrintTheEditorsMessageAndWriteNothing) {
    struct Case { const char* text; const char* message; };
    const Case cases[] = {
        {"", "Errore durante la lettura."},
        {"3;2\r\n", "Formato non valido."},
        {"3;2;10;7\r\n", "Formato non valido."},
        {"81;1;10\r\n", "Formato non valido."},
        {"2;1;10\r\n5;3\r\n", "File danneggiato."},
        {"2;1;10\r\n5;3\r\n5;\r\n", "File danneggiato."},
    };
    for (const Case& c : cases) {
        const std::string drawing = Drawing("bad.art", c.text);
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{"export", drawing, Path("bad.bmp")},
              std::vector<std::string>{"check", drawing}}) {
            const auto result = Cli(arguments);
            EXPECT_EQ(result.exitCode, 2) << arguments[0] << " '" << c.text << "'";
            EXPECT_EQ(result.err, Line(c.message)) << arguments[0] << " '" << c.text << "'";
            EXPECT_EQ(result.out, "");
        }
        EXPECT_FALSE(fs::exists(folder / "bad.bmp")) << c.text;
    }
    const auto missing = Cli({"export", Path("missing.art"), Path("bad.bmp")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, Line("Errore durante la lettura."));
}

TEST_F(CliTest, APictureThatCannotBeWrittenIsReportedWithExitOne) {
    const std::string drawing = Drawing("ok.art", ArtText(1, 1, 10, {{42, 3}}));
    fs::create_directory(folder / "a folder");
    for (const std::string& target : {Path("no such folder/out.bmp"), Path("a folder")}) {
        const auto result = Cli({"export", drawing, target});
        EXPECT_EQ(result.exitCode, 1) << target;
        EXPECT_EQ(result.err, Line("Errore durante la scrittura del file bitmap.")) << target;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(fs::is_directory(folder / "a folder"));
}

TEST_F(CliTest, CheckPrintsWidthHeightAndBackground) {
    const auto result = Cli({"check", Drawing("d.art", ArtText(10, 2, 7, Varied(10, 2)))});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, Line("10;2;7"));
    EXPECT_EQ(result.err, "");
    // Extra lines after the cells are ignored, as the editor ignores them.
    const auto extra = Cli({"check", Drawing("e.art", ArtText(1, 1, 4, {{71, 4}}) + "junk\r\n")});
    EXPECT_EQ(extra.exitCode, 0);
    EXPECT_EQ(extra.out, Line("1;1;4"));
}

TEST_F(CliTest, HelpGoesToStandardOutputAndWrongArgumentsGetUsageOnStandardErrorWith64) {
    const auto help = Cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("tessaly-cli export"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("tessaly-cli check"), std::string::npos) << help.out;
    EXPECT_EQ(help.err, "");

    const std::string drawing = Drawing("ok.art", ArtText(1, 1, 10, {{42, 3}}));
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"export", drawing},
        {"export", drawing, Path("a.bmp"), Path("b.bmp")},
        {"check"},
        {"check", drawing, drawing},
        {"convert", drawing, Path("a.bmp")},
        {"--help", "export"},
        {"EXPORT", drawing, Path("a.bmp")},
    };
    for (const auto& arguments : wrong) {
        const auto result = Cli(arguments);
        const std::string shown = arguments.empty() ? "(none)" : arguments[0];
        EXPECT_EQ(result.exitCode, 64) << shown;
        EXPECT_EQ(result.err, help.out) << shown;
        EXPECT_EQ(result.out, "") << shown;
    }
    EXPECT_FALSE(fs::exists(folder / "a.bmp"));
}

}  // namespace
}  // namespace MyApp
