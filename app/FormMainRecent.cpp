#include "app/FormMain.h"

#include "app/rules/RecentDrawings.h"
#include "files/ArtFile.h"
#include "toolkit/core/Services.h"
#include "toolkit/core/TextConversion.h"

#include <algorithm>
#include <filesystem>

namespace MyApp {

using namespace OrvUtility;

namespace {

constexpr const char* MissingDrawingMessage = "Il disegno non esiste pi\xF9:\n";

}  // namespace

// Made with every slot, so that the submenu is a popup from the start; ShowRecentDrawings
// then gives it the entries the list asks for.
void FormMain::BuildRecentMenu() {
    recentMenu = std::make_unique<SubMenu>(fileMenu.get(), "Disegni &recenti");
    noRecentItem = std::make_unique<SubMenu>(recentMenu.get(), "(nessuno)");
    noRecentItem->SetEnabled(false);
    for (auto& item : recentItems) {
        item = std::make_unique<SubMenu>(recentMenu.get(), "-");
        item->onCommand = MenuCommandHook;
    }
    recentDivider = std::make_unique<SubMenu>(fileMenu.get(), "");
}

// The popup's entries go and come in the list's order: one per drawing, or "(nessuno)".
void FormMain::ShowRecentDrawings() {
    const HMENU popup = recentMenu ? recentMenu->popupHandle : nullptr;
    if (!popup) return;
    while (GetMenuItemCount(popup) > 0) DeleteMenu(popup, 0, MF_BYPOSITION);
    shownRecent = settings.RecentDrawings();
    if (shownRecent.empty()) {
        AppendMenuW(popup, MF_STRING | MF_GRAYED, UINT_PTR(noRecentItem->id),
                    noRecentItem->text.c_str());
    }
    for (std::size_t index = 0; index < shownRecent.size(); ++index) {
        SubMenu& item = *recentItems[index];
        item.text = RecentDrawingEntryText(index, shownRecent[index]);
        AppendMenuW(popup, MF_STRING, UINT_PTR(item.id), item.text.c_str());
    }
}

bool FormMain::OnRecentCommand(GUIElement* item) {
    if (item == noRecentItem.get()) return true;
    const auto slot = std::find_if(recentItems.begin(), recentItems.end(),
                                   [item](const auto& entry) { return entry.get() == item; });
    if (slot == recentItems.end()) return false;
    const std::size_t index = std::size_t(slot - recentItems.begin());
    if (index >= shownRecent.size()) return true;
    const std::wstring path = shownRecent[index];
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(path), error)) {
        ShowError(this, MissingDrawingMessage + Narrow(path), ErrorCaption);
        settings.SetRecentDrawings(WithoutDrawing(settings.RecentDrawings(), path));
        ShowRecentDrawings();
        return true;
    }
    OpenNamedDrawing(path);
    return true;
}

// The list is read again first: another copy of the program may have added to it meanwhile.
void FormMain::NoteRecentDrawing(const std::wstring& path) {
    settings.SetRecentDrawings(WithRecentDrawing(settings.RecentDrawings(), path));
    ShowRecentDrawings();
    AddToRecentDocuments(path);
}

}  // namespace MyApp
