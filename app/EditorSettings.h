#pragma once
// What the editor remembers between runs, over whichever store it is given: the main window's
// place, the canvas's zoom and the drawings last opened or saved. Values that are missing, of
// the wrong type or out of range read as the defaults.
#include "app/rules/MainWindowLayout.h"
#include "toolkit/core/SettingsStore.h"

#include <optional>
#include <string>
#include <vector>

namespace MyApp {

// The window's restored rectangle, in screen coordinates, and whether it was maximised.
struct SavedWindowPlace {
    LayoutRect normal;
    bool maximised = false;
};

constexpr int SmallestZoom = 1, LargestZoom = 4;

class EditorSettings {
public:
    explicit EditorSettings(OrvUtility::SettingsStore& settingsStore) : store(settingsStore) {}

    // None when it was never saved or is no window's (a side of a few pixels, say).
    std::optional<SavedWindowPlace> WindowPlace() const;
    void SetWindowPlace(const SavedWindowPlace& place);
    // 1..4: a value out of range is taken to the nearest end, a missing or unreadable one is 1.
    int Zoom() const;
    void SetZoom(int zoom);
    // Newest first, at most eight, each file once.
    std::vector<std::wstring> RecentDrawings() const;
    void SetRecentDrawings(const std::vector<std::wstring>& drawings);

private:
    OrvUtility::SettingsStore& store;
};

}  // namespace MyApp
