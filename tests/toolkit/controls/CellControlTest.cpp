// Cell controls paint their text, mark and image themselves: checked on the painted window.

#include "ToolkitTesting.h"

#include "toolkit/controls/CellControl.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuards.h"

namespace OrvUtility {
namespace {

using namespace Testing;
using CellControlTest = ToolkitTest;

constexpr Colour Blue = 0xFF0000, White = 0xFFFFFF, Red = 0x0000FF;

struct PaintedCell {
    explicit PaintedCell(Form& form) : cell(&form) {
        cell.backColour = White;
        cell.paintBackground = true;
        cell.textColour = Blue;
        cell.SetPosition(0, 0);
        cell.SetSize(200, 22);
        cell.Create();
    }
    Ink Painted(Colour colour) {
        InvalidateRect(cell.handle, nullptr, TRUE);
        UpdateWindow(cell.handle);
        return WindowInk(cell.handle, colour);
    }
    CellControl cell;
};

TEST_F(CellControlTest, TextLiesWhereItsAlignmentSaysAndTheMarkInTheCorner) {
    Form form(Module());
    form.SetSize(640, 480);
    form.Create();
    PaintedCell painted(form);
    CellControl& cell = painted.cell;
    cell.SetText("WWW");
    const struct { int align; int left, right; } cases[] = {
        {0, 0, 60}, {1, 140, 199}, {2, 70, 130}, {7, 0, 60},
    };
    for (const auto& c : cases) {
        cell.SetTextAlign(c.align);
        const Ink ink = painted.Painted(Blue);
        EXPECT_GT(ink[0], 20) << c.align;
        EXPECT_GE(ink[1], c.left) << c.align;
        EXPECT_LE(ink[3], c.right) << c.align;
    }
    const Ink centred = (cell.SetTextAlign(2), painted.Painted(Blue));
    EXPECT_LE(std::abs((centred[1] + centred[3]) / 2 - 100), 2);

    // The text centred on the line height: as much room above as below.
    const Ink text = painted.Painted(Blue);
    EXPECT_LE(std::abs(text[2] - (21 - text[4])), 4);

    // Empty text with the mark: ink only in the bottom right square of the line's height.
    cell.SetText(std::wstring());
    EXPECT_EQ(painted.Painted(Blue)[0], 0);
    cell.showMark = true;
    const Ink mark = painted.Painted(Blue);
    EXPECT_GT(mark[0], 0);
    EXPECT_GE(mark[1], 200 - 22);
}

TEST_F(CellControlTest, TheElementFontWinsOverTheOwnFont) {
    Form form(Module());
    form.SetSize(640, 480);
    form.Create();
    PaintedCell painted(form);
    painted.cell.SetText("WWW");
    const int ownWidth = painted.Painted(Blue)[3] - painted.Painted(Blue)[1];
    Font large("Arial", 20);
    painted.cell.font = &large;
    const int largeWidth = painted.Painted(Blue)[3] - painted.Painted(Blue)[1];
    EXPECT_GT(largeWidth, ownWidth + 5);
}

TEST_F(CellControlTest, ANewTextOrColourRepaintsOnlyOnceTheWindowExists) {
    Form form(Module());
    form.SetSize(640, 480);
    form.Create();
    CellControl cell(&form);
    cell.SetPosition(0, 0);
    cell.SetText("before");  // stored only
    cell.Create();
    EXPECT_EQ(cell.GetText(), L"before");
    UpdateWindow(cell.handle);
    EXPECT_FALSE(GetUpdateRect(cell.handle, nullptr, FALSE));
    cell.SetText(std::string("after"));
    EXPECT_TRUE(GetUpdateRect(cell.handle, nullptr, FALSE));
    UpdateWindow(cell.handle);
    cell.SetTextColour(Red);
    EXPECT_TRUE(GetUpdateRect(cell.handle, nullptr, FALSE));
    UpdateWindow(cell.handle);
    EXPECT_GT(WindowInk(cell.handle, Red)[0], 10);
}

}  // namespace
}  // namespace OrvUtility
