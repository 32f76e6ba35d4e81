// tessaly-cli run as a process, as a user runs it: exit codes, what it prints, and the
// pictures it writes, against committed pictures that were checked by hand.

#include "support/Process.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#ifndef _WIN32
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <functional>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <utility>
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

auto Cli(const std::vector<std::string>& arguments) { return RunProcess(TESSALY_CLI, arguments); }

// A PNG decoded by an independent reader (Python's zlib: every chunk's CRC, the zlib stream,
// the palette and its packed indices) against a bitmap, pixel for pixel, in the smallest
// form that holds the bitmap's colours; `form` is that form, as the reader prints it. The
// Windows build cannot hand its paths to a Linux program: there the same PNG bytes as the
// native build's stand for it.
void ExpectPngShowsBitmap(const fs::path& png, const fs::path& bitmap, const char* form = nullptr) {
#ifndef _WIN32
    const auto decoded = RunProcess("python3", {PNG_EQUALS_BMP, png.string(), bitmap.string()});
    EXPECT_EQ(decoded.exitCode, 0) << decoded.err;
    if (form) {
        EXPECT_EQ(decoded.out, std::string(form) + "\n") << png;
    }
#else
    (void)png, (void)bitmap, (void)form;
#endif
}

// The names in a folder, sub-folders with a trailing '/'.
std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    }
    return names;
}

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
    // the Windows one must write the same bytes. The format follows the extension in any
    // case; the PNG of a drawing of large single-colour areas takes a tenth of the bitmap
    // at most.
    const struct { const char* drawing; const char* header; const char* png; bool typical; const char* form; }
        cases[] = {
            {"tests/data/golden-7x3", "7;3;6", "out.PNG", false, "palette 4 bits 7 colours"},
            {"tests/data/golden-1x1", "1;1;10", "out.png", false, "palette 1 bits 2 colours"},
            {"examples/title", "26;9;1", "out.Png", true, "palette 4 bits 5 colours"},
            {"examples/scene", "24;12;9", "out.png", true, "palette 4 bits 6 colours"},
            {"examples/all-glyphs", "35;21;3", "out.png", true, "palette 4 bits 5 colours"},
        };
    WriteBytes(folder / "out.bmp", "an older picture");
    for (const auto& c : cases) {
        const std::string path = (SourceFolder() / c.drawing).string();
        const auto exported = Cli({"export", path + ".art", Path("out.BMP")});
        EXPECT_EQ(exported.exitCode, 0) << c.drawing << exported.err;
        EXPECT_EQ(exported.out + exported.err, "") << c.drawing;
        EXPECT_TRUE(ReadBytes(folder / "out.BMP") == ReadBytes(path + ".bmp")) << c.drawing;
        const auto png = Cli({"export", path + ".art", Path(c.png)});
        EXPECT_EQ(png.exitCode, 0) << c.drawing << png.err;
        EXPECT_TRUE(ReadBytes(folder / c.png) == ReadBytes(path + ".png")) << c.drawing;
        ExpectPngShowsBitmap(folder / c.png, path + ".bmp", c.form);
        if (c.typical) {
            EXPECT_LE(fs::file_size(path + ".png") * 10, fs::file_size(path + ".bmp"));
        }
        const auto checked = Cli({"check", path + ".art"});
        EXPECT_EQ(checked.exitCode, 0) << c.drawing << checked.err;
        EXPECT_EQ(checked.out, Line(c.header)) << c.drawing;
    }
}

