// Combo boxes on a real form: items read back from the native lists (CB_GETLBTEXT,
// CBEM_GETITEMW), selection, styles, and the drop-down codes through the window procedure.

#include "ToolkitTesting.h"

#include "resources/ResourceIds.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/core/Form.h"

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

namespace OrvUtility {
namespace {

using namespace Testing;

class ComboBoxTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        for (int icon : {IDI_COLOUR_NERO, IDI_COLOUR_GRIGIO, IDI_COLOUR_BLU}) icons.AddIcon(icon);
    }
    IconList icons{7};
};

using Shown = std::vector<std::pair<std::wstring, int>>;  // text and image of each item
using Styles = std::pair<DWORD, DWORD>;                   // plain and extended combo

// Read through the extended list when it is one, else through the plain list (image -1).
Shown ItemsOf(ComboBox& combo) {
    Shown shown;
    const bool extended = dynamic_cast<ComboBoxEx*>(&combo);
    for (int i = 0; i < SendMessageW(combo.handle, CB_GETCOUNT, 0, 0); ++i) {
        std::wstring text(512, L'\0');
        COMBOBOXEXITEMW item{CBEIF_TEXT | CBEIF_IMAGE, i, text.data(), 512, -1, 0, 0, 0, 0};
        SendMessageW(combo.handle, extended ? CBEM_GETITEMW : CB_GETLBTEXT, extended ? 0 : i,
                     extended ? reinterpret_cast<LPARAM>(&item) : LPARAM(text.data()));
        shown.emplace_back(text.c_str(), item.iImage);
    }
    return shown;
}

// Items added before creation and items added after show alike, in order, with their icons;
// the extended list is handed texts cut to 254 characters. Only the plain combo is a tab stop
// (and editable in the second round).
TEST_F(ComboBoxTest, ItemsShowInOrderWhetherAddedBeforeOrAfterCreation) {
    EXPECT_EQ(ImageList_GetImageCount(icons.imageList), icons.count);
    const std::wstring longText(300, L'n');
    for (bool createFirst : {false, true}) {
        ComboBox list(&form);
        ComboBoxEx ex(&form, icons);
        list.SetDropDownList(!createFirst);
        Styles styles;
        if (createFirst) styles = {CreationStyle(list), CreationStyle(ex)};
        list.Add(L"Rosso", L"4");
        list.Add(longText, L"x");
        ex.Add("Nero", "0", 2);
        ex.Add(longText, L"x", 1, 2, 0);
        if (!createFirst) styles = {CreationStyle(list), CreationStyle(ex)};
        EXPECT_EQ(styles, (Styles(createFirst ? 0x50210002 : 0x50210003, 0x50200003)));
        EXPECT_EQ(ItemsOf(list), (Shown{{L"Rosso", -1}, {longText, -1}})) << createFirst;
        EXPECT_EQ(ItemsOf(ex), (Shown{{L"Nero", 2}, {longText.substr(0, 254), 1}})) << createFirst;
        EXPECT_EQ(SendMessageW(ex.handle, CBEM_GETIMAGELIST, 0, 0), LPARAM(icons.imageList));
    }
}

// Reading past the end gives the last item; removing, clearing and selecting answer whether
// the native list did it.
TEST_F(ComboBoxTest, ItemAccessRemovalAndSelection) {
    ComboBoxEx combo(&form, icons);
    EXPECT_EQ(combo.ItemText(0), L"");
    EXPECT_FALSE(combo.Clear() || combo.Select(0) || combo.SelectedIndex() != -1);
    for (const char* name : {"Nero", "Grigio", "Blu"}) combo.Add(name, std::string(name, 1), 0);
    EXPECT_EQ(combo.ItemText(5) + combo.ItemValue(5), L"BluB");
    combo.Create();
    EXPECT_TRUE(combo.Select(2));
    EXPECT_EQ(combo.SelectedIndex(), 2);
    EXPECT_FALSE(combo.Select(-1) || combo.SelectedIndex() != -1 || combo.Remove(-1));
    EXPECT_TRUE(combo.Remove(0));
    EXPECT_EQ(ItemsOf(combo), (Shown{{L"Grigio", 0}, {L"Blu", 0}}));
    EXPECT_EQ(combo.ItemValueNarrow(0) + std::to_string(combo.images.size()), "G2");
    EXPECT_TRUE(combo.Clear());
    EXPECT_EQ(SendMessageW(combo.handle, CB_GETCOUNT, 0, 0) + combo.indents.size(), 0u);
}

class RefusingCombo : public ComboBox {
public:
    using ComboBox::ComboBox;
    bool OnDropDown() override { return false; }
};

// The parent answers a refused drop-down code itself (1) and passes an accepted one on; code 0
// opens the list; a real selection change raises the hook.
TEST_F(ComboBoxTest, DropDownCodesAndSelectionReachTheCombo) {
    RefusingCombo refusing(&form);
    ComboBox accepting(&form);
    accepting.Add(L"Uno", L"1");
    accepting.Add(L"Due", L"2");
    accepting.onCommand = [](GUIElement* sender) {
        auto* combo = static_cast<ComboBox*>(sender);
        Record("selected " + combo->ItemValueNarrow(combo->SelectedIndex()));
    };
    refusing.Create();
    accepting.Create();
    auto notify = [&](ComboBox& combo, WORD code) {
        return SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(combo.id, code),
                            reinterpret_cast<LPARAM>(combo.handle.Get()));
    };
    EXPECT_EQ(std::make_pair(notify(refusing, CBN_DROPDOWN), notify(accepting, CBN_DROPDOWN)),
              std::make_pair(LRESULT(1), LRESULT(0)));
    notify(accepting, 0);
    EXPECT_TRUE(SendMessageW(accepting.handle, CB_GETDROPPEDSTATE, 0, 0));
    SendMessageW(accepting.handle, CB_SHOWDROPDOWN, FALSE, 0);
    accepting.Select(0);
    SendMessageW(accepting.handle, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Log(), Lines{"selected 2"});
}

}  // namespace
}  // namespace OrvUtility
