#pragma once
// What keeps the DLL loaded: its live objects and IClassFactory::LockServer's locks.
// DllCanUnloadNow answers S_OK only when both are none.

namespace MyApp {

void ModuleAddRef();
void ModuleRelease();
bool ModuleInUse();

}  // namespace MyApp