// Random drawings, of one to seven colours, each converted to both formats: every PNG
// holds its bitmap's pixels at the fewest bits that hold its colours.
TEST_F(CliTest, ExportAllWritesEachRandomDrawingsPngWithItsBitmapsPixels) {
    const struct { int width, height; std::vector<int> pairs; bool blank; const char* form; } cases[] = {
        {1, 1, {10}, false, "palette 1 bits 2 colours"},      // black on white
        {3, 2, {41}, true, "palette 1 bits 1 colours"},       // blanks only
        {11, 3, {0, 2}, false, "palette 2 bits 3 colours"},   // black on grey, black on red
        {17, 9, {0, 2, 5}, false, "palette 4 bits 5 colours"},
        {80, 25, {}, false, "palette 4 bits 7 colours"},      // every pair
    };
    std::mt19937 random(2024);
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        const auto& c = cases[n];
        std::string text = std::to_string(c.width) + ";" + std::to_string(c.height) + ";" +
                           std::to_string(c.pairs.empty() ? 10 : c.pairs[0]) + "\r\n";
        for (int i = 0; i < c.width * c.height; ++i) {
            const int pair = c.pairs.empty() ? int(random() % 42) : c.pairs[random() % c.pairs.size()];
            const int glyph = c.blank ? 71 : int(random() % 131);  // 71: the blank glyph
            text += std::to_string(glyph) + ";" + std::to_string(pair) + "\r\n";
        }
        Drawing("random-" + std::to_string(n) + ".art", text);
    }
    for (const char* format : {"bmp", "png"}) {
        const auto result = Cli({"export-all", folder.Path().string(), "--format", format});
        EXPECT_EQ(result.exitCode, 0) << result.err;
    }
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        const std::string name = Path("random-" + std::to_string(n));
        ExpectPngShowsBitmap(name + ".png", name + ".bmp", cases[n].form);
    }
}

// Refused drawings, pictures that cannot be written and wrong arguments: the editor's
// message and its cause, or what is wrong and the usage, on standard error; nothing on
// standard output, no picture, nothing waited on.
TEST_F(CliTest, FailuresPrintTheirMessageOnStandardErrorAndExitWithTheirCode) {
    const auto help = Cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("tessaly-cli export"), std::string::npos) << help.out;
    EXPECT_EQ(help.err, "");
    const auto usage = [&](const std::string& problem) {
        return Line("tessaly-cli: " + problem) + help.out;
    };

    const std::string drawing = "1;1;10\r\n42;3\r\n";
    const std::string ok = Drawing("ok.art", drawing), self = Drawing("self.png", drawing);
    fs::create_hard_link(ok, folder / "linked.bmp");
    const std::string absent = Path("absent.art"), out = Path("out.bmp");
    // A picture marked read-only (the attribute on Windows) is not written over, even by root.
    const std::string kept = Drawing("kept.bmp", "an older picture");
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(kept, readOnly);
    const std::string here = folder.Path().string();
    const std::string readFailed = "Errore durante la lettura. Causa: ";
    const std::string bitmapFailed = "Errore durante la scrittura del file bitmap. Causa: ";
    struct Case { std::vector<std::string> arguments; int exitCode; std::string err; };
    std::vector<Case> cases = {
        {{"export", absent, out}, 2, Line(readFailed + "file non trovato.")},
        {{"check", absent}, 2, Line(readFailed + "file non trovato.")},
        {{"check", here}, 2, Line(readFailed + "è una cartella.")},
        {{"export", Drawing("wide.art", "81;1;10\r\n"), out}, 2, Line("Formato non valido.")},
        {{"check", Drawing("short.art", "2;1;10\r\n5;3\r\n")}, 2, Line("File danneggiato.")},
        {{"export", ok, Path("no such folder/out.bmp")}, 1, Line(bitmapFailed + "file non trovato.")},
        {{"export", ok, kept}, 1, Line(bitmapFailed + "file in sola lettura.")},
        {{"export", ok, here + "/"}, 64, usage("estensione non riconosciuta: " + here + "/")},
        // The picture would be the drawing itself, by its name or another link.
        {{"export", self, self}, 1,
         Line("Errore durante la scrittura del file PNG. Causa: è lo stesso file del disegno.")},
        {{"export", ok, Path("linked.bmp")}, 1, Line(bitmapFailed + "è lo stesso file del disegno.")},
        // Each command with one argument too few and one too many.
        {{}, 64, usage("manca il comando")},
        {{"--help", "export"}, 64, usage("argomenti di troppo per --help")},
        {{"export", ok}, 64, usage("argomenti mancanti per export")},
        {{"export", ok, out, Path("other.bmp")}, 64, usage("argomenti di troppo per export")},
        {{"check"}, 64, usage("argomenti mancanti per check")},
        {{"check", ok, out}, 64, usage("argomenti di troppo per check")},
        {{"convert", ok, out}, 64, usage("comando sconosciuto: convert")},
        {{"export", ok, Path("out.gif")}, 64, usage("estensione non riconosciuta: " + Path("out.gif"))},
        {{"export", ok, Path("out")}, 64, usage("estensione non riconosciuta: " + Path("out"))},
        {{"export-all"}, 64, usage("manca la cartella dei disegni")},
        {{"export-all", Path("absent")}, 64, usage("cartella non trovata: " + Path("absent"))},
        {{"export-all", ok}, 64, usage("non è una cartella: " + ok)},
        {{"export-all", here, "--format", "gif"}, 64, usage("valore non valido per --format: gif")},
        {{"export-all", here, "--jobs", "0"}, 64, usage("valore non valido per --jobs: 0")},
        {{"export-all", here, "--jobs", "2x"}, 64, usage("valore non valido per --jobs: 2x")},
        {{"export-all", here, "--jobs", "99999999999"}, 64,
         usage("valore non valido per --jobs: 99999999999")},
        {{"export-all", here, "--jobs", "1", "--jobs", "1"}, 64, usage("opzione ripetuta: --jobs")},
        {{"export-all", here, "--to"}, 64, usage("manca il valore di --to")},
        {{"export-all", here, "--foo", "1"}, 64, usage("opzione sconosciuta: --foo")},
        {{"export-all", here, "--\x1b[2J"}, 64, usage("opzione sconosciuta: --\\x1b[2J")},
        {{"export-all", "--to", Path("pictures"), here}, 64, usage("manca la cartella dei disegni")},
    };
