// The toolbar on a real form: native buttons after Rebuild, images from the standard set and
// the program's strip, clicks and tooltips through the shared window procedure.

#include "ToolkitTesting.h"

#include "resources/ResourceIds.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/core/Form.h"

#include <commctrl.h>

#include <memory>
#include <vector>

namespace OrvUtility {
namespace {

using namespace Testing;

class ToolBarTest : public ControlTest {
protected:
    ToolBarItem& Item(int image = 0) {
        items.push_back(std::make_unique<ToolBarItem>(&bar));
        items.back()->imageIndex = image;
        bar.AddItem(items.back().get());
        return *items.back();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, void* data = nullptr) {
        return SendMessageW(bar.handle, message, wParam, reinterpret_cast<LPARAM>(data));
    }
    ToolBar bar{&form};
    std::vector<std::unique_ptr<ToolBarItem>> items;
};

// The main window's bar: standard new/open/save, a separator, then images 4-7 of the
// eight-image strip, added once after the fifteen standard images. A second Rebuild shows the
// new enabled states and adds no image.
TEST_F(ToolBarTest, RebuildDescribesEveryItemAndAddsTheStripOnce) {
    bar.flat = true;
    bar.alignTop = false;
    Item(6), Item(7), Item(8), Item().buttonStyle = TBSTYLE_SEP;
    ToolBarItem& strip = Item();
    strip.bitmapResource = IDB_TOOLBAR;
    strip.bitmapCount = 8;
    strip.imageOffset = 4;
    for (int offset : {5, 6, 7}) Item().imageOffset = offset;
    EXPECT_EQ(CreationStyle(bar), 0x50000948u);
    const auto imageList = reinterpret_cast<HIMAGELIST>(Send(TB_GETIMAGELIST));
    EXPECT_EQ(ImageList_GetImageCount(imageList), 15 + 8);
    const int images[] = {6, 7, 8, 0, 19, 20, 21, 22};
    items[1]->SetEnabled(false);
    for (bool rebuilt : {false, true}) {
        ASSERT_EQ(Send(TB_BUTTONCOUNT), 8);
        for (int i = 0; i < 8; ++i) {
            TBBUTTON button{};
            Send(TB_GETBUTTON, WPARAM(i), &button);
            EXPECT_EQ(button.idCommand, bar.id + 1 + i) << i;  // numbered as the bar built them
            EXPECT_EQ(button.iBitmap, images[i]) << i;
            EXPECT_EQ(button.fsStyle, i == 3 ? TBSTYLE_SEP : TBSTYLE_BUTTON) << i;
            EXPECT_EQ(button.fsState, rebuilt && i == 1 ? 0 : TBSTATE_ENABLED) << i;
        }
        bar.Rebuild();
    }
    EXPECT_EQ(ImageList_GetImageCount(imageList), 15 + 8);
}

// A click reaches the item's hook; the button (showText) and the tooltip show the item's
// text, cut to fit its buffer.
TEST_F(ToolBarTest, ClicksAndTooltipsReachTheItems) {
    bar.showText = true;
    ToolBarItem& open = Item(7);
    open.toolTipText = "Apri";
    open.onCommand = [](GUIElement* sender) { Record("command " + sender->toolTipText); };
    ToolBarItem& longText = Item(8);
    longText.toolTipText = std::string(3000, 'x');
    bar.Create();
    RECT rect{};
    Send(TB_GETITEMRECT, 0, &rect);
    const LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(bar.handle, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(bar.handle, WM_LBUTTONUP, 0, centre);
    EXPECT_EQ(Log(), Lines{"command Apri"});
    wchar_t shown[8] = {};
    Send(TB_GETBUTTONTEXTW, WPARAM(open.id), shown);
    EXPECT_STREQ(shown, L"Apri");
    NMTTDISPINFOW info{};
    info.hdr.idFrom = UINT_PTR(longText.id);
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(form.handle, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(info.lpszText, std::wstring(2023, L'x'));
    EXPECT_EQ(longText.label.data(), std::wstring(2023, L'x'));
}

// Only the first hundred items become buttons. A strip loaded whole is a bitmap of the bar's
// own, released with it (on a bar aligned right, bordered, not resizing itself).
TEST_F(ToolBarTest, AHundredButtonsAtMostAndMappedBitmapsGoWithTheBar) {
    for (int i = 0; i < 100; ++i) Item(6);
    ToolBarItem& logo = Item();
    logo.bitmapResource = IDB_LOGO;
    auto mapped = std::make_unique<ToolBar>(&form);
    mapped->AddItem(&logo);
    bar.Create();
    EXPECT_EQ(std::make_pair(Send(TB_BUTTONCOUNT), logo.created),
              std::make_pair(LRESULT(100), false));
    mapped->alignTop = mapped->autoSize = false;
    mapped->alignRight = mapped->border = true;
    EXPECT_EQ(CreationStyle(*mapped), 0x508001C7u);
    ASSERT_EQ(mapped->mappedBitmaps.size(), 1u);
    const HBITMAP bitmap = mapped->mappedBitmaps[0].Get();
    EXPECT_EQ(std::make_pair(GetObjectType(bitmap), logo.imageIndex),
              std::make_pair(DWORD(OBJ_BITMAP), 15));
    mapped.reset();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

}  // namespace
}  // namespace OrvUtility
