#include "files/FileAccess.h"

#include "files/ArtFile.h"
#include "files/BatchReplacement.h"
#include "files/BitmapFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using namespace Testing;  // files written and read whole

// Every entry of a folder with the bytes of each file, one "name=bytes" line each.
std::string Listing(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        entries[entry.path().filename().string()] =
            entry.is_directory() ? "(folder)" : ReadBytes(entry.path());
    }
    std::string text;
    for (const auto& [name, bytes] : entries) text += name + "=" + bytes + "\n";
    return text;
}

// A file's marks: its attributes on Windows, its mode bits elsewhere.
#ifdef _WIN32
unsigned long MarksOf(const fs::path& file) { return GetFileAttributesW(file.c_str()); }
void Mark(const fs::path& file, unsigned long marks) { SetFileAttributesW(file.c_str(), marks); }
#else
unsigned long MarksOf(const fs::path& file) {
    struct stat info {};
    return stat(file.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}
void Mark(const fs::path& file, unsigned long marks) { chmod(file.c_str(), mode_t(marks)); }
#endif

class FileAccessTest : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path target = folder / "drawing.art";
    CellGrid drawing;  // no drawing yet: "0;0;10"
};

TEST_F(FileAccessTest, AFailedSaveLeavesTheFolderAsItWas) {
    WriteBytes(target, "1;1;10\r\n42;8\r\n");
    fs::create_directory(folder / "folder.art");
    const std::function<bool()> saves[] = {
        [&] { return WriteArtFile(folder / "folder.art", drawing); },
        [&] { return WriteArtFile(folder / "missing" / "drawing.art", drawing); },
        // Pictures whose pixels are not width x height values (or of a negative size)
        // are not read past.
        [&] { return WriteBitmap(target, Picture{16, 24, std::vector<std::uint32_t>(16 * 23)}); },
        [&] { return WriteBitmap(target, Picture{16, 24, std::vector<std::uint32_t>(16 * 25)}); },
        [&] { return WriteBitmap(target, Picture{-5, -3, std::vector<std::uint32_t>(15)}); },
        [&] {  // the write breaks off half way, as on a full disk
            return ReplaceFileSafely(target, [](std::FILE* f) { return std::fputs("8;", f) < 0; });
        },
        [&] {  // memory runs out half way
            const auto write = [](std::FILE* f) -> bool {
                std::fputs("8;", f);
                throw std::bad_alloc();
            };
            EXPECT_THROW(ReplaceFileSafely(target, write), std::bad_alloc);
            return false;
        },
    };
    const std::string before = Listing(folder.Path());
    for (std::size_t i = 0; i < std::size(saves); ++i) {
        EXPECT_FALSE(saves[i]()) << "save " << i;
        EXPECT_EQ(Listing(folder.Path()), before) << "save " << i;
    }
}

// The temporary file is made anew: files of similar names, even ones named as
// a temporary file would be, are skipped and never opened. Its name is no
// longer than the target's: 255 bytes is the longest most file systems allow.
TEST_F(FileAccessTest, ASaveTouchesNoFileButItsTarget) {
    TemporaryNames taken(7);
    for (const fs::path& other : {folder / "drawing.art.tmp~", folder / "drawing.art~",
                                  taken.NextFor(target), taken.NextFor(target), taken.NextFor(target)}) {
        WriteBytes(other, "unrelated");
    }
    const std::string others = Listing(folder.Path());  // all sorted after the targets
    ASSERT_TRUE(WriteArtFile(target, drawing));
    EXPECT_EQ(Listing(folder.Path()), "drawing.art=0;0;10\r\n\n" + others);
    const auto write = [](std::FILE* file) { return std::fputs("new", file) >= 0; };
    ASSERT_TRUE(ReplaceFileSafely(target, write, TemporaryNames(7)));
    const std::string longest = std::string(251, 'd') + ".art";
    ASSERT_TRUE(ReplaceFileSafely(folder / longest, write));
    EXPECT_EQ(Listing(folder.Path()), longest + "=new\ndrawing.art=new\n" + others);
}

// A drawing marked read-only is refused, though its owner (root, an administrator)
// may open it for writing, and stays as it was; a replaced one keeps its marks.
TEST_F(FileAccessTest, ASaveKeepsTheMarksOfTheFileItReplaces) {
#ifdef _WIN32
    const unsigned long hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    const struct { unsigned long marks; bool saved; } cases[] = {
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, false},
        {hidden, true}, {FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, true},
    };
    const unsigned long writable = FILE_ATTRIBUTE_ARCHIVE;
#else
    const struct { unsigned long marks; bool saved; } cases[] = {
        {0444, false}, {0500, false}, {0640, true}, {0602, true}};
    const unsigned long writable = 0600;
#endif
    for (const auto& c : cases) {
        WriteBytes(target, "1;1;10\r\n42;8\r\n");
        Mark(target, c.marks);
        const std::string before = Listing(folder.Path());
        // The new file has the marks before it holds anything (natively; Windows sets
        // attributes on a closed file).
        const auto write = [&](std::FILE* file) {
#ifndef _WIN32
            struct stat info {};
            EXPECT_EQ(fstat(fileno(file), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, c.marks);
#endif
            return std::fputs("0;0;10\r\n", file) >= 0;
        };
        EXPECT_EQ(ReplaceFileSafely(target, write), c.saved) << c.marks;
        EXPECT_EQ(Listing(folder.Path()), c.saved ? "drawing.art=0;0;10\r\n\n" : before) << c.marks;
        EXPECT_EQ(MarksOf(target), c.marks);
        Mark(target, writable);  // so the next case, and the folder's removal, may write it
    }
}

