#include "MainWindowTesting.h"

#include "app/rules/ProductInfo.h"
#include "toolkit/core/RegistrySettings.h"
#include "toolkit/core/TextConversion.h"

namespace MyApp::Testing {
namespace {

using OrvUtility::Testing::scriptedServices;

// The window's outer left, top, right and bottom.
std::vector<LONG> Edges(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return {frame.left, frame.top, frame.right, frame.bottom};
}

class SettingsTest : public MainWindowTest {
protected:
    // The main window started again over `store`, the only copy running.
    void StartAgain() {
        form.reset();
        form = std::make_unique<FormMain>(OrvUtility::Testing::Module(), "Orv Tessaly prova", &store);
    }
    std::vector<std::wstring> RecentEntries() {
        std::vector<std::wstring> texts;
        const HMENU popup = form->recentMenu->popupHandle;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            wchar_t text[MAX_PATH + 8] = {};
            GetMenuStringW(popup, UINT(i), text, MAX_PATH + 8, MF_BYPOSITION);
            texts.push_back(text);
        }
        return texts;
    }
    OrvUtility::MemorySettings store;
    EditorSettings settings{store};
};

TEST_F(SettingsTest, ThePlaceIsTakenAtStartAsideFromARunningCopyAndRememberedAtExit) {
    settings.SetWindowPlace({{40, 30, 500, 400}, false});
    StartAgain();
    EXPECT_EQ(Edges(form->handle), (std::vector<LONG>{40, 30, 540, 430}));
    {
        const FormMain second(OrvUtility::Testing::Module(), "Orv Tessaly seconda", &store);
        const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
        EXPECT_EQ(Edges(second.handle), (std::vector<LONG>{40 + step, 30 + step, 540 + step, 430 + step}));
    }
    SetWindowPos(form->handle, nullptr, 70, 60, 600, 450, SWP_NOZORDER);
    ShowWindow(form->handle, SW_MAXIMIZE);
    form->SetZoom(3);
    Run(*form->exitItem, {}, {true});  // "&Esci": the window goes, the form stays
    ASSERT_FALSE(IsWindow(form->handle));
    StartAgain();
    EXPECT_TRUE(IsZoomed(form->handle));
    EXPECT_EQ(form->Zoom(), 3);  // and the canvas as it was left
    EXPECT_EQ(form->cellControls[0]->GetSize().cx, 3 * CellWidth);
    ShowWindow(form->handle, SW_RESTORE);
    EXPECT_EQ(Edges(form->handle), (std::vector<LONG>{70, 60, 670, 510}));

    // Its monitor gone: on the nearest one, whole.
    form.reset();
    settings.SetWindowPlace({{5000, -4000, 500, 400}, false});
    StartAgain();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(Edges(form->handle), (std::vector<LONG>{work.right - 500, work.top, work.right, work.top + 400}));
}

TEST_F(SettingsTest, TheFileMenuListsDrawingsOpenedAndSavedAndDropsOnesGone) {
    StartAgain();
    EXPECT_EQ(RecentEntries(), std::vector<std::wstring>{L"(nessuno)"});
    const std::filesystem::path a = WriteDrawing("a.art", L"AB..", 2), b = folder / "b.art";
    Open(a);
    Type(L"Z");
    Run(*form->saveAsItem, {b.wstring()});
    EXPECT_EQ(RecentEntries(), (std::vector<std::wstring>{L"&1 " + b.wstring(), L"&2 " + a.wstring()}));
    EXPECT_EQ(scriptedServices.recentDocuments, (std::vector<std::wstring>{b.wstring()}));
    // The same file in other capitals comes to the top, once.
    const std::wstring capitals = (folder.Path() / "A.ART").wstring();
    Open(capitals);
    EXPECT_EQ(RecentEntries(), (std::vector<std::wstring>{L"&1 " + capitals, L"&2 " + b.wstring()}));
    EXPECT_EQ(settings.RecentDrawings(), (std::vector<std::wstring>{capitals, b.wstring()}));

    std::filesystem::remove(b);
    EXPECT_EQ(Run(*form->recentItems[1], {}),
              std::vector<std::string>{"error: Errore: Il disegno non esiste pi\xF9:\n" +
                                       OrvUtility::Narrow(b.wstring())});
    EXPECT_EQ(RecentEntries(), std::vector<std::wstring>{L"&1 " + capitals});

    // Chosen with changes unsaved: the question first, as "&Apri" asks it.
    Open(WriteDrawing("c.art", L"Q", 1));
    Type(L"W");
    EXPECT_EQ(Run(*form->recentItems[1], {}, {false}),
              std::vector<std::string>{"question: Salva: Si desidera salvare le modifiche del file?"});
    EXPECT_EQ(form->FilePath(), capitals);
    EXPECT_EQ(Shown(0, 0), (CellCode{*GlyphForCharacter(L'A'), 8}));
}

// Through a key of its own, so that the program's settings are not touched.
TEST(RegistrySettings, RoundTripAndJunkValuesReadAsDefaults) {
    const std::wstring path = std::wstring(SettingsKey) + L"-prove";
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr), ERROR_SUCCESS);
    const auto set = [key](const wchar_t* name, DWORD type, const void* data, DWORD size) {
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    };
    const DWORD number = 500;
    set(L"WindowLeft", REG_SZ, L"10", 6);
    for (const wchar_t* name : {L"WindowTop", L"WindowWidth", L"WindowHeight"})
        set(name, REG_DWORD, &number, sizeof(number));
    set(L"Zoom", REG_BINARY, "\x03\x00", 2);
    set(L"Recent1", REG_DWORD, &number, sizeof(number));
    set(L"Recent2", REG_SZ, L"C:\\x.art", 16);  // without its terminating null
    set(L"Recent3", REG_SZ, L"c:\\X.ART", 18);  // the same file, older
    set(L"Recent4", REG_MULTI_SZ, L"D:\\y.art\0", 20);

    OrvUtility::RegistrySettings store(path);
    EditorSettings settings(store);
    EXPECT_FALSE(settings.WindowPlace());
    EXPECT_EQ(settings.Zoom(), 1);
    EXPECT_EQ(settings.RecentDrawings(), std::vector<std::wstring>{L"C:\\x.art"});
    for (const auto& [stored, read] : {std::pair{9u, 4}, std::pair{0u, 1}, std::pair{3u, 3}}) {
        set(L"Zoom", REG_DWORD, &stored, sizeof(stored));
        EXPECT_EQ(settings.Zoom(), read) << stored;
    }

    settings.SetWindowPlace({{-20, 30, 640, 480}, true});
    const auto place = settings.WindowPlace();
    ASSERT_TRUE(place);
    EXPECT_EQ((std::vector<int>{place->normal.x, place->normal.y, place->normal.width,
                                place->normal.height, place->maximised}),
              (std::vector<int>{-20, 30, 640, 480, 1}));
    const std::vector<std::wstring> recent{L"C:\\\u0394\u0436.art", L"D:\\b.art"};
    settings.SetRecentDrawings(recent);
    EXPECT_EQ(settings.RecentDrawings(), recent);
    EXPECT_EQ(RegQueryValueExW(key, L"Recent3", nullptr, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);

    // A key that cannot be made (a name longer than the registry takes): nothing, no error.
    OrvUtility::RegistrySettings unwritable(path + L"\\" + std::wstring(300, L'x'));
    EditorSettings unwritableSettings(unwritable);
    unwritableSettings.SetZoom(3);
    EXPECT_EQ(unwritableSettings.Zoom(), 1);
    RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
}

}  // namespace
}  // namespace MyApp::Testing
