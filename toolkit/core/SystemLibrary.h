#pragma once
// Functions of system libraries loaded the first time they are needed. Imported, shell32 and
// comdlg32 (and all they load in turn) would lengthen every start of the program by about as
// much as a whole empty program's start takes under Wine. Once loaded they stay.

#include <windows.h>

namespace OrvUtility {

// The function, or none when the library or the function is missing.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryW(library);
    if (!module) return nullptr;
    // Through the generic function type, which converts to any other without complaint.
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace OrvUtility
