#pragma once
// The real main window, built in-process under Wine for each test, driven with window messages,
// with the scripted stand-in answering the message boxes and file dialogs.
#include "ToolkitTesting.h"
#include "app/FormMain.h"
#include "support/ScriptedServices.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>

namespace MyApp::Testing {

// The test screen is 1024 x 768 and the system keeps a window within the screen's size: while
// this lives, the window may grow as on a larger screen.
class ScreenBoundLifted {
public:
    explicit ScreenBoundLifted(HWND window);
    ~ScreenBoundLifted();
    ScreenBoundLifted(const ScreenBoundLifted&) = delete;
    ScreenBoundLifted& operator=(const ScreenBoundLifted&) = delete;

private:
    HWND lifted;
};

class MainWindowTest : public OrvUtility::Testing::ToolkitTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // An ".art" file of `rows` (one string per row, glyphs by typed character, `pair` for all).
    std::filesystem::path WriteDrawing(const std::string& name, const std::wstring& rows,
                                       int columns, int pair = 8, int background = 10);
    // "&Apri" answered with `path` (and Yes/No to a save question when given).
    void Open(const std::filesystem::path& path);
    void Menu(OrvUtility::SubMenu& item) { form->OnMenuCommand(&item); }
    // Answers the next dialogs and questions, runs the command, and answers what was shown.
    std::vector<std::string> Run(OrvUtility::SubMenu& item, const std::vector<std::wstring>& paths,
                                 const std::vector<bool>& answers = {});
    void Tool(OrvUtility::ToolBarItem& item) { form->OnToolCommand(&item); }
    void Type(const std::wstring& text);
    void Press(int key);
    void Click(OrvUtility::GUIElement& element);
    // The glyph and pair a canvas cell shows.
    CellCode Shown(int column, int row);
    bool MenuEnabled(OrvUtility::SubMenu& item);
    bool ToolEnabled(OrvUtility::ToolBarItem& item);
    // The texts shown by the scripted services, as "kind: caption: text".
    std::vector<std::string> ShownTexts();

    TempFolder folder;
    std::unique_ptr<FormMain> form;
};

}  // namespace MyApp::Testing
