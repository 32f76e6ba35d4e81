#include "app/EditorSettings.h"

#include "app/rules/RecentDrawings.h"

#include <algorithm>
#include <cstdint>

namespace MyApp {

namespace {

constexpr const wchar_t* LeftName = L"WindowLeft";
constexpr const wchar_t* TopName = L"WindowTop";
constexpr const wchar_t* WidthName = L"WindowWidth";
constexpr const wchar_t* HeightName = L"WindowHeight";
constexpr const wchar_t* MaximisedName = L"WindowMaximized";
constexpr const wchar_t* ZoomName = L"Zoom";

// Smaller than any frame with a menu and a canvas; larger than any screen's coordinates.
constexpr int SmallestSide = 100;
constexpr int LargestCoordinate = 32767;

std::wstring RecentName(std::size_t index) { return L"Recent" + std::to_wstring(index + 1); }

}  // namespace

std::optional<SavedWindowPlace> EditorSettings::WindowPlace() const {
    const auto left = store.Number(LeftName), top = store.Number(TopName);
    const auto width = store.Number(WidthName), height = store.Number(HeightName);
    if (!left || !top || !width || !height) return std::nullopt;
    // Coordinates left of or above the primary monitor are negative: stored as their bits.
    SavedWindowPlace place;
    place.normal = {std::int32_t(*left), std::int32_t(*top), std::int32_t(*width),
                    std::int32_t(*height)};
    const auto within = [](int value, int low) { return value >= low && value <= LargestCoordinate; };
    if (!within(place.normal.x, -LargestCoordinate) || !within(place.normal.y, -LargestCoordinate) ||
        !within(place.normal.width, SmallestSide) || !within(place.normal.height, SmallestSide))
        return std::nullopt;
    place.maximised = store.Number(MaximisedName).value_or(0) == 1;
    return place;
}

void EditorSettings::SetWindowPlace(const SavedWindowPlace& place) {
    store.SetNumber(LeftName, std::uint32_t(place.normal.x));
    store.SetNumber(TopName, std::uint32_t(place.normal.y));
    store.SetNumber(WidthName, std::uint32_t(place.normal.width));
    store.SetNumber(HeightName, std::uint32_t(place.normal.height));
    store.SetNumber(MaximisedName, place.maximised ? 1 : 0);
}

int EditorSettings::Zoom() const {
    const auto zoom = store.Number(ZoomName);
    if (!zoom) return SmallestZoom;
    return int(std::clamp<std::uint32_t>(*zoom, SmallestZoom, LargestZoom));
}

void EditorSettings::SetZoom(int zoom) {
    store.SetNumber(ZoomName, std::uint32_t(std::clamp(zoom, SmallestZoom, LargestZoom)));
}

// Read oldest first, so that each one found again is the newer and the rule keeps it on top.
std::vector<std::wstring> EditorSettings::RecentDrawings() const {
    std::vector<std::wstring> drawings;
    for (std::size_t index = RecentDrawingLimit; index-- > 0;) {
        const auto path = store.Text(RecentName(index));
        if (path && !path->empty()) drawings = WithRecentDrawing(std::move(drawings), *path);
    }
    return drawings;
}

void EditorSettings::SetRecentDrawings(const std::vector<std::wstring>& drawings) {
    for (std::size_t index = 0; index < RecentDrawingLimit; ++index) {
        if (index < drawings.size()) {
            store.SetText(RecentName(index), drawings[index]);
        } else {
            store.Remove(RecentName(index));
        }
    }
}

}  // namespace MyApp
