#include "toolkit/controls/ToolBar.h"

#include "toolkit/controls/NativeControl.h"
#include "toolkit/core/Drawing.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/ToolTip.h"

#include <algorithm>
#include <array>

namespace OrvUtility {

namespace {

HINSTANCE ProgramModule() {
    return GetModuleHandleW(nullptr);
}

// A copy of `images` with each image `factor` times as large, pixels and mask alike, or none.
// Each image is taken out as an icon: the list's own bitmaps stay selected in its contexts.
HIMAGELIST EnlargedImageList(HIMAGELIST images, int factor) {
    int side = 0, sideHigh = 0;
    const int count = ImageList_GetImageCount(images);
    if (!ImageList_GetIconSize(images, &side, &sideHigh) || count <= 0) return nullptr;
    HIMAGELIST enlarged =
        ImageList_Create(side * factor, sideHigh * factor, ILC_COLOR32 | ILC_MASK, count, 0);
    if (!enlarged) return nullptr;
    for (int index = 0; index < count; ++index) {
        const HICON icon = ImageList_GetIcon(images, index, ILD_NORMAL);
        ICONINFO parts{};
        if (!icon || !GetIconInfo(icon, &parts)) {
            if (icon) DestroyIcon(icon);
            ImageList_Destroy(enlarged);
            return nullptr;
        }
        DestroyIcon(icon);
        const GdiObject<HBITMAP> colours(parts.hbmColor), mask(parts.hbmMask);
        const GdiObject<HBITMAP> bigColours(EnlargedBitmap(colours.Get(), factor));
        const GdiObject<HBITMAP> bigMask(EnlargedBitmap(mask.Get(), factor));
        if (!bigColours || !bigMask || ImageList_Add(enlarged, bigColours.Get(), bigMask.Get()) < 0) {
            ImageList_Destroy(enlarged);
            return nullptr;
        }
    }
    return enlarged;
}

}  // namespace

ToolBar::ToolBar(GUIElement* parentElement) : Child(parentElement) {
    typeName = "toolbar";
    width = 190;
    height = 25;
}

// The window goes first, so that it no longer shows the enlarged list destroyed after it.
ToolBar::~ToolBar() {
    DestroyOwnWindow();
    if (enlargedImages) ImageList_Destroy(enlargedImages);
}

void ToolBar::SetImageFactor(int factor) {
    imageFactor = std::max(1, factor);
    if (handle) ApplyImageFactor();
}

void ToolBar::ApplyImageFactor() {
    if (!ownImages) {
        if (imageFactor == 1) return;
        ownImages = reinterpret_cast<HIMAGELIST>(SendMessageW(handle, TB_GETIMAGELIST, 0, 0));
        if (!ownImages) return;
    }
    HIMAGELIST shown = imageFactor > 1 ? EnlargedImageList(ownImages, imageFactor) : nullptr;
    SendMessageW(handle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(shown ? shown : ownImages));
    if (enlargedImages) ImageList_Destroy(enlargedImages);
    enlargedImages = shown;
    SendMessageW(handle, TB_AUTOSIZE, 0, 0);
}

void ToolBar::AddItem(ToolBarItem* item) {
    items.push_back(item);
}

DWORD ToolBar::WindowStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_NODIVIDER;
    if (!autoSize) style |= CCS_NORESIZE;
    if (border) style |= WS_BORDER;
    if (flat) style |= TBSTYLE_FLAT;
    // The alignments are or-ed as they stand, as the native values combine.
    if (alignTop) style |= CCS_TOP;
    if (alignBottom) style |= CCS_BOTTOM;
    if (alignLeft) style |= CCS_LEFT;
    if (alignRight) style |= CCS_RIGHT;
    if (!alignTop && !alignBottom && !alignLeft && !alignRight) style |= CCS_NOPARENTALIGN;
    if (!enabled) style |= WS_DISABLED;
    return style;
}

void ToolBar::Create() {
    if (created) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    NativeControlStyle native;
    native.className = TOOLBARCLASSNAMEW;
    native.style = WindowStyle();
    CreateNativeControl(*this, native);
    FinishNativeControl(*this);
    SendMessageW(handle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(handle, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standardBitmap));
    Rebuild();
    if (imageFactor > 1) ApplyImageFactor();
}

int ToolBar::ResolveImage(const ToolBarItem& item, int& lastBase) {
    if (item.bitmapResource != 0 && item.bitmapCount != 0) {
        if (handle) {
            TBADDBITMAP strip{ProgramModule(), item.bitmapResource};
            lastBase = int(SendMessageW(handle, TB_ADDBITMAP, WPARAM(item.bitmapCount),
                                        reinterpret_cast<LPARAM>(&strip)));
        } else {
            lastBase = -1;
        }
        return lastBase + item.imageOffset;
    }
    if (item.bitmapResource != 0) {
        if (!handle) return -1;
        COLORMAP faceMap{static_cast<COLORREF>(item.maskColour), GetSysColor(COLOR_BTNFACE)};
        GdiObject<HBITMAP> bitmap(
            CreateMappedBitmap(ProgramModule(), INT_PTR(item.bitmapResource), 0, &faceMap, 1));
        TBADDBITMAP single{nullptr, reinterpret_cast<UINT_PTR>(bitmap.Get())};
        if (bitmap) mappedBitmaps.push_back(std::move(bitmap));
        return int(SendMessageW(handle, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&single)));
    }
    if (item.imageOffset > 0) return item.imageOffset + lastBase;
    return 0;
}

void ToolBar::Rebuild() {
    if (items.empty()) return;
    std::array<TBBUTTON, MaxButtons> buttons{};
    const std::size_t described = std::min(items.size(), MaxButtons);
    int lastBase = 0;
    for (std::size_t i = 0; i < described; ++i) {
        ToolBarItem& item = *items[i];
        item.Create();
        if (item.imageIndex == 0) item.imageIndex = ResolveImage(item, lastBase);
        TBBUTTON& button = buttons[i];
        button.idCommand = item.id;
        button.fsState = item.enabled ? TBSTATE_ENABLED : 0;
        button.fsStyle = item.buttonStyle;
        button.iBitmap = item.imageIndex;
        if (showText) button.iString = reinterpret_cast<INT_PTR>(item.label.data());
    }
    while (SendMessageW(handle, TB_DELETEBUTTON, 0, 0)) {
    }
    SendMessageW(handle, TB_ADDBUTTONSW, described, reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(handle, TB_AUTOSIZE, 0, 0);
}

ToolBarItem::ToolBarItem(ToolBar* toolBar) : Child(toolBar) {
    typeName = "toolbaritem";
}

void ToolBarItem::Create() {
    if (created) return;
    id = ++elementIdCounter;
    const std::wstring wide = ToolTipTextOf(toolTipText);
    std::fill(label.begin(), label.end(), L'\0');
    std::copy(wide.begin(), wide.end(), label.begin());
    created = true;
}

}  // namespace OrvUtility
