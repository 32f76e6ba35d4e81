// The resource generator run as a process: it must make exactly the committed
// resources from the committed sources, and refuse broken sources clearly.

#include "support/Process.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using Testing::ReadBytes;
using Testing::RunProcess;
using Testing::TempFolder;
using Testing::WriteBytes;

const fs::path Resources = Testing::SourceFolder() / "resources";

// Every file below `folder`, as paths relative to it.
std::set<std::string> FilesBelow(const fs::path& folder) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.insert(fs::relative(entry.path(), folder).generic_string());
        }
    }
    return files;
}

bool IsGenerated(const std::string& file) {
    const std::string extension = fs::path(file).extension().string();
    return extension == ".bmp" || extension == ".ico" || extension == ".rc";
}

TEST(Generator, RemakesEveryCommittedResourceByteForByte) {
    TempFolder output;
    const auto result = RunProcess(TESSALY_GENERATOR, {Resources.string(), output.Path().string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");

    const std::set<std::string> made = FilesBelow(output.Path());
    EXPECT_EQ(made.size(), 3u + 1u + 7u + 42u + 1u);  // bitmaps, icons, resource script
    for (const std::string& file : made) {
        ASSERT_TRUE(fs::exists(Resources / file)) << file << " is not committed";
        EXPECT_TRUE(ReadBytes(output / file) == ReadBytes(Resources / file))
            << file << " differs: run scripts/generate-resources and commit the result";
    }
    for (const std::string& file : FilesBelow(Resources)) {
        if (IsGenerated(file)) {
            EXPECT_EQ(made.count(file), 1u) << file << " is no longer made";
        }
    }
}

class BrokenSources : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(Resources / "glyph-face.txt", sources / "glyph-face.txt");
        fs::copy_file(Resources / "pictures.txt", sources / "pictures.txt");
    }
    // Replaces the first occurrence of `from` in a source file.
    void Edit(const std::string& file, const std::string& from, const std::string& to) {
        std::string text = ReadBytes(sources / file);
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        WriteBytes(sources / file, text.replace(at, from.size(), to));
    }
    Testing::ProcessResult Generate() {
        return RunProcess(TESSALY_GENERATOR, {sources.Path().string(), output.Path().string()});
    }

    TempFolder sources;
    TempFolder output;
};

TEST_F(BrokenSources, FaceGlyphsMustEachHaveTheirOwnColumn) {
    Edit("glyph-face.txt", "glyph Q\n", "glyph `\n");  // Q's picture now claims the grave accent
    auto result = Generate();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("glyph '`' is drawn twice"), std::string::npos) << result.err;
    EXPECT_TRUE(fs::is_empty(output.Path()));

    Edit("glyph-face.txt", "glyph `\n", "glyph ~\n");  // no key selects a tilde
    result = Generate();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(": \"glyph C\" with C a character that has a column"),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(fs::is_empty(output.Path()));
}

TEST_F(BrokenSources, RaggedPicturesAreReportedWithTheirLine) {
    Edit("pictures.txt", "picture toolbar-4\nssssssssssssssss\nssssssssssssssss\n",
         "picture toolbar-4\nssssssssssssssss\nsssssssssssssss\n");
    const auto result = Generate();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("pictures.txt: line "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("as wide"), std::string::npos) << result.err;
}

TEST_F(BrokenSources, PixelsWithoutAColourKeyAreReported) {
    Edit("pictures.txt", "picture toolbar-5\nssssssssssssssss\n",
         "picture toolbar-5\nsssssssssssssssq\n");
    const auto result = Generate();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("no colour for 'q'"), std::string::npos) << result.err;
}

TEST_F(BrokenSources, MissingSourcesAndWrongArgumentsFail) {
    fs::remove(sources / "pictures.txt");
    EXPECT_EQ(Generate().exitCode, 1);
    EXPECT_EQ(RunProcess(TESSALY_GENERATOR, {sources.Path().string()}).exitCode, 64);
}

}  // namespace
}  // namespace MyApp
