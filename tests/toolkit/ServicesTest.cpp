// The dialog and shell services: formatting, the last error's text, the file dialogs' filter
// buffer, and the real message boxes and file dialogs, answered from a helper thread.

#include "ToolkitTesting.h"

#include "toolkit/core/FileDialogFilter.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/Services.h"
#include "toolkit/core/TextConversion.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>

namespace OrvUtility {
namespace {

using namespace Testing;
namespace fs = std::filesystem;
using ServicesTest = ToolkitTest;

TEST_F(ServicesTest, IntegersArePlainDecimal) {
    const std::pair<long long, const char*> cases[] = {
        {0, "0"}, {-5, "-5"}, {80, "80"}, {1234567890123, "1234567890123"},
        {LLONG_MIN, "-9223372036854775808"}, {LLONG_MAX, "9223372036854775807"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatIntegerNarrow(value), text);
        EXPECT_EQ(FormatInteger(value), Widen(text));
    }
}

TEST_F(ServicesTest, LastErrorTextIsTheSystemsTextAtItsReportedLength) {
    SetLastError(0);
    EXPECT_EQ(LastErrorText(), "");
    char expected[1024] = {};
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), expected,
                       sizeof(expected), nullptr);
    ASSERT_GT(length, 0u);
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(LastErrorText(), std::string(expected, length));  // line break and all
    SetLastError(0x2000ABCD);  // no text for it
    EXPECT_EQ(LastErrorText(), "");
}

// The strings of a filter buffer, read as the dialog reads them: up to the empty one.
std::vector<std::wstring> ReadFilter(const std::vector<wchar_t>& buffer) {
    std::vector<std::wstring> strings;
    for (std::size_t at = 0; at < buffer.size() && buffer[at]; at += strings.back().size() + 1)
        strings.emplace_back(buffer.data() + at);
    return strings;
}

TEST_F(ServicesTest, FilterBufferHoldsWholePairsDoubleTerminatedAndIsNeverOverrun) {
    const std::vector<wchar_t> art = BuildFilterBuffer({"File Art (*.art)", "*.art"});
    ASSERT_EQ(art.size(), FilterBufferCapacity);
    EXPECT_EQ(std::wstring(art.data(), 25), std::wstring(L"File Art (*.art)\0*.art\0\0", 25));
    EXPECT_EQ(ReadFilter(BuildFilterBuffer({})), std::vector<std::wstring>{});
    // An unpaired description would shift every pair after it: it is left out.
    EXPECT_EQ(ReadFilter(BuildFilterBuffer({"Propriet\xE0", "*.\xE0", "B"})),
              (std::vector<std::wstring>{L"Propriet\u00E0", L"*.\u00E0"}));

    std::vector<std::string> many;  // pairs of 10 + 8 units with their NULs
    for (int i = 1000; i < 1300; ++i) {
        many.push_back("Type " + std::to_string(i));
        many.push_back("*.x" + std::to_string(i));
    }
    for (std::size_t capacity : {1024, 1000, 19, 18, 2}) {
        const std::vector<wchar_t> buffer = BuildFilterBuffer(many, capacity);
        ASSERT_EQ(buffer.size(), capacity);
        const std::vector<std::wstring> strings = ReadFilter(buffer);
        const std::size_t pairs = (capacity - 1) / 18;  // as many whole pairs as fit
        ASSERT_EQ(strings.size(), 2 * pairs) << capacity;
        if (pairs) {
            EXPECT_EQ(strings.back(), L"*.x" + std::to_wstring(999 + pairs));
        }
        EXPECT_EQ(buffer[pairs * 18], L'\0');  // the closing NUL, inside the buffer
    }
}

