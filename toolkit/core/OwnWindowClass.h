#pragma once
// A window class registered for one element alone (forms and panels each have their own),
// unregistered when the element lets it go. Its background brush is handed to the system with
// the registration: the system deletes it with the class, so nobody else may.

#include "toolkit/core/Colour.h"

#include <windows.h>

#include <string>

namespace OrvUtility {

class OwnWindowClass {
public:
    OwnWindowClass() = default;
    ~OwnWindowClass() { Unregister(); }
    OwnWindowClass(const OwnWindowClass&) = delete;
    OwnWindowClass& operator=(const OwnWindowClass&) = delete;

    // Registers `description` under `className` (unregistering any class held before), with a
    // solid brush of `background`, or the button face's system brush for NoColour. The
    // description keeps pointing at the name held here.
    bool Register(WNDCLASSEXW& description, const std::wstring& className, Colour background);
    // Once no window of the class is left; a class still in use stays registered.
    void Unregister();
    const std::wstring& Name() const { return name; }

private:
    std::wstring name;
    HINSTANCE module = nullptr;
};

}  // namespace OrvUtility
