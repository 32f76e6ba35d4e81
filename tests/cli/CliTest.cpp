// tessaly-cli run as a process, as a user runs it: exit codes, what it prints, and the
// pictures it writes, against committed pictures that were checked by hand.

#include "support/Process.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using namespace Testing;  // the converter run as a process, its files read whole

#ifdef _WIN32
constexpr const char* LineEnd = "\r\n";  // the converter's console streams are text streams
#else
constexpr const char* LineEnd = "\n";
#endif

std::string Line(const std::string& text) { return text + LineEnd; }

// The names in a folder, one a line.
std::string Listing(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    std::string text;
    for (const std::string& name : names) text += name + "\n";
    return text;
}

auto Cli(const std::vector<std::string>& arguments) { return RunProcess(TESSALY_CLI, arguments); }

class CliTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (folder / name).string(); }
    std::string Drawing(const std::string& name, const std::string& text) const {
        WriteBytes(folder / name, text);
        return Path(name);
    }

    TempFolder folder;
};

TEST_F(CliTest, ExportsDrawingsToTheirCommittedPictures) {
    // golden-7x3 holds codes outside the atlas, which export as blanks of the background;
    // golden-1x1 is a white Q on dark blue. The native converter made the pictures, and
    // the Windows one must write the same bytes.
    const struct { const char* drawing; const char* header; } cases[] = {
        {"tests/data/golden-7x3", "7;3;6"},       {"tests/data/golden-1x1", "1;1;10"},
        {"examples/title", "26;9;1"},             {"examples/scene", "24;12;9"},
        {"examples/all-glyphs", "35;21;3"},
    };
    WriteBytes(folder / "out.bmp", "an older picture");
    for (const auto& c : cases) {
        const std::string path = (SourceFolder() / c.drawing).string();
        const auto exported = Cli({"export", path + ".art", Path("out.bmp")});
        EXPECT_EQ(exported.exitCode, 0) << c.drawing << exported.err;
        EXPECT_EQ(exported.out + exported.err, "") << c.drawing;
        EXPECT_TRUE(ReadBytes(folder / "out.bmp") == ReadBytes(path + ".bmp")) << c.drawing;
        const auto checked = Cli({"check", path + ".art"});
        EXPECT_EQ(checked.exitCode, 0) << c.drawing << checked.err;
        EXPECT_EQ(checked.out, Line(c.header)) << c.drawing;
    }
}

// Refused drawings, pictures that cannot be written and wrong arguments: the editor's
// message or the usage on standard error, nothing on standard output, no picture.
TEST_F(CliTest, FailuresPrintTheirMessageOnStandardErrorAndExitWithTheirCode) {
    const auto help = Cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("tessaly-cli export"), std::string::npos) << help.out;
    EXPECT_EQ(help.err, "");

    const std::string ok = Drawing("ok.art", "1;1;10\r\n42;3\r\n");
    const std::string absent = Path("absent.art"), out = Path("out.bmp");
    // A picture marked read-only (the attribute on Windows) is not written over, even by root.
    const std::string kept = Drawing("kept.bmp", "an older picture");
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(kept, readOnly);
    const struct { std::vector<std::string> arguments; int exitCode; std::string err; } cases[] = {
        {{"export", absent, out}, 2, Line("Errore durante la lettura.")},
        {{"check", absent}, 2, Line("Errore durante la lettura.")},
        {{"export", Drawing("wide.art", "81;1;10\r\n"), out}, 2, Line("Formato non valido.")},
        {{"check", Drawing("short.art", "2;1;10\r\n5;3\r\n")}, 2, Line("File danneggiato.")},
        {{"export", ok, Path("no such folder/out.bmp")}, 1,
         Line("Errore durante la scrittura del file bitmap.")},
        {{"export", ok, kept}, 1, Line("Errore durante la scrittura del file bitmap.")},
        // Each command with one argument too few and one too many.
        {{}, 64, help.out},
        {{"--help", "export"}, 64, help.out},
        {{"export", ok}, 64, help.out},
        {{"export", ok, out, Path("other.bmp")}, 64, help.out},
        {{"check"}, 64, help.out},
        {{"check", ok, out}, 64, help.out},
        {{"convert", ok, out}, 64, help.out},
    };
    const std::string before = Listing(folder.Path());
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const auto result = Cli(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(Listing(folder.Path()), before);
    EXPECT_EQ(ReadBytes(kept), "an older picture");
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all, readOnly);
    fs::permissions(kept, fs::perms::owner_write, fs::perm_options::add);  // may be removed
}

}  // namespace
}  // namespace MyApp
