// Cell controls paint their text, mark and image themselves: checked on the painted window.

#include "ToolkitTesting.h"

#include "toolkit/controls/CellControl.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"

namespace OrvUtility {
namespace {

using namespace Testing;

constexpr Colour Blue = 0xFF0000, White = 0xFFFFFF;

class CellControlTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        cell.backColour = White;
        cell.paintBackground = true;
        cell.textColour = Blue;
        cell.SetPosition(0, 0);
        cell.SetSize(200, 22);
    }
    Ink Painted() {
        InvalidateRect(cell.handle, nullptr, TRUE);
        UpdateWindow(cell.handle);
        return WindowInk(cell.handle, Blue);
    }
    CellControl cell{&form};
};

TEST_F(CellControlTest, TextLiesWhereItsAlignmentSaysAndTheMarkInTheCorner) {
    cell.Create();
    cell.SetText("WWW");
    const struct { int align; int left, right; } cases[] = {
        {0, 0, 60}, {1, 140, 199}, {2, 70, 130}, {7, 0, 60},
    };
    for (const auto& c : cases) {
        cell.SetTextAlign(c.align);
        const Ink ink = Painted();
        EXPECT_GT(ink[0], 20) << c.align;
        EXPECT_GE(ink[1], c.left) << c.align;
        EXPECT_LE(ink[3], c.right) << c.align;
    }
    const Ink centred = (cell.SetTextAlign(2), Painted());
    EXPECT_LE(std::abs((centred[1] + centred[3]) / 2 - 100), 2);
    EXPECT_LE(std::abs(centred[2] - (21 - centred[4])), 4);  // as much room above as below

    Font large("Arial", 20);  // the element's font wins over the cell's own
    cell.font = &large;
    const Ink wide = Painted();
    EXPECT_GT(wide[3] - wide[1], centred[3] - centred[1] + 5);

    // Empty text with the mark: ink only in the bottom right square of the line's height.
    cell.font = nullptr;
    cell.SetText(std::wstring());
    EXPECT_EQ(Painted()[0], 0);
    cell.showMark = true;
    const Ink mark = Painted();
    EXPECT_GT(mark[0], 0);
    EXPECT_GE(mark[1], 200 - 22);
}

TEST_F(CellControlTest, ANewTextOrColourRepaintsOnlyOnceTheWindowExists) {
    cell.SetText("before");  // stored only
    cell.Create();
    EXPECT_EQ(cell.GetText(), L"before");
    for (int change = 0; change < 2; ++change) {
        UpdateWindow(cell.handle);
        EXPECT_FALSE(GetUpdateRect(cell.handle, nullptr, FALSE));
        if (change == 0) cell.SetText(std::string("after"));
        else cell.SetTextColour(Blue);
        EXPECT_TRUE(GetUpdateRect(cell.handle, nullptr, FALSE)) << change;
    }
}

}  // namespace
}  // namespace OrvUtility
