// Times a moment as a user sees it: from a key press, a click or a program's launch until the
// screen's pixels over a window stop changing. The rectangle of the window is copied from the
// screen's device context (under Wine's X11 driver: the X server's pixels, whatever lies on top)
// again and again and hashed; the moment ends at the last copy that differed from the one before,
// once the picture has stayed the same for the settle time and the program answers messages
// again. The watcher presses the key itself (SendInput), so no process start lies between the
// press and the first look.
//
//   tessaly_pixel_watch.exe [options] TITLE ACTION [ARGUMENTS]
// TITLE: the title of a visible top-level window, the one watched; TITLE* any title that starts
// with TITLE.
// Actions (times in ms from the press, the click or --since):
//   appear          waits for the window to appear and watches it; its pictures are counted
//                   from the first that differs from what the screen showed there before
//   key KEY...      presses the keys one after the other (a letter, a digit, Return, Escape,
//                   Tab, Down, Next, Prior, Delete, plus, minus (the main keys' "+" and
//                   "-"); "ctrl+" in front holds Ctrl with it)
//   click X Y       clicks at X, Y from the window's top-left corner
//   trough          clicks the vertical scroll bar of the window's largest child, just above its
//                   lower arrow: a page down while the bar is at the top
//   exit KEY        presses KEY and waits until the window's process has ended (pixels unwatched)
//   canvas W H      resizes the window until its largest child is W x H (untimed)
//   close           asks the window to close (untimed)
// Options:
//   --settle MS     how long the picture must stay the same (default 1000)
//   --timeout MS    gives up watching after this long (default 30000)
//   --interval MS   pause between copies (default 10), leaving the processor to the program
//   --ready FILE    creates FILE once the watcher is ready to look
//   --since FILE    for appear: the moment's start is the time in FILE, nanoseconds since 1970,
//                   read once the picture is still (the launcher writes it after --ready)
// Prints one line of words and numbers:
//   last MS first MS changes N copies N copy MS      (watched moments; first: the first change)
//   last MS window MS code N                          (exit: the process ended, the window went)
// Exit code 0, 1 when the window is missing or the watch timed out, 64 for wrong arguments.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

using Ticks = long long;

Ticks Now() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

double Milliseconds(Ticks from, Ticks to) {
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return double(value.QuadPart);
    }();
    return double(to - from) * 1000.0 / frequency;
}

// The counter's value at a wall-clock time given in nanoseconds since 1970.
Ticks TicksAtUnixTime(long long nanoseconds) {
    FILETIME wall;
    GetSystemTimePreciseAsFileTime(&wall);
    const Ticks now = Now();
    const long long hundreds = (static_cast<long long>(wall.dwHighDateTime) << 32 | wall.dwLowDateTime) -
                               116444736000000000LL;  // from 1601 to 1970
    const double agoMs = double(hundreds * 100 - nanoseconds) / 1e6;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return now - Ticks(agoMs * double(frequency.QuadPart) / 1000.0);
}

