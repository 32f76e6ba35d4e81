// Menus on a real form: the native menus built from the element tree, check marks and greyed
// entries read back with GetMenuState, commands through the shared window procedure.

#include "ToolkitTesting.h"

#include "toolkit/controls/Menu.h"
#include "toolkit/controls/StaticControls.h"
#include "toolkit/core/Form.h"

#include <vector>

namespace OrvUtility {
namespace {

using namespace Testing;

class MenuTest : public ControlTest {
protected:
    MenuBar bar{&form};
    Menu file{"&File", &bar};
};

std::vector<UINT> Ids(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
    return ids;
}

// Built before the bar, the native menus list the entries in construction order; their ids
// interleave with other elements numbered in between. An entry without text is a divider.
TEST_F(MenuTest, TheBarBuildsTheTreeInConstructionOrder) {
    SubMenu open(&file, "&Apri");
    Label between(&form, "x");  // numbered by its creation
    between.Create();
    SubMenu blank(&file, "");
    SubMenu guide(&file, "&Guida");
    SubMenu home(&guide, "&Home");
    EXPECT_EQ(std::vector<int>({between.id, blank.id, guide.id, home.id}),
              std::vector<int>({open.id + 1, open.id + 2, open.id + 3, open.id + 4}));
    bar.Create();
    ASSERT_EQ(GetMenu(form.handle), bar.menuHandle);
    EXPECT_EQ(GetSubMenu(bar.menuHandle, 0), file.menuHandle);
    wchar_t text[8] = {};
    GetMenuStringW(bar.menuHandle, 0, text, 8, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&File");
    EXPECT_EQ(Ids(file.menuHandle), (std::vector<UINT>{UINT(open.id), UINT(blank.id), UINT(-1)}));
    EXPECT_TRUE(GetMenuState(file.menuHandle, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetSubMenu(file.menuHandle, 2), guide.popupHandle);
    EXPECT_EQ(Ids(guide.popupHandle), std::vector<UINT>{UINT(home.id)});
}

// States reach the native menu at creation and after; a chosen checkable entry flips its mark
// before its hook runs, chosen by its shortcut too unless disabled; an entry added to a created
// menu shows at once at its end.
TEST_F(MenuTest, StatesCommandsAndLateEntriesReachTheNativeMenu) {
    SubMenu grid(&file, "Griglia");
    grid.checkable = true;
    grid.onCommand = [](GUIElement* sender) {
        Record(dynamic_cast<SubMenu*>(sender)->IsChecked() ? "checked" : "unchecked");
    };
    SubMenu zoom(&file, "Zoom");
    zoom.onCommand = [](GUIElement*) { Record("zoom"); };
    zoom.SetEnabled(false);
    zoom.checked = true;  // not checkable: never shows a mark
    bar.Create();
    auto state = [&](const SubMenu& entry) {
        return GetMenuState(file.menuHandle, UINT(entry.id), MF_BYCOMMAND);
    };
    EXPECT_EQ(std::make_pair(state(grid), state(zoom)), std::make_pair(0u, UINT(MF_GRAYED)));
    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(grid.id, 0), 0);
    EXPECT_EQ(state(grid), UINT(MF_CHECKED));
    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(grid.id, 1), 0);  // an accelerator
    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(zoom.id, 1), 0);  // disabled: nothing
    SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(grid.id, 0), 0);
    EXPECT_EQ(Log(), (Lines{"checked", "unchecked", "checked"}));
    zoom.SetEnabled(true);
    zoom.ApplyCheck();
    EXPECT_EQ(std::make_pair(state(grid), state(zoom)), std::make_pair(UINT(MF_CHECKED), 0u));
    SubMenu late(&file, "Ultima");
    EXPECT_EQ(Ids(file.menuHandle).back(), UINT(late.id));
}

}  // namespace
}  // namespace OrvUtility
