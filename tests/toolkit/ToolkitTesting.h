#pragma once
// Toolkit test helpers: a fixture that resets the dispatcher, a log the hooks write to, message
// pumping, and stand-ins for the controls the window procedure treats specially.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GUIElement.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace OrvUtility::Testing {

using Lines = std::vector<std::string>;

HINSTANCE Module();
Lines& Log();  // what the hooks saw, one line per call
void Record(const std::string& line);

// Fresh dispatcher state and keyboard before each test; the thread's queue emptied after it.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Controls are tested on a shown form whose window procedure is the toolkit's own, so their
// notifications travel the way the program's do.
class ControlTest : public ToolkitTest {
protected:
    void SetUp() override;
    Form form{GetModuleHandleW(nullptr)};
};

void PumpPending();  // dispatches what is queued; a quit message is dropped
COLORREF WindowPixel(HWND window, int px, int py);
DWORD StyleOf(HWND window, int which = GWL_STYLE);
// Creates the element and answers the style its window was asked for: native controls change
// their own styles once made (a combo box hands its scroll bar to its list, a toolbar adds
// bits of its own). The first window made meanwhile is the element's own.
DWORD CreationStyle(GUIElement& element);

// The pixel count of a colour, then the box round those pixels: left, top, right, bottom
// (an empty box when there are none).
using Ink = std::array<int, 5>;
Ink FindInk(HDC context, int width, int height, COLORREF colour);
// The same over a window's client area as it is painted now.
Ink WindowInk(HWND window, COLORREF colour);

class PlainElement : public GUIElement {
public:
    PlainElement() : GUIElement(Module()) {}
    void Create() override {}
};

// A native control subclassed with the shared window procedure, created as the controls
// create theirs: id from the counter, window, then the procedure swapped in.
class NativeChild : public Child {
public:
    NativeChild(GUIElement* parentElement, const wchar_t* windowClassName,
                DWORD windowStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    ~NativeChild() override;
    void Create() override;
    const wchar_t* nativeClass;
    DWORD style;
    bool destroyWindow = true;  // false: the window outlives the element
};

}  // namespace OrvUtility::Testing
