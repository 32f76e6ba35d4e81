#include "app/FormMain.h"

#include "app/rules/StartPlace.h"

namespace MyApp {

using namespace OrvUtility;

namespace {

// Held by every running main window; a window that finds it already there is not the first.
constexpr const wchar_t* RunningMarkName = L"Local\\Orv.Tessaly.MainWindow";

LayoutRect FromRect(const RECT& rect) {
    return {int(rect.left), int(rect.top), int(rect.right - rect.left),
            int(rect.bottom - rect.top)};
}

RECT ToRect(const LayoutRect& rect) {
    return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

// GetWindowPlacement gives the restored rectangle of a top-level window relative to the
// primary monitor's work area (the taskbar at the left or top shifts it); the window is created
// in screen coordinates.
POINT WorkspaceOrigin() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return {0, 0};
    return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

}  // namespace

void FormMain::TakeStartPlace() {
    SetLastError(ERROR_SUCCESS);
    runningMark.reset(CreateMutexW(nullptr, FALSE, RunningMarkName));
    const bool anotherRuns = runningMark && GetLastError() == ERROR_ALREADY_EXISTS;
    const std::optional<SavedWindowPlace> saved = settings.WindowPlace();
    if (!saved && !anotherRuns) return;

    const LayoutRect wanted = saved ? saved->normal : LayoutRect{x, y, width, height};
    const RECT rect = ToRect(wanted);
    const bool onAMonitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
    MONITORINFO nearest{};
    nearest.cbSize = sizeof(nearest);
    if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &nearest)) return;
    const int cascade =
        anotherRuns ? GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME) : 0;
    const LayoutRect place = StartWindowRect(wanted, onAMonitor, FromRect(nearest.rcWork), cascade);
    SetPosition(place.x, place.y);
    SetSize(place.width, place.height);
    maximised = saved && saved->maximised;
}

// A minimised window is remembered as it would come back: restored or maximised.
void FormMain::RememberPlace() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!handle || !IsWindow(handle) || !GetWindowPlacement(handle, &placement)) return;
    SavedWindowPlace place;
    RECT normal{};
    if (placement.showCmd == SW_SHOWNORMAL && GetWindowRect(handle, &normal)) {
        place.normal = FromRect(normal);
    } else {
        const POINT origin = WorkspaceOrigin();
        place.normal = FromRect(placement.rcNormalPosition);
        place.normal.x += origin.x;
        place.normal.y += origin.y;
    }
    place.maximised = placement.showCmd == SW_SHOWMAXIMIZED ||
                      (placement.showCmd == SW_SHOWMINIMIZED &&
                       (placement.flags & WPF_RESTORETOMAXIMIZED));
    settings.SetWindowPlace(place);
    settings.SetZoom(zoom);
}

}  // namespace MyApp
