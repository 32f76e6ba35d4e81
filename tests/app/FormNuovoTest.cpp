// The new-drawing dialog on a real owner form, driven as a user drives it: characters typed
// into its boxes, clicks on its buttons, the focus moved, its window closed. The outcome is read
// as the owner reads it, from the dialog's destruction hook.

#include "ToolkitTesting.h"

#include "app/FormNuovo.h"

#include <memory>
#include <string>
#include <tuple>

namespace MyApp {
namespace {

using namespace OrvUtility::Testing;
using FormNuovoTest = ControlTest;

// result, width, height, background and mode, as the destruction hook found them.
using Outcome = std::tuple<int, int, int, int, bool>;
Outcome seen;

std::unique_ptr<FormNuovo> Open(OrvUtility::Form& owner) {
    auto dialog = std::make_unique<FormNuovo>(&owner, "Nuovo");
    seen = {-1, -1, -1, -1, false};
    dialog->onDestroy = [](OrvUtility::GUIElement* sender) {
        const auto& d = *static_cast<FormNuovo*>(sender);
        seen = {d.result, d.width, d.height, d.background, d.modifyMode};
    };
    return dialog;
}

// Replaces the box's text by typing, as the user does after selecting it.
void Type(const OrvUtility::GUIElement& box, const std::wstring& typed) {
    SendMessageW(box.handle, EM_SETSEL, 0, -1);
    for (const wchar_t c : typed) SendMessageW(box.handle, WM_CHAR, c, 0);
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

// Beside the owner's corner with a 400 x 150 client area, the owner disabled, the focus in the
// width box; the buttons where the client area ended while the window was 400 x 150 outside.
TEST_F(FormNuovoTest, OpensBesideItsOwnerWithItsControlsInPlace) {
    auto d = Open(form);
    RECT frame{}, client{}, owner{};
    GetWindowRect(d->handle, &frame);
    GetClientRect(d->handle, &client);
    GetWindowRect(form.handle, &owner);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(400L, 150L));
    EXPECT_FALSE(IsWindowEnabled(form.handle));
    EXPECT_EQ(form.openDialog, d.get());
    EXPECT_EQ(GetFocus(), d->widthBox->handle.Get());
    const LONG right = 800 - (frame.right - frame.left);
    const LONG bottom = 300 - (frame.bottom - frame.top);
    const struct { OrvUtility::GUIElement& control; const wchar_t* text; LONG left, top; }
    cases[] = {
        {*d, L"Nuovo", owner.left + 50, owner.top + 50},  // a window without parent: on screen
        {*d->widthLabel, L"Larghezza:", 10, 30},   {*d->widthBox, L"40", 100, 28},
        {*d->heightLabel, L"Altezza:", 200, 30},   {*d->heightBox, L"15", 290, 28},
        {*d->backgroundLabel, L"Sfondo:", 10, 60}, {*d->backgroundList, L"", 100, 60},
        {*d->cancelButton, L"Annulla", right - 110, bottom - 35},
        {*d->okButton, L"OK", right - 220, bottom - 35},
    };
    for (const auto& c : cases) {
        RECT place{};
        GetWindowRect(c.control.handle, &place);
        MapWindowPoints(nullptr, GetParent(c.control.handle), reinterpret_cast<POINT*>(&place), 1);
        EXPECT_EQ(std::make_tuple(TextOf(c.control.handle), place.left, place.top),
                  std::make_tuple(std::wstring(c.text), c.left, c.top));
    }
    // Tab visits every control that takes input, the background list among them.
    for (const HWND control : {d->widthBox->handle.Get(), d->heightBox->handle.Get(),
                               d->backgroundList->handle.Get(), d->okButton->handle.Get(),
                               d->cancelButton->handle.Get()})
        EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(GetWindowLongPtrW(d->okButton->handle, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

// Every way of closing gives the owner back; only OK, or Enter anywhere, takes the values, as
// the boxes read. "Modifica" proposes the drawing's values (the first item for a pair that is
// none of the seven).
TEST_F(FormNuovoTest, EveryWayOfClosingGivesTheOwnerBackAndOnlyOkTakesTheValues) {
    enum Target { Ok, Cancel, Width, Height, Itself };
    constexpr int None = -1;
    const struct { int preset; const wchar_t *width, *height; int item; Target to; UINT message;
                   WPARAM code; Outcome seen; } cases[] = {
        {None, L"", L"", None, Ok, BM_CLICK, 0, {1, 40, 15, 10, false}},
        {None, L"99", L"", None, Ok, BM_CLICK, 0, {1, 10, 15, 10, false}},
        {None, L"80", L"25", 3, Ok, BM_CLICK, 0, {1, 80, 25, 7, false}},
        {None, L"12", L"9", 5, Width, WM_CHAR, L'\r', {1, 12, 10, 5, false}},
        {None, L"", L"20", 1, Height, WM_CHAR, L'\r', {1, 40, 20, 9, false}},
        {None, L"", L"", None, Cancel, WM_CHAR, L'\r', {2, 0, 0, 0, false}},
        {None, L"", L"", None, Ok, WM_CHAR, L'\r', {1, 40, 15, 10, false}},
        {7, L"", L"", None, Ok, BM_CLICK, 0, {1, 33, 21, 7, true}},
        {41, L"", L"", None, Itself, WM_CHAR, L'\r', {1, 33, 21, 41, true}},  // left alone
        {41, L"", L"", 5, Ok, BM_CLICK, 0, {1, 33, 21, 5, true}},
        {None, L"30", L"", 2, Cancel, BM_CLICK, 0, {2, 0, 0, 0, false}},
        {None, L"30", L"", 2, Height, WM_CHAR, 27, {0, 0, 0, 0, false}},
        {7, L"30", L"", 2, Itself, WM_SYSCOMMAND, SC_CLOSE, {0, 0, 0, 0, true}},  // the close box
        {None, L"30", L"", 2, Itself, 0, 0, {0, 0, 0, 0, false}},  // deleted while open
    };
    for (const auto& c : cases) {
        auto d = Open(form);
        if (c.preset != None) d->Preset(33, 21, c.preset);
        Type(*d->widthBox, c.width);
        Type(*d->heightBox, c.height);
        if (c.item != None) SendMessageW(d->backgroundList->handle, CB_SETCURSEL, c.item, 0);
        const HWND targets[] = {d->okButton->handle, d->cancelButton->handle, d->widthBox->handle,
                                d->heightBox->handle, d->handle};
        if (c.message == WM_CHAR) SetFocus(targets[c.to]);
        if (c.message) SendMessageW(targets[c.to], c.message, c.code, 0);
        if (!c.message) d.reset();
        EXPECT_EQ(seen, c.seen) << &c - cases;
        EXPECT_TRUE(IsWindowEnabled(form.handle) && !form.openDialog) << &c - cases;
        EXPECT_TRUE(!d || !IsWindow(d->handle)) << &c - cases;
    }
}

// "Modifica" of a drawing whose height the box cannot show (9 rows; 10 is shown) keeps it while
// the box is left alone; a side typed follows the usual rule.
TEST_F(FormNuovoTest, ModifyKeepsWhatTheUserDidNotChange) {
    for (const auto& [typed, rows] : {std::pair{L"", 9}, {L"10", 9}, {L"5", 10}, {L"12", 12}}) {
        auto d = Open(form);
        d->Preset(26, 9, 1);
        EXPECT_EQ(TextOf(d->heightBox->handle), L"10");
        if (*typed) Type(*d->heightBox, typed);
        SendMessageW(d->okButton->handle, BM_CLICK, 0, 0);
        EXPECT_EQ(seen, (Outcome{1, 26, rows, 1, true})) << typed;
    }
}

// Leaving a box shows the side it will be read as.
TEST_F(FormNuovoTest, LeavingABoxShowsTheSideItIsReadAs) {
    auto d = Open(form);
    const struct { OrvUtility::TextBox& box; const wchar_t *typed, *shown; } cases[] = {
        {*d->heightBox, L"5", L"10"}, {*d->heightBox, L"25", L"25"}, {*d->heightBox, L"26", L"10"},
        {*d->widthBox, L"99", L"10"}, {*d->widthBox, L"80", L"80"},  {*d->widthBox, L"\b", L"10"},
    };
    for (const auto& c : cases) {
        SetFocus(c.box.handle);
        Type(c.box, c.typed);
        SetFocus(d->okButton->handle);
        EXPECT_EQ(TextOf(c.box.handle), c.shown) << c.typed;
    }
}

}  // namespace
}  // namespace MyApp
