// The simple controls as real windows on a form: class, id and style bits each set of flags
// gives, the logo from the program's resources, the status bar's text and the timer.

#include "ControlTesting.h"

#include "resources/ResourceIds.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/StaticControls.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/core/ElementRegistry.h"

#include <commctrl.h>

#include <functional>
#include <memory>

namespace OrvUtility {
namespace {

using namespace Testing;

template <typename Control>
std::function<std::unique_ptr<GUIElement>(Form&)> Made(std::function<void(Control&)> configure) {
    return [configure](Form& form) {
        auto control = std::make_unique<Control>(&form, "t");
        configure(*control);
        return control;
    };
}

TEST_F(ControlTest, EachControlMakesItsNativeWindowWithTheStyleItsFlagsGive) {
    const DWORD edit = 0x50010000 | WS_BORDER | ES_AUTOHSCROLL;
    const struct {
        const char* name;
        std::function<std::unique_ptr<GUIElement>(Form&)> make;
        const wchar_t* nativeClass;
        DWORD style, exStyle;
    } rows[] = {
        {"button", Made<Button>([](Button&) {}), L"Button", 0x50010000, 0},
        {"owner-drawn", Made<Button>([](Button& b) { b.ownerDraw = true; }), L"Button",
         0x5001000B, 0},
        {"disabled", Made<Button>([](Button& b) { b.enabled = false; }), L"Button", 0x58010000, 0},
        {"label", Made<Label>([](Label&) {}), L"Static", 0x50000100, 0},
        {"label right over centred",
         Made<Label>([](Label& l) { l.rightAligned = l.centred = true; }), L"Static",
         0x50000102, 0},
        {"label centred, border", Made<Label>([](Label& l) { l.centred = l.border = true; }),
         L"Static", 0x50800101, WS_EX_CLIENTEDGE},
        {"textbox", Made<TextBox>([](TextBox&) {}), L"Edit", edit, WS_EX_CLIENTEDGE},
        {"upper over lower, right over centred", Made<TextBox>([](TextBox& t) {
             t.uppercase = t.lowercase = t.rightAligned = t.centred = true;
         }), L"Edit", edit | ES_UPPERCASE | ES_RIGHT, WS_EX_CLIENTEDGE},
        {"lower, centred", Made<TextBox>([](TextBox& t) { t.lowercase = t.centred = true; }),
         L"Edit", edit | ES_LOWERCASE | ES_CENTER, WS_EX_CLIENTEDGE},
        {"multiline", Made<TextBox>([](TextBox& t) { t.multiline = true; }), L"Edit",
         edit | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, WS_EX_CLIENTEDGE},
        {"multiline word-wrapped, no border", Made<TextBox>([](TextBox& t) {
             t.multiline = t.wordWrap = true;
             t.border = false;
         }), L"Edit", 0x50010000 | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0},
        {"read-only numeric scrolled", Made<TextBox>([](TextBox& t) {
             t.readOnly = t.numeric = t.horizontalScroll = t.verticalScroll = true;
         }), L"Edit", edit | ES_READONLY | ES_NUMBER | WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE},
        {"status bar", Made<StatusBar>([](StatusBar&) {}), L"msctls_statusbar32", 0x50000000, 0},
    };
    for (const auto& row : rows) {
        const std::unique_ptr<GUIElement> control = row.make(form);
        const std::int32_t before = elementIdCounter;
        control->Create();
        ASSERT_TRUE(control->created) << row.name;
        EXPECT_EQ(control->id, before + 1) << row.name;
        EXPECT_EQ(GetDlgCtrlID(control->handle), control->id) << row.name;
        EXPECT_EQ(GetParent(control->handle), form.handle.Get()) << row.name;
        EXPECT_EQ(ClassOf(control->handle), row.nativeClass) << row.name;
        EXPECT_EQ(StyleOf(control->handle), row.style) << row.name;
        EXPECT_EQ(ExStyleOf(control->handle), row.exStyle) << row.name;
    }
}

TEST_F(ControlTest, ImageShowsTheBitmapItLoadedAndOnlyThat) {
    Image logo(&form, IDB_LOGO);
    logo.border = true;
    logo.Create();
    EXPECT_EQ(StyleOf(logo.handle), DWORD(0x5080010E));
    ASSERT_TRUE(logo.bitmap);
    BITMAP size{};
    GetObjectW(logo.bitmap.Get(), sizeof size, &size);
    EXPECT_EQ(std::make_pair(size.bmWidth, size.bmHeight), std::make_pair(164L, 50L));
    EXPECT_EQ(HBITMAP(SendMessageW(logo.handle, STM_GETIMAGE, IMAGE_BITMAP, 0)), logo.bitmap.Get());

    // Another bitmap releases the one shown before; a missing one leaves none shown.
    const HBITMAP first = logo.bitmap.Get();
    logo.SetResource(IDB_TOOLBAR);
    EXPECT_EQ(GetObjectType(first), 0u);
    ASSERT_TRUE(logo.bitmap);
    for (const int missing : {IDB_LOGO + 999}) {
        const HBITMAP shown = logo.bitmap.Get();
        logo.SetResource(missing);
        EXPECT_FALSE(logo.bitmap) << missing;
        EXPECT_EQ(GetObjectType(shown), 0u);
        EXPECT_EQ(SendMessageW(logo.handle, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    }
    logo.SetFile("Z:\\nonexistent\\logo.bmp");
    EXPECT_FALSE(logo.bitmap);
    EXPECT_EQ(logo.resourceId, -1);
}

TEST_F(ControlTest, ImageMadeFromAMissingResourceHasNoBitmap) {
    Image image(&form, IDB_LOGO + 999);
    image.Create();
    EXPECT_TRUE(image.created);
    EXPECT_FALSE(image.bitmap);
    EXPECT_EQ(SendMessageW(image.handle, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(ControlTest, StatusBarShowsItsTextAlongTheFormsFoot) {
    StatusBar bar(&form, "Pronto");
    bar.Create();
    wchar_t shown[32] = {};
    SendMessageW(bar.handle, SB_GETTEXTW, 0, LPARAM(shown));
    EXPECT_STREQ(shown, L"Pronto");
    bar.SetText(std::string("Salvato"));
    SendMessageW(bar.handle, SB_GETTEXTW, 0, LPARAM(shown));
    EXPECT_STREQ(shown, L"Salvato");
    RECT client{}, barRect{};
    GetClientRect(form.handle, &client);
    GetWindowRect(bar.handle, &barRect);
    MapWindowPoints(nullptr, form.handle, reinterpret_cast<POINT*>(&barRect), 2);
    EXPECT_EQ(barRect.bottom, client.bottom);
    EXPECT_EQ(barRect.right - barRect.left, client.right);
}

class TimerTest : public ControlTest {
protected:
    // Dispatches the thread's messages until a tick is logged or about two seconds pass.
    static bool Ticked(int milliseconds = 2000) {
        const DWORD until = GetTickCount() + DWORD(milliseconds);
        while (Log().empty() && GetTickCount() < until) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            PumpPending();
        }
        return !Log().empty();
    }
    Timer timer{&form, 10};
};

TEST_F(TimerTest, TicksThroughItsParentUntilStopped) {
    timer.onTick = [](GUIElement* sender) { Record(sender->typeName); };
    timer.Start();
    EXPECT_EQ(StyleOf(timer.handle), DWORD(WS_CHILD));
    EXPECT_EQ(GetParent(timer.handle), form.handle.Get());
    ASSERT_TRUE(Ticked());
    EXPECT_EQ(Log().front(), "timer");
    timer.Stop();
    PumpPending();
    Log().clear();
    EXPECT_FALSE(Ticked(100));
}

TEST_F(TimerTest, StartingARunningTimerNeitherRemakesNorRearmsIt) {
    timer.onTick = [](GUIElement*) { Record("tick"); };
    timer.Start();
    const std::int32_t id = timer.id;
    const HWND window = timer.handle;
    // Disarmed behind the element's back: a second Start must not arm it again.
    ASSERT_TRUE(KillTimer(form.handle, UINT_PTR(id)));
    PumpPending();
    Log().clear();
    timer.Start();
    EXPECT_EQ(timer.id, id);
    EXPECT_EQ(timer.handle.Get(), window);
    EXPECT_FALSE(Ticked(100));
    timer.Stop();
    timer.Stop();
    EXPECT_FALSE(timer.running);
    timer.Start();  // stopped twice, it starts as before
    EXPECT_TRUE(Ticked());
}

TEST_F(ControlTest, ATimerDestroyedWhileRunningIsDisarmed) {
    std::int32_t id = 0;
    {
        Timer timer(&form, 10);
        timer.Start();
        id = timer.id;
    }
    EXPECT_FALSE(KillTimer(form.handle, UINT_PTR(id)));
}

}  // namespace
}  // namespace OrvUtility
