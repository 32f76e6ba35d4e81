#include "CreationStyle.h"

namespace OrvUtility::Testing {

namespace {

bool recorded = false;
DWORD firstStyle = 0;

LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !recorded) {
        firstStyle = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->style;
        recorded = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

CreationStyle::CreationStyle()
    : hook(SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId())) {
    Reset();
}

CreationStyle::~CreationStyle() {
    UnhookWindowsHookEx(hook);
}

void CreationStyle::Reset() {
    recorded = false;
    firstStyle = 0;
}

DWORD CreationStyle::First() const {
    return firstStyle;
}

}  // namespace OrvUtility::Testing
