// The program: one main window, its message loop, exit code 0. Recovery copies of unsaved
// drawings live in the user's local application data; one left by a crash is offered first,
// then a drawing named on the command line (a double-clicked ".art" file) is opened.
#include "app/FormMain.h"
#include "app/rules/ProductInfo.h"
#include "toolkit/core/WindowProcedure.h"

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <memory>

namespace {

// %LOCALAPPDATA%\Tessaly; empty (no recovery copies) where the system has no such folder.
std::filesystem::path RecoveryFolder() {
    PWSTR local = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local)))
        folder = std::filesystem::path(local) / MyApp::ProductName;
    CoTaskMemFree(local);
    return folder;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    auto mainForm = std::make_unique<MyApp::FormMain>(instance, MyApp::MainWindowTitle());
    mainForm->StartRecovery(RecoveryFolder());
    mainForm->OpenFromCommandLine(GetCommandLineW());
    OrvUtility::RunMessageLoop(mainForm.get(), mainForm->Shortcuts());
    mainForm.reset();
    return 0;
}