#ifndef _WIN32
    // A pipe with no writer would block a reader that waits for one.
    ASSERT_EQ(mkfifo((folder / "pipe.art").c_str(), 0600), 0);
    cases.push_back({{"check", Path("pipe.art")}, 2, Line(readFailed + "non è un file.")});
    cases.push_back({{"export", Path("pipe.art"), out}, 2, Line(readFailed + "non è un file.")});
    cases.push_back({{"check", "/dev/zero"}, 2, Line(readFailed + "non è un file.")});
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const auto result = Cli(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
    }
    std::set<std::string> names{"ok.art", "self.png", "linked.bmp", "wide.art", "short.art",
                                "kept.bmp"};
#ifndef _WIN32
    names.insert("pipe.art");
#endif
    EXPECT_EQ(Names(folder.Path()), names);
    EXPECT_EQ(ReadBytes(folder / "linked.bmp"), drawing);
    EXPECT_EQ(ReadBytes(self), drawing);
    EXPECT_EQ(ReadBytes(kept), "an older picture");
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all, readOnly);
    fs::permissions(kept, fs::perms::owner_write, fs::perm_options::add);  // may be removed
}

// A folder run: a sound drawing, a refused one, one whose picture cannot be written (a
// folder has its name) and what is not a drawing of that folder. Each drawing has its
// line, in name order; the sound one is converted whatever the others do.
TEST_F(CliTest, ExportAllConvertsEveryDrawingOfTheFolderAndReportsEach) {
    const fs::path scene = SourceFolder() / "examples/scene";
    fs::copy_file(scene.string() + ".art", folder / "sound.art");
    fs::copy_file(scene.string() + ".art", folder / "blocked.art");
    Drawing("Refused.art", "81;1;10\r\n");
    Drawing("notes.txt", "24;12;9\r\n");
    fs::create_directories(folder / "blocked.png");
    fs::create_directories(folder / "below");
    fs::copy_file(scene.string() + ".art", folder / "below/inner.art");

    const std::string refused = Line("Refused.art: Formato non valido.");
    const struct { std::vector<std::string> options; int exitCode; std::string out, err; } cases[] = {
        {{"--jobs", "2"}, 1,  // a failed write outweighs a refused drawing
         refused +
             Line("blocked.art: Errore durante la scrittura del file PNG. Causa: è una cartella.") +
             Line("ok sound.art"), ""},
        {{"--format", "Bmp", "--to", Path("pictures/bmp"), "--jobs", "1"}, 2,
         refused + Line("ok blocked.art") + Line("ok sound.art"), ""},
        // Pictures that cannot go where they should are said once, not once a drawing.
        {{"--to", Path("notes.txt")}, 1, "",
         Line(Path("notes.txt") + ": Errore durante la scrittura del file PNG. Causa: non è una cartella.")},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"export-all", folder.Path().string()};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const auto result = Cli(arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);  // no progress count: standard error is not a terminal
    }
    ExpectPngShowsBitmap(folder / "sound.png", scene.string() + ".bmp");
    EXPECT_TRUE(ReadBytes(folder / "pictures/bmp/sound.bmp") == ReadBytes(scene.string() + ".bmp"));
    EXPECT_EQ(Names(folder / "pictures/bmp"), (std::set<std::string>{"blocked.bmp", "sound.bmp"}));
    EXPECT_EQ(Names(folder / "below"), std::set<std::string>{"inner.art"});
    EXPECT_FALSE(fs::exists(folder / "Refused.png"));
}

