// The new-drawing dialog on a real owner form, driven as a user would: characters typed into
// its boxes, clicks on its buttons, the focus moved, its window closed. The outcome is read as
// the owner reads it, from the dialog's destruction hook.

#include "ToolkitTesting.h"

#include "app/FormNuovo.h"

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

namespace MyApp {
namespace {

using namespace OrvUtility::Testing;
using FormNuovoTest = ControlTest;

// result, width, height, background and mode, as the destruction hook found them.
using Outcome = std::tuple<int, int, int, int, bool>;
Outcome seenAtDestruction;
int destructions = 0;

std::unique_ptr<FormNuovo> Open(OrvUtility::Form& owner, const std::string& title = "Nuovo") {
    auto dialog = std::make_unique<FormNuovo>(&owner, title);
    seenAtDestruction = {-1, -1, -1, -1, false};
    destructions = 0;
    dialog->onDestroy = [](OrvUtility::GUIElement* sender) {
        const auto& d = *static_cast<FormNuovo*>(sender);
        seenAtDestruction = {d.result, d.width, d.height, d.background, d.modifyMode};
        ++destructions;
    };
    return dialog;
}

// The fonts sent to windows while the hook is in place.
std::map<HWND, HFONT> fontsSent;
LRESULT CALLBACK RecordFont(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent.message == WM_SETFONT) fontsSent[sent.hwnd] = HFONT(sent.wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The characters that reached an edit control's own procedure.
WNDPROC editProcedure = nullptr;
std::wstring reachedEdit;
LRESULT CALLBACK RecordEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) reachedEdit += wchar_t(wParam);
    return CallWindowProcW(editProcedure, window, message, wParam, lParam);
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

std::wstring SelectedBackground(const FormNuovo& dialog) {
    wchar_t text[64] = {};
    COMBOBOXEXITEMW item{CBEIF_TEXT, -1, text, 64, 0, 0, 0, 0, 0};
    item.iItem = SendMessageW(dialog.backgroundList->handle, CB_GETCURSEL, 0, 0);
    SendMessageW(dialog.backgroundList->handle, CBEM_GETITEMW, 0, LPARAM(&item));
    return text;
}

RECT PlaceOf(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&frame), 2);
    return frame;
}

