// The editor's heavy moments, in-process under Wine, against the start of an empty Win32
// program measured in the same run: a new 80 x 25 drawing (the first makes its 2,000 cell
// windows), opening an 80 x 25 file (into a fresh window and into one whose cells exist),
// exporting it, and building the main window itself. The empty program (tessaly_empty_window,
// beside this program) is started and timed until its window shows. Best of five rounds.
//     build/windows/wine-run build/windows/bench/app/tessaly_editor_bench.exe

#include "app/FormMain.h"
#include "app/rules/ProductInfo.h"
#include "support/ScriptedServices.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace MyApp;
using OrvUtility::Testing::scriptedServices;
using Clock = std::chrono::steady_clock;
constexpr int Rounds = 5;

double Milliseconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Handles what the work queued (paints included), as the message loop would before the user
// sees the result.
void Settle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

double Best(const std::function<double()>& round) {
    double best = 1e300;
    for (int i = 0; i < Rounds; ++i) best = std::min(best, round());
    return best;
}

std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

// Launch to a visible window, then closed and waited for.
double EmptyProgramStart(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const auto start = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    HWND window = nullptr;
    while (!(window = FindWindowW(L"TessalyEmptyWindow", nullptr)) || !IsWindowVisible(window))
        Sleep(1);
    const double elapsed =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

std::unique_ptr<FormMain> NewMainWindow() {
    return std::make_unique<FormMain>(GetModuleHandleW(nullptr), MainWindowTitle());
}

void AcceptNewDrawing(FormMain& form) {
    form.OnMenuCommand(form.newItem.get());
    SetWindowTextW(form.newDialog->widthBox->handle, L"80");
    SetWindowTextW(form.newDialog->heightBox->handle, L"25");
    SendMessageW(form.newDialog->okButton->handle, BM_CLICK, 0, 0);
}

void Open(FormMain& form, const std::filesystem::path& file) {
    scriptedServices.pathAnswers.push_back(file.wstring());
    form.OnMenuCommand(form.openItem.get());
}

}  // namespace

int main() {
    MyApp::Testing::TempFolder folder;
    const auto drawing = folder / "full.art";
    {
        std::ofstream file(drawing, std::ios::binary);
        file << "80;25;10\r\n";
        for (int cell = 0; cell < 80 * 25; ++cell) file << cell % 131 << ';' << cell % 42 << "\r\n";
    }
    const std::wstring emptyProgram = BesideThisProgram(L"tessaly_empty_window.exe");
    EmptyProgramStart(emptyProgram);  // warm-up
    const double floor = Best([&] { return EmptyProgramStart(emptyProgram); });
    if (floor < 0) {
        std::fprintf(stderr, "cannot start %ls\n", emptyProgram.c_str());
        return 1;
    }

    NewMainWindow();  // warm-up: Wine fills its caches once
    const double build = Best([] {
        std::unique_ptr<FormMain> form;
        const double ms = Milliseconds([&] { form = NewMainWindow(); Settle(); });
        return ms;
    });
    const double firstNew = Best([] {
        auto form = NewMainWindow();
        Settle();
        return Milliseconds([&] { AcceptNewDrawing(*form); Settle(); });
    });
    const double firstOpen = Best([&] {
        auto form = NewMainWindow();
        Settle();
        return Milliseconds([&] { Open(*form, drawing); Settle(); });
    });
    auto form = NewMainWindow();
    Open(*form, drawing);
    Settle();
    const double againNew = Best([&] {
        return Milliseconds([&] { AcceptNewDrawing(*form); Settle(); });
    });
    const double againOpen = Best([&] {
        return Milliseconds([&] { Open(*form, drawing); Settle(); });
    });
    const auto picture = folder / "full.bmp";
    const double exportTime = Best([&] {
        scriptedServices.pathAnswers.push_back(picture.wstring());
        return Milliseconds([&] { form->OnMenuCommand(form->exportItem.get()); });
    });

    std::printf("%-44s %9s %8s\n", "", "ms", "/ floor");
    const auto row = [floor](const char* what, double ms) {
        std::printf("%-44s %9.1f %7.2fx\n", what, ms, ms / floor);
    };
    row("empty Win32 program, launch to window (floor)", floor);
    row("main window built (in-process)", build);
    row("new 80 x 25 drawing, cells made", firstNew);
    row("open 80 x 25 file, cells made", firstOpen);
    row("new 80 x 25 drawing, cells there", againNew);
    row("open 80 x 25 file, cells there", againOpen);
    row("export 80 x 25 to .bmp", exportTime);
    return 0;
}
