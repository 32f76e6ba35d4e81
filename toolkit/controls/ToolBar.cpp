#include "toolkit/controls/ToolBar.h"

#include "toolkit/controls/NativeControl.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/ToolTip.h"

#include <algorithm>
#include <array>

namespace OrvUtility {

namespace {

HINSTANCE ProgramModule() {
    return GetModuleHandleW(nullptr);
}

}  // namespace

ToolBar::ToolBar(GUIElement* parentElement) : Child(parentElement) {
    typeName = "toolbar";
    width = 190;
    height = 25;
}

ToolBar::~ToolBar() {
    DestroyOwnWindow();
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
