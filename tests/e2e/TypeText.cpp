// Types its argument into whatever window has the keyboard focus, one UTF-16 unit at a time, as
// key events that carry the character itself (KEYEVENTF_UNICODE). X11 key synthesis has no key
// for most Greek or Cyrillic letters; this path needs none. Exit code 0 when every event was
// accepted, 1 when some were not, 64 for wrong arguments.
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
    // SendInput stops at the first event it refuses, as Wine does while the foreground window
    // is changing hands (a message box closing as a dialog opens), and reports how many went.
    // The rest is sent again a moment later, so nothing is typed twice and nothing is lost.
    size_t sent = 0;
    for (int attempt = 0; sent < events.size() && attempt < 50; ++attempt) {
        if (attempt > 0) Sleep(100);
        sent += SendInput(static_cast<UINT>(events.size() - sent), events.data() + sent,
                          sizeof(INPUT));
    }
    if (sent == events.size()) return 0;
    std::fwprintf(stderr, L"tessaly-type-text: %zu of %zu key events refused (error %lu)\n",
                  events.size() - sent, events.size(), GetLastError());
    return 1;
}
