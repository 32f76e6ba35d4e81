#pragma once
// Test helpers for the toolkit: a fixture that resets the dispatcher, an event log that hooks
// write to, small stand-ins for the controls the window procedure treats specially, a DIB
// canvas whose pixels can be read, and a helper thread that answers modal boxes.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/GUIElement.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace OrvUtility::Testing {

HINSTANCE Module();

// What the hooks saw, one line per call ("down 3,4", "char x").
std::vector<std::string>& Log();
void Record(const std::string& line);
std::string Hex(unsigned value);

// Every test starts with a fresh dispatcher state (no main window, nothing active, no
// tracking) and ends with the thread's message queue emptied, including a quit message.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Processes messages until `done` answers true or `milliseconds` have passed; answers `done`.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 3000);
void PumpPending();

// A child window of a native class (EDIT, BUTTON, COMBOBOX, ...) subclassed with the shared
// window procedure, created as the controls create theirs: id from the counter, window, then
// the procedure swapped in.
class NativeChild : public Child {
public:
    NativeChild(GUIElement* parentElement, const wchar_t* windowClassName,
                DWORD windowStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    ~NativeChild() override;
    void Create() override;

    const wchar_t* nativeClass;
    DWORD style;
};

// Stand-ins of the controls, with the kind names and roles of the real ones.
class SubMenuDouble : public Child, public CommandElement, public SubMenuRole {
public:
    explicit SubMenuDouble(GUIElement* parentElement);
    void Create() override {}
    void ToggleCheck() override;
    bool checkable = false;
    bool checked = false;
};

class TimerDouble : public Child, public TimerRole {
public:
    explicit TimerDouble(GUIElement* parentElement);
    void Create() override {}
    void Tick() override;
    EventHook onTick = nullptr;
};

class PanelDouble : public NativeChild, public PanelRole {
public:
    explicit PanelDouble(GUIElement* parentElement);
    bool OnScrollRequest(UINT message, WPARAM request) override;
    bool verticalScroll = true;
    bool horizontalScroll = true;
};

class ComboBoxDouble : public NativeChild, public CommandElement, public ComboBoxRole {
public:
    explicit ComboBoxDouble(GUIElement* parentElement);
    bool OnDropDown() override;
    bool OnCloseUp() override;
    bool allowDropDown = true;
    bool allowCloseUp = true;
};

class ButtonDouble : public NativeChild, public CommandElement, public ButtonRole {
public:
    explicit ButtonDouble(GUIElement* parentElement);
    int DrawImage(Drawing& drawing, const RECT& item, bool pressed) override;
    int captionStart = 0;  // what DrawImage answers
};

class NumericBoxDouble : public NativeChild, public NumericBoxRole {
public:
    explicit NumericBoxDouble(GUIElement* parentElement);
    void OnValueRequested(int value) override;
};

// A command element without a window, such as a toolbar item.
class ToolBarItemDouble : public Child, public CommandElement {
public:
    explicit ToolBarItemDouble(GUIElement* toolBar);
    void Create() override {}
};

// A 32-bit top-down DIB selected into a memory context, with fresh-context colours.
class Canvas {
public:
    Canvas(int canvasWidth, int canvasHeight, Colour fill = 0xFFFFFF);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Context() const { return context; }
    Colour Pixel(int px, int py) const;  // 0x00BBGGRR
    void Fill(Colour colour);
    void Set(int px, int py, Colour colour);
    // Number of pixels of `colour` inside [left, right) x [top, bottom).
    int Count(Colour colour, int left, int top, int right, int bottom) const;
    int Count(Colour colour) const { return Count(colour, 0, 0, width, height); }

    const int width;
    const int height;

private:
    HDC context;
    HBITMAP bitmap;
    HGDIOBJ previous;
    std::uint32_t* bits = nullptr;
};

// A 24-bit DIB section bitmap made from rows of 0x00BBGGRR colours (top row first).
HBITMAP MakeBitmap(const std::vector<std::vector<Colour>>& rows);

// Answers the next dialog box (#32770) that the GUI thread shows: waits until it is visible,
// notes its caption and text, optionally types a file name, then posts `command`.
class ModalAnswerer {
public:
    // `watch`: a window whose enabled state is noted while the box is up.
    explicit ModalAnswerer(int answerCommand, std::wstring fileName = {}, HWND watch = nullptr);
    ~ModalAnswerer();  // waits for the helper thread
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    void Join();
    bool answered() const { return seen; }
    std::string caption;       // narrow, as MessageBoxA was given it
    std::string message;       // the box's static text
    std::wstring proposedName; // a file dialog's name field before typing
    std::vector<std::wstring> fileTypes;  // a file dialog's type list
    int selectedFileType = -1;
    bool hasIcon = false;      // a message box shows an icon
    bool hasYesNo = false;     // a message box offers Yes and No
    bool hasOk = false;        // a message box offers OK
    bool watchedDisabled = false;

private:
    void Run(DWORD guiThread);
    int command;
    std::wstring name;
    HWND watched;
    std::atomic<bool> seen{false};
    std::thread helper;
};

}  // namespace OrvUtility::Testing
