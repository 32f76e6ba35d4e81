#include "files/RecoveryStore.h"

#include "model/DrawingEditor.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace MyApp {
namespace {

namespace fs = std::filesystem;
using namespace Testing;

// A drawing with a few typed letters and a code outside the atlas, which a copy must keep.
struct TypedDrawing {
    explicit TypedDrawing(const std::wstring& letters) {
        std::vector<CellCode> codes(36, CellCode{BlankGlyph, 6});
        codes[35] = {500, 77};
        editor.LoadDrawing(12, 3, 6, codes);
        for (const wchar_t letter : letters) editor.TypeCharacter(letter);
    }
    std::string SavedBytes(const fs::path& file) const {
        EXPECT_TRUE(WriteArtFile(file, editor.Grid()));
        return ReadBytes(file);
    }
    DrawingEditor editor;
};

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().u8string());
    return names;
}

class RecoveryStoreTest : public ::testing::Test {
protected:
    TempFolder temp;
    fs::path folder = temp / "Tessaly";
};

// A copy belongs to its program while it runs: nobody else claims it. Once the program is gone
// its drawing comes back byte for byte as a save would write it, with its origin (a path in
// any letters), to one claimer at a time; kept for later it is offered again, removed it is gone.
TEST_F(RecoveryStoreTest, ACopyOutlivesItsProgramAndIsClaimedOnceAtATime) {
    const TypedDrawing drawing(L"Ciao");
    const DrawingOrigin origin{folder.parent_path() / fs::u8path(u8"Δίσκος/scena.art"), true};
    {
        std::optional<RecoveryCopy> running = RecoveryCopy::Start(folder);
        ASSERT_TRUE(running);
        ASSERT_TRUE(running->Write(drawing.editor.Grid(), origin));
        EXPECT_TRUE(ClaimAbandonedCopies(folder).empty()) << "the running program's own copy";
    }
    std::vector<RecoveryCopy> claimed = ClaimAbandonedCopies(folder);
    ASSERT_EQ(claimed.size(), 1u);
    EXPECT_TRUE(ClaimAbandonedCopies(folder).empty()) << "claimed twice";
    EXPECT_EQ(ReadBytes(claimed[0].DrawingFile()), drawing.SavedBytes(temp / "saved.art"));
    EXPECT_TRUE(claimed[0].ReadDrawing().Ok());
    EXPECT_EQ(claimed[0].Origin(), origin);

    claimed.clear();  // kept for later
    claimed = ClaimAbandonedCopies(folder);
    ASSERT_EQ(claimed.size(), 1u);
    claimed[0].Remove();
    claimed.clear();
    EXPECT_TRUE(Names(folder).empty());
}

// Newest first; a drawing never saved has an empty, unconfirmed origin; an origin left
// without its drawing is cleared away; other files in the folder are not copies.
TEST_F(RecoveryStoreTest, AbandonedCopiesComeNewestFirstAndLeftoversAreCleared) {
    const TypedDrawing older(L"A"), newer(L"B");
    for (const TypedDrawing* drawing : {&older, &newer}) {
        std::optional<RecoveryCopy> copy = RecoveryCopy::Start(folder);
        ASSERT_TRUE(copy);
        ASSERT_TRUE(copy->Write(drawing->editor.Grid(), {}));
        fs::last_write_time(copy->DrawingFile(),
                            fs::file_time_type::clock::now() +
                                std::chrono::hours(drawing == &older ? -2 : -1));
    }
    WriteBytes(folder / "disegno-senzadisegno.origin", "0\n\n");
    WriteBytes(folder / "appunti.art", "1;1;10\r\n71;10\r\n");

    std::vector<RecoveryCopy> claimed = ClaimAbandonedCopies(folder);
    ASSERT_EQ(claimed.size(), 2u);
    EXPECT_EQ(ReadBytes(claimed[0].DrawingFile()), newer.SavedBytes(temp / "newer.art"));
    EXPECT_EQ(ReadBytes(claimed[1].DrawingFile()), older.SavedBytes(temp / "older.art"));
    EXPECT_EQ(claimed[0].Origin(), DrawingOrigin{});
    EXPECT_EQ(Names(folder).count("disegno-senzadisegno.origin"), 0u);
    EXPECT_EQ(Names(folder).count("appunti.art"), 1u);
}

}  // namespace
}  // namespace MyApp
