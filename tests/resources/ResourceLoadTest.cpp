// The compiled resource script, loaded through the Windows API as the program
// loads it: the atlas as a section bitmap, the icons, the strip and the logo; and the
// version resources of the built Tessaly.exe and installer, as Properties, Details reads them.

#include "app/AtlasResource.h"
#include "app/rules/ProductInfo.h"
#include "model/GlyphAtlas.h"
#include "resources/ResourceIds.h"
#include "support/CommittedAtlas.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
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
    std::vector<int> ids = {IDI_APP, IDI_DOCUMENT};
    for (int id = IDI_COLOUR_NERO; id <= IDI_PAIR_41; ++id) ids.push_back(id);
    for (int id : ids) {
        EXPECT_NE(LoadIconW(Module(), MAKEINTRESOURCEW(id)), nullptr) << id;
        EXPECT_EQ(IconPixels(id, 16).size(), 256u) << id;
    }
    EXPECT_EQ(IconPixels(IDI_APP, 32).size(), 1024u);  // the application icon has a large image
}

// The program's and the drawings' icons hold an image for every size the shell asks for, from
// the small icon at 100% to the 256 pixels of its largest view, which is a PNG; each loads at
// its size, and the sizes not drawn are the 32-pixel drawing with square pixels, not a blur.
TEST(ResourceLoad, ProgramAndDrawingIconsHoldEverySizeUpTo256AsPng) {
    const int sizes[] = {16, 20, 24, 32, 40, 48, 64, 256};
    for (const int id : {IDI_APP, IDI_DOCUMENT}) {
        HRSRC found =
            FindResourceW(Module(), MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        ASSERT_NE(found, nullptr) << id;
        const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
        const int count = group[4] | group[5] << 8;
        std::vector<int> held;
        for (int i = 0; i < count; ++i) {
            const BYTE* entry = group + 6 + 14 * i;  // GRPICONDIRENTRY, packed
            const int size = entry[0] ? entry[0] : 256;
            held.push_back(size);
            HRSRC image = FindResourceW(Module(), MAKEINTRESOURCEW(entry[12] | entry[13] << 8),
                                        RT_ICON);
            ASSERT_NE(image, nullptr) << id << " at " << size;
            const auto* bytes =
                static_cast<const BYTE*>(LockResource(LoadResource(Module(), image)));
            if (size == 256) {
                EXPECT_EQ(std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8), 0) << id;
            } else {
                BITMAPINFOHEADER header{};
                std::memcpy(&header, bytes, sizeof header);
                EXPECT_EQ(std::make_tuple(header.biSize, header.biWidth, header.biBitCount),
                          std::make_tuple(DWORD(40), LONG(size), WORD(32))) << id;
            }
            EXPECT_EQ(IconPixels(id, size).size(), std::size_t(size * size)) << id << " at " << size;
        }
        EXPECT_EQ(held, std::vector<int>(std::begin(sizes), std::end(sizes))) << id;

        const std::vector<std::uint32_t> drawn = IconPixels(id, 32);
        for (const int size : {64, 256}) {
            const std::vector<std::uint32_t> large = IconPixels(id, size);
            ASSERT_EQ(large.size(), std::size_t(size * size)) << id;
            const int factor = size / 32;
            int unlike = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    unlike += large[std::size_t(y * size + x)] !=
                              drawn[std::size_t(y / factor * 32 + x / factor)];
                }
            }
            EXPECT_EQ(unlike, 0) << id << " at " << size;
        }
    }
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

// A file's version resource as Explorer reads it: the fixed numbers and the texts of the first
// language it lists.
struct VersionResource {
    std::vector<BYTE> data;
    std::wstring block;  // the texts' folder, "\\StringFileInfo\\" language code page "\\"

    explicit VersionResource(const wchar_t* path) {
        const DWORD size = GetFileVersionInfoSizeW(path, nullptr);
        data.resize(size);
        if (size == 0 || !GetFileVersionInfoW(path, 0, size, data.data())) data.clear();
        const WORD* translation = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation"));
        wchar_t name[40] = L"";
        if (translation)
            swprintf(name, 40, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
        block = name;
    }
    const void* Query(const std::wstring& path) const {
        void* value = nullptr;
        UINT length = 0;
        if (data.empty() || !VerQueryValueW(data.data(), path.c_str(), &value, &length)) return nullptr;
        return length ? value : nullptr;
    }
    std::wstring Text(const wchar_t* key) const {
        const void* text = block.empty() ? nullptr : Query(block + key);
        return text ? static_cast<const wchar_t*>(text) : L"<none>";
    }
    const VS_FIXEDFILEINFO* Fixed() const {
        return static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\"));
    }
};

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

TEST(ResourceLoad, ProgramAndInstallerCarryTheAboutBoxVersionAndTheMaker) {
    EXPECT_STREQ(ProductVersion, "Versione 1.0");
    struct File {
        std::wstring path, description;
    };
    std::vector<File> files = {{Wide(TESSALY_EXE), L"Orv Tessaly - disegni a caratteri"}};
#ifdef TESSALY_SETUP
    files.push_back({Wide(TESSALY_SETUP), L"Orv Tessaly - installazione"});
#endif
    for (const File& file : files) {
        SCOPED_TRACE(std::string(file.path.begin(), file.path.end()));
        const VersionResource version(file.path.c_str());
        ASSERT_FALSE(version.block.empty());
        // The texts the About box's "Versione 1.0" is made of, and four numbers that say the same.
        EXPECT_EQ(L"Versione " + version.Text(L"FileVersion"), Wide(ProductVersion));
        EXPECT_EQ(version.Text(L"ProductVersion"), version.Text(L"FileVersion"));
        const VS_FIXEDFILEINFO* fixed = version.Fixed();
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                      std::to_wstring(LOWORD(fixed->dwFileVersionMS)),
                  version.Text(L"FileVersion"));
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(version.Text(L"CompanyName"), L"Orv");
        EXPECT_EQ(version.Text(L"ProductName"), L"Orv Tessaly");
        EXPECT_EQ(version.Text(L"FileDescription"), file.description);
        EXPECT_EQ(version.Text(L"LegalCopyright"), L"\u00A9 2026 Orv");  // one character, not two
    }
    const VersionResource program(Wide(TESSALY_EXE).c_str());
    EXPECT_EQ(program.block, L"\\StringFileInfo\\041004b0\\");  // Italian, UTF-16
    EXPECT_EQ(program.Text(L"OriginalFilename"), L"Tessaly.exe");
    EXPECT_EQ(program.Text(L"InternalName"), L"Tessaly");
}

}  // namespace
}  // namespace MyApp
