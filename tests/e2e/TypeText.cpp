// Types its argument into whatever window has the keyboard focus, one UTF-16 unit at a time, as
// key events that carry the character itself (KEYEVENTF_UNICODE). X11 key synthesis has no key
// for most Greek or Cyrillic letters; this path needs none. Exit code 0 when every event was
// accepted, 1 when some were not, 64 for wrong arguments.
#include "SendInputWhole.h"

#include <windows.h>

#include <cwchar>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: tessaly-type-text TEXT\n");
        return 64;
    }
    std::vector<INPUT> events;
    for (const wchar_t* c = argv[1]; *c != L'\0'; ++c) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wScan = static_cast<WORD>(*c);
        down.ki.dwFlags = KEYEVENTF_UNICODE;
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        events.push_back(down);
        events.push_back(up);
    }
    return SendInputWhole(events.data(), events.size(), L"tessaly-type-text") ? 0 : 1;
}
