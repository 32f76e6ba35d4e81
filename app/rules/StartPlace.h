#pragma once
// Where the main window opens: the restored rectangle it had when it was last closed, kept on a
// monitor that is still there, and moved aside when another copy of the program already runs.
#include "app/rules/MainWindowLayout.h"

namespace MyApp {

// `window` moved into `workArea` as little as it takes, first shrunk to fit where it is larger.
LayoutRect FittedIntoWorkArea(LayoutRect window, LayoutRect workArea);

// The rectangle the window opens at. `saved` is shown as it is when it lies on a monitor
// (`onAMonitor`), otherwise fitted into the nearest monitor's work area. `cascade` (0 for the
// only copy) moves it right and down by that much, so that a second copy does not cover the
// first exactly; a window the step would push past the work area's right or bottom edge starts
// again at its top left corner, as cascaded windows do.
LayoutRect StartWindowRect(LayoutRect saved, bool onAMonitor, LayoutRect nearestWorkArea,
                           int cascade);

}  // namespace MyApp
