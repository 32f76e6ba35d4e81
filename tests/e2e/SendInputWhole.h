#pragma once
// Key and mouse events sent so that none is lost. SendInput stops at the first event it
// refuses, as Wine does while the foreground window changes hands (a message box closing
// as a dialog opens), and says how many went; the rest is sent again a moment later, so
// nothing is sent twice. Gives up after about five seconds of refusals.
#include <windows.h>

#include <cstddef>
#include <cwchar>

inline bool SendInputWhole(INPUT* events, std::size_t count, const wchar_t* program) {
    std::size_t sent = 0;
    for (int attempt = 0; sent < count && attempt < 50; ++attempt) {
        if (attempt > 0) Sleep(100);
        sent += SendInput(static_cast<UINT>(count - sent), events + sent, sizeof(INPUT));
    }
    if (sent == count) return true;
    std::fwprintf(stderr, L"%ls: %zu of %zu input events refused (error %lu)\n", program,
                  count - sent, count, GetLastError());
    return false;
}
