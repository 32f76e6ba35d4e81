// Elements and their registry: defaults, lookups by handle and id, setters on real windows,
// text conversion and change detection, background painting, tooltips.

#include "ToolkitTesting.h"

#include "toolkit/controls/Menu.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/TextConversion.h"
#include "toolkit/core/ToolTip.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <random>
#include <tuple>

namespace OrvUtility {
namespace {

using namespace Testing;
using ElementTest = ToolkitTest;

HWND Fake(int n) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7000 + 16 * n));
}

// Among equal handles the last constructed wins, whatever the order of assignment; an unknown
// handle, or none, finds only the element whose window is being created, while it has none;
// a menu handle is never taken for a window; destructed elements are never found.
TEST_F(ElementTest, LookupsFollowConstructionOrderAndNeverGuess) {
    PlainElement first;
    auto second = std::make_unique<PlainElement>();
    auto third = std::make_unique<PlainElement>();
    third->handle = Fake(1);
    second->handle = Fake(1);
    first.handle = Fake(2);
    PlainElement windowless;  // constructed last: no reason to take it for any window
    EXPECT_EQ(FindByHandle(Fake(1)), third.get());
    EXPECT_EQ(FindByHandle(Fake(2)), &first);
    EXPECT_EQ(FindByHandle(Fake(9)), nullptr);
    EXPECT_EQ(FindByHandle(nullptr), nullptr);
    {
        WindowCreation creating(*second);  // has a handle already: answers nothing new
        EXPECT_EQ(FindByHandle(Fake(9)), nullptr);
        WindowCreation nested(windowless);
        EXPECT_EQ(FindByHandle(Fake(9)), &windowless);
        EXPECT_EQ(FindByHandle(Fake(1)), third.get());  // a known handle still wins
    }
    EXPECT_EQ(FindByHandle(Fake(9)), nullptr);

    const HMENU menu = reinterpret_cast<HMENU>(Fake(4));
    windowless.handle = menu;
    EXPECT_EQ(std::make_pair(windowless.handle.Get(), windowless.handle.Menu()),
              std::make_pair(HWND(nullptr), menu));
    EXPECT_EQ(FindByHandle(Fake(4)), nullptr);

    first.id = second->id = 77;
    third.reset();
    EXPECT_EQ(FindByHandle(Fake(1)), second.get());
    EXPECT_EQ(FindById(77), &first);
    second.reset();
    EXPECT_EQ(FindByHandle(Fake(1)), nullptr);
    first.id = 0;
    EXPECT_EQ(FindById(77), nullptr);

    SubMenu entry(nullptr, "entry");
    first.id = entry.id;
    EXPECT_EQ(FindById(entry.id), &first);
    EXPECT_EQ(FindSubMenuById(entry.id), &entry);  // skips the element that is no sub-menu
    EXPECT_EQ(FindSubMenuById(entry.id + 1000), nullptr);
}

// The index answers as the walk over the construction-ordered list, through any mix of
// constructions, handle changes (shared, none, reused), windows under creation and
// destructions.
TEST_F(ElementTest, HandleIndexAnswersEqualTheOrderedWalkOnMixedSequences) {
    ElementRegistry& registry = ElementRegistry::Instance();
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](std::size_t count) {
            return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
        };
        std::vector<std::unique_ptr<PlainElement>> live;  // in construction order
        for (int step = 0; step < 400; ++step) {
            const std::size_t action = pick(10);
            if (live.empty() || action < 3) {
                live.push_back(std::make_unique<PlainElement>());
            } else if (action < 5) {
                live.erase(live.begin() + std::ptrdiff_t(pick(live.size())));
            } else {
                const int number = int(pick(7));  // 0: back to no handle
                live[pick(live.size())]->handle = number ? Fake(number) : nullptr;
            }
            std::optional<WindowCreation> creating;
            if (!live.empty() && pick(2)) creating.emplace(*live[pick(live.size())]);
            for (int n = 0; n <= 8; ++n) {
                GUIElement* found = FindByHandle(n ? Fake(n) : nullptr);
                ASSERT_EQ(found, registry.FindByHandleWalk(n ? Fake(n) : nullptr))
                    << "seed " << seed << " step " << step << " handle " << n;
            }
        }
    }
}

TEST_F(ElementTest, WidenAndNarrowWorkCodeUnitByCodeUnit) {
    std::string everyByte("a\0", 2);
    std::wstring widened(L"a\0", 2);
    for (int b = 1; b < 256; ++b) {
        everyByte.push_back(char(b));
        widened.push_back(wchar_t(b));
    }
    EXPECT_EQ(Widen(everyByte), widened);
    EXPECT_EQ(Narrow(widened), everyByte);
    EXPECT_EQ(Narrow(L"\u20AC\u0141x"), "\xAC\x41x");  // low bytes only
}

