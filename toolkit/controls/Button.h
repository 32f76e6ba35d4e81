#pragma once
// A push button, optionally owner-drawn with a bitmap or an icon beside its caption.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/GUIElement.h"

#include <windows.h>

#include <string>

namespace OrvUtility {

class Button : public Child, public CommandElement, public ButtonRole {
public:
    Button(GUIElement* parentElement, const std::string& caption);
    ~Button() override;

    void Create() override;                                                 // 35
    int DrawImage(Drawing& drawing, const RECT& item, bool pressed) override;  // 36

    // Settings read at creation. The images stay their owner's.
    bool ownerDraw = false;
    bool defaultButton = false;  // drawn as the button Enter presses
    HBITMAP bitmapEnabled = nullptr;
    HBITMAP bitmapDisabled = nullptr;
    HICON iconEnabled = nullptr;
    HICON iconDisabled = nullptr;
};

}  // namespace OrvUtility
