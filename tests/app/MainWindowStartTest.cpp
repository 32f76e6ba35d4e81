#include "MainWindowTesting.h"

namespace MyApp::Testing {
namespace {

TEST_F(MainWindowTest, Smoke) {
    EXPECT_TRUE(form->created);
    EXPECT_EQ(form->paletteCells.size(), 131u);
    Open(WriteDrawing("a.art", L"AB..", 2));
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{});
    EXPECT_EQ(form->Editor().Grid().Width(), 2);
    EXPECT_TRUE(form->cellControls[0]->handle != nullptr);
}

}  // namespace
}  // namespace MyApp::Testing
