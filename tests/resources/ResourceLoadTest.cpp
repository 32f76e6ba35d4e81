// The compiled resource script, loaded through the Windows API as the program
// loads it: the atlas as a section bitmap, the icons, the strip and the logo.

#include "app/AtlasResource.h"
#include "model/GlyphAtlas.h"
#include "resources/ResourceIds.h"
#include "support/CommittedAtlas.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace MyApp {
namespace {

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

BITMAP BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return info;
}

HBITMAP LoadSection(int id) {
    return static_cast<HBITMAP>(
        LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The program's atlas, read as the export composer reads it, holds the committed pixels.
TEST(ResourceLoad, AtlasLoadsAsA4BitSectionAndReadsAsTheCommittedPixels) {
    HBITMAP atlas = LoadAtlasBitmap(Module());
    ASSERT_NE(atlas, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(atlas, sizeof section, &section), int(sizeof section));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 4);
    EXPECT_NE(section.dsBm.bmBits, nullptr);
    const std::optional<AtlasImage> loaded = ReadAtlasImage(atlas);
    DeleteObject(atlas);
    ASSERT_TRUE(loaded);
    for (int y = 0; y < AtlasHeight; ++y) {
        ASSERT_EQ(std::memcmp(loaded->Row(y), Testing::Atlas().Row(y), AtlasWidth * 4), 0) << y;
    }

    HBITMAP logo = LoadSection(IDB_LOGO);  // not the atlas's size
    EXPECT_FALSE(ReadAtlasImage(logo));
    DeleteObject(logo);
}

TEST(ResourceLoad, LogoAndToolbarStripLoadAtTheirSizes) {
    for (const SIZE& size : {SIZE{164, 50}, SIZE{128, 16}}) {
        HBITMAP bitmap = LoadSection(size.cx == 164 ? IDB_LOGO : IDB_TOOLBAR);
        EXPECT_EQ(BitmapPixels(bitmap).size(), std::size_t(size.cx * size.cy));
        EXPECT_EQ(BitmapSize(bitmap).bmWidth, size.cx);
        DeleteObject(bitmap);
    }
    // As the toolbar loads the strip, its grey background becomes the button face.
    HBITMAP mapped = CreateMappedBitmap(Module(), IDB_TOOLBAR, 0, nullptr, 0);
    const std::vector<std::uint32_t> strip = BitmapPixels(mapped);
    DeleteObject(mapped);
    ASSERT_EQ(strip.size(), 128u * 16);
    EXPECT_EQ(strip[0], GetSysColor(COLOR_BTNFACE));
    // Image 4, the left arrow, is dark at its middle row.
    EXPECT_EQ(strip[7 * 128 + 4 * 16 + 8], GetSysColor(COLOR_BTNTEXT));
}

// The icon drawn at 16 x 16, as 0x00BBGGRR pixels, top row first.
std::vector<std::uint32_t> IconPixels(int id, int size) {
    HICON icon = static_cast<HICON>(
        LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
    if (!icon) return {};
    ICONINFO info{};
    std::vector<std::uint32_t> pixels;
    if (GetIconInfo(icon, &info)) {
        if (BitmapSize(info.hbmColor).bmWidth == size) pixels = BitmapPixels(info.hbmColor);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return pixels;
}

TEST(ResourceLoad, EveryIconLoadsTheWayTheProgramLoadsIt) {
    std::vector<int> ids = {IDI_APP};
    for (int id = IDI_COLOUR_NERO; id <= IDI_PAIR_41; ++id) ids.push_back(id);
    for (int id : ids) {
        EXPECT_NE(LoadIconW(Module(), MAKEINTRESOURCEW(id)), nullptr) << id;
        EXPECT_EQ(IconPixels(id, 16).size(), 256u) << id;
    }
    EXPECT_EQ(IconPixels(IDI_APP, 32).size(), 1024u);  // the application icon has a large image
}

TEST(ResourceLoad, SwatchIconsShowTheirColoursInAGreyFrame) {
    const std::uint32_t frame = 0x808080;
    for (const BackgroundChoice& choice : BackgroundChoices) {
        const std::vector<std::uint32_t> pixels = IconPixels(choice.swatchIcon, 16);
        ASSERT_EQ(pixels.size(), 256u) << choice.label;
        EXPECT_EQ(pixels[0], frame) << choice.label;
        EXPECT_EQ(pixels[8 * 16 + 8], BackgroundRgb(choice.pair).ColourRef()) << choice.label;
    }
    for (int pair = 0; pair < PairCount; ++pair) {
        const std::vector<std::uint32_t> pixels = IconPixels(IDI_PAIR_00 + pair, 16);
        ASSERT_EQ(pixels.size(), 256u) << pair;
        EXPECT_EQ(pixels[15 * 16 + 15], frame) << pair;
        EXPECT_EQ(pixels[2 * 16 + 2], BackgroundRgb(pair).ColourRef()) << pair;
        EXPECT_EQ(pixels[3 * 16 + 5], ForegroundRgb(pair).ColourRef()) << pair;  // the F's corner
        EXPECT_EQ(pixels[12 * 16 + 9], BackgroundRgb(pair).ColourRef()) << pair;  // beside its foot
    }
}

}  // namespace
}  // namespace MyApp
