#include "MainWindowTesting.h"

#include "files/ArtFile.h"
#include "files/RecoveryStore.h"

#include <windows.h>

#include <functional>
#include <set>

namespace MyApp::Testing {
namespace {

using OrvUtility::Testing::scriptedServices;
namespace fs = std::filesystem;

constexpr const char* KeepQuestion =
    "question: Ripristino: Conservare il disegno ritrovato per la prossima volta?\n"
    "(No lo elimina.)";

std::string RecoveryQuestion(const std::string& name) {
    return "question: Ripristino: \xC8 stato ritrovato un disegno non salvato:\n" + name +
           "\n\nRipristinarlo?";
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; ++entry)
        names.insert(entry->path().extension().u8string());
    return names;
}

class RecoveryTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->recoveryTiming = {50, 300};
    }
    // Runs the window's messages until `done` holds, for at most two seconds.
    bool WaitFor(const std::function<bool()>& done) {
        for (int waited = 0; waited < 2000; waited += 10) {
            OrvUtility::Testing::PumpPending();
            if (done()) return true;
            Sleep(10);
        }
        return false;
    }
    bool OwnCopyWritten() {
        const auto& copy = form->OwnRecoveryCopy();
        return copy && fs::exists(copy->DrawingFile());
    }
    std::string SavedBytes() {
        EXPECT_TRUE(WriteArtFile(folder / "as-saved.art", form->Editor().Grid()));
        return ReadBytes(folder / "as-saved.art");
    }
    fs::path recovery = folder / "Tessaly";
};

// The copy comes a moment after the changes, never at the keystroke, holds what a save would
// write and where the drawing came from, and goes with a save, an open and the program's end.
TEST_F(RecoveryTest, TheCopyFollowsTheUnsavedChangesAndGoesWithThem) {
    form->StartRecovery(recovery);
    EXPECT_TRUE(scriptedServices.shown.empty()) << "nothing to offer";
    const fs::path drawing = WriteDrawing("casa.art", L"AB..", 2);
    Open(drawing);
    Type(L"Z");
    EXPECT_FALSE(OwnCopyWritten()) << "written at the keystroke";
    ASSERT_TRUE(WaitFor([&] { return OwnCopyWritten(); }));
    EXPECT_EQ(ReadBytes(form->OwnRecoveryCopy()->DrawingFile()), SavedBytes());
    EXPECT_EQ(form->OwnRecoveryCopy()->Origin(), (DrawingOrigin{drawing, true}));

    Menu(*form->saveItem);
    EXPECT_EQ(Names(recovery), std::set<std::string>{".lock"}) << "a save keeps no copy";

    Type(L"Y");
    ASSERT_TRUE(WaitFor([&] { return OwnCopyWritten(); }));
    scriptedServices.yesNoAnswers = {false};  // the changes are not saved
    Open(drawing);
    EXPECT_EQ(Names(recovery), std::set<std::string>{".lock"}) << "an open keeps no copy";

    Type(L"X");
    ASSERT_TRUE(WaitFor([&] { return OwnCopyWritten(); }));
    form.reset();
    EXPECT_EQ(Names(recovery), std::set<std::string>{}) << "the end keeps no copy";
}

// A copy no running program holds is offered at start: Yes shows it, unsaved, with its path
// (and only a path its program had confirmed may be replaced unasked), and makes it this
// program's own; No asks whether to keep it for later or delete it.
TEST_F(RecoveryTest, AnAbandonedCopyIsOfferedRestoredKeptOrDeleted) {
    const fs::path original = WriteDrawing("scena.art", L"ABCD", 2);
    Open(original);
    Type(L"Q");
    const std::string unsaved = SavedBytes();
    const ArtDrawing read = ReadArtBytes(unsaved).drawing;
    DrawingEditor abandoned;
    abandoned.LoadDrawing(read.width, read.height, read.background, read.cells);
    struct Case { std::vector<bool> answers; bool confirmed; std::set<std::string> left; };
    for (const Case& c : {Case{{true}, true, {".art", ".lock", ".origin"}},
                          Case{{true}, false, {".art", ".lock", ".origin"}},
                          Case{{false, true}, true, {".art", ".origin"}},
                          Case{{false, false}, true, {}}}) {
        form.reset();
        fs::remove_all(recovery);
        ASSERT_TRUE(RecoveryCopy::Start(recovery)->Write(abandoned.Grid(), {original, c.confirmed}));
        MainWindowTest::SetUp();
        scriptedServices.yesNoAnswers.assign(c.answers.begin(), c.answers.end());
        form->StartRecovery(recovery);

        std::vector<std::string> expected{RecoveryQuestion(original.string())};
        if (!c.answers[0]) expected.push_back(KeepQuestion);
        EXPECT_EQ(ShownTexts(), expected);
        EXPECT_EQ(Names(recovery), c.left);
        const bool restored = c.answers[0];
        EXPECT_EQ(form->Modified(), restored);
        EXPECT_EQ(form->statusBar->GetText(), restored ? original.wstring() : L"");
        if (!restored) continue;
        EXPECT_EQ(SavedBytes(), unsaved);
        EXPECT_EQ(ReadBytes(form->OwnRecoveryCopy()->DrawingFile()), unsaved);
        EXPECT_TRUE(MenuEnabled(*form->saveItem));
        // Saving writes the file in place only when its program had confirmed the path.
        scriptedServices = {};
        Menu(*form->saveItem);
        EXPECT_EQ(ShownTexts().size(), c.confirmed ? 0u : 1u);
    }
}

// A recovery folder that cannot be written costs a note in the status bar, once.
TEST_F(RecoveryTest, AFolderThatCannotBeWrittenIsNotedOnce) {
    WriteBytes(folder / "file", "x");
    form->StartRecovery(folder / "file" / "Tessaly");
    Open(WriteDrawing("casa.art", L"AB..", 2));
    const std::wstring path = form->statusBar->GetText();
    Type(L"Z");
    ASSERT_TRUE(WaitFor([&] { return form->statusBar->GetText() != path; }));
    EXPECT_EQ(form->statusBar->GetText().rfind(L"Impossibile scrivere la copia di ripristino", 0), 0u);
    form->SetFilePath(path);
    Type(L"Y");
    form->WriteRecoveryCopy();
    EXPECT_EQ(form->statusBar->GetText(), path);
}

}  // namespace
}  // namespace MyApp::Testing
