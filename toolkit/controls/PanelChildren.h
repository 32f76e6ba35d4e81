#pragma once
// The toolkit's own child window: a plain window of a class registered for it alone, which
// holds other elements, colours the native controls placed in it and can scroll with its own
// scroll bars (one unit is one pixel). The main window's drawing area is one; the cells and
// the palette entries are ImageFrames, which are panels too.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/GUIElement.h"
#include "toolkit/core/GdiGuards.h"
#include "toolkit/core/OwnWindowClass.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace OrvUtility {

class PanelChildren;

// Called after a scroll request that asked for a new position; `delta` = old - requested.
using ScrollHook = void (*)(PanelChildren* panel, int delta);

class PanelChildren : public Child, public PanelRole {
public:
    explicit PanelChildren(GUIElement* parentElement);
    ~PanelChildren() override;

    HBRUSH OnControlColour(HDC childContext) override;  // 20
    void Create() override;                             // 35

    void SetScrollRange(std::int32_t minimum, std::int32_t maximum);
    // Range 0..max + max/10 with a page of max/10 on that bar, whether or not it is shown.
    void SetVerticalRange(std::int32_t maximum);
    void SetHorizontalRange(std::int32_t maximum);
    void ScrollToLeft();
    void ScrollToTop();
    // Scrolls the least that shows the area (in the coordinates of the content, the place the
    // children have when nothing is scrolled) on each side that has a bar; as much of it as
    // fits when it is larger than the view, its start first.
    void ScrollIntoView(int left, int top, int right, int bottom);

    // Each stores the flag and, once the window exists, applies the new style to it.
    void SetBorder(bool withBorder, bool flat);
    void SetVerticalScroll(bool show);
    void SetHorizontalScroll(bool show);
    void ApplyStyle();

    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;

    bool OnScrollRequest(UINT message, WPARAM request) override;

    ScrollHook onVerticalScroll = nullptr;
    ScrollHook onHorizontalScroll = nullptr;
    bool border = false;
    bool flatBorder = false;
    bool verticalScroll = false;
    bool horizontalScroll = false;
    std::int32_t scrollMin = 0;
    std::int32_t scrollMax = 100;
    // How far a scroll-bar arrow moves the content, in pixels: a panel of cells moves a cell.
    int horizontalLine = 1;
    int verticalLine = 1;
    bool tabStop = true;
    HBRUSH childBrush = nullptr;  // the brush last handed to a child control
    Colour childTextColour = NoColour;
    Colour childBackColour = NoColour;
    bool popup = false;
    // Its children's areas are left out of its own painting (WS_CLIPCHILDREN): a panel covered
    // by children that paint themselves is not painted under them first.
    bool clipChildren = false;

protected:
    // The paint hook of the self-painting panels: it runs with `paintBackground` cleared, as
    // the panel has painted its own background already.
    void CallPaintHook();

private:
    void SetBarRange(int bar, int minimum, int maximum, int page);
    void ScrollBarToStart(int bar);
    // Moves the bar to `position` (kept within its range) and the content with it; answers the
    // old position minus the new one.
    int ScrollBarTo(int bar, int position);
    void MoveChildrenBy(int dx, int dy);

    OwnWindowClass ownClass;
    GdiObject<HBRUSH> ownedChildBrush;  // childBrush when it is not a system brush
};

}  // namespace OrvUtility
