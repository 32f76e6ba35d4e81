// The program: one main window, its message loop, exit code 0. The command line is not read.
#include "app/FormMain.h"
#include "app/rules/ProductInfo.h"
#include "toolkit/core/WindowProcedure.h"

#include <windows.h>

#include <memory>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    auto mainForm = std::make_unique<MyApp::FormMain>(instance, MyApp::MainWindowTitle());
    OrvUtility::RunMessageLoop(mainForm.get());
    mainForm.reset();
    return 0;
}
