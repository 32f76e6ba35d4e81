// The floor of the editor's start benchmark: the least a Win32 program does to show a window.
// It registers a class, creates, shows and paints one window titled like the editor, and ends
// when that window is closed. Built a second time with the editor's manifest and
// TESSALY_EMPTY_THEMED, it also loads the themed common controls, as any program with that
// manifest does before its first control: under Wine that load parses the desktop's theme.
#include <windows.h>
#ifdef TESSALY_EMPTY_THEMED
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK EmptyWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef TESSALY_EMPTY_THEMED
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
#endif
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = EmptyWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"TessalyEmptyWindow";
    if (RegisterClassW(&windowClass) == 0) return 1;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Orv Tessaly empty window",
                                  WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr, instance,
                                  nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