#ifndef _WIN32
// Drawings whose pictures would share a name on a disk that does not tell capitals from
// small letters: the first in name order has it, the same drawing every run, and the others
// say so. Names are printed with their control characters spelled out, so that none can
// pass for a line of its own or reach the terminal.
TEST_F(CliTest, ExportAllGivesAPictureNameToOneDrawingAndPrintsNamesEscaped) {
    const fs::path examples = SourceFolder() / "examples";
    fs::copy_file(examples / "title.art", folder / "x.ART");
    for (const char* name : {"x.art", "x.Art", "a\nok pwned.art", "b\x1b[31m\\.art"}) {
        fs::copy_file(examples / "scene.art", folder / name);
    }
    const std::string out = "ok a\\nok pwned.art\nok b\\x1b[31m\\\\.art\nok x.ART\n"
                            "x.Art: la sua immagine x.png è già quella di x.ART.\n"
                            "x.art: la sua immagine x.png è già quella di x.ART.\n";
    for (int run = 0; run < 2; ++run) {
        const auto result = Cli({"export-all", folder.Path().string(), "--jobs", "3"});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, out);
        EXPECT_TRUE(ReadBytes(folder / "x.png") == ReadBytes(examples / "title.png"));
    }
}

// The converter with its standard output on a pipe, stopped by `stop` (given the child and
// the pipe's reading end) once it has printed its first line; how it ended, a wait status.
int StoppedRun(const std::vector<std::string>& arguments,
               const std::function<void(pid_t, int&)>& stop) {
    int channel[2];
    if (pipe(channel) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, channel[0]);
    posix_spawn_file_actions_addclose(&actions, channel[1]);
    std::vector<std::string> words{TESSALY_CLI};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, TESSALY_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    int status = -1;
    if (spawned == 0) {
        for (char c = 0; c != '\n' && read(channel[0], &c, 1) == 1;) {
        }
        stop(child, channel[0]);
        waitpid(child, &status, 0);
    }
    if (channel[0] >= 0) close(channel[0]);
    return status;
}

// Stopped from outside half way, the converter ends as the signal says, with no temporary
// file left and every picture it replaced whole. One killed outright leaves its temporary
// files, which the next run in that folder removes once they are old.
TEST_F(CliTest, AnInterruptedExportAllLeavesWholePicturesAndNoTemporaryFile) {
    const fs::path glyphs = SourceFolder() / "examples/all-glyphs";
    const fs::path drawings = folder / "drawings";
    constexpr std::size_t Count = 300;
    fs::create_directory(drawings);
    for (std::size_t i = 0; i < Count; ++i) {
        fs::copy_file(glyphs.string() + ".art", drawings / ("d" + std::to_string(i) + ".art"));
    }
    const std::string picture = ReadBytes(glyphs.string() + ".png");
    // The pictures there: each whole; how many.
    const auto whole = [&](const fs::path& pictures) {
        std::size_t count = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(pictures)) {
            const bool sound = entry.path().extension() == ".png" && ReadBytes(entry) == picture;
            EXPECT_TRUE(sound) << entry.path();
            count += sound;
        }
        return count;
    };
    const auto send = [](int signal) { return [signal](pid_t child, int&) { kill(child, signal); }; };
    const struct { std::string name; int signal; std::function<void(pid_t, int&)> stop; } cases[] = {
        {"SIGINT", SIGINT, send(SIGINT)},
        {"SIGTERM", SIGTERM, send(SIGTERM)},
        {"SIGHUP", SIGHUP, send(SIGHUP)},
        {"closed pipe", SIGPIPE, [](pid_t, int& output) { close(std::exchange(output, -1)); }},
        {"SIGKILL", SIGKILL, send(SIGKILL)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path pictures = folder / c.name;
        const int status =
            StoppedRun({"export-all", drawings.string(), "--to", pictures.string(), "--jobs", "2"},
                       c.stop);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
        if (c.signal != SIGKILL) {
            EXPECT_LT(whole(pictures), Count);
            continue;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(pictures)) {
            fs::last_write_time(entry, fs::file_time_type::clock::now() - std::chrono::hours(1));
        }
        const auto again = Cli({"export-all", drawings.string(), "--to", pictures.string()});
        EXPECT_EQ(again.exitCode, 0);
        EXPECT_EQ(whole(pictures), Count);
    }
}

