// The element model on real windows: defaults, setters before and after creation, text
// conversions, text-change detection, background painting, tooltips and fonts.

#include "ToolkitTesting.h"

#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/TextConversion.h"
#include "toolkit/core/ToolTip.h"

#include <commctrl.h>

namespace OrvUtility {
namespace {

using namespace Testing;

class PlainElement : public GUIElement {
public:
    PlainElement() : GUIElement(Module()) {}
    void Create() override {}
};

using ElementTest = ToolkitTest;

TEST_F(ElementTest, StartsWithTheDocumentedDefaults) {
    PlainElement element;
    EXPECT_TRUE(element.visible);
    EXPECT_FALSE(element.keyPreview);
    EXPECT_FALSE(element.destroyed);
    EXPECT_FALSE(element.waitCursor);
    EXPECT_FALSE(element.handCursor);
    EXPECT_EQ(element.toolTip, nullptr);
    EXPECT_EQ(element.handle.Get(), nullptr);
    EXPECT_EQ(element.instance, Module());
    EXPECT_EQ(element.windowClass.lpfnWndProc, nullptr);
    EXPECT_EQ(element.font, nullptr);
    EXPECT_EQ(element.width, 100);
    EXPECT_EQ(element.height, 50);
    EXPECT_EQ(element.x, 100);
    EXPECT_EQ(element.y, 100);
    EXPECT_FALSE(element.created);
    EXPECT_EQ(element.backColour, -1);
    EXPECT_TRUE(element.text.empty());
    EXPECT_FALSE(element.paintBackground);
    EXPECT_TRUE(element.enabled);
    EXPECT_TRUE(element.typeName.empty());
    EXPECT_EQ(element.parent, nullptr);
    EXPECT_EQ(element.previousWindowProc, nullptr);
    EXPECT_FALSE(element.createNotified);
    EXPECT_EQ(element.onCreate, nullptr);
    EXPECT_EQ(element.onMouseDown, nullptr);
    EXPECT_EQ(element.onChar, nullptr);
    EXPECT_EQ(element.onClose, nullptr);
    EXPECT_EQ(element.onMouseLeave, nullptr);
    // Unhooked events accept: characters go through, closing is allowed.
    EXPECT_TRUE(element.OnChar(L'a'));
    EXPECT_TRUE(element.OnClose());

    Form form(Module());
    Form dialog(Module(), true);
    NativeChild child(&form, L"EDIT");
    EXPECT_EQ(form.typeName, "form");
    EXPECT_FALSE(form.dialog);
    EXPECT_TRUE(dialog.dialog);
    EXPECT_TRUE(form.topmost && form.minimizeBox && form.resizable && form.caption);
    EXPECT_FALSE(form.modalFrame);
    EXPECT_EQ(form.iconId, 0);
    EXPECT_EQ(child.parent, &form);
    EXPECT_EQ(child.instance, nullptr);
}

TEST_F(ElementTest, WidenAndNarrowWorkCodeUnitByCodeUnit) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte.push_back(char(b));
    const std::wstring wide = Widen(everyByte);
    ASSERT_EQ(wide.size(), 255u);
    for (int b = 1; b < 256; ++b) EXPECT_EQ(int(wide[b - 1]), b);
    EXPECT_EQ(Narrow(wide), everyByte);

