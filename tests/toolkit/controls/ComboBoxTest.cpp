// Combo boxes on a real form: items read back from the native lists (CB_GETLBTEXT,
// CBEM_GETITEMW), selection, styles, and the drop-down codes through the window procedure.

#include "ToolkitTesting.h"
#include "controls/CreationStyle.h"

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

class ComboBoxTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form.SetSize(300, 200);
        form.Create();
        for (int icon : {IDI_COLOUR_NERO, IDI_COLOUR_GRIGIO, IDI_COLOUR_BLU}) icons.AddIcon(icon);
    }
    Form form{Module()};
    IconList icons{7};
};

using Shown = std::vector<std::pair<std::wstring, int>>;  // text and image of each item

Shown ListItems(HWND combo) {
    Shown shown;
    for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        std::wstring text(std::size_t(SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0)), L'\0');
        SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()));
        shown.emplace_back(text, -1);
    }
    return shown;
}

Shown ExItems(HWND combo) {
    Shown shown;
    for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[512] = {};
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = 512;
        SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        shown.emplace_back(text, item.iImage);
    }
    return shown;
}

// Items added before creation are loaded by it, items added after are sent at once: either
// way the native list shows them in order, with their icons; texts too long are cut.
TEST_F(ComboBoxTest, ItemsShowInOrderWhetherAddedBeforeOrAfterCreation) {
    const std::wstring longText(300, L'n');
    const Shown listed{{L"Rosso", -1}, {L"Verde", -1}, {longText, -1}};
    const Shown withIcons{{L"Nero", 2}, {L"Grigio", 0}, {longText.substr(0, 254), 1}};
    EXPECT_EQ(icons.count, 3);
    EXPECT_EQ(ImageList_GetImageCount(icons.imageList), 3);
    for (bool createFirst : {false, true}) {
        ComboBox list(&form);
        ComboBoxEx ex(&form, icons);
        if (createFirst) list.Create(), ex.Create();
        list.Add(L"Rosso", L"4");
        list.Add(L"Verde", L"2");
        list.Add(longText, L"x");
        ex.Add("Nero", "0", 2);
        ex.Add("Grigio", "7", 0);
        ex.Add(longText, L"x", 1, 1, 0);
        list.Create(), ex.Create();
        EXPECT_EQ(ListItems(list.handle), listed) << createFirst;
        EXPECT_EQ(ExItems(ex.handle), withIcons) << createFirst;
        EXPECT_EQ(SendMessageW(ex.handle, CBEM_GETIMAGELIST, 0, 0), LPARAM(icons.imageList));
        EXPECT_EQ(ex.ItemValueNarrow(1), "7");
    }
}

// Reading past the end gives the last item; removing, clearing and selecting answer whether
// the native list did it.
TEST_F(ComboBoxTest, ItemAccessRemovalAndSelection) {
    ComboBoxEx combo(&form, icons);
    EXPECT_EQ(combo.ItemText(0), L"");
    EXPECT_FALSE(combo.Clear());
    EXPECT_FALSE(combo.Select(0));
    EXPECT_EQ(combo.SelectedIndex(), -1);
    for (const char* name : {"Nero", "Grigio", "Blu"}) combo.Add(name, std::string(name, 1), 0);
    EXPECT_EQ(std::make_pair(combo.ItemText(5), combo.ItemValue(5)),
              std::make_pair(std::wstring(L"Blu"), std::wstring(L"B")));
    combo.Create();
    EXPECT_TRUE(combo.Select(2));
    EXPECT_EQ(combo.SelectedIndex(), 2);
    EXPECT_FALSE(combo.Select(-1));
    EXPECT_EQ(combo.SelectedIndex(), -1);
    EXPECT_FALSE(combo.Remove(-1));
    EXPECT_TRUE(combo.Remove(0));
    EXPECT_EQ(ExItems(combo.handle), (Shown{{L"Grigio", 0}, {L"Blu", 0}}));
    EXPECT_EQ(combo.ItemValue(0), L"G");
    EXPECT_EQ(combo.images.size(), 2u);
    EXPECT_TRUE(combo.Clear());
    EXPECT_EQ(SendMessageW(combo.handle, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(combo.Count() + combo.indents.size() + combo.selectedImages.size(), 0u);
}

TEST_F(ComboBoxTest, OnlyThePlainComboIsATabStop) {
    ComboBox plain(&form), editable(&form);
    ComboBoxEx ex(&form, icons), exEditable(&form, icons);
    editable.SetDropDownList(false);
    editable.SetEnabled(false);
    exEditable.SetDropDownList(false);
    const std::pair<ComboBox*, DWORD> rows[] = {{&plain, 0x50210003}, {&editable, 0x58210002},
                                                {&ex, 0x50200003}, {&exEditable, 0x50200002}};
    CreationStyle requested;
    for (const auto& [combo, style] : rows) {
        requested.Reset();
        combo->Create();
        EXPECT_EQ(requested.First(), style) << std::hex << style;
        EXPECT_EQ(GetDlgCtrlID(combo->handle), combo->id);
    }
}

class RefusingCombo : public ComboBox {
public:
    using ComboBox::ComboBox;
    bool OnDropDown() override { return false; }
    bool OnCloseUp() override { return false; }
};

// The parent answers a refused drop-down code itself (1) and passes an accepted one on; code 0
// opens the list; a real selection change raises the hook.
TEST_F(ComboBoxTest, DropDownCodesAndSelectionReachTheCombo) {
    RefusingCombo refusing(&form);
    ComboBox accepting(&form);
    accepting.Add(L"Uno", L"1");
    accepting.Add(L"Due", L"2");
    accepting.onCommand = [](GUIElement* sender) {
        Record("selected " + static_cast<ComboBox*>(sender)->ItemValueNarrow(
                                 static_cast<ComboBox*>(sender)->SelectedIndex()));
    };
    refusing.Create();
    accepting.Create();
    auto notify = [&](ComboBox& combo, WORD code) {
        return SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(combo.id, code),
                            reinterpret_cast<LPARAM>(combo.handle.Get()));
    };
    const std::pair<WORD, LRESULT> codes[] = {{CBN_DROPDOWN, 1}, {CBN_CLOSEUP, 1}};
    for (const auto& [code, answer] : codes) {
        EXPECT_EQ(notify(refusing, code), answer) << code;
        EXPECT_EQ(notify(accepting, code), 0) << code;
    }
    notify(accepting, 0);
    EXPECT_TRUE(SendMessageW(accepting.handle, CB_GETDROPPEDSTATE, 0, 0));
    SendMessageW(accepting.handle, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(Log(), Lines{});

    accepting.Select(0);
    SendMessageW(accepting.handle, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Log(), Lines{"selected 2"});
}

}  // namespace
}  // namespace OrvUtility
