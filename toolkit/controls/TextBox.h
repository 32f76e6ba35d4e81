#pragma once
// An edit field, and the up-down arrows that step a numeric one.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/GUIElement.h"

#include <windows.h>

#include <string>

namespace OrvUtility {

class TextBox : public Child {
public:
    TextBox(GUIElement* parentElement, const std::string& content);
    ~TextBox() override;

    void Create() override;  // 35

    // The window style the flags below ask for.
    DWORD Style() const;
    // Gives the live window the style of the current flags, with its read-only state and
    // password mask; owners change a flag, then call this.
    void ApplyStyle();
    // At most `length` characters can be typed; -1: no limit of the toolkit's own.
    void SetMaxLength(int length);

    int maxLength = -1;
    bool multiline = false;
    bool horizontalScroll = false;
    bool verticalScroll = false;
    bool readOnly = false;
    bool numeric = false;
    bool password = false;
    bool lowercase = false;
    bool uppercase = false;  // wins over lowercase
    bool rightAligned = false;  // wins over centred
    bool centred = false;
    bool border = true;
    bool wordWrap = false;
};

// The value, as the arrows request it, clamped to the box's range.
using ValueHook = void (*)(GUIElement* sender, int value);

// Up-down arrows on a TextBox buddy, which they create and keep showing the value.
class NumericBox : public Child, public NumericBoxRole {
public:
    // The buddy stays its owner's and must outlive the box's window.
    NumericBox(GUIElement* parentElement, TextBox* buddyBox, int maximumValue);
    ~NumericBox() override;

    void Create() override;  // 35

    // The position the arrows hold; `minimum` when the buddy's text cannot be read as one.
    int GetValue();
    // Moves the arrows to `newValue` and reports it as a change.
    void SetValue(int newValue);
    void OnValueRequested(int requested) override;

    int minimum = 10;
    int maximum;
    int value = 10;
    TextBox* buddy;
    ValueHook onChange = nullptr;

private:
    void ReportChange(int requested);
};

}  // namespace OrvUtility