    EXPECT_EQ(Widen("Cambia propriet\xE0"), L"Cambia propriet\u00E0");
    EXPECT_EQ(Narrow(L"\u20AC\u0141x"), std::string("\xAC\x41x"));  // low bytes only
    EXPECT_EQ(Widen(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST_F(ElementTest, SettersBeforeCreationOnlyStore) {
    Form form(Module());
    form.SetText("Titolo");
    form.SetEnabled(false);
    form.SetPosition(7, 8);
    form.SetSize(300, 200);
    form.SetBackColour(0x0000FF);
    form.SetClientSize(50, 60);  // needs a window: changes nothing at all
    form.Focus();
    form.Redraw();
    EXPECT_EQ(form.handle.Get(), nullptr);
    EXPECT_EQ(form.text, L"Titolo");
    EXPECT_FALSE(form.enabled);
    EXPECT_EQ(form.x, 7);
    EXPECT_EQ(form.y, 8);
    EXPECT_EQ(form.width, 300);
    EXPECT_EQ(form.height, 200);
    EXPECT_EQ(form.backColour, 0x0000FF);
    EXPECT_FALSE(form.paintBackground);
    EXPECT_EQ(form.GetText(), L"Titolo");
    EXPECT_EQ(form.GetPosition().x, 7);
    EXPECT_EQ(form.GetSize().cx, 300);

    form.CenterOnScreen();  // computes the place from the stored size
    EXPECT_EQ(form.x, (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
    EXPECT_EQ(form.y, (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
}

TEST_F(ElementTest, SettersAfterCreationChangeTheWindow) {
    Form form(Module());
    form.SetPosition(40, 30);
    form.SetSize(320, 240);
    form.Create();
    NativeChild edit(&form, L"EDIT");
    edit.SetPosition(11, 12);
    edit.Create();

    form.SetText("Cambia propriet\xE0");
    wchar_t title[64] = {};
    GetWindowTextW(form.handle, title, 64);
    EXPECT_STREQ(title, L"Cambia propriet\u00E0");

    edit.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(edit.handle));
    edit.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(edit.handle));

    form.SetPosition(60, 70);
    RECT frame{};
    GetWindowRect(form.handle, &frame);
    EXPECT_EQ(frame.left, 60);
    EXPECT_EQ(frame.top, 70);

    form.SetSize(400, 300);
    GetWindowRect(form.handle, &frame);
    EXPECT_EQ(frame.right - frame.left, 400);
    EXPECT_EQ(frame.bottom - frame.top, 300);
    EXPECT_EQ(frame.left, 60);

    // Text and position are read back from the window.
    SetWindowTextW(edit.handle, L"typed \u00E8");
    EXPECT_EQ(edit.GetTextNarrow(), "typed \xE8");
    EXPECT_EQ(edit.text, L"typed \u00E8");
    SetWindowTextW(edit.handle, L"");
    EXPECT_EQ(edit.GetText(), L"");
    // A child's position is in its parent's client coordinates.
    edit.x = edit.y = 0;
    const POINT corner = edit.GetPosition();
    EXPECT_EQ(corner.x, 11);
    EXPECT_EQ(corner.y, 12);
    EXPECT_EQ(edit.x, 11);

    // Size changes made behind the element's back are picked up by GetSize.
    SetWindowPos(form.handle, nullptr, 0, 0, 333, 222, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(form.GetSize().cx, 333);
    EXPECT_EQ(form.height, 222);
}

TEST_F(ElementTest, ClientSizeAddsTheBordersAndCentringUsesTheScreen) {
    Form form(Module());
    form.Create();
    form.SetClientSize(250, 150);
    RECT client{};
    GetClientRect(form.handle, &client);
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 150);
    RECT frame{};
    GetWindowRect(form.handle, &frame);
    EXPECT_EQ(form.width, frame.right - frame.left);
    EXPECT_EQ(form.height, frame.bottom - frame.top);
    EXPECT_GT(form.width, 250);  // caption and frame

    form.CenterOnScreen();
    GetWindowRect(form.handle, &frame);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - form.width) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - form.height) / 2);
}

TEST_F(ElementTest, TextChangeIsReportedOnlyWhenTheTextDiffersAtFocusLoss) {
    Form form(Module());
    form.Create();
    NativeChild first(&form, L"EDIT");
    NativeChild second(&form, L"EDIT");
    first.text = L"40";
    first.onFocus = [](GUIElement*) { Record("focus"); };
    first.onLostFocus = [](GUIElement*) { Record("lost"); };
    first.onTextChanged = [](GUIElement*) { Record("changed"); };
    first.Create();
    second.Create();

    first.Focus();
    EXPECT_EQ(first.focusText, L"40");
    SetWindowTextW(first.handle, L"4");
    SetWindowTextW(first.handle, L"40");  // edited and restored
    second.Focus();
    EXPECT_EQ(Log(), (std::vector<std::string>{"focus", "lost"}));

    Log().clear();
    first.Focus();
    SetWindowTextW(first.handle, L"80");
    second.Focus();
    EXPECT_EQ(Log(), (std::vector<std::string>{"focus", "lost", "changed"}));
}

COLORREF WindowPixel(HWND window, int px, int py) {
    HDC context = GetDC(window);
    const COLORREF colour = GetPixel(context, px, py);
    ReleaseDC(window, context);
    return colour;
}

void OverdrawCorner(HWND window) {
    HDC context = GetDC(window);
    RECT spot{0, 0, 20, 20};
    FillRect(context, &spot, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(window, context);
}

void RepaintWithoutErasing(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

TEST_F(ElementTest, BackColourPaintsTheCreatedWindowAndEveryLaterPaint) {
    Form form(Module());
    form.backColour = 0x00FF00;  // also the class brush
    form.Create();
    PumpPending();
    EXPECT_FALSE(form.paintBackground);

    form.SetBackColour(0x0000FF);
    EXPECT_TRUE(form.paintBackground);
    EXPECT_EQ(WindowPixel(form.handle, 5, 5), 0x0000FFu);
    EXPECT_EQ(WindowPixel(form.handle, 60, 20), 0x0000FFu);

    // Something paints over it; the next paint message brings the colour back.
    OverdrawCorner(form.handle);
    ASSERT_EQ(WindowPixel(form.handle, 5, 5), 0xFFFFFFu);
    RepaintWithoutErasing(form.handle);
    EXPECT_EQ(WindowPixel(form.handle, 5, 5), 0x0000FFu);
}

TEST_F(ElementTest, BackColourBeforeCreationIsNotRepaintedByOnPaint) {
    Form form(Module());
    form.onPaint = [](GUIElement*) { Record("paint"); };
    form.SetBackColour(0x0000FF);  // stored: the class brush uses it, OnPaint does not
    form.Create();
    PumpPending();
    EXPECT_FALSE(form.paintBackground);
    EXPECT_EQ(WindowPixel(form.handle, 5, 5), 0x0000FFu);

    OverdrawCorner(form.handle);
    Log().clear();
    RepaintWithoutErasing(form.handle);
    EXPECT_EQ(Log(), std::vector<std::string>{"paint"});
    EXPECT_EQ(WindowPixel(form.handle, 5, 5), 0xFFFFFFu);

    form.SetBackColour(0x0000FF);
    OverdrawCorner(form.handle);
    RepaintWithoutErasing(form.handle);
    EXPECT_EQ(WindowPixel(form.handle, 5, 5), 0x0000FFu);
}

int ToolCount(HWND toolTip) {
    return int(SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0));
}

TOOLINFOW ToolOf(GUIElement& element, wchar_t* textBuffer) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = element.handle;
    tool.uId = reinterpret_cast<UINT_PTR>(element.handle.Get());
    tool.lpszText = textBuffer;
    return tool;
}

TEST_F(ElementTest, ToolTipIsMadeOnlyForANonEmptyText) {
    Form form(Module());
    form.Create();
    EXPECT_EQ(form.toolTip, nullptr);
    form.RefreshToolTip();  // keeps trying, and keeps finding nothing to show
    EXPECT_EQ(form.toolTip, nullptr);

    NativeChild edit(&form, L"EDIT");
    edit.toolTipText = "Larghezza in celle";
    edit.Create();
    ASSERT_NE(edit.toolTip, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(edit.toolTip, className, 32);
    EXPECT_STREQ(className, L"tooltips_class32");
    // Owned by the given window; the system hands a child's ownership to its top-level window.
    EXPECT_EQ(GetWindow(edit.toolTip, GW_OWNER), form.handle.Get());
    EXPECT_TRUE(GetWindowLongW(edit.toolTip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(ToolCount(edit.toolTip), 1);

    wchar_t shown[3000] = {};
    TOOLINFOW tool = ToolOf(edit, shown);
    SendMessageW(edit.toolTip, TTM_GETTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(shown, L"Larghezza in celle");

    // A later text, and the tool rectangle following the window's size.
    edit.toolTipText = "Altezza";
    edit.SetSize(150, 40);
    EXPECT_EQ(ToolCount(edit.toolTip), 1);
    SendMessageW(edit.toolTip, TTM_GETTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(shown, L"Altezza");
    SendMessageW(edit.toolTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
    RECT client{};
    GetClientRect(edit.handle, &client);
    EXPECT_EQ(tool.rect.right, client.right);
    EXPECT_EQ(tool.rect.bottom, client.bottom);

    EXPECT_EQ(ToolTipTextOf(std::string(3000, 'a')).size(), 2024u);  // longer texts are cut
    EXPECT_EQ(ToolTipTextOf("propriet\xE0"), L"propriet\u00E0");
}

TEST_F(ElementTest, FontIsMadeOnceFromItsDescription) {
    Font font("Arial", 16);
    EXPECT_EQ(font.face, L"Arial");
    font.bold = true;
    font.italic = true;
    font.underline = true;
    font.fixedPitch = true;
    const HFONT handle = font.GetHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(font.GetHandle(), handle);
    LOGFONTW description{};
    ASSERT_TRUE(GetObjectW(handle, sizeof(description), &description));
    EXPECT_EQ(description.lfHeight, 16);
    EXPECT_EQ(description.lfWeight, 700);
    EXPECT_TRUE(description.lfItalic);
    EXPECT_TRUE(description.lfUnderline);
    EXPECT_FALSE(description.lfStrikeOut);
    EXPECT_EQ(description.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(description.lfOutPrecision, OUT_OUTLINE_PRECIS);
    EXPECT_EQ(description.lfQuality, CLEARTYPE_QUALITY);
    EXPECT_EQ(description.lfPitchAndFamily, 1);
    EXPECT_STREQ(description.lfFaceName, L"Arial");

    Font plain;
    EXPECT_EQ(plain.face, L"System");
    LOGFONTW plainDescription{};
    ASSERT_TRUE(GetObjectW(plain.GetHandle(), sizeof(plainDescription), &plainDescription));
    EXPECT_EQ(plainDescription.lfWeight, 400);
    EXPECT_EQ(plainDescription.lfPitchAndFamily, 0);
}

}  // namespace
}  // namespace OrvUtility
