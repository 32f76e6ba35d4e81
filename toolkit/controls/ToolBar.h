#pragma once
// The native toolbar and its buttons. Items have no windows: the toolbar turns its ordered item
// list into native buttons in one pass (Rebuild), and a click reaches the item's `onCommand`
// through the shared window procedure. An item's tooltip text is also its button text.

#include "toolkit/core/Colour.h"
#include "toolkit/core/GUIElement.h"
#include "toolkit/core/GdiGuards.h"
#include "toolkit/core/ToolTip.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

namespace OrvUtility {

class ToolBarItem;

class ToolBar : public Child {
public:
    explicit ToolBar(GUIElement* parentElement);
    ~ToolBar() override;

    void Create() override;

    // Appends a button; nothing shows before the next Rebuild.
    void AddItem(ToolBarItem* item);
    // Replaces every native button with one per item (the first MaxButtons), with the items'
    // current enabled states. Images resolved once are kept, so no bitmap is added twice.
    void Rebuild();

    // Shows every image `factor` times as wide and high, each pixel a square of its colour
    // (a whole factor chosen from the screen's DPI); 1 shows them as they are. Images are
    // added at their own size and enlarged afterwards.
    void SetImageFactor(int factor);

    static constexpr std::size_t MaxButtons = 100;

    // The common controls' own small colour images, indexes 0-14 (new = 6, open = 7, save = 8).
    TBADDBITMAP standardBitmap{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    std::vector<ToolBarItem*> items;  // display order; not owned
    bool flat = false;
    bool autoSize = true;
    bool alignTop = true;
    bool alignBottom = false;
    bool alignLeft = false;
    bool alignRight = false;
    bool border = false;
    bool showText = false;
    std::vector<GdiObject<HBITMAP>> mappedBitmaps;  // released with the toolbar
    int imageFactor = 1;  // see SetImageFactor

private:
    DWORD WindowStyle() const;
    // The image list index for an item whose image is not chosen yet; `lastBase` is where the
    // strip most recently added in this rebuild starts.
    int ResolveImage(const ToolBarItem& item, int& lastBase);
    void ApplyImageFactor();

    // The toolbar's own list, which its images were added to (the toolbar's to destroy), and
    // its enlarged copy while one is shown (ours).
    HIMAGELIST ownImages = nullptr;
    HIMAGELIST enlargedImages = nullptr;
};

class ToolBarItem : public Child, public CommandElement {
public:
    explicit ToolBarItem(ToolBar* toolBar);

    // Takes an id and fills `label` from the tooltip text; no window.
    void Create() override;

    static constexpr std::size_t LabelCapacity = ToolTipTextLimit + 1;  // text and terminator

    std::vector<wchar_t> label = std::vector<wchar_t>(LabelCapacity, L'\0');
    std::int32_t imageIndex = 0;       // 0 = not resolved yet
    std::uint32_t bitmapResource = 0;  // strip holding the image; 0 = none
    std::int32_t bitmapCount = 0;      // images in the strip; 0 = one mapped bitmap
    std::int32_t imageOffset = 0;      // index within the strip last added in the same rebuild
    Colour maskColour = 0;             // mapped to the button face in a mapped bitmap
    BYTE buttonStyle = 0;              // TBSTYLE_BUTTON or TBSTYLE_SEP
};

}  // namespace OrvUtility