// Placed in the owner's corner plus 50, a 400 x 150 client area, the owner disabled; the
// controls where the dialog's client area was while it was made, at 400 x 150 outside.
TEST_F(FormNuovoTest, OpensBesideItsOwnerWithItsControlsInPlace) {
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordFont, nullptr, GetCurrentThreadId());
    auto dialog = Open(form);
    UnhookWindowsHookEx(hook);
    RECT frame{}, client{}, owner{};
    GetWindowRect(dialog->handle, &frame);
    GetClientRect(dialog->handle, &client);
    GetWindowRect(form.handle, &owner);
    EXPECT_EQ(std::make_pair(frame.left, frame.top),
              std::make_pair(owner.left + 50, owner.top + 50));
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(400L, 150L));
    const int madeWidth = 400 - (frame.right - frame.left - 400);
    const int madeHeight = 150 - (frame.bottom - frame.top - 150);

    EXPECT_EQ(TextOf(dialog->handle), L"Nuovo");
    EXPECT_EQ(StyleOf(dialog->handle, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              DWORD(WS_EX_TOOLWINDOW));
    EXPECT_TRUE(SendMessageW(dialog->handle, WM_GETICON, ICON_SMALL, 0));
    LOGFONTW font{};
    GetObjectW(fontsSent[dialog->handle], sizeof font, &font);
    EXPECT_EQ(std::wstring(font.lfFaceName) + L" " + std::to_wstring(font.lfHeight) + L" " +
                  std::to_wstring(font.lfWeight),
              L"Lucida Console 16 700");
    EXPECT_EQ(GetFocus(), dialog->widthBox->handle.Get());
    EXPECT_FALSE(IsWindowEnabled(form.handle));
    EXPECT_EQ(form.openDialog, dialog.get());

    const struct { const OrvUtility::GUIElement& control; const wchar_t* text; RECT place; }
    controls[] = {
        {*dialog->widthLabel, L"Larghezza:", {10, 30, 90, 55}},
        {*dialog->heightLabel, L"Altezza:", {200, 30, 280, 55}},
        {*dialog->backgroundLabel, L"Sfondo:", {10, 60, 90, 85}},
        {*dialog->cancelButton, L"Annulla", {madeWidth - 110, madeHeight - 35, madeWidth - 10,
                                             madeHeight - 10}},
        {*dialog->okButton, L"OK", {madeWidth - 220, madeHeight - 35, madeWidth - 120,
                                    madeHeight - 10}},
    };
    for (const auto& c : controls) {
        const RECT place = PlaceOf(c.control.handle);
        EXPECT_EQ(TextOf(c.control.handle), c.text);
        EXPECT_EQ(std::make_tuple(place.left, place.top, place.right, place.bottom),
                  std::make_tuple(c.place.left, c.place.top, c.place.right, c.place.bottom))
            << TextOf(c.control.handle).size();
    }

    // The boxes, their arrows inside the right end of their 80 x 25 pixels.
    const struct { const OrvUtility::TextBox& box; HWND arrows; const wchar_t* shown; int left;
                   LPARAM largest; } sides[] = {
        {*dialog->widthBox, dialog->widthSpinner->handle, L"40", 100, 80},
        {*dialog->heightBox, dialog->heightSpinner->handle, L"15", 290, 25},
    };
    for (const auto& s : sides) {
        const RECT box = PlaceOf(s.box.handle), arrows = PlaceOf(s.arrows);
        EXPECT_EQ(TextOf(s.box.handle), s.shown);
        EXPECT_EQ(std::make_tuple(box.left, box.top, arrows.bottom), std::make_tuple(LONG(s.left), 28L, 53L));
        EXPECT_NEAR(arrows.right, s.left + 80, 2);
        EXPECT_TRUE(StyleOf(s.box.handle) & ES_NUMBER);
        EXPECT_EQ(SendMessageW(s.box.handle, EM_GETLIMITTEXT, 0, 0), 2);
        int low = 0, high = 0;
        SendMessageW(s.arrows, UDM_GETRANGE32, WPARAM(&low), LPARAM(&high));
        EXPECT_EQ(std::make_pair(low, high), std::make_pair(10, int(s.largest)));
        EXPECT_EQ(HWND(SendMessageW(s.arrows, UDM_GETBUDDY, 0, 0)), s.box.handle.Get());
    }

    const HWND list = dialog->backgroundList->handle;
    const RECT listPlace = PlaceOf(list);
    EXPECT_EQ(std::make_tuple(listPlace.left, listPlace.top, listPlace.right),
              std::make_tuple(100L, 60L, 220L));
    const wchar_t* names[] = {L"Bianco", L"Azzuro", L"Verde", L"Nero",
                              L"Rosso", L"Blu", L"Grigio"};
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 7);
    for (int i = 0; i < 7; ++i) {
        wchar_t text[64] = {};
        COMBOBOXEXITEMW item{CBEIF_TEXT | CBEIF_IMAGE, i, text, 64, -1, 0, 0, 0, 0};
        SendMessageW(list, CBEM_GETITEMW, 0, LPARAM(&item));
        EXPECT_EQ(std::make_pair(std::wstring(text), item.iImage), std::make_pair(
                      std::wstring(names[i]), i));
    }
    EXPECT_EQ(SelectedBackground(*dialog), L"Bianco");
    EXPECT_EQ(ImageList_GetImageCount(dialog->iconList->imageList), 7);
}

