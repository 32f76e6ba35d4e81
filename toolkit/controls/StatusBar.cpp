#include "toolkit/controls/StatusBar.h"

#include "toolkit/controls/NativeControl.h"
#include "toolkit/core/TextConversion.h"

#include <commctrl.h>

namespace OrvUtility {

StatusBar::StatusBar(GUIElement* parentElement, const std::string& content)
    : Child(parentElement) {
    typeName = "statusbar";
    text = Widen(content);
    x = y = width = height = 0;
}

StatusBar::~StatusBar() {
    DestroyOwnWindow();
}

void StatusBar::Create() {
    if (created) return;
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    NativeControlStyle native{STATUSCLASSNAMEW, WS_CHILD | WS_VISIBLE};
    if (!enabled) native.style |= WS_DISABLED;
    native.instance = GetModuleHandleW(nullptr);
    native.atOrigin = true;  // the bar places itself along the parent's foot
    CreateNativeControl(*this, native);
    FinishNativeControl(*this);
}

}  // namespace OrvUtility