// What a dialog box showed, noted by the helper thread that answered it.
struct Seen {
    std::string caption, message;
    std::wstring proposedName;
    std::vector<std::wstring> fileTypes;
    bool icon = false, yesNo = false, ok = false, ownerDisabled = false;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

Seen Answer(DWORD guiThread, int command, const std::wstring& name, HWND owner) {
    HWND box = nullptr;  // only this thread's: other test programs may show boxes too
    for (int attempt = 0; attempt < 500 && !box; ++attempt) {
        EnumThreadWindows(guiThread, FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
        if (!box) Sleep(20);
    }
    Seen seen;
    if (!box) return seen;
    Sleep(100);  // let the dialog finish its initialisation
    char text[512] = {};
    GetWindowTextA(box, text, sizeof(text));
    seen.caption = text;
    text[0] = '\0';
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    seen.message = text;
    const int nameField = GetDlgItem(box, 0x47C) ? 0x47C : 0x480;  // cmb13 or edt1
    wchar_t field[512] = {};
    GetDlgItemTextW(box, nameField, field, 512);
    seen.proposedName = field;
    if (const HWND types = GetDlgItem(box, 0x470)) {  // cmb1: from the selected type on
        const int count = int(SendMessageW(types, CB_GETCOUNT, 0, 0));
        for (int i = int(SendMessageW(types, CB_GETCURSEL, 0, 0)); i >= 0 && i < count; ++i) {
            SendMessageW(types, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(field));
            seen.fileTypes.push_back(field);
        }
    }
    seen.icon = SendDlgItemMessageW(box, 0x440, STM_GETICON, 0, 0) != 0;  // stc1
    // Message boxes may carry every button and hide the ones not asked for.
    auto shown = [box](int item) { return IsWindowVisible(GetDlgItem(box, item)) != 0; };
    seen.yesNo = shown(IDYES) && shown(IDNO);
    seen.ok = shown(IDOK);
    seen.ownerDisabled = owner && !IsWindowEnabled(owner);
    if (!name.empty()) SetDlgItemTextW(box, nameField, name.c_str());
    PostMessageW(box, WM_COMMAND, WPARAM(command), 0);
    return seen;
}

// Answers the next dialog box that this thread shows with `command`, typing `name` first.
std::future<Seen> AnswerNextBox(int command, std::wstring name = {}, HWND owner = nullptr) {
    return std::async(std::launch::async, Answer, GetCurrentThreadId(), command, name, owner);
}

using Show = std::function<bool(const std::string&, const std::string&)>;

Show OkBox(void (*service)(GUIElement*, const std::string&, const std::string&),
           GUIElement* owner) {
    return [=](const std::string& text, const std::string& caption) {
        service(owner, text, caption);
        return false;
    };
}

// Task-modal: the program's windows wait, with or without owner.
TEST_F(ServicesTest, MessageBoxesShowTheirTextCaptionIconAndButtonsTaskModal) {
    Form owner(Module());
    owner.Create();
    const struct {
        Show show;
        int answer;
        std::string text, caption;
        bool icon, yesNo, result;
    } rows[] = {
        {OkBox(ShowError, &owner), IDOK, "Errore nel salvataggio.", "Errore", true, false, false},
        {OkBox(ShowMessage, nullptr), IDOK, "Cambia propriet\xE0", "Attenzione", false, false,
         false},
        {OkBox(ShowInfo, &owner), IDOK, "Informazione", "Info...", true, false, false},
        {[&](auto& text, auto& caption) { return AskYesNo(&owner, text, caption); }, IDYES,
         "Salvare le modifiche?", "Salva", true, true, true},
        {[](auto& text, auto& caption) { return AskYesNo(text, caption); }, IDNO,
         "Vuoi realmente uscire?", "Uscita", true, true, false},
    };
    for (const auto& row : rows) {
        std::future<Seen> answer = AnswerNextBox(row.answer, {}, owner.handle);
        EXPECT_EQ(row.show(row.text, row.caption), row.result);
        const Seen box = answer.get();
        EXPECT_EQ(std::tie(box.caption, box.message), std::tie(row.caption, row.text));
        EXPECT_EQ(std::make_tuple(box.icon, box.yesNo, box.ok, box.ownerDisabled),
                  std::make_tuple(row.icon, row.yesNo, !row.yesNo, true))
            << row.caption;
    }
    EXPECT_TRUE(IsWindowEnabled(owner.handle));
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Paths with characters outside Windows-1252 come back whole and name the file chosen.
TEST_F(ServicesTest, FileDialogsReturnTheChosenPathWhole) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path folder = fs::path(temp) / L"tessaly-\u03A9\u03BC\u03AD\u03B3\u03B1";
    fs::create_directories(folder);
    const fs::path file = folder / L"\u4E2D\u0142.art";
    std::ofstream(file, std::ios::binary) << "1;1;0\r\n";
    Form owner(Module());
    owner.Create();

    std::future<Seen> answer = AnswerNextBox(IDOK, file.wstring());
    const std::wstring opened = OpenFileDialog(&owner, "Apri", "", {"File Art (*.art)", "*.art"});
    Seen box = answer.get();
    EXPECT_EQ(box.caption, "Apri");
    EXPECT_EQ(box.fileTypes, std::vector<std::wstring>{L"File Art (*.art)"});
    EXPECT_EQ(ReadAll(opened), "1;1;0\r\n");

    answer = AnswerNextBox(IDCANCEL);
    EXPECT_EQ(SaveFileDialog(&owner, "Salva", "", "Disegno.art", {"A", "*.a"}), L"");
    box = answer.get();
    EXPECT_EQ(box.caption, "Salva");
    EXPECT_EQ(box.proposedName, L"Disegno.art");

    // A new name without extension comes back as typed; no title: the system's own.
    const fs::path typed = folder / L"nuovo \u0394";
    answer = AnswerNextBox(IDOK, typed.wstring());
    const std::wstring saved =
        SaveFileDialog(&owner, "", Narrow(temp), "", {"File Bitmap (*.bmp)", "*.bmp"});
    box = answer.get();
    EXPECT_EQ(box.proposedName, L"");
    EXPECT_FALSE(box.caption.empty());
    EXPECT_NE(box.caption, "Salva");
    EXPECT_EQ(saved, typed.wstring());
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

TEST_F(ServicesTest, OpenDocumentReportsWhetherTheShellAcceptedIt) {
    EXPECT_TRUE(OpenDocument("http://www.example.com/Tessaly.asp"));
    EXPECT_FALSE(OpenDocument("Z:\\no such folder\\no such file.zzz"));
}

}  // namespace
}  // namespace OrvUtility