std::tuple<LONG, LONG, LONG, LONG> Frame(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Before creation setters only store (a client size needs a window); after, they change the
// window, and getters read it back.
TEST_F(ElementTest, SettersStoreBeforeCreationAndChangeTheWindowAfter) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Form form(Module());
    form.SetSize(320, 240);
    form.SetClientSize(50, 60);
    form.CenterOnScreen();
    EXPECT_EQ(std::make_tuple(form.x, form.y, form.width, form.height),
              std::make_tuple((screenWidth - 320) / 2, (screenHeight - 240) / 2, 320, 240));
    form.Create();
    NativeChild edit(&form, L"EDIT");
    edit.SetPosition(11, 12);
    edit.Create();
    form.SetText("Cambia propriet\xE0");
    wchar_t title[64] = {};
    GetWindowTextW(form.handle, title, 64);
    EXPECT_STREQ(title, L"Cambia propriet\u00E0");
    SetWindowTextW(edit.handle, L"typed \u00E8");
    EXPECT_EQ(edit.GetTextNarrow(), "typed \xE8");
    edit.x = edit.y = 0;
    EXPECT_EQ(edit.GetPosition().x, 11);  // in the parent's client coordinates
    EXPECT_EQ(edit.y, 12);

    form.SetClientSize(250, 150);
    RECT client{};
    GetClientRect(form.handle, &client);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(250L, 150L));
    form.CenterOnScreen();
    const auto [left, top, width, height] = Frame(form.handle);
    EXPECT_EQ(std::make_tuple(width, height), std::make_tuple(LONG(form.width), LONG(form.height)));
    EXPECT_EQ(std::make_pair(left, top),
              std::make_pair((screenWidth - width) / 2, (screenHeight - height) / 2));
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
    for (const wchar_t* typed : {L"40", L"80"}) {
        first.Focus();
        SetWindowTextW(first.handle, L"4");
        SetWindowTextW(first.handle, typed);
        second.Focus();
    }
    EXPECT_EQ(Log(), (Lines{"focus", "lost", "focus", "lost", "changed"}));
}

// Draws over the corner, repaints without erasing, and reads the corner.
COLORREF CornerAfterRepaint(HWND window) {
    HDC context = GetDC(window);
    RECT spot{0, 0, 20, 20};
    FillRect(context, &spot, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(window, context);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    return WindowPixel(window, 5, 5);
}

TEST_F(ElementTest, BackColourSetOnTheWindowIsRepaintedByEveryPaint) {
    Form form(Module());
    form.SetBackColour(0x00FF00);  // before creation: the class brush only
    form.Create();
    PumpPending();
    EXPECT_EQ(WindowPixel(form.handle, 5, 5), 0x00FF00u);
    EXPECT_EQ(CornerAfterRepaint(form.handle), 0xFFFFFFu);

    form.SetBackColour(0x0000FF);
    EXPECT_EQ(WindowPixel(form.handle, 60, 20), 0x0000FFu);  // painted at once
    EXPECT_EQ(CornerAfterRepaint(form.handle), 0x0000FFu);
}

TEST_F(ElementTest, ToolTipIsMadeForANonEmptyTextAndFollowsTextAndSize) {
    Form form(Module());
    form.Create();
    form.RefreshToolTip();
    EXPECT_EQ(form.toolTip, nullptr);
    NativeChild edit(&form, L"EDIT");
    edit.toolTipText = "Larghezza \xE8";
    edit.Create();
    ASSERT_NE(edit.toolTip, nullptr);
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = edit.handle;
    tool.uId = reinterpret_cast<UINT_PTR>(edit.handle.Get());
    tool.lpszText = text;
    auto shown = [&] {
        SendMessageW(edit.toolTip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    EXPECT_EQ(shown(), L"Larghezza \u00E8");
    edit.toolTipText = "Altezza";
    edit.SetSize(150, 40);
    EXPECT_EQ(shown(), L"Altezza");
    SendMessageW(edit.toolTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::make_pair(tool.rect.right, tool.rect.bottom), std::make_pair(150L, 40L));
    // Cut to fit every buffer with its terminator.
    EXPECT_EQ(ToolTipTextOf(std::string(3000, 'a')), std::wstring(2023, L'a'));
}

}  // namespace
}  // namespace OrvUtility
