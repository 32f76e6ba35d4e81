// The floor of the editor's heavy moments (bench/app/moments-bench): the least that 2,000 cells
// cost when each is a window. A top-level window titled "Orv Tessaly floor probe" holds one
// 800 x 400 panel; on a key it makes, repaints, scrolls or destroys 2,000 plain 16 x 24 child
// windows of one class in an 80 x 25 grid, each painting one tile with one copy:
//   M  make, show and paint them all (made while the panel's redrawing is held)
//   R  repaint them all, in the other set of tiles (so that the screen changes)
//   P  scroll the panel and its children a page down, or back up when it is down
//   D  destroy them all (as they were made)
// The bench presses the keys and times, from the key, until the window's pixels stop changing.
//   tessaly_floor_probe.exe [PAGE]    PAGE: the scroll step in pixels (default 60, the page of
//                                     the editor's bar for an 80 x 25 drawing: a tenth of it)
#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <vector>

namespace {

constexpr int Columns = 80, Rows = 25, CellWidth = 16, CellHeight = 24;
constexpr int Cells = Columns * Rows;
constexpr int PanelLeft = 10, PanelTop = 30, PanelWidth = 800, PanelHeight = 400;
constexpr int Tiles = 8;  // tiles in a set; a cell paints tile (cell % Tiles) of the current set

struct Probe {
    HWND panel = nullptr;
    std::vector<HWND> cells;
    HDC tiles = nullptr;  // two sets of tiles side by side, selected into a memory context
    int set = 0;
    int page = 60;
    int scrolled = 0;
} probe;

// Two sets of eight 16 x 24 tiles, each a colour with a darker cross: set 1 is set 0 inverted.
HDC MakeTiles() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = CellWidth * Tiles;
    info.bmiHeader.biHeight = -CellHeight * 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return nullptr;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const int width = CellWidth * Tiles;
    for (int y = 0; y < CellHeight * 2; ++y) {
        for (int x = 0; x < width; ++x) {
            const int tile = x / CellWidth, inX = x % CellWidth, inY = y % CellHeight;
            const std::uint32_t colour = 0x204080u + std::uint32_t(tile) * 0x1c1408u;
            const bool cross = inX == inY * CellWidth / CellHeight || inX == CellWidth / 2;
            std::uint32_t pixel = cross ? (colour >> 1) & 0x7f7f7fu : colour;
            if (y >= CellHeight) pixel = ~pixel & 0xffffffu;
            pixels[y * width + x] = pixel;
        }
    }
    HDC context = CreateCompatibleDC(nullptr);
    SelectObject(context, bitmap);
    return context;
}

LRESULT CALLBACK CellProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint{};
    HDC context = BeginPaint(window, &paint);
    const int cell = GetDlgCtrlID(window);
    BitBlt(context, 0, 0, CellWidth, CellHeight, probe.tiles, CellWidth * (cell % Tiles),
           CellHeight * probe.set, SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

void Make() {
    if (!probe.cells.empty()) return;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    probe.cells.reserve(Cells);
    for (int cell = 0; cell < Cells; ++cell)
        probe.cells.push_back(CreateWindowExW(
            0, L"TessalyProbeCell", nullptr, WS_CHILD | WS_VISIBLE,
            CellWidth * (cell % Columns), CellHeight * (cell / Columns) - probe.scrolled,
            CellWidth, CellHeight, probe.panel, reinterpret_cast<HMENU>(INT_PTR(cell)),
            instance, nullptr));
}

// With the panel's redrawing held, as the editor holds its canvas's while a drawing changes:
// the windows are made or destroyed without a paint each, then the panel is painted once. In
// the same runs this was the cheaper way both for making (a fifth to a third less than making
// each window shown and painting after) and mostly for destroying.
void HoldRedraw(bool hold) {
    SendMessageW(probe.panel, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
    if (!hold)
        RedrawWindow(probe.panel, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Repaint() {
    probe.set = 1 - probe.set;
    RedrawWindow(probe.panel, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// As a window's scroll bar moves its content: ScrollWindow moves the children with the pixels
// and invalidates the uncovered strip.
void Scroll() {
    const int delta = probe.scrolled == 0 ? -probe.page : probe.scrolled;
    ScrollWindow(probe.panel, 0, delta, nullptr, nullptr);
    probe.scrolled -= delta;
    UpdateWindow(probe.panel);
}

void Destroy() {
    for (HWND cell : probe.cells) DestroyWindow(cell);
    probe.cells.clear();
    probe.scrolled = 0;
}

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        switch (wParam) {
        case 'M': HoldRedraw(true); Make(); HoldRedraw(false); return 0;
        case 'R': Repaint(); return 0;
        case 'P': Scroll(); return 0;
        case 'D': HoldRedraw(true); Destroy(); HoldRedraw(false); return 0;
        default: break;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Register(const wchar_t* name, WNDPROC procedure, int colour) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = colour < 0 ? nullptr : reinterpret_cast<HBRUSH>(INT_PTR(colour + 1));
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    if (arguments != nullptr && *arguments != L'\0') probe.page = int(std::wcstol(arguments, nullptr, 10));
    probe.tiles = MakeTiles();
    if (probe.tiles == nullptr || probe.page <= 0) return 1;
    if (!Register(L"TessalyProbe", ProbeProcedure, COLOR_BTNFACE) ||
        !Register(L"TessalyProbePanel", DefWindowProcW, COLOR_APPWORKSPACE) ||
        !Register(L"TessalyProbeCell", CellProcedure, -1))
        return 1;
    // The outer size leaves the panel the margins the editor's canvas has.
    RECT outer{0, 0, PanelLeft * 2 + PanelWidth, PanelTop + PanelHeight + 145};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND window = CreateWindowExW(0, L"TessalyProbe", L"Orv Tessaly floor probe",
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    probe.panel = CreateWindowExW(WS_EX_CLIENTEDGE, L"TessalyProbePanel", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, PanelLeft, PanelTop,
                                  PanelWidth, PanelHeight, window, nullptr, instance, nullptr);
    if (probe.panel == nullptr) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
