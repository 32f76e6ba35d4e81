#pragma once
// Controls are tested on a shown form whose window procedure is the toolkit's own, so their
// notifications travel the way the program's do.

#include "ToolkitTesting.h"

#include "toolkit/core/Form.h"

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

}  // namespace OrvUtility::Testing
