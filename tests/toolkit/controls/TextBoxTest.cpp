// Edit fields and their up-down arrows on a real form: the live style a TextBox's flags give,
// and the width field of the new-drawing dialog, stepped with its real arrows.

#include "ToolkitTesting.h"

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
    for (const bool on : {true, false}) {
        box.uppercase = box.readOnly = box.password = on;
        box.ApplyStyle();
        EXPECT_EQ(StyleOf(box.handle) & (ES_UPPERCASE | ES_READONLY | WS_BORDER),
                  (on ? ES_UPPERCASE | ES_READONLY : 0) | WS_BORDER);
        EXPECT_EQ(SendMessageW(box.handle, EM_GETPASSWORDCHAR, 0, 0), on ? L'*' : 0);
    }
}

class NumericBoxTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        field.numeric = true;
        field.SetMaxLength(2);
        arrows.value = 40;
        arrows.onChange = [](GUIElement*, int value) { Record(std::to_string(value)); };
        arrows.onTextChanged = [](GUIElement*) { Record("text"); };
        arrows.Create();
        Log().clear();
    }
    TextBox field{&form, ""};
    NumericBox arrows{&form, &field, 80};
};

TEST_F(NumericBoxTest, CreatesItsBuddyShowingTheValueAndReadsItBack) {
    EXPECT_EQ(StyleOf(arrows.handle), DWORD(0x50000006));
    EXPECT_EQ(StyleOf(field.handle) & ES_NUMBER, DWORD(ES_NUMBER));
    EXPECT_EQ(SendMessageW(field.handle, EM_GETLIMITTEXT, 0, 0), 2);
    EXPECT_EQ(HWND(SendMessageW(arrows.handle, UDM_GETBUDDY, 0, 0)), field.handle.Get());
    EXPECT_EQ(field.GetTextNarrow(), "40");
    EXPECT_EQ(arrows.GetValue(), 40);
    arrows.minimum = 12;  // text that is no number reads as the minimum
    for (const char* unreadable : {"", "x7"}) {
        field.SetText(std::string(unreadable));
        EXPECT_EQ(arrows.GetValue(), 12) << unreadable;
    }
}

TEST_F(NumericBoxTest, ArrowsAndSetValueReportTheValueClampedToTheRange) {
    RECT arrow{};
    GetClientRect(arrows.handle, &arrow);
    const struct { const char* start; bool up; const char* reported; } rows[] = {
        {"40", true, "41"}, {"40", false, "39"}, {"80", true, "80"}, {"10", false, "10"},
    };
    for (const auto& row : rows) {
        field.SetText(std::string(row.start));
        Log().clear();
        const LPARAM at = MAKELPARAM(arrow.right / 2, arrow.bottom * (row.up ? 1 : 3) / 4);
        SendMessageW(arrows.handle, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(arrows.handle, WM_LBUTTONUP, 0, at);
        EXPECT_EQ(Log(), (Lines{row.reported, "text"})) << row.start << row.up;
        EXPECT_EQ(field.GetTextNarrow(), row.reported) << row.start << row.up;
    }
    Log().clear();
    arrows.SetValue(95);
    EXPECT_EQ(Log(), (Lines{"80", "text"}));
    EXPECT_EQ(field.GetTextNarrow(), "80");
}

}  // namespace
}  // namespace OrvUtility