// export-all killed at each step of a commit (its temporary files written; on disk; the
// first renamed over its picture; all renamed; their folder on disk): every picture is
// whole, old or new, never a mix within one, and the next run, once the crash is old,
// converts them all and leaves no temporary file.
TEST_F(CliTest, ExportAllKilledAtAnyStepOfItsCommitLeavesEveryPictureWhole) {
    const fs::path examples = SourceFolder() / "examples", drawings = folder / "drawings";
    const std::string before = ReadBytes(examples / "title.png");
    const std::string after = ReadBytes(examples / "scene.png");
    constexpr int Count = 12;
    std::set<std::string> names;
    fs::create_directory(drawings);
    for (int i = 0; i < Count; ++i) {
        fs::copy_file(examples / "scene.art", drawings / ("d" + std::to_string(i) + ".art"));
        names.insert("d" + std::to_string(i) + ".png");
    }
    const struct { int step; int replaced; } cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, Count}, {4, Count}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        const fs::path pictures = folder / ("step" + std::to_string(c.step));
        fs::create_directory(pictures);
        for (int i = 1; i < Count; ++i) {
            WriteBytes(pictures / ("d" + std::to_string(i) + ".png"), before);
        }
        const auto crashed = RunProcess(
            CRASHING_EXPORT_ALL, {std::to_string(c.step), drawings.string(), "--to", pictures.string()});
        EXPECT_TRUE(crashed.exitCode == 128 + SIGKILL || crashed.exitCode == -1) << crashed.exitCode;
        EXPECT_EQ(crashed.out, "");  // no drawing is done before its commit is
        int replaced = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(pictures)) {
            const std::string name = entry.path().filename().string();
            if (names.count(name) == 0) continue;  // a temporary file
            const std::string bytes = ReadBytes(entry);
            EXPECT_TRUE(bytes == after || (bytes == before && name != "d0.png")) << name;
            replaced += bytes == after;
        }
        EXPECT_EQ(replaced, c.replaced);
        for (const fs::directory_entry& entry : fs::directory_iterator(pictures)) {
            fs::last_write_time(entry, fs::file_time_type::clock::now() - std::chrono::hours(1));
        }
        EXPECT_EQ(Cli({"export-all", drawings.string(), "--to", pictures.string()}).exitCode, 0);
        EXPECT_EQ(Names(pictures), names);
        for (const std::string& name : names) {
            EXPECT_TRUE(ReadBytes(pictures / name) == after) << name;
        }
    }
}