struct TitleSearch {
    const wchar_t* title;
    std::size_t length;
    bool prefix;  // the title given ended with '*': any title that starts with the rest
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TitleSearch*>(parameter);
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t title[256];
    if (GetWindowTextW(window, title, 256) <= 0) return TRUE;
    const bool matches = search->prefix ? std::wcsncmp(title, search->title, search->length) == 0
                                        : std::wcscmp(title, search->title) == 0;
    if (!matches) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindWindowTitled(const wchar_t* title) {
    std::size_t length = std::wcslen(title);
    const bool prefix = length > 0 && title[length - 1] == L'*';
    TitleSearch search{title, prefix ? length - 1 : length, prefix, nullptr};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The screen under a rectangle, copied into a bitmap of its own and hashed.
class ScreenCopy {
public:
    ScreenCopy() : screen(GetDC(nullptr)), memory(CreateCompatibleDC(screen)) {}
    ~ScreenCopy() {
        if (bitmap != nullptr) DeleteObject(SelectObject(memory, previous));
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    std::uint64_t Hash(const RECT& area) {
        const int width = area.right - area.left, height = area.bottom - area.top;
        if (width <= 0 || height <= 0) return 0;
        if (width != bitmapWidth || height != bitmapHeight) Resize(width, height);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        origin = {area.left, area.top};
        return HashOfCopied(area);
    }

    // The hash a copy of `area` had had, from the pixels of the last copy, which held it;
    // 0 when it did not.
    std::uint64_t HashOfCopied(const RECT& area) const {
        const int width = area.right - area.left, height = area.bottom - area.top;
        const int left = area.left - origin.x, top = area.top - origin.y;
        if (width <= 0 || height <= 0 || left < 0 || top < 0 || left + width > bitmapWidth ||
            top + height > bitmapHeight)
            return 0;
        // FNV-1a over whole pixels, with the size folded in: a moved edge is a change too.
        std::uint64_t hash = 14695981039346656037ULL ^ std::uint64_t(width) << 32 ^ height;
        for (int y = top; y < top + height; ++y) {
            const std::uint32_t* row = pixels + std::size_t(y) * std::size_t(bitmapWidth);
            for (int x = left; x < left + width; ++x) hash = (hash ^ row[x]) * 1099511628211ULL;
        }
        return hash;
    }

private:
    void Resize(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP fresh = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, fresh);
        if (bitmap == nullptr) previous = old;
        else DeleteObject(old);
        bitmap = fresh;
        pixels = static_cast<const std::uint32_t*>(bits);
        bitmapWidth = width;
        bitmapHeight = height;
    }

    HDC screen;
    HDC memory;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    const std::uint32_t* pixels = nullptr;
    int bitmapWidth = 0, bitmapHeight = 0;
    POINT origin{};  // the screen point of the copy's top-left pixel
};

struct Options {
    int settleMs = 1000;
    int timeoutMs = 30000;
    int intervalMs = 10;
    const wchar_t* since = nullptr;
    const wchar_t* ready = nullptr;
};

struct Watch {
    Ticks lastChange = 0, firstChange = 0;
    int changes = 0, copies = 0;
    double copyMs = 0;
    bool timedOut = false;
};

// Whether the window's thread answers a message at once. A program busy making its windows
// may show nothing new for longer than the settle time: a still screen means the moment is over
// only once the program waits for input again.
bool AnswersAtOnce(HWND window, const Options& options, Ticks& answered) {
    constexpr double AtOnceMs = 50;
    const Ticks asked = Now();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, DWORD(options.timeoutMs), &result);
    answered = Now();
    return Milliseconds(asked, answered) < AtOnceMs;
}

// Copies the window's rectangle until, after a first change, it has stayed the same for the
// settle time and the program is idle. The window is looked up by title on each copy until it
// is there (a starting program); what `screenBefore` showed over its rectangle then is the
// picture before the first change (the window is visible to Windows a moment before the
// screen shows it).
Watch WatchUntilStill(const wchar_t* title, HWND window, std::uint64_t before, Ticks start,
                      const Options& options, const ScreenCopy* screenBefore = nullptr) {
    ScreenCopy copy;
    Watch watch;
    watch.lastChange = watch.firstChange = start;
    Ticks quietSince = start;  // the last change, or the end of a busy spell after it
    double copying = 0;
    for (;;) {
        const bool found = window == nullptr && (window = FindWindowTitled(title)) != nullptr;
        const Ticks copyStart = Now();
        RECT area{};
        std::uint64_t hash = 0;
        if (window != nullptr && GetWindowRect(window, &area)) {
            if (found && screenBefore != nullptr) before = screenBefore->HashOfCopied(area);
            hash = copy.Hash(area);
        }
        const Ticks copied = Now();
        copying += Milliseconds(copyStart, copied);
        ++watch.copies;
        if (hash != before) {
            before = hash;
            watch.lastChange = quietSince = copied;
            if (watch.changes++ == 0) watch.firstChange = copied;
        }
        if (watch.changes > 0 && Milliseconds(quietSince, copied) >= options.settleMs) {
            Ticks answered = 0;
            if (AnswersAtOnce(window, options, answered)) break;
            quietSince = answered;
        }
        if (Milliseconds(start, copied) >= options.timeoutMs) {
            watch.timedOut = true;
            break;
        }
        Sleep(DWORD(options.intervalMs));
    }
    watch.copyMs = copying / watch.copies;
    return watch;
}

// Prints the watch's line; a watch that timed out is an error.
int PrintWatch(const Watch& watch, Ticks start, const wchar_t* title) {
    std::wprintf(L"last %.0f first %.0f changes %d copies %d copy %.1f\n",
                 Milliseconds(start, watch.lastChange), Milliseconds(start, watch.firstChange),
                 watch.changes, watch.copies, watch.copyMs);
    if (!watch.timedOut) return 0;
    std::fwprintf(stderr, watch.changes == 0 ? L"nothing changed over \"%ls\"\n"
                                             : L"\"%ls\" did not come to rest\n", title);
    return 1;
}

// The wall-clock time in nanoseconds since 1970 written in the file, as the counter's value.
bool ReadSince(const wchar_t* path, Ticks& start) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char text[32] = {};
    DWORD read = 0;
    const bool ok = ReadFile(file, text, sizeof(text) - 1, &read, nullptr) && read > 0;
    CloseHandle(file);
    if (!ok) return false;
    char* end = nullptr;
    const long long nanoseconds = std::strtoll(text, &end, 10);
    if (end == text) return false;
    start = TicksAtUnixTime(nanoseconds);
    return true;
}

