// The services that show something and wait: file dialogs, message boxes, the shell.
// Built as tessaly_toolkit_modal so that tests can link a scripted stand-in instead.

#include "toolkit/core/FileDialogFilter.h"
#include "toolkit/core/GUIElement.h"
#include "toolkit/core/Services.h"
#include "toolkit/core/SystemLibrary.h"
#include "toolkit/core/TextConversion.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace OrvUtility {

namespace {

// comdlg32 and shell32 come through SystemFunction: loaded when first needed.

// Long enough for any path the dialog can return (the system's own limit for long paths).
constexpr std::size_t FileNameCapacity = 32768;

using FileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, const wchar_t*, const wchar_t*,
                                                const wchar_t*, const wchar_t*, int);

HWND OwnerWindow(GUIElement* owner) {
    return owner ? owner->handle.Get() : nullptr;
}

std::wstring ShowFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& initialFolder, const std::wstring& proposedName,
                            const std::vector<std::string>& filters,
                            const std::string& defaultExtension, int* chosenFilter,
                            bool save) {
    std::vector<wchar_t> filterBuffer = BuildFilterBuffer(filters);
    std::vector<wchar_t> fileName(FileNameCapacity, L'\0');
    const std::wstring name = proposedName.substr(0, FileNameCapacity - 1);
    name.copy(fileName.data(), name.size());
    const std::wstring folder = Widen(initialFolder);
    const std::wstring caption = Widen(title);
    const std::wstring extension = Widen(defaultExtension);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);  // the 64-bit record; a shorter size fails at once
    dialog.hwndOwner = OwnerWindow(owner);
    dialog.lpstrFilter = filterBuffer.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = DWORD(fileName.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST
                        : OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    static const auto openDialog =
        SystemFunction<FileDialogFunction>(L"comdlg32.dll", "GetOpenFileNameW");
    static const auto saveDialog =
        SystemFunction<FileDialogFunction>(L"comdlg32.dll", "GetSaveFileNameW");
    const FileDialogFunction show = save ? saveDialog : openDialog;
    const ModalServiceScope shown;
    if (!show || !show(&dialog)) return {};
    if (chosenFilter) *chosenFilter = int(dialog.nFilterIndex);
    return std::wstring(fileName.data());
}

int Box(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    const ModalServiceScope shown;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace

std::wstring OpenFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& initialFolder,
                            const std::vector<std::string>& filters) {
    return ShowFileDialog(owner, title, initialFolder, std::wstring(), filters, std::string(),
                          nullptr, false);
}

std::wstring SaveFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& initialFolder, const std::wstring& proposedName,
                            const std::vector<std::string>& filters,
                            const std::string& defaultExtension, int* chosenFilter) {
    return ShowFileDialog(owner, title, initialFolder, proposedName, filters, defaultExtension,
                          chosenFilter, true);
}

void ShowMessage(GUIElement* owner, const std::string& text, const std::string& caption) {
    Box(OwnerWindow(owner), text, caption, MB_TASKMODAL);
}

void ShowError(GUIElement* owner, const std::string& text, const std::string& caption) {
    Box(OwnerWindow(owner), text, caption, MB_TASKMODAL | MB_ICONERROR);
}

void ShowInfo(GUIElement* owner, const std::string& text, const std::string& caption) {
    Box(OwnerWindow(owner), text, caption, MB_TASKMODAL | MB_ICONINFORMATION);
}

bool AskYesNo(const std::string& text, const std::string& caption) {
    return Box(nullptr, text, caption, MB_TASKMODAL | MB_ICONQUESTION | MB_YESNO) == IDYES;
}

bool AskYesNo(GUIElement* owner, const std::string& text, const std::string& caption) {
    return Box(OwnerWindow(owner), text, caption, MB_TASKMODAL | MB_ICONQUESTION | MB_YESNO) ==
           IDYES;
}

bool OpenDocument(const std::string& target) {
    static const auto shellExecute =
        SystemFunction<ShellExecuteFunction>(L"shell32.dll", "ShellExecuteW");
    if (!shellExecute) return false;
    const std::wstring file = Widen(target);
    const auto result = reinterpret_cast<INT_PTR>(
        shellExecute(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOW));
    return result > 32;
}

void AddToRecentDocuments(const std::wstring& path) {
    using AddFunction = void(WINAPI*)(UINT, LPCVOID);
    static const auto add = SystemFunction<AddFunction>(L"shell32.dll", "SHAddToRecentDocs");
    if (add) add(SHARD_PATHW, path.c_str());
}

}  // namespace OrvUtility
