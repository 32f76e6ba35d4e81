#pragma once
// The style a control's window was asked for: native controls change their own styles once
// made (a combo box hands its scroll bar to its list, a toolbar adds bits of its own).

#include "toolkit/core/GUIElement.h"

#include <windows.h>

namespace OrvUtility::Testing {

// Creates the element; answers the style of the first window made meanwhile (its own comes
// before any window it makes inside).
inline DWORD CreationStyle(GUIElement& element) {
    static DWORD first;
    first = 0;
    const HOOKPROC record = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code == HCBT_CREATEWND && !first)
            first = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->style;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    };
    const HHOOK hook = SetWindowsHookExW(WH_CBT, record, nullptr, GetCurrentThreadId());
    element.Create();
    UnhookWindowsHookEx(hook);
    return first;
}

}  // namespace OrvUtility::Testing
