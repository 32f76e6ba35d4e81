#pragma once
// What a Windows process holds: its GDI objects and its USER objects (windows), to check that
// what was made has gone again. Wine's GetGuiResources answers 0, so there the live GDI handle
// slots and this thread's windows are counted instead.

namespace Testing {

int GdiObjects();
int UserObjects();

}  // namespace Testing
