#pragma once
// A self-painted single line of text on its own background, with an optional corner mark and
// an optional bitmap. The About box's links are cells: blue, left-aligned, with the hand
// cursor; their clicks reach the owner through the element's mouse hooks.

#include "toolkit/controls/PanelChildren.h"

#include <cstdint>
#include <string>

namespace OrvUtility {

class CellControl : public PanelChildren {
public:
    explicit CellControl(GUIElement* parentElement);

    void SetText(const std::wstring& newText) override;  // 2
    void SetText(const std::string& newText) override;   // 3
    void OnPaint() override;                             // 19

    // Each stores the value and, once the window exists, has the cell repainted.
    void SetTextColour(Colour colour);
    void SetTextAlign(std::int32_t alignment);

    HBITMAP image = nullptr;          // the owner's
    std::int32_t imageAlign = 1;      // 1 right, 2 centred, otherwise left
    std::int32_t imageWidth = 0;      // 0 (or imageHeight 0): the bitmap's own size
    std::int32_t imageHeight = 0;
    bool showMark = false;            // the corner mark "*"
    bool bold = false;
    bool underline = false;
    bool italic = false;
    std::string fontName = "Tahoma";
    std::int32_t fontSize = 14;
    std::int32_t textAlign = 2;       // 0 left, 1 right, 2 centred
    Colour textColour = 0;

private:
    void Invalidate();
    void PaintCell();
};

}  // namespace OrvUtility
