#include "app/rules/StartPlace.h"

#include <algorithm>

namespace MyApp {

namespace {

// The start of a span of `length` placed at `start`, moved into [low, low + room).
int MovedInto(int start, int length, int low, int room) {
    return std::clamp(start, low, std::max(low, low + room - length));
}

}  // namespace

LayoutRect FittedIntoWorkArea(LayoutRect window, LayoutRect workArea) {
    window.width = std::min(window.width, workArea.width);
    window.height = std::min(window.height, workArea.height);
    window.x = MovedInto(window.x, window.width, workArea.x, workArea.width);
    window.y = MovedInto(window.y, window.height, workArea.y, workArea.height);
    return window;
}

LayoutRect StartWindowRect(LayoutRect saved, bool onAMonitor, LayoutRect nearestWorkArea,
                           int cascade) {
    LayoutRect place = onAMonitor ? saved : FittedIntoWorkArea(saved, nearestWorkArea);
    if (cascade == 0) return place;
    place.x += cascade;
    place.y += cascade;
    const LayoutRect& area = nearestWorkArea;
    if (place.x + place.width > area.x + area.width ||
        place.y + place.height > area.y + area.height) {
        place.x = area.x;
        place.y = area.y;
    }
    return place;
}

}  // namespace MyApp
