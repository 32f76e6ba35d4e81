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
#include <utility>
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

// The program's and the drawings' icons hold an image for every size the shell asks for, the
// 256 pixels as a PNG; each loads at its size, and 64 and 256 are the 32-pixel drawing with
// square pixels, not a blur.
TEST(ResourceLoad, ProgramAndDrawingIconsHoldEverySizeUpTo256AsPng) {
    for (const int id : {IDI_APP, IDI_DOCUMENT}) {
        HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        ASSERT_NE(found, nullptr) << id;
        const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
        std::vector<int> held;
        for (const BYTE* entry = group + 6; entry < group + 6 + 14 * group[4]; entry += 14) {
            held.push_back(entry[0] ? entry[0] : 256);  // GRPICONDIRENTRY: width, ..., id
            const int imageId = entry[12] | entry[13] << 8;
            HRSRC image = FindResourceW(Module(), MAKEINTRESOURCEW(imageId), RT_ICON);
            ASSERT_NE(image, nullptr) << id;
            const void* bytes = LockResource(LoadResource(Module(), image));
            EXPECT_EQ(std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0, held.back() == 256) << id;
            EXPECT_EQ(IconPixels(id, held.back()).size(), std::size_t(held.back() * held.back()));
        }
        EXPECT_EQ(held, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256})) << id;
        const std::vector<std::uint32_t> drawn = IconPixels(id, 32);
        for (const int size : {64, 256}) {
            std::vector<std::uint32_t> enlarged;
            for (int i = 0; i < size * size; ++i) {
                const int x = i % size * 32 / size, y = i / size * 32 / size;
                enlarged.push_back(drawn[std::size_t(y * 32 + x)]);
            }
            EXPECT_TRUE(IconPixels(id, size) == enlarged) << id << " at " << size;
        }
    }
}

// A file's version resource as Properties, Details reads it: the fixed numbers ("\\") and the
// texts of the first language it lists.
struct VersionResource {
    std::vector<BYTE> data;
    explicit VersionResource(const char* path) {
        const std::wstring name(path, path + std::strlen(path));
        data.resize(GetFileVersionInfoSizeW(name.c_str(), nullptr));
        if (!GetFileVersionInfoW(name.c_str(), 0, DWORD(data.size()), data.data())) data.clear();
    }
    template <typename T>
    const T* Query(const std::wstring& path) const {
        void* value = nullptr;
        UINT length = 0;
        const bool found =
            !data.empty() && VerQueryValueW(data.data(), path.c_str(), &value, &length);
        return found && length ? static_cast<const T*>(value) : nullptr;
    }
    std::wstring Text(const wchar_t* key) const {
        const WORD* language = Query<WORD>(L"\\VarFileInfo\\Translation");
        wchar_t block[40] = L"";
        if (language)
            swprintf(block, 40, L"\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
        const wchar_t* text = language ? Query<wchar_t>(block + std::wstring(key)) : nullptr;
        return text ? text : L"<none>";
    }
};

TEST(ResourceLoad, ProgramAndInstallerCarryTheAboutBoxVersionAndTheMaker) {
    EXPECT_STREQ(ProductVersion, "Versione 1.0");
    const std::wstring version(ProductVersion + std::strlen("Versione "),
                               ProductVersion + std::strlen(ProductVersion));
    std::vector<std::pair<const char*, const wchar_t*>> files = {
        {TESSALY_EXE, L"Orv Tessaly - disegni a caratteri"}};
#ifdef TESSALY_SETUP
    files.emplace_back(TESSALY_SETUP, L"Orv Tessaly - installazione");
#endif
    for (const auto& [path, description] : files) {
        const VersionResource file(path);
        const auto* fixed = file.Query<VS_FIXEDFILEINFO>(L"\\");
        ASSERT_NE(fixed, nullptr) << path;
        // Four numbers that say what the About box says, and the texts Details shows.
        EXPECT_EQ(std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                      std::to_wstring(LOWORD(fixed->dwFileVersionMS)), version) << path;
        EXPECT_EQ(std::make_pair(fixed->dwFileVersionLS, fixed->dwProductVersionMS),
                  std::make_pair(DWORD(0), fixed->dwFileVersionMS)) << path;
        for (const auto& [key, text] : {std::pair{L"FileVersion", version.c_str()},
                                        {L"ProductVersion", version.c_str()},
                                        {L"CompanyName", L"Orv"},
                                        {L"ProductName", L"Orv Tessaly"},
                                        {L"FileDescription", description},
                                        {L"LegalCopyright", L"\u00A9 2026 Orv"}}) {
            EXPECT_EQ(file.Text(key), text) << path;
        }
    }
    EXPECT_EQ(VersionResource(TESSALY_EXE).Text(L"OriginalFilename"), L"Tessaly.exe");
}

// The manifest Windows reads at start, as the built program carries it: themed controls, aware
// of each monitor's DPI with the older settings behind, every system from 7 on, long paths.
TEST(ResourceLoad, ProgramCarriesItsManifest) {
    const HMODULE program = LoadLibraryExA(TESSALY_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    ASSERT_NE(bytes, nullptr);
    const std::string manifest(bytes, SizeofResource(program, found));
    FreeLibrary(program);
    for (const char* part :
         {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          "publicKeyToken=\"6595b64144ccf1df\"",
          ">PerMonitorV2, PerMonitor</dpiAwareness>", ">true/pm</dpiAware>",
          ">true</longPathAware>", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
          "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "level=\"asInvoker\""}) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
}

}  // namespace
}  // namespace MyApp