std::uint64_t HashNow(HWND window) {
    ScreenCopy copy;
    RECT area{};
    return GetWindowRect(window, &area) ? copy.Hash(area) : 0;
}

// A key's virtual-key code, with this bit for Ctrl held down with it.
constexpr WORD WithControl = 0x8000;

WORD KeyCode(const std::wstring& name) {
    if (name.rfind(L"ctrl+", 0) == 0) {
        const WORD key = KeyCode(name.substr(5));
        return key == 0 ? 0 : WORD(key | WithControl);
    }
    struct Named {
        const wchar_t* name;
        WORD code;
    };
    static const Named names[] = {{L"Return", VK_RETURN}, {L"Escape", VK_ESCAPE},
                                  {L"Tab", VK_TAB},       {L"Down", VK_DOWN},
                                  {L"Next", VK_NEXT},     {L"Prior", VK_PRIOR},
                                  {L"Delete", VK_DELETE}, {L"plus", VK_OEM_PLUS},
                                  {L"minus", VK_OEM_MINUS}};
    for (const Named& named : names)
        if (name == named.name) return named.code;
    if (name.size() == 1 && std::iswalnum(name[0])) return WORD(std::towupper(name[0]));
    return 0;
}

INPUT KeyInput(WORD code, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool PressKeys(const std::vector<WORD>& codes) {
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0) Sleep(80);  // as a typing user: a dialog may take the next key's focus
        const WORD key = WORD(codes[i] & ~WithControl);
        if (!(codes[i] & WithControl)) {
            INPUT press[2] = {KeyInput(key, false), KeyInput(key, true)};
            if (SendInput(2, press, sizeof(INPUT)) != 2) return false;
            continue;
        }
        INPUT press[4] = {KeyInput(VK_CONTROL, false), KeyInput(key, false), KeyInput(key, true),
                          KeyInput(VK_CONTROL, true)};
        if (SendInput(4, press, sizeof(INPUT)) != 4) return false;
    }
    return true;
}

INPUT MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

bool PressMouse() {
    INPUT click[2] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
    return SendInput(2, click, sizeof(INPUT)) == 2;
}

struct Largest {
    HWND parent;
    HWND child;
    long area;
};

BOOL CALLBACK KeepLargest(HWND child, LPARAM parameter) {
    auto* largest = reinterpret_cast<Largest*>(parameter);
    RECT rect{};
    if (GetParent(child) != largest->parent || !IsWindowVisible(child) ||
        !GetWindowRect(child, &rect))
        return TRUE;
    const long area = long(rect.right - rect.left) * long(rect.bottom - rect.top);
    if (area > largest->area) *largest = {largest->parent, child, area};
    return TRUE;
}

HWND LargestChild(HWND window) {
    Largest largest{window, nullptr, 0};
    EnumChildWindows(window, KeepLargest, reinterpret_cast<LPARAM>(&largest));
    return largest.child;
}

SIZE OuterSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The window's layout decides how much of it the child takes: grow or shrink the window by
// what the child lacks, a few times, as the layout may move other controls around it.
int FitLargestChild(HWND window, int width, int height) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        const HWND child = LargestChild(window);
        if (child == nullptr) return 1;
        const SIZE now = OuterSize(child);
        if (now.cx == width && now.cy == height) break;
        const SIZE outer = OuterSize(window);
        SetWindowPos(window, nullptr, 0, 0, outer.cx + width - now.cx, outer.cy + height - now.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(700);
    }
    const HWND child = LargestChild(window);
    RECT client{};
    GetClientRect(window, &client);
    const SIZE outer = OuterSize(window), canvas = OuterSize(child);
    std::wprintf(L"window %ldx%ld client %ldx%ld child %ldx%ld\n", outer.cx, outer.cy,
                 client.right, client.bottom, canvas.cx, canvas.cy);
    return canvas.cx == width && canvas.cy == height ? 0 : 1;
}

// Just above the lower arrow of the vertical bar of the window's largest child.
bool TroughPoint(HWND window, POINT& point) {
    const HWND child = LargestChild(window);
    if (child == nullptr || (GetWindowLongW(child, GWL_STYLE) & WS_VSCROLL) == 0) return false;
    RECT client{};
    GetClientRect(child, &client);
    point = {client.right + GetSystemMetrics(SM_CXVSCROLL) / 2,
             client.bottom - GetSystemMetrics(SM_CYVSCROLL) - 6};
    return ClientToScreen(child, &point) != 0;
}

