// The element's tooltip: one tool covering the element's client area, its text taken from
// `toolTipText`. The tooltip control keeps its own copy of the text.

#include "toolkit/core/ToolTip.h"

#include "toolkit/core/GUIElement.h"
#include "toolkit/core/TextConversion.h"

#include <commctrl.h>

namespace OrvUtility {

std::wstring ToolTipTextOf(const std::string& narrowText) {
    std::wstring wide = Widen(narrowText);
    if (wide.size() > ToolTipTextLimit) wide.resize(ToolTipTextLimit);
    return wide;
}

namespace {

// The first version of the tool record, without the trailing parameter field.
TTTOOLINFOW ToolRecord(HWND window, std::wstring& textBuffer) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    GetClientRect(window, &tool.rect);
    tool.hinst = nullptr;
    tool.lpszText = textBuffer.data();
    return tool;
}

}  // namespace

void GUIElement::AttachToolTip(HWND window) {
    if (toolTipText.empty() || !window) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    toolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, window,
                              nullptr, nullptr, nullptr);
    SetWindowPos(toolTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::wstring textBuffer = ToolTipTextOf(toolTipText);
    TTTOOLINFOW tool = ToolRecord(window, textBuffer);
    SendMessageW(toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void GUIElement::RefreshToolTip() {
    if (!toolTip) {
        AttachToolTip(handle);
        return;
    }
    std::wstring textBuffer = ToolTipTextOf(toolTipText);
    TTTOOLINFOW tool = ToolRecord(handle, textBuffer);
    SendMessageW(toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(toolTip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace OrvUtility
