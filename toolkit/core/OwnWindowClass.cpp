#include "toolkit/core/OwnWindowClass.h"

namespace OrvUtility {

bool OwnWindowClass::Register(WNDCLASSEXW& description, const std::wstring& className,
                              Colour background) {
    Unregister();
    name = className;
    module = description.hInstance;
    const bool ownBrush = background != NoColour;
    description.hbrBackground = ownBrush ? CreateSolidBrush(static_cast<COLORREF>(background))
                                         : GetSysColorBrush(COLOR_BTNFACE);
    description.lpszClassName = name.c_str();
    description.cbSize = sizeof description;
    if (RegisterClassExW(&description)) return true;
    if (ownBrush && description.hbrBackground) DeleteObject(description.hbrBackground);
    description.hbrBackground = nullptr;
    name.clear();
    return false;
}

void OwnWindowClass::Unregister() {
    if (!name.empty()) UnregisterClassW(name.c_str(), module);
    name.clear();
}

}  // namespace OrvUtility