int ExitWatch(HWND window, WORD key, const Options& options) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return 1;
    const Ticks start = Now();
    if (!PressKeys({key})) return 1;
    double windowMs = -1;
    for (;;) {
        const DWORD waited = WaitForSingleObject(process, DWORD(options.intervalMs));
        if (waited == WAIT_OBJECT_0) break;
        if (waited != WAIT_TIMEOUT || Milliseconds(start, Now()) >= options.timeoutMs) return 1;
        if (windowMs < 0 && !IsWindow(window)) windowMs = Milliseconds(start, Now());
    }
    const double endMs = Milliseconds(start, Now());
    if (windowMs < 0) windowMs = endMs;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    std::wprintf(L"last %.0f window %.0f code %lu\n", endMs, windowMs, code);
    return 0;
}

void MarkReady(const Options& options) {
    if (options.ready == nullptr) return;
    HANDLE file = CreateFileW(options.ready, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

int Usage() {
    std::fwprintf(stderr, L"usage: tessaly_pixel_watch [options] TITLE "
                          L"appear | key KEY... | click X Y | trough | exit KEY | canvas W H | close\n");
    return 64;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    int next = 1;
    for (; next + 1 < argc && std::wcsncmp(argv[next], L"--", 2) == 0; next += 2) {
        const std::wstring name = argv[next];
        const wchar_t* value = argv[next + 1];
        if (name == L"--settle") options.settleMs = int(std::wcstol(value, nullptr, 10));
        else if (name == L"--timeout") options.timeoutMs = int(std::wcstol(value, nullptr, 10));
        else if (name == L"--interval") options.intervalMs = int(std::wcstol(value, nullptr, 10));
        else if (name == L"--since") options.since = value;
        else if (name == L"--ready") options.ready = value;
        else return Usage();
    }
    if (argc - next < 2) return Usage();
    const wchar_t* title = argv[next];
    const std::wstring action = argv[next + 1];
    const int extra = argc - next - 2;
    wchar_t** arguments = argv + next + 2;

    if (action == L"appear") {
        ScreenCopy screenBefore;
        screenBefore.Hash(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        Ticks start = Now();
        MarkReady(options);
        const Watch watch = WatchUntilStill(title, nullptr, 0, start, options, &screenBefore);
        if (options.since != nullptr && !ReadSince(options.since, start)) {
            std::fwprintf(stderr, L"no start time in %ls\n", options.since);
            return 1;
        }
        return PrintWatch(watch, start, title);
    }

    const HWND window = FindWindowTitled(title);
    if (window == nullptr) {
        std::fwprintf(stderr, L"no visible window titled \"%ls\"\n", title);
        return 1;
    }
    if (action == L"close") return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (action == L"canvas" && extra == 2)
        return FitLargestChild(window, int(std::wcstol(arguments[0], nullptr, 10)),
                               int(std::wcstol(arguments[1], nullptr, 10)));
    if (action == L"exit" && extra == 1) {
        const WORD key = KeyCode(arguments[0]);
        return key == 0 ? Usage() : ExitWatch(window, key, options);
    }

    std::vector<WORD> keys;
    POINT point{};
    if (action == L"key" && extra >= 1) {
        for (int i = 0; i < extra; ++i) {
            keys.push_back(KeyCode(arguments[i]));
            if (keys.back() == 0) return Usage();
        }
    } else if (action == L"click" && extra == 2) {
        RECT rect{};
        GetWindowRect(window, &rect);
        point = {rect.left + int(std::wcstol(arguments[0], nullptr, 10)),
                 rect.top + int(std::wcstol(arguments[1], nullptr, 10))};
    } else if (action == L"trough") {
        if (!TroughPoint(window, point)) {
            std::fwprintf(stderr, L"the largest child of \"%ls\" has no vertical bar\n", title);
            return 1;
        }
    } else {
        return Usage();
    }
    if (keys.empty()) {
        // The pointer arrives first, and what it lights up on its way is not part of the moment.
        SetCursorPos(point.x, point.y);
        Sleep(300);
    }
    const std::uint64_t before = HashNow(window);
    MarkReady(options);
    const Ticks start = Now();
    if (keys.empty() ? !PressMouse() : !PressKeys(keys)) return 1;
    const Watch watch = WatchUntilStill(title, window, before, start, options);
    return PrintWatch(watch, start, title);
}