// A folder's pictures keep what a single export keeps: one reached through a link is
// replaced where the link leads (another folder), one keeps its mode bits, one marked
// read-only is refused for its drawing alone. No temporary file is left anywhere.
TEST_F(CliTest, ExportAllReplacesWhereLinksLeadKeepsMarksAndRefusesReadOnlyAlone) {
    const fs::path scene = SourceFolder() / "examples/scene", drawings = folder / "drawings";
    const fs::path pictures = folder / "pictures", elsewhere = folder / "elsewhere";
    for (const fs::path& inside : {drawings, pictures, elsewhere}) fs::create_directory(inside);
    for (const std::string name : {"a", "b", "c"}) {
        fs::copy_file(scene.string() + ".art", drawings / (name + ".art"));
    }
    WriteBytes(elsewhere / "a.png", "old");
    fs::create_symlink("../elsewhere/a.png", pictures / "a.png");
    WriteBytes(pictures / "b.png", "old");
    WriteBytes(pictures / "c.png", "old");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(pictures / "b.png", mode);
    fs::permissions(pictures / "c.png", fs::perms::owner_read);

    const auto result =
        Cli({"export-all", drawings.string(), "--to", pictures.string(), "--jobs", "2"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "ok a.art\nok b.art\n"
                          "c.art: Errore durante la scrittura del file PNG. Causa: file in sola lettura.\n");
    EXPECT_TRUE(fs::is_symlink(pictures / "a.png"));
    EXPECT_TRUE(ReadBytes(elsewhere / "a.png") == ReadBytes(scene.string() + ".png"));
    EXPECT_TRUE(ReadBytes(pictures / "b.png") == ReadBytes(scene.string() + ".png"));
    EXPECT_EQ(fs::status(pictures / "b.png").permissions(), mode);
    EXPECT_EQ(ReadBytes(pictures / "c.png"), "old");
    EXPECT_EQ(Names(pictures), (std::set<std::string>{"a.png", "b.png", "c.png"}));
    EXPECT_EQ(Names(elsewhere), std::set<std::string>{"a.png"});
    fs::permissions(pictures / "c.png", fs::perms::owner_write, fs::perm_options::add);  // may be removed
}

// What the converter cannot do under the limits it is given (memory, a full disk for its
// output, a folder it may enter but not list) it says, exits 1 and leaves nothing behind.
TEST_F(CliTest, ExportAllUnderLimitsItCannotPassSaysSoAndLeavesNothing) {
    const fs::path glyphs = SourceFolder() / "examples/all-glyphs";
    const fs::path drawings = folder / "drawings", closed = folder / "closed";
    for (const fs::path& inside : {drawings, closed}) {
        fs::create_directory(inside);
        for (int i = 0; i < 200; ++i) {
            fs::copy_file(glyphs.string() + ".art", inside / ("d" + std::to_string(i) + ".art"));
        }
    }
    fs::permissions(closed, fs::perms::owner_write | fs::perms::owner_exec |
                                fs::perms::others_write | fs::perms::others_exec);
    // Root may list any folder: the run is made as nobody.
    const std::string asUser = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string pictures = (folder / "pictures").string();
    const std::string outputLost =
        Line("tessaly-cli: Errore durante la scrittura dell'uscita. Causa: disco pieno.");
    struct Case { std::string launch; std::vector<std::string> arguments; int exitCode; std::string err; };
    std::vector<Case> cases = {
        {"exec >/dev/full", {"check", (drawings / "d0.art").string()}, 1, outputLost},
        {"exec >/dev/full", {"export-all", drawings.string(), "--to", pictures}, 1, outputLost},
        {"exec " + asUser, {"export-all", closed.string(), "--to", pictures}, 1,
         Line(closed.string() + ": Errore durante la lettura. Causa: permesso negato.")},
    };
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer reserves terabytes of address space
    // 1,000 workers asked for: no more than the cores can keep busy, a few megabytes each.
    cases.push_back({"ulimit -v 400000; exec", {"export-all", drawings.string(), "--to",
                     pictures, "--jobs", "1000"}, 0, ""});
    cases.push_back({"ulimit -v 20000; exec", {"export-all", drawings.string(), "--to", pictures,
                     "--jobs", "8"}, 1, Line("tessaly-cli: Memoria insufficiente.")});
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(c.launch + " " + ::testing::PrintToString(c.arguments));
        std::vector<std::string> arguments{"-c", c.launch + " \"$0\" \"$@\"", TESSALY_CLI};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const auto result = RunProcess("/bin/sh", arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.err, c.err);
        std::error_code absent;
        for (const fs::directory_entry& entry : fs::directory_iterator(pictures, absent)) {
            EXPECT_EQ(ReadBytes(entry), ReadBytes(glyphs.string() + ".png")) << entry.path();
        }
        if (c.exitCode == 0) {
            EXPECT_EQ(Names(pictures).size(), 200u);
        }
        fs::remove_all(pictures);
    }
}
#endif

}  // namespace
}  // namespace MyApp
