#pragma once
// The style a native control was asked for: the controls change their own styles once made
// (a combo box hands its scroll bar to its list, a toolbar adds alignment bits), so the window's
// style read back afterwards is not what CreateWindowExW was given.

#include <windows.h>

namespace OrvUtility::Testing {

// While it lives, records the style of the first window created on this thread since it was
// made or last reset: a control's own window comes before the windows it makes inside.
class CreationStyle {
public:
    CreationStyle();
    ~CreationStyle();
    CreationStyle(const CreationStyle&) = delete;
    CreationStyle& operator=(const CreationStyle&) = delete;

    void Reset();
    DWORD First() const;  // 0 while no window was created

private:
    HHOOK hook;
};

}  // namespace OrvUtility::Testing