#ifndef _WIN32
// Root replacing another user's file leaves it theirs; the link to a file stays a link, and
// the file it leads to, wherever it is, is replaced.
TEST_F(FileAccessTest, ASaveKeepsTheOwnerAndReplacesWhatALinkLeadsTo) {
    fs::create_directory(folder / "real");
    const fs::path real = folder / "real" / "drawing.art";
    WriteBytes(real, "1;1;10\r\n42;8\r\n");
    fs::create_symlink("real/drawing.art", folder / "link.art");
    fs::create_symlink(folder / "link.art", folder / "chain.art");
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(real.c_str(), 4321, 4322), 0);
    }

    ASSERT_TRUE(WriteArtFile(folder / "chain.art", drawing));
    EXPECT_TRUE(fs::is_symlink(folder / "link.art"));
    EXPECT_TRUE(fs::is_symlink(folder / "chain.art"));
    EXPECT_EQ(Listing(folder / "real"), "drawing.art=0;0;10\r\n\n");
    struct stat info {};
    ASSERT_EQ(stat(real.c_str(), &info), 0);
    if (root) {
        EXPECT_EQ(std::make_pair(info.st_uid, info.st_gid), std::make_pair(4321u, 4322u));
    }
}
#endif

// What saves that never finished left is removed by the next save in that folder once it
// is old enough; what a save is writing at this moment, or has only just begun, is not,
// nor any other file.
TEST_F(FileAccessTest, ASaveRemovesStaleTemporaryFilesOfItsFolderOnly) {
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    TemporaryNames names(11);
    const fs::path stale = names.NextFor(target), fresh = names.NextFor(target);
    for (const fs::path& file : {stale, fresh, folder / "~tessaly-notes.txt"}) {
        WriteBytes(file, "left");
    }
    fs::last_write_time(stale, old);
    fs::last_write_time(folder / "~tessaly-notes.txt", old);
    fs::create_directory(folder / "below");
    const fs::path below = names.NextFor(folder / "below" / "x.art");
    WriteBytes(below, "left");
    fs::last_write_time(below, old);

    const auto writeWhileAnotherSaves = [&](std::FILE* file) {
        // This save's own temporary, made to look stale, is held: the other save keeps it.
        for (const fs::directory_entry& entry : fs::directory_iterator(folder.Path())) {
            const fs::path& path = entry.path();
            if (path != stale && path != fresh && IsTemporaryName(path)) {
                fs::last_write_time(path, old);
            }
        }
        EXPECT_TRUE(WriteArtFile(folder / "other.art", drawing));
        return std::fputs("new", file) >= 0;
    };
    ASSERT_TRUE(ReplaceFileSafely(target, writeWhileAnotherSaves));
    EXPECT_EQ(Listing(folder.Path()), "below=(folder)\ndrawing.art=new\nother.art=0;0;10\r\n\n"
                                      "~tessaly-notes.txt=left\n" +
                                          fresh.filename().string() + "=left\n");
    EXPECT_TRUE(fs::exists(below));
}

// A batch of files written from two threads and committed at once: each replaced or made
// whole, in the steps' order; a target that cannot be written is refused at once, and one
// that became a folder before the commit fails alone. No temporary file is left.
TEST_F(FileAccessTest, ABatchReplacesItsFilesTogetherAndReportsEachFailureAlone) {
    std::vector<BatchStep> steps;
    BatchReplacement batch([&](BatchStep step) { steps.push_back(step); });
    const auto put = [](const char* text) {
        return [text](std::FILE* file) { return std::fputs(text, file) >= 0; };
    };
    WriteBytes(folder / "old.art", "old");
    fs::create_directory(folder / "folder.art");
    std::error_code refused, added;
    std::thread other([&] { EXPECT_TRUE(batch.Add(0, folder / "old.art", put("new 0"), added)); });
    EXPECT_TRUE(batch.Add(1, folder / "made.art", put("new 1"), added));
    EXPECT_TRUE(batch.Add(2, folder / "later-a-folder.art", put("new 2"), added));
    EXPECT_FALSE(batch.Add(3, folder / "folder.art", put("new 3"), refused));
    other.join();
    EXPECT_EQ(refused, std::make_error_code(std::errc::is_a_directory));
    fs::create_directory(folder / "later-a-folder.art");

    const auto failed = batch.Commit();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].first, 2u);
    EXPECT_TRUE(failed[0].second) << failed[0].second.message();
    EXPECT_EQ(Listing(folder.Path()), "folder.art=(folder)\nlater-a-folder.art=(folder)\n"
                                      "made.art=new 1\nold.art=new 0\n");
    EXPECT_EQ(steps, (std::vector<BatchStep>{BatchStep::Written, BatchStep::OnDisk,
                                             BatchStep::OneReplaced, BatchStep::OneReplaced,
                                             BatchStep::AllReplaced, BatchStep::FoldersOnDisk}));
    EXPECT_TRUE(batch.Commit().empty());  // nothing added since
}

}  // namespace
}  // namespace MyApp
