// Menus on a real form: the native menus built from the element tree, check marks and greyed
// entries read back with GetMenuState, commands through the shared window procedure.

#include "ToolkitTesting.h"

#include "toolkit/controls/Menu.h"
#include "toolkit/core/Form.h"

#include <string>
#include <vector>

namespace OrvUtility {
namespace {

using namespace Testing;

class MenuTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form.Create();
    }
    static std::vector<UINT> Ids(HMENU menu) {
        std::vector<UINT> ids;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
        return ids;
    }
    static std::wstring TextAt(HMENU menu, int position) {
        wchar_t buffer[64] = {};
        GetMenuStringW(menu, UINT(position), buffer, 64, MF_BYPOSITION);
        return buffer;
    }
    Form form{Module()};
    MenuBar bar{&form};
};

// The whole tree built before the bar: native menus list the entries in construction order,
// whose ids interleave with other elements numbered in between.
TEST_F(MenuTest, TheBarBuildsTheTreeInConstructionOrder) {
    Menu file("&File", &bar);
    SubMenu open(&file, "&Apri");
    NumberedChild between(&form, "label");
    SubMenu blank(&file, "");
    SubMenu quit(&file, "&Esci");
    Menu help("&?", &bar);
    SubMenu guide(&help, "&Guida");
    SubMenu home(&guide, "&Home");
    EXPECT_EQ(std::vector<int>({open.id, between.id, blank.id, quit.id, home.id}),
              std::vector<int>({open.id, open.id + 1, open.id + 2, open.id + 3, open.id + 5}));
    EXPECT_EQ(file.menuHandle, nullptr);

    bar.Create();
    ASSERT_EQ(GetMenu(form.handle), bar.menuHandle);
    EXPECT_EQ(bar.handle.Menu(), bar.menuHandle);
    EXPECT_EQ(TextAt(bar.menuHandle, 0) + TextAt(bar.menuHandle, 1), L"&File&?");
    EXPECT_EQ(GetSubMenu(bar.menuHandle, 0), file.menuHandle);
    EXPECT_EQ(Ids(file.menuHandle),
              std::vector<UINT>({UINT(open.id), UINT(blank.id), UINT(quit.id)}));
    EXPECT_EQ(TextAt(file.menuHandle, 0), L"&Apri");
    // The entry without text is appended with no text at all, which makes it a divider.
    EXPECT_TRUE(GetMenuState(file.menuHandle, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetSubMenu(help.menuHandle, 0), guide.popupHandle);
    EXPECT_EQ(guide.handle.Menu(), guide.popupHandle);
    EXPECT_EQ(Ids(guide.popupHandle), std::vector<UINT>({UINT(home.id)}));
}

// Check marks and greyed entries reach the native menu at creation and after; entries and menus
// added to created parents show at once at the end.
TEST_F(MenuTest, StatesAndLateEntriesReachTheNativeMenu) {
    Menu view("&Vista", &bar);
    SubMenu grid(&view, "Griglia");
    grid.checkable = grid.checked = true;
    SubMenu zoom(&view, "Zoom");
    zoom.SetEnabled(false);
    SubMenu plain(&view, "Semplice");
    plain.checked = true;  // not checkable: never shows a mark
    bar.Create();
    auto state = [&](const SubMenu& entry) {
        return GetMenuState(view.menuHandle, UINT(entry.id), MF_BYCOMMAND);
    };
    EXPECT_EQ(state(grid), UINT(MF_CHECKED));
    EXPECT_EQ(state(zoom), UINT(MF_GRAYED));
    plain.ApplyCheck();
    EXPECT_EQ(state(plain), 0u);
    zoom.SetEnabled(true);
    grid.SetEnabled(false);
    EXPECT_EQ(state(zoom), 0u);
    EXPECT_EQ(state(grid), UINT(MF_CHECKED | MF_GRAYED));

    SubMenu late(&view, "Ultima");
    EXPECT_TRUE(late.created);
    EXPECT_EQ(Ids(view.menuHandle).back(), UINT(late.id));
    Menu lateMenu("&Altro", &bar);
    EXPECT_EQ(GetSubMenu(bar.menuHandle, GetMenuItemCount(bar.menuHandle) - 1),
              lateMenu.menuHandle);
}

// A chosen checkable entry flips its mark before its hook runs; an accelerator code does
// nothing.
TEST_F(MenuTest, ChoosingACheckableEntryFlipsItBeforeTheHook) {
    Menu view("&Vista", &bar);
    SubMenu grid(&view, "Griglia");
    grid.checkable = true;
    grid.onCommand = [](GUIElement* sender) {
        Record(dynamic_cast<SubMenu*>(sender)->IsChecked() ? "checked" : "unchecked");
    };
    bar.Create();
    auto choose = [&](WORD code) {
        SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(grid.id, code), 0);
    };
    choose(0);
    EXPECT_EQ(GetMenuState(view.menuHandle, UINT(grid.id), MF_BYCOMMAND), UINT(MF_CHECKED));
    choose(1);
    choose(0);
    EXPECT_EQ(Log(), (Lines{"checked", "unchecked"}));
    EXPECT_EQ(GetMenuState(view.menuHandle, UINT(grid.id), MF_BYCOMMAND), 0u);
}

}  // namespace
}  // namespace OrvUtility
