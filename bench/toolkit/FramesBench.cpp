// The main window's load: 2,000 cell frames of 16 x 24 in one panel, each with a window class
// of its own, painting from the real glyph atlas; beside the floor of 2,000 plain child windows
// of one shared class that paint the same blocks. Times are the best of five rounds; GDI and
// USER object counts are taken before each round and after its windows are destroyed. Run
// under Wine:
//     build/windows/wine-run build/windows/bench/toolkit/tessaly_frames_bench.exe

#include "app/AtlasResource.h"
#include "support/ObjectCounts.h"
#include "toolkit/controls/ImageFrame.h"
#include "toolkit/controls/PanelChildren.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuards.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace OrvUtility;
using Clock = std::chrono::steady_clock;

constexpr int Columns = 80, Rows = 25, CellWidth = 16, CellHeight = 24;
constexpr int Cells = Columns * Rows;

HDC atlasContext = nullptr;  // the atlas selected into a memory context, for the floor

// The floor's window: paints its block of the atlas, chosen by its id, with one copy.
LRESULT CALLBACK PlainCellProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint{};
    HDC context = BeginPaint(window, &paint);
    const int cell = GetDlgCtrlID(window);
    BitBlt(context, 0, 0, CellWidth, CellHeight, atlasContext, CellWidth * (cell % 131),
           CellHeight * (cell % 42), SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

double Milliseconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void RepaintAll(HWND canvas) {
    RedrawWindow(canvas, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

struct Round {
    double create, repaint, destroy;
    int gdiLeft, userLeft;  // objects left over after destroying
};

Round PlainWindows(HWND canvas) {
    const int gdi = Testing::GdiObjects(), user = Testing::UserObjects();
    std::vector<HWND> windows;
    Round round{};
    round.create = Milliseconds([&] {
        for (int cell = 0; cell < Cells; ++cell)
            windows.push_back(CreateWindowExW(
                0, L"TessalyPlainCell", nullptr, WS_CHILD | WS_VISIBLE,
                CellWidth * (cell % Columns), CellHeight * (cell / Columns), CellWidth,
                CellHeight, canvas, reinterpret_cast<HMENU>(INT_PTR(cell)),
                GetModuleHandleW(nullptr), nullptr));
        UpdateWindow(canvas);
    });
    round.repaint = Milliseconds([&] { RepaintAll(canvas); });
    round.destroy = Milliseconds([&] {
        for (HWND window : windows) DestroyWindow(window);
    });
    round.gdiLeft = Testing::GdiObjects() - gdi;
    round.userLeft = Testing::UserObjects() - user;
    return round;
}

Round Frames(PanelChildren& canvas, HBITMAP atlas) {
    const int gdi = Testing::GdiObjects(), user = Testing::UserObjects();
    std::vector<std::unique_ptr<ImageFrame>> frames;
    Round round{};
    round.create = Milliseconds([&] {
        for (int cell = 0; cell < Cells; ++cell) {
            auto frame = std::make_unique<ImageFrame>(&canvas, atlas, cell % 131, cell % 42);
            frame->SetPosition(CellWidth * (cell % Columns), CellHeight * (cell / Columns));
            frame->SetSize(CellWidth, CellHeight);
            frame->Create();
            frame->transparent = false;  // as the editor's cells paint
            frames.push_back(std::move(frame));
        }
        UpdateWindow(canvas.handle);
    });
    round.repaint = Milliseconds([&] { RepaintAll(canvas.handle); });
    round.destroy = Milliseconds([&] { frames.clear(); });
    round.gdiLeft = Testing::GdiObjects() - gdi;
    round.userLeft = Testing::UserObjects() - user;
    return round;
}

Round Best(const std::vector<Round>& rounds) {
    Round best = rounds.front();
    for (const Round& round : rounds) {
        best.create = std::min(best.create, round.create);
        best.repaint = std::min(best.repaint, round.repaint);
        best.destroy = std::min(best.destroy, round.destroy);
    }
    best.gdiLeft = rounds.back().gdiLeft;
    best.userLeft = rounds.back().userLeft;
    return best;
}

}  // namespace

int main() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    GdiObject<HBITMAP> atlas(MyApp::LoadAtlasBitmap(module));
    if (!atlas) {
        std::fprintf(stderr, "the atlas resource is missing\n");
        return 1;
    }
    MemoryContext context(nullptr);
    Selection selection(context.Get(), atlas.Get());
    atlasContext = context.Get();

    WNDCLASSW plain{};
    plain.lpfnWndProc = PlainCellProcedure;
    plain.hInstance = module;
    plain.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    plain.lpszClassName = L"TessalyPlainCell";
    RegisterClassW(&plain);

    Form host(module);
    host.SetSize(1320, 680);
    host.Create();
    PanelChildren canvas(&host);
    canvas.SetPosition(0, 0);
    canvas.SetSize(Columns * CellWidth, Rows * CellHeight);
    canvas.Create();

    std::vector<Round> plainRounds, frameRounds;
    for (int round = 0; round < 6; ++round) {  // the first round warms the system's caches
        plainRounds.push_back(PlainWindows(canvas.handle));
        frameRounds.push_back(Frames(canvas, atlas.Get()));
    }
    plainRounds.erase(plainRounds.begin());
    frameRounds.erase(frameRounds.begin());
    const Round floor = Best(plainRounds), frames = Best(frameRounds);

    std::printf("%d cells of %d x %d in one panel (ms, best of 5)\n\n", Cells, CellWidth,
                CellHeight);
    std::printf("%-14s %12s %14s %8s\n", "", "plain (floor)", "frames", "ratio");
    const struct { const char* name; double plainTime, frameTime; } rows[] = {
        {"create, show", floor.create, frames.create},
        {"repaint all", floor.repaint, frames.repaint},
        {"destroy", floor.destroy, frames.destroy},
    };
    for (const auto& row : rows)
        std::printf("%-14s %12.1f %14.1f %7.1fx\n", row.name, row.plainTime, row.frameTime,
                    row.frameTime / row.plainTime);
    std::printf("\nleft after destroying (last round): plain GDI %d USER %d, frames GDI %d USER %d\n",
                floor.gdiLeft, floor.userLeft, frames.gdiLeft, frames.userLeft);
    return floor.gdiLeft == 0 && frames.gdiLeft == 0 && frames.userLeft == 0 ? 0 : 1;
}
