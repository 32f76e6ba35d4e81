// tessaly-cli run as a process, as a user runs it: exit codes, what it prints, and the
// pictures it writes, against committed pictures that were checked by hand.

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

#ifdef _WIN32
constexpr const char* LineEnd = "\r\n";  // the converter's console streams are text streams
#else
constexpr const char* LineEnd = "\n";
#endif

std::string Line(const std::string& text) { return text + LineEnd; }

Testing::ProcessResult Cli(const std::vector<std::string>& arguments) {
    return Testing::RunProcess(TESSALY_CLI, arguments);
}

class CliTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (folder / name).string(); }
    std::string Drawing(const std::string& name, const std::string& text) const {
        Testing::WriteBytes(folder / name, text);
        return Path(name);
    }

    Testing::TempFolder folder;
};

TEST_F(CliTest, ExportsDrawingsToTheirCommittedPictures) {
    // golden-7x3 holds codes outside the atlas, which export as blanks of the background;
    // golden-1x1 is a white Q on dark blue. The native converter made the pictures, and
    // the Windows one must write the same bytes.
    const struct { fs::path drawing; const char* header; } cases[] = {
        {Testing::TestDataFolder() / "golden-7x3", "7;3;6"},
        {Testing::TestDataFolder() / "golden-1x1", "1;1;10"},
        {Testing::SourceFolder() / "examples" / "title", "26;9;1"},
        {Testing::SourceFolder() / "examples" / "scene", "24;12;9"},
        {Testing::SourceFolder() / "examples" / "all-glyphs", "35;21;3"},
    };
    Testing::WriteBytes(folder / "out.bmp", "an older picture");
    for (const auto& c : cases) {
        const std::string art = c.drawing.string() + ".art";
        const auto exported = Cli({"export", art, Path("out.bmp")});
        EXPECT_EQ(exported.exitCode, 0) << art << exported.err;
        EXPECT_EQ(exported.out + exported.err, "") << art;
        EXPECT_TRUE(ReadBytes(folder / "out.bmp") == ReadBytes(c.drawing.string() + ".bmp")) << art;
        const auto checked = Cli({"check", art});
        EXPECT_EQ(checked.exitCode, 0) << art << checked.err;
        EXPECT_EQ(checked.out, Line(c.header)) << art;
    }
}

TEST_F(CliTest, ExportsTheLargestDrawingWholeAtOnePixelPerAtlasPixel) {
    std::string cells;
    for (int cell = 0; cell < 80 * 25; ++cell) cells += "71;9\r\n";
    const auto result = Cli({"export", Drawing("full.art", "80;25;9\r\n" + cells), Path("full.bmp")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string bytes = ReadBytes(folder / "full.bmp");
    ASSERT_EQ(bytes.size(), 54u + 1280u * 600u * 3u);
    EXPECT_EQ(bytes.substr(18, 8), std::string("\0\5\0\0\x58\2\0\0", 8));  // 1280 x 600
    std::string lightBlue;  // 0, 204, 255 stored as blue, green, red
    for (int pixel = 0; pixel < 1280 * 600; ++pixel) lightBlue.append("\xFF\xCC\0", 3);
    EXPECT_TRUE(bytes.substr(54) == lightBlue);
}

TEST_F(CliTest, RefusedDrawingsPrintTheEditorsMessageExitTwoAndWriteNothing) {
    const struct { const char* text; const char* message; } cases[] = {
        {nullptr, "Errore durante la lettura."},  // no such file
        {"", "Errore durante la lettura."},
        {"3;2\r\n", "Formato non valido."},
        {"81;1;10\r\n", "Formato non valido."},
        {"2;1;10\r\n5;3\r\n", "File danneggiato."},
    };
    for (const auto& c : cases) {
        fs::remove(folder / "bad.art");
        const std::string drawing = c.text ? Drawing("bad.art", c.text) : Path("bad.art");
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{"export", drawing, Path("bad.bmp")},
              std::vector<std::string>{"check", drawing}}) {
            const auto result = Cli(arguments);
            const std::string shown = arguments[0] + " '" + (c.text ? c.text : "(none)") + "'";
            EXPECT_EQ(result.exitCode, 2) << shown;
            EXPECT_EQ(result.err, Line(c.message)) << shown;
            EXPECT_EQ(result.out, "") << shown;
        }
        EXPECT_FALSE(fs::exists(folder / "bad.bmp")) << c.message;
    }
}

TEST_F(CliTest, APictureThatCannotBeWrittenIsReportedWithExitOne) {
    const std::string drawing = Drawing("ok.art", "1;1;10\r\n42;3\r\n");
    fs::create_directory(folder / "a folder");
    for (const std::string& target : {Path("no such folder/out.bmp"), Path("a folder")}) {
        const auto result = Cli({"export", drawing, target});
        EXPECT_EQ(result.exitCode, 1) << target;
        EXPECT_EQ(result.err, Line("Errore durante la scrittura del file bitmap.")) << target;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(fs::is_directory(folder / "a folder"));
}

TEST_F(CliTest, HelpGoesToStandardOutputAndWrongArgumentsGetItOnStandardErrorWith64) {
    const auto help = Cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("tessaly-cli export"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("tessaly-cli check"), std::string::npos) << help.out;
    EXPECT_EQ(help.err, "");

    const std::string drawing = Drawing("ok.art", "1;1;10\r\n42;3\r\n");
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"export", drawing},
        {"check", drawing, drawing},
        {"convert", drawing, Path("a.bmp")},
        {"--help", "export"},
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
