#include "toolkit/controls/TextBox.h"

#include "toolkit/controls/NativeControl.h"
#include "toolkit/core/TextConversion.h"

#include <commctrl.h>

#include <algorithm>

namespace OrvUtility {

TextBox::TextBox(GUIElement* parentElement, const std::string& content) : Child(parentElement) {
    typeName = "textbox";
    text = Widen(content);
    width = 80;
    height = 30;
}

TextBox::~TextBox() {
    DestroyOwnWindow();
}

DWORD TextBox::Style() const {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (!enabled) style |= WS_DISABLED;
    if (horizontalScroll) style |= WS_HSCROLL;
    if (verticalScroll) style |= WS_VSCROLL;
    if (numeric) style |= ES_NUMBER;
    if (border) style |= WS_BORDER;
    if (multiline) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (!wordWrap) style |= ES_AUTOHSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (readOnly) style |= ES_READONLY;
    if (uppercase) style |= ES_UPPERCASE;
    else if (lowercase) style |= ES_LOWERCASE;
    if (rightAligned) style |= ES_RIGHT;
    else if (centred) style |= ES_CENTER;
    return style;
}

void TextBox::Create() {
    if (created) return;
    CreateNativeControl(*this, {L"edit", Style(), border ? DWORD(WS_EX_CLIENTEDGE) : 0});
    FinishNativeControl(*this);
    if (maxLength != -1) SendMessageW(handle, EM_LIMITTEXT, WPARAM(maxLength), 0);
}

void TextBox::ApplyStyle() {
    if (!created) return;
    // The previous style can be 0 only when the call failed, the error then being set.
    SetLastError(0);
    if (!SetWindowLongW(handle, GWL_STYLE, LONG(Style())) && GetLastError() != 0) return;
    SendMessageW(handle, EM_SETREADONLY, readOnly, 0);
    SendMessageW(handle, EM_SETPASSWORDCHAR, password ? L'*' : 0, 0);
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void TextBox::SetMaxLength(int length) {
    maxLength = length;
    if (created) SendMessageW(handle, EM_LIMITTEXT, WPARAM(maxLength), 0);
}

NumericBox::NumericBox(GUIElement* parentElement, TextBox* buddyBox, int maximumValue)
    : Child(parentElement), maximum(maximumValue), buddy(buddyBox) {
    typeName = "numericbox";
    width = 0;
    height = 0;
}

NumericBox::~NumericBox() {
    DestroyOwnWindow();
}

void NumericBox::Create() {
    if (created) return;
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    DWORD style = WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT;
    if (!enabled) style |= WS_DISABLED;
    NativeControlStyle native{UPDOWN_CLASSW, style};
    native.atOrigin = true;
    CreateNativeControl(*this, native);
    FinishNativeControl(*this);
    if (buddy) {
        buddy->Create();
        SendMessageW(handle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->handle.Get()), 0);
    }
    SendMessageW(handle, UDM_SETRANGE32, WPARAM(minimum), LPARAM(maximum));
    SendMessageW(handle, UDM_SETPOS32, 0, LPARAM(value));
}

int NumericBox::GetValue() {
    if (!created) return value;
    BOOL failed = FALSE;
    const auto position =
        int(SendMessageW(handle, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    value = failed ? minimum : position;
    return value;
}

void NumericBox::SetValue(int newValue) {
    value = newValue;
    if (!created) return;
    SendMessageW(handle, UDM_SETPOS32, 0, LPARAM(value));
    ReportChange(value);
}

void NumericBox::OnValueRequested(int requested) {
    ReportChange(requested);
}

void NumericBox::ReportChange(int requested) {
    // Not std::clamp: a range set the wrong way round must not be undefined.
    if (onChange) onChange(this, std::min(std::max(requested, minimum), maximum));
    if (onTextChanged) onTextChanged(this);
}

}  // namespace OrvUtility
