// The resource generator run as a process: it makes exactly the committed resources
// from the committed sources, and refuses broken sources by name, writing nothing.

#include "support/Process.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using namespace Testing;  // the generator run as a process, its files read whole

const fs::path Resources = SourceFolder() / "resources";

TEST(Generator, RemakesEveryCommittedResourceByteForByte) {
    TempFolder made;
    const auto result = RunProcess(TESSALY_GENERATOR, {Resources.string(), made.Path().string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
    // Both ways round: all it makes is committed, and all committed resources are still made.
    for (const fs::path& folder : {made.Path(), Resources}) {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            const fs::path file = fs::relative(entry.path(), folder);
            const std::string type = file.extension().string();
            if (entry.is_regular_file() && (type == ".bmp" || type == ".ico" || type == ".rc" ||
                                         type == ".h")) {
                EXPECT_TRUE(ReadBytes(made.Path() / file) == ReadBytes(Resources / file))
                    << file << " differs: run scripts/generate-resources and commit the result";
            }
        }
    }
}

TEST(Generator, RefusesBrokenSourcesNamingTheFaultAndWritesNothing) {
    const struct { const char* file; std::string from, to, error; } cases[] = {
        {"glyph-face.txt", "glyph Q\n", "glyph `\n", "glyph '`' is drawn twice"},
        {"glyph-face.txt", "glyph Q\n", "glyph ~\n", "\"glyph C\" with C a character that has"},
        {"pictures.txt", "toolbar-4\nssssssssssssssss\n", "toolbar-4\nsssssssssssssss\n",
         "as wide"},
        {"pictures.txt", "toolbar-5\nssssssssssssssss\n", "toolbar-5\nsssssssssssssssq\n",
         "no colour for 'q'"},
        {"pictures.txt", "picture document-16\n", "picture document-15\n",
         "no picture document-16 nor one whose size divides 16"},
        {"pictures.txt", "", "", "cannot read"},
    };
    for (const auto& c : cases) {
        TempFolder sources, output;
        fs::copy(Resources / "glyph-face.txt", sources.Path());
        fs::copy(Resources / "pictures.txt", sources.Path());
        std::string text = ReadBytes(Resources / c.file);
        const std::size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        if (c.from.empty()) fs::remove(sources / c.file);  // left out
        else WriteBytes(sources / c.file, text.replace(at, c.from.size(), c.to));
        const auto result = RunProcess(TESSALY_GENERATOR, {sources.Path().string(),
                                                           output.Path().string()});
        EXPECT_EQ(result.exitCode, 1) << c.error;
        EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
        EXPECT_TRUE(fs::is_empty(output.Path())) << c.error;
    }
    EXPECT_EQ(RunProcess(TESSALY_GENERATOR, {Resources.string()}).exitCode, 64);
}

}  // namespace
}  // namespace MyApp
