#include "GlyphShapes.h"

#include "model/CellCode.h"

#include <cstdlib>

namespace MyApp::Generator {

namespace {

enum Arm : unsigned { Up = 1, Down = 2, Left = 4, Right = 8 };

// Single stroke: a vertical bar at x 6..9, a horizontal bar at y 10..11. Each
// arm runs from its edge across the other bar, so the pieces join squarely.
Mask SinglePiece(unsigned arms) {
    Mask mask(CellWidth, CellHeight);
    if (arms & Up) mask.Fill(6, 0, 9, 11);
    if (arms & Down) mask.Fill(6, 10, 9, 23);
    if (arms & Left) mask.Fill(0, 10, 9, 11);
    if (arms & Right) mask.Fill(6, 10, 15, 11);
    return mask;
}

// Double stroke: vertical bars at x 2..5 and 10..13, horizontal bars at y 8..9
// and 14..15. Each piece is the set of bar pieces below; an arm's two lines
// stop where they meet the lines of the neighbouring arm, as in a ruled frame.
struct DoubleBars {
    Mask mask{CellWidth, CellHeight};
    DoubleBars& LeftBar(int y0, int y1) { return Bar(2, y0, 5, y1); }
    DoubleBars& RightBar(int y0, int y1) { return Bar(10, y0, 13, y1); }
    DoubleBars& TopBar(int x0, int x1) { return Bar(x0, 8, x1, 9); }
    DoubleBars& BottomBar(int x0, int x1) { return Bar(x0, 14, x1, 15); }
    DoubleBars& Bar(int x0, int y0, int x1, int y1) {
        mask.Fill(x0, y0, x1, y1);
        return *this;
    }
};

Mask DoublePiece(int glyph) {
    DoubleBars bars;
    // The four inner corners a tee or cross is made of.
    const auto upperLeft = [&] { bars.LeftBar(0, 9).TopBar(0, 5); };
    const auto upperRight = [&] { bars.RightBar(0, 9).TopBar(10, 15); };
    const auto lowerLeft = [&] { bars.LeftBar(14, 23).BottomBar(0, 5); };
    const auto lowerRight = [&] { bars.RightBar(14, 23).BottomBar(10, 15); };
    switch (glyph) {
        case 12: bars.RightBar(0, 23); upperLeft(); lowerLeft(); break;    // up, down, left
        case 13: bars.LeftBar(0, 23).RightBar(0, 23); break;               // vertical line
        case 14: bars.TopBar(0, 13).RightBar(8, 23); lowerLeft(); break;   // down, left
        case 15: bars.BottomBar(0, 13).RightBar(0, 15); upperLeft(); break;  // up, left
        case 16: bars.BottomBar(2, 15).LeftBar(0, 15); upperRight(); break;  // up, right
        case 17: bars.TopBar(2, 15).LeftBar(8, 23); lowerRight(); break;   // down, right
        case 18: bars.BottomBar(0, 15); upperLeft(); upperRight(); break;  // up, left, right
        case 19: bars.TopBar(0, 15); lowerLeft(); lowerRight(); break;     // down, left, right
        case 20: bars.LeftBar(0, 23); upperRight(); lowerRight(); break;   // up, down, right
        case 21: bars.TopBar(0, 15).BottomBar(0, 15); break;               // horizontal line
        case 22: upperLeft(); upperRight(); lowerLeft(); lowerRight(); break;  // cross
        default: break;
    }
    return bars.mask;
}

// Column 0: a single stroke from the left edge to x 11 that turns down at
// x 8..11 and stops at y 17.
Mask Hook() {
    Mask mask(CellWidth, CellHeight);
    mask.Fill(0, 10, 11, 11);
    mask.Fill(8, 10, 11, 17);
    return mask;
}

// Diagonal stripes two pixels wide, one every six pixels.
Mask Shade() {
    Mask mask(CellWidth, CellHeight);
    for (int y = 0; y < CellHeight; ++y) {
        for (int x = 0; x < CellWidth; ++x) mask.Set(x, y, (x + y) % 6 < 2);
    }
    return mask;
}

Mask Block(int x0, int y0, int x1, int y1) {
    Mask mask(CellWidth, CellHeight);
    mask.Fill(x0, y0, x1, y1);
    return mask;
}

// A pixel belongs to a half-cell triangle when its centre lies on that side of
// the diagonal. In units of half pixels no centre falls on either diagonal.
Mask Triangle(int glyph) {
    Mask mask(CellWidth, CellHeight);
    for (int y = 0; y < CellHeight; ++y) {
        for (int x = 0; x < CellWidth; ++x) {
            // Centre (x + 1/2, y + 1/2) against the diagonals of the 16 x 24 tile.
            const bool belowRising = 6 * x + 4 * y > 91;  // past top-right to bottom-left
            const bool aboveFalling = 4 * y < 6 * x + 1;  // above top-left to bottom-right
            bool on = false;
            switch (glyph) {
                case 123: on = belowRising; break;
                case 124: on = aboveFalling; break;
                case 125: on = !belowRising; break;
                case 126: on = !aboveFalling; break;
                default: break;
            }
            mask.Set(x, y, on);
        }
    }
    return mask;
}

// Columns 127 and 128: a triangle on the right (left) edge whose tip reaches
// x 7 (x 8) in the two middle rows. Its slanted sides run from the edge's
// corners to the point (7, 12) (to (9, 12)); a pixel is in when its centre is.
Mask DiamondHalf(bool standsOnRight) {
    Mask mask(CellWidth, CellHeight);
    for (int y = 0; y < CellHeight; ++y) {
        const int distance = std::abs(2 * y - 23);  // from mid-height, in half pixels
        for (int x = 0; x < CellWidth; ++x) {
            const int fromEdge = standsOnRight ? x : CellWidth - 1 - x;
            mask.Set(x, y, 24 * fromEdge >= 156 + 9 * distance);
        }
    }
    return mask;
}

// Columns 129 and 130: a triangle hanging from the top edge (standing on the
// bottom edge), 14 pixels wide at the edge (x 1..14), narrowing by a pixel on
// each side for every one and a half rows to its two-pixel tip at y 9 (y 14).
Mask Notch(bool hangsFromTop) {
    Mask mask(CellWidth, CellHeight);
    for (int step = 0; step < 10; ++step) {
        const int inset = (2 * step + 1) / 3;
        const int y = hangsFromTop ? step : CellHeight - 1 - step;
        mask.Fill(1 + inset, y, 14 - inset, y);
    }
    return mask;
}

}  // namespace

std::optional<Mask> DrawnGlyph(int glyph) {
    static constexpr unsigned SingleArms[12] = {
        0,                         // 0: the hook, drawn apart
        Up | Down,                 // 1
        Up | Down | Left,          // 2
        Down | Left,               // 3
        Up | Right,                // 4
        Up | Left | Right,         // 5
        Down | Left | Right,       // 6
        Up | Down | Right,         // 7
        Left | Right,              // 8
        Up | Down | Left | Right,  // 9
        Up | Left,                 // 10
        Down | Right,              // 11
    };
    if (glyph == 0) return Hook();
    if (glyph >= 1 && glyph <= 11) return SinglePiece(SingleArms[glyph]);
    if (glyph >= 12 && glyph <= 22) return DoublePiece(glyph);
    switch (glyph) {
        case 23: return Shade();
        case 63: return Block(0, 0, 15, 11);
        case 64: return Block(0, 12, 15, 23);
        case 65: return Block(8, 0, 15, 11);
        case 66: return Block(8, 12, 15, 23);
        case 67: return Block(0, 0, 7, 11);
        case 68: return Block(0, 12, 7, 23);
        case 121: return Block(0, 0, 7, 23);
        case 122: return Block(8, 0, 15, 23);
        case 123: case 124: case 125: case 126: return Triangle(glyph);
        case 127: return DiamondHalf(true);
        case 128: return DiamondHalf(false);
        case 129: return Notch(true);
        case 130: return Notch(false);
        default: return std::nullopt;
    }
}

}  // namespace MyApp::Generator
