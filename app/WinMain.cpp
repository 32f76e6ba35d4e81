// The program: one main window, its message loop, exit code 0. Recovery copies of unsaved
// drawings live in the user's local application data; one left by a crash is offered first,
// then a drawing named on the command line (a double-clicked ".art" file) is opened. The
// window's place and the recent drawings are remembered in the user's registry.
#include "app/FormMain.h"
#include "app/rules/ProductInfo.h"
#include "toolkit/core/RegistrySettings.h"
#include "toolkit/core/WindowProcedure.h"

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

// %LOCALAPPDATA%\Tessaly; empty (no recovery copies) where the session names no such folder.
// Read from the environment the system gives every session: asking the shell would load
// shell32 at every start.
std::filesystem::path RecoveryFolder() {
    std::wstring local(MAX_PATH, L'\0');
    DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", local.data(), DWORD(local.size()));
    if (length >= local.size()) {
        local.resize(length);
        length = GetEnvironmentVariableW(L"LOCALAPPDATA", local.data(), DWORD(local.size()));
    }
    if (length == 0 || length >= local.size()) return {};
    local.resize(length);
    return std::filesystem::path(local) / MyApp::ProductName;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    OrvUtility::RegistrySettings settings(MyApp::SettingsKey);
    auto mainForm =
        std::make_unique<MyApp::FormMain>(instance, MyApp::MainWindowTitle(), &settings);
    mainForm->StartRecovery(RecoveryFolder());
    mainForm->OpenFromCommandLine(GetCommandLineW());
    OrvUtility::RunMessageLoop(mainForm.get(), mainForm->Shortcuts());
    mainForm.reset();
    return 0;
}