// Every way of closing gives the owner back; only OK (or Enter anywhere) takes the values,
// read from what the boxes hold.
TEST_F(FormNuovoTest, EveryWayOfClosingGivesTheOwnerBackAndOnlyOkTakesTheValues) {
    using Act = std::function<void(std::unique_ptr<FormNuovo>&)>;
    const auto click = [](auto button) {
        return [button](std::unique_ptr<FormNuovo>& d) {
            SendMessageW(((*d).*button)->handle, BM_CLICK, 0, 0);
        };
    };
    const auto key = [](auto control, wchar_t c) {
        return [control, c](std::unique_ptr<FormNuovo>& d) {
            SendMessageW(control(*d), WM_CHAR, c, 0);
        };
    };
    const auto widthBox = [](FormNuovo& d) { return d.widthBox->handle.Get(); };
    const auto heightBox = [](FormNuovo& d) { return d.heightBox->handle.Get(); };
    const auto cancel = [](FormNuovo& d) { return d.cancelButton->handle.Get(); };
    const auto itself = [](FormNuovo& d) { return d.handle.Get(); };
    const auto then = [](const std::wstring& width, const std::wstring& height, int item,
                         Act close) {
        return [=](std::unique_ptr<FormNuovo>& d) {
            if (!width.empty()) Type(*d->widthBox, width);
            if (!height.empty()) Type(*d->heightBox, height);
            SendMessageW(d->backgroundList->handle, CB_SETCURSEL, item, 0);
            close(d);
        };
    };
    const struct { const char* way; Act act; Outcome seen; } cases[] = {
        {"OK as opened", click(&FormNuovo::okButton), {1, 40, 15, 10, false}},
        {"OK after 99", then(L"99", L"", 0, click(&FormNuovo::okButton)), {1, 10, 15, 10, false}},
        {"OK after 80 x 25 Nero", then(L"80", L"25", 3, click(&FormNuovo::okButton)),
         {1, 80, 25, 7, false}},
        {"OK after an emptied box", then(L"\b\b", L"9", 6, click(&FormNuovo::okButton)),
         {1, 10, 10, 4, false}},
        {"Enter in the width box", then(L"12", L"", 5, key(widthBox, L'\r')),
         {1, 12, 15, 5, false}},
        {"Enter in the height box", then(L"", L"20", 1, key(heightBox, L'\r')),
         {1, 40, 20, 9, false}},
        {"Enter on Annulla", key(cancel, L'\r'), {1, 40, 15, 10, false}},
        {"Enter to the window", key(itself, L'\r'), {1, 40, 15, 10, false}},
        {"Annulla", then(L"30", L"", 2, click(&FormNuovo::cancelButton)), {2, 0, 0, 0, false}},
        {"Escape in a box", then(L"30", L"", 2, key(heightBox, 27)), {0, 0, 0, 0, false}},
        {"Escape to the window", key(itself, 27), {0, 0, 0, 0, false}},
        {"close box", [](auto& d) { SendMessageW(d->handle, WM_SYSCOMMAND, SC_CLOSE, 0); },
         {0, 0, 0, 0, false}},
        {"dialog deleted open", [](auto& d) { d.reset(); }, {0, 0, 0, 0, false}},
    };
    for (const auto& c : cases) {
        auto dialog = Open(form);
        c.act(dialog);
        EXPECT_EQ(destructions, 1) << c.way;
        EXPECT_EQ(seenAtDestruction, c.seen) << c.way;
        EXPECT_TRUE(IsWindowEnabled(form.handle)) << c.way;
        EXPECT_EQ(form.openDialog, nullptr) << c.way;
        EXPECT_TRUE(!dialog || !IsWindow(dialog->handle)) << c.way;
        dialog.reset();
        EXPECT_EQ(destructions, 1) << c.way;  // a closed dialog is not closed again
    }
}

// Leaving a box shows the side it will be read as; Tab typed into a box never reaches it.
TEST_F(FormNuovoTest, LeavingABoxShowsTheSideItIsReadAs) {
    auto dialog = Open(form);
    const struct { OrvUtility::TextBox& box; const wchar_t* typed; const wchar_t* shown; }
    cases[] = {
        {*dialog->heightBox, L"5", L"10"},  {*dialog->heightBox, L"0", L"10"},
        {*dialog->heightBox, L"25", L"25"}, {*dialog->heightBox, L"26", L"10"},
        {*dialog->widthBox, L"99", L"10"},  {*dialog->widthBox, L"80", L"80"},
        {*dialog->widthBox, L"\b", L"10"},  {*dialog->widthBox, L"123", L"12"},
    };
    for (const auto& c : cases) {
        SetFocus(c.box.handle);
        Type(c.box, c.typed);
        SetFocus(dialog->okButton->handle);
        EXPECT_EQ(TextOf(c.box.handle), c.shown) << c.typed;
    }
    editProcedure = std::exchange(dialog->widthBox->previousWindowProc, RecordEdit);
    reachedEdit.clear();
    for (const wchar_t c : std::wstring(L"\t7\t")) SendMessageW(dialog->widthBox->handle, WM_CHAR, c, 0);
    dialog->widthBox->previousWindowProc = editProcedure;
    EXPECT_EQ(reachedEdit, L"7");
}

// "Modifica" shows the drawing's size and background; a pair that is none of the seven shows
// the first item. OK reports the change of properties.
TEST_F(FormNuovoTest, ModifyShowsTheDrawingsValues) {
    const struct { int pair; const wchar_t* shown; } cases[] = {
        {7, L"Nero"}, {4, L"Grigio"}, {10, L"Bianco"}, {0, L"Bianco"}, {41, L"Bianco"},
    };
    for (const auto& c : cases) {
        auto dialog = Open(form, "Modifica");
        dialog->Preset(33, 21, c.pair);
        EXPECT_EQ(TextOf(dialog->handle), L"Modifica");
        EXPECT_EQ(TextOf(dialog->widthBox->handle) + L"x" + TextOf(dialog->heightBox->handle),
                  L"33x21");
        EXPECT_EQ(SelectedBackground(*dialog), c.shown) << c.pair;
        SendMessageW(dialog->okButton->handle, BM_CLICK, 0, 0);
        const int chosen = c.pair == 0 || c.pair == 41 ? 10 : c.pair;
        EXPECT_EQ(seenAtDestruction, Outcome(1, 33, 21, chosen, true)) << c.pair;
    }
}

}  // namespace
}  // namespace MyApp
