#include "MainWindowTesting.h"

#include <commctrl.h>

#include <fstream>

namespace MyApp::Testing {

using OrvUtility::Testing::scriptedServices;

namespace {

WNDPROC screenBoundProcedure = nullptr;

LRESULT CALLBACK WithoutScreenBound(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT answer = CallWindowProcW(screenBoundProcedure, window, message, wParam, lParam);
    if (message == WM_GETMINMAXINFO)
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = {4000, 4000};
    return answer;
}

}  // namespace

ScreenBoundLifted::ScreenBoundLifted(HWND window) : lifted(window) {
    screenBoundProcedure =
        WNDPROC(SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(WithoutScreenBound)));
}

ScreenBoundLifted::~ScreenBoundLifted() {
    SetWindowLongPtrW(lifted, GWLP_WNDPROC, LONG_PTR(screenBoundProcedure));
}

void MainWindowTest::SetUp() {
    ToolkitTest::SetUp();
    scriptedServices = {};
    form = std::make_unique<FormMain>(OrvUtility::Testing::Module(), "Orv Tessaly prova");
    OrvUtility::Testing::PumpPending();
}

void MainWindowTest::TearDown() {
    form.reset();
    ToolkitTest::TearDown();
}

std::filesystem::path MainWindowTest::WriteDrawing(const std::string& name,
                                                   const std::wstring& rows, int columns,
                                                   int pair, int background) {
    const std::filesystem::path path = folder / name;
    std::ofstream file(path, std::ios::binary);
    const int rowCount = int(rows.size()) / columns;
    file << columns << ';' << rowCount << ';' << background << "\r\n";
    for (const wchar_t c : rows) {
        if (c == L'.') {
            file << BlankGlyph << ';' << background << "\r\n";
        } else {
            file << GlyphForCharacter(c).value_or(BlankGlyph) << ';' << pair << "\r\n";
        }
    }
    return path;
}

void MainWindowTest::Open(const std::filesystem::path& path) {
    scriptedServices.pathAnswers.push_back(path.wstring());
    Menu(*form->openItem);
}

std::vector<std::string> MainWindowTest::Run(OrvUtility::SubMenu& item,
                                             const std::vector<std::wstring>& paths,
                                             const std::vector<bool>& answers) {
    scriptedServices = {};
    scriptedServices.pathAnswers.assign(paths.begin(), paths.end());
    scriptedServices.yesNoAnswers.assign(answers.begin(), answers.end());
    Menu(item);
    return ShownTexts();
}

void MainWindowTest::Type(const std::wstring& text) {
    for (const wchar_t c : text) SendMessageW(form->handle, WM_CHAR, c, 0);
}

void MainWindowTest::Press(int key) { SendMessageW(form->handle, WM_KEYDOWN, key, 0); }

void MainWindowTest::Click(OrvUtility::GUIElement& element) {
    SendMessageW(element.handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(element.handle, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

CellCode MainWindowTest::Shown(int column, int row) {
    const auto& cell = *form->cellControls[CellIndex(column, row)];
    return {cell.column, cell.row};
}

bool MainWindowTest::MenuEnabled(OrvUtility::SubMenu& item) {
    const UINT state = GetMenuState(item.ParentMenuHandle(), UINT(item.id), MF_BYCOMMAND);
    return !(state & (MF_GRAYED | MF_DISABLED));
}

bool MainWindowTest::ToolEnabled(OrvUtility::ToolBarItem& item) {
    const LRESULT state = SendMessageW(form->toolBar->handle, TB_GETSTATE, WPARAM(item.id), 0);
    return state != -1 && (state & TBSTATE_ENABLED);
}

std::vector<std::string> MainWindowTest::ShownTexts() {
    std::vector<std::string> texts;
    for (const auto& call : scriptedServices.shown)
        texts.push_back(call.kind + ": " + call.caption + ": " + call.text);
    return texts;
}

}  // namespace MyApp::Testing
