#pragma once
// Controls are tested on a shown form whose window procedure is the toolkit's own, so their
// notifications travel the way the program's do.

#include "ToolkitTesting.h"

#include "toolkit/core/Form.h"

#include <string>

namespace OrvUtility::Testing {

class ControlTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form.SetSize(400, 300);
        form.Create();
    }
    Form form{Module()};
};

inline DWORD StyleOf(HWND window) {
    return DWORD(GetWindowLongPtrW(window, GWL_STYLE));
}

inline DWORD ExStyleOf(HWND window) {
    return DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

}  // namespace OrvUtility::Testing
