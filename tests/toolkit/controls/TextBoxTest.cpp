// Edit fields and their up-down arrows on a real form: the live style a TextBox's flags give,
// and the width field of the new-drawing dialog, stepped with its real arrows.

#include "ControlTesting.h"

#include "toolkit/controls/TextBox.h"

#include <commctrl.h>

namespace OrvUtility {
namespace {

using namespace Testing;

TEST_F(ControlTest, ApplyStyleGivesTheLiveFieldItsFlagsAndPasswordMask) {
    TextBox box(&form, "abc");
    box.password = true;  // the mask waits for ApplyStyle
    box.Create();
    EXPECT_EQ(SendMessageW(box.handle, EM_GETPASSWORDCHAR, 0, 0), 0);
    const struct { bool uppercase, readOnly, password; DWORD style; wchar_t mask; } rows[] = {
        {true, true, true, ES_UPPERCASE | ES_READONLY, L'*'},
        {false, false, false, 0, 0},
        {true, false, true, ES_UPPERCASE, L'*'},
    };
    for (const auto& row : rows) {
        box.uppercase = row.uppercase;
        box.readOnly = row.readOnly;
        box.password = row.password;
        box.ApplyStyle();
        EXPECT_EQ(StyleOf(box.handle) & (ES_UPPERCASE | ES_READONLY), row.style) << row.mask;
        EXPECT_EQ(StyleOf(box.handle) & WS_BORDER, DWORD(WS_BORDER));
        EXPECT_EQ(SendMessageW(box.handle, EM_GETPASSWORDCHAR, 0, 0), row.mask);
    }
}

TEST_F(ControlTest, MaximumLengthLimitsTypingBeforeAndAfterCreation) {
    TextBox box(&form, "");
    box.SetMaxLength(2);
    box.Create();
    EXPECT_EQ(SendMessageW(box.handle, EM_GETLIMITTEXT, 0, 0), 2);
    for (const wchar_t typed : {L'1', L'2', L'3'}) SendMessageW(box.handle, WM_CHAR, typed, 0);
    EXPECT_EQ(box.GetTextNarrow(), "12");
    box.SetMaxLength(5);
    EXPECT_EQ(SendMessageW(box.handle, EM_GETLIMITTEXT, 0, 0), 5);
}

class NumericBoxTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        width.numeric = true;
        width.maxLength = 2;
        arrows.value = 40;
        arrows.onChange = [](GUIElement*, int value) { Record(std::to_string(value)); };
        arrows.onTextChanged = [](GUIElement*) { Record("text"); };
        arrows.Create();
    }
    // Presses and releases the upper or lower arrow with the mouse.
    void Click(bool up) {
        RECT client{};
        GetClientRect(arrows.handle, &client);
        const LPARAM at = MAKELPARAM(client.right / 2, up ? client.bottom / 4 : client.bottom * 3 / 4);
        SendMessageW(arrows.handle, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(arrows.handle, WM_LBUTTONUP, 0, at);
    }
    TextBox width{&form, ""};
    NumericBox arrows{&form, &width, 80};
};

TEST_F(NumericBoxTest, CreatesItsBuddyShowingTheValueInTheRange) {
    EXPECT_EQ(StyleOf(arrows.handle), DWORD(0x50000006));
    EXPECT_EQ(ClassOf(width.handle), L"Edit");
    EXPECT_EQ(StyleOf(width.handle) & ES_NUMBER, DWORD(ES_NUMBER));
    EXPECT_EQ(SendMessageW(width.handle, EM_GETLIMITTEXT, 0, 0), 2);
    EXPECT_EQ(HWND(SendMessageW(arrows.handle, UDM_GETBUDDY, 0, 0)), width.handle.Get());
    int low = 0, high = 0;
    SendMessageW(arrows.handle, UDM_GETRANGE32, WPARAM(&low), LPARAM(&high));
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(10, 80));
    EXPECT_EQ(width.GetTextNarrow(), "40");
    EXPECT_EQ(arrows.GetValue(), 40);
}

TEST_F(NumericBoxTest, ArrowsReportTheRequestedValueClampedToTheRange) {
    const struct { const char* start; bool up; const char* reported; const char* shown; } rows[] = {
        {"40", true, "41", "41"},
        {"40", false, "39", "39"},
        {"80", true, "80", "80"},
        {"10", false, "10", "10"},
    };
    for (const auto& row : rows) {
        width.SetText(std::string(row.start));
        Log().clear();
        Click(row.up);
        EXPECT_EQ(Log(), (Lines{row.reported, "text"})) << row.start << row.up;
        EXPECT_EQ(width.GetTextNarrow(), row.shown) << row.start << row.up;
    }
}

TEST_F(NumericBoxTest, SetValueMovesTheArrowsAndReportsTheClampedValue) {
    Log().clear();
    arrows.SetValue(95);
    EXPECT_EQ(Log(), (Lines{"80", "text"}));
    EXPECT_EQ(width.GetTextNarrow(), "80");
    EXPECT_EQ(arrows.GetValue(), 80);
}

TEST_F(NumericBoxTest, TextThatIsNoNumberReadsAsTheMinimum) {
    for (const char* unreadable : {"", "x7"}) {
        arrows.minimum = 12;
        width.SetText(std::string(unreadable));
        EXPECT_EQ(arrows.GetValue(), 12) << unreadable;
        EXPECT_EQ(arrows.value, 12) << unreadable;
    }
}

}  // namespace
}  // namespace OrvUtility
