// The toolbar on a real form: native buttons after Rebuild, images from the standard set and
// the program's strip, clicks and tooltips through the shared window procedure.

#include "ToolkitTesting.h"
#include "controls/CreationStyle.h"

#include "resources/ResourceIds.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/core/Form.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace OrvUtility {
namespace {

using namespace Testing;

class ToolBarTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form.SetSize(400, 200);
        form.Create();
    }
    ToolBarItem& Item(int image = 0, BYTE style = 0) {
        items.push_back(std::make_unique<ToolBarItem>(&bar));
        items.back()->imageIndex = image;
        items.back()->buttonStyle = style;
        bar.AddItem(items.back().get());
        return *items.back();
    }
    TBBUTTON Button(int index) {
        TBBUTTON button{};
        SendMessageW(bar.handle, TB_GETBUTTON, WPARAM(index), reinterpret_cast<LPARAM>(&button));
        return button;
    }
    int ButtonCount() { return int(SendMessageW(bar.handle, TB_BUTTONCOUNT, 0, 0)); }
    int ImageCount() {
        return ImageList_GetImageCount(
            reinterpret_cast<HIMAGELIST>(SendMessageW(bar.handle, TB_GETIMAGELIST, 0, 0)));
    }
    Form form{Module()};
    ToolBar bar{&form};
    std::vector<std::unique_ptr<ToolBarItem>> items;
};

TEST_F(ToolBarTest, StyleFollowsTheFlags) {
    const struct {
        bool flat, autoSize, top, bottom, left, right, border, enabled;
        DWORD style;
    } rows[] = {
        {true, true, false, false, false, false, false, true, 0x50000948},  // the main window's
        {false, true, true, false, false, false, false, true, 0x50000141},  // the defaults
        {false, false, false, true, false, false, true, true, 0x50800147},
        {false, true, false, false, true, false, false, false, 0x580001C1},
        {false, true, false, false, false, true, false, true, 0x500001C3},
    };
    CreationStyle requested;
    for (const auto& row : rows) {
        ToolBar styled(&form);
        styled.flat = row.flat;
        styled.autoSize = row.autoSize;
        styled.alignTop = row.top;
        styled.alignBottom = row.bottom;
        styled.alignLeft = row.left;
        styled.alignRight = row.right;
        styled.border = row.border;
        styled.enabled = row.enabled;
        requested.Reset();
        styled.Create();
        EXPECT_EQ(requested.First(), row.style) << std::hex << row.style;
    }
}

// The main window's bar: standard new/open/save, a separator, then images
// 4-7 of the eight-image strip (added once, after the fifteen standard images).
TEST_F(ToolBarTest, RebuildDescribesEveryItemAndAddsTheStripOnce) {
    Item(6), Item(7), Item(8), Item(0, TBSTYLE_SEP);
    ToolBarItem& strip = Item();
    strip.bitmapResource = IDB_TOOLBAR;
    strip.bitmapCount = 8;
    strip.imageOffset = 4;
    for (int offset : {5, 6, 7}) Item().imageOffset = offset;
    bar.Create();
    EXPECT_EQ(GetDlgCtrlID(bar.handle), bar.id);
    const int images[] = {6, 7, 8, 0, 19, 20, 21, 22};
    const int imageCount = ImageCount();
    EXPECT_EQ(imageCount, 15 + 8);

    items[1]->SetEnabled(false);
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(ButtonCount(), 8);
        for (int i = 0; i < 8; ++i) {
            const TBBUTTON button = Button(i);
            EXPECT_EQ(button.idCommand, bar.id + 1 + i) << i;  // numbered as the bar built them
            EXPECT_EQ(button.iBitmap, images[i]) << i;
            EXPECT_EQ(button.fsStyle, i == 3 ? TBSTYLE_SEP : TBSTYLE_BUTTON) << i;
            // The disabled item greys only at the next Rebuild.
            const bool greyed = pass == 1 && i == 1;
            EXPECT_EQ(button.fsState & TBSTATE_ENABLED, greyed ? 0 : TBSTATE_ENABLED) << i;
        }
        bar.Rebuild();
    }
    EXPECT_EQ(ImageCount(), imageCount);
}

// A click on a button reaches its item's hook; the tooltip and, with showText, the button
// show the item's text, cut to fit its buffer.
TEST_F(ToolBarTest, ClicksAndTooltipsReachTheItems) {
    bar.showText = true;
    ToolBarItem& open = Item(7);
    open.toolTipText = "Apri";
    open.onCommand = [](GUIElement* sender) { Record("command " + sender->toolTipText); };
    ToolBarItem& longText = Item(8);
    longText.toolTipText = std::string(3000, 'x');
    bar.Create();

    RECT rect{};
    SendMessageW(bar.handle, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    const LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(bar.handle, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(bar.handle, WM_LBUTTONUP, 0, centre);
    EXPECT_EQ(Log(), Lines{"command Apri"});

    wchar_t shown[16] = {};
    SendMessageW(bar.handle, TB_GETBUTTONTEXTW, WPARAM(open.id), reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"Apri");
    const struct {
        const ToolBarItem& item;
        std::wstring text;
    } rows[] = {{open, L"Apri"}, {longText, std::wstring(2023, L'x')}};
    for (const auto& row : rows) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(bar.handle, TB_GETTOOLTIPS, 0, 0));
        info.hdr.idFrom = UINT_PTR(row.item.id);
        info.hdr.code = TTN_GETDISPINFOW;
        SendMessageW(form.handle, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_EQ(info.lpszText, row.text);
        EXPECT_EQ(row.item.label.data(), row.text);
    }
}

// Only the first hundred items become buttons; the rest are not even numbered.
TEST_F(ToolBarTest, AtMostAHundredButtons) {
    for (int i = 0; i < 103; ++i) Item(6);
    bar.Create();
    EXPECT_EQ(ButtonCount(), 100);
    EXPECT_EQ(Button(99).idCommand, items[99]->id);
    EXPECT_EQ(std::make_pair(items[100]->created, items[100]->id), std::make_pair(false, 0));
}

// A strip loaded whole is mapped to the button face, kept by the bar and released with it;
// without a window the resources resolve to -1 (plus the offset).
TEST_F(ToolBarTest, MappedBitmapsGoWithTheBarAndImagesNeedAWindow) {
    auto mapped = std::make_unique<ToolBar>(&form);
    ToolBarItem logo(mapped.get());
    logo.bitmapResource = IDB_LOGO;
    mapped->AddItem(&logo);
    mapped->Create();
    ASSERT_EQ(mapped->mappedBitmaps.size(), 1u);
    const HBITMAP bitmap = mapped->mappedBitmaps[0].Get();
    EXPECT_EQ(GetObjectType(bitmap), DWORD(OBJ_BITMAP));
    EXPECT_EQ(logo.imageIndex, 15);
    mapped.reset();
    EXPECT_EQ(GetObjectType(bitmap), 0u);

    ToolBar windowless(nullptr);
    ToolBarItem strip(&windowless), single(&windowless);
    strip.bitmapResource = single.bitmapResource = IDB_TOOLBAR;
    strip.bitmapCount = 8;
    strip.imageOffset = 3;
    windowless.AddItem(&strip);
    windowless.AddItem(&single);
    windowless.Create();
    EXPECT_EQ(std::make_pair(strip.imageIndex, single.imageIndex), std::make_pair(2, -1));
}

}  // namespace
}  // namespace OrvUtility
