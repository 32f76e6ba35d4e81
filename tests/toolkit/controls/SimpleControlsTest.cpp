// The simple controls as real windows on a form: class, id and style bits each set of flags
// gives, the logo from the program's resources, the status bar's text and the timer.

#include "ToolkitTesting.h"

#include "resources/ResourceIds.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/StaticControls.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/controls/Timer.h"

#include <commctrl.h>

#include <memory>

namespace OrvUtility {
namespace {

using namespace Testing;

TEST_F(ControlTest, EachControlMakesItsNativeWindowWithTheStyleItsFlagsGive) {
    Button button(&form, "t"), drawn(&form, "t");
    drawn.ownerDraw = true;
    drawn.enabled = false;
    Label label(&form, "t"), right(&form, "t"), framed(&form, "t");
    right.rightAligned = right.centred = true;
    framed.centred = framed.border = true;
    TextBox text(&form, ""), upper(&form, ""), lower(&form, ""), lines(&form, ""),
        wrapped(&form, ""), fixed(&form, "");
    upper.uppercase = upper.lowercase = upper.rightAligned = upper.centred = true;
    lower.lowercase = lower.centred = true;
    lines.multiline = true;
    wrapped.multiline = wrapped.wordWrap = true;
    wrapped.border = false;
    fixed.readOnly = fixed.numeric = fixed.horizontalScroll = fixed.verticalScroll = true;
    StatusBar bar(&form, "t");
    const DWORD edit = 0x50010000 | WS_BORDER | ES_AUTOHSCROLL, edge = WS_EX_CLIENTEDGE;
    const DWORD multiline = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    const struct {
        GUIElement* control; const wchar_t* nativeClass; DWORD style, exStyle;
    } rows[] = {
        {&button, L"Button", 0x50010000, 0},
        {&drawn, L"Button", 0x5801000B, 0},
        {&label, L"Static", 0x50000100, 0},
        {&right, L"Static", 0x50000102, 0},
        {&framed, L"Static", 0x50800101, edge},
        {&text, L"Edit", edit, edge},
        {&upper, L"Edit", edit | ES_UPPERCASE | ES_RIGHT, edge},
        {&lower, L"Edit", edit | ES_LOWERCASE | ES_CENTER, edge},
        {&lines, L"Edit", edit | multiline, edge},
        {&wrapped, L"Edit", 0x50010000 | multiline, 0},
        {&fixed, L"Edit", edit | ES_READONLY | ES_NUMBER | WS_HSCROLL | WS_VSCROLL, edge},
        {&bar, L"msctls_statusbar32", 0x50000000, 0},
    };
    for (const auto& row : rows) {
        row.control->Create();
        const int index = int(&row - rows);
        wchar_t nativeClass[32] = {};
        GetClassNameW(row.control->handle, nativeClass, 32);
        EXPECT_STREQ(nativeClass, row.nativeClass) << index;
        EXPECT_EQ(GetDlgCtrlID(row.control->handle), row.control->id) << index;
        EXPECT_EQ(StyleOf(row.control->handle), row.style) << index;
        EXPECT_EQ(DWORD(GetWindowLongPtrW(row.control->handle, GWL_EXSTYLE)), row.exStyle) << index;
    }
}

TEST_F(ControlTest, ImageShowsTheBitmapItLoadedAndNoneWhenTheLoadFails) {
    Image logo(&form, IDB_LOGO);
    logo.Create();
    EXPECT_EQ(StyleOf(logo.handle), DWORD(0x5000010E));
    BITMAP size{};
    GetObjectW(logo.bitmap.Get(), sizeof size, &size);
    EXPECT_EQ(std::make_pair(size.bmWidth, size.bmHeight), std::make_pair(164L, 50L));
    EXPECT_EQ(HBITMAP(SendMessageW(logo.handle, STM_GETIMAGE, IMAGE_BITMAP, 0)), logo.bitmap.Get());
    const HBITMAP shown = logo.bitmap.Get();
    logo.SetResource(IDB_LOGO + 999);
    EXPECT_FALSE(logo.bitmap);
    EXPECT_EQ(GetObjectType(shown), 0u);  // released
    EXPECT_EQ(SendMessageW(logo.handle, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(ControlTest, StatusBarShowsItsText) {
    StatusBar bar(&form, "Pronto");
    bar.Create();
    for (const wchar_t* text : {L"Pronto", L"Salvato"}) {
        bar.SetText(std::wstring(text));
        wchar_t shown[16] = {};
        SendMessageW(bar.handle, SB_GETTEXTW, 0, LPARAM(shown));
        EXPECT_STREQ(shown, text);
    }
}

// Dispatches the thread's messages until a tick is logged or `milliseconds` pass.
bool Ticked(DWORD milliseconds) {
    const DWORD until = GetTickCount() + milliseconds;
    while (Log().empty() && GetTickCount() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
    return !Log().empty();
}

TEST_F(ControlTest, TimerTicksThroughItsParentAndStartsAndStopsOnce) {
    auto timer = std::make_unique<Timer>(&form, 10);
    timer->onTick = [](GUIElement* sender) { Record(sender->typeName); };
    timer->Start();
    EXPECT_EQ(StyleOf(timer->handle), DWORD(WS_CHILD));
    ASSERT_TRUE(Ticked(2000));
    EXPECT_EQ(Log().front(), "timer");
    // Disarmed behind the element's back: a second Start neither remakes nor rearms it.
    const HWND window = timer->handle;
    KillTimer(form.handle, UINT_PTR(timer->id));
    PumpPending();
    Log().clear();
    timer->Start();
    EXPECT_EQ(timer->handle.Get(), window);
    EXPECT_FALSE(Ticked(100));
    timer->Stop();
    timer->Stop();
    timer->Start();  // stopped, it arms again
    EXPECT_TRUE(Ticked(2000));
    const std::int32_t id = timer->id;
    timer.reset();  // destroyed while running: disarmed, as Stop disarms it
    EXPECT_FALSE(KillTimer(form.handle, UINT_PTR(id)));
}

}  // namespace
}  // namespace OrvUtility
