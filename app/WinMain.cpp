// The program: one main window, its message loop, exit code 0. A drawing named on the command
// line (a double-clicked ".art" file) is open when the window first shows.
#include "app/FormMain.h"
#include "app/rules/ProductInfo.h"
#include "toolkit/core/WindowProcedure.h"

#include <windows.h>

#include <memory>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    auto mainForm = std::make_unique<MyApp::FormMain>(instance, MyApp::MainWindowTitle());
    mainForm->OpenFromCommandLine(GetCommandLineW());
    OrvUtility::RunMessageLoop(mainForm.get(), mainForm->Shortcuts());
    mainForm.reset();
    return 0;
}
