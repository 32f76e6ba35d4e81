// The dialog and shell services: formatting, the last error's text, the file dialogs' filter
// buffer, and real message boxes and file dialogs, answered from a helper thread.

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
#include <tuple>

namespace OrvUtility {
namespace {

using namespace Testing;
namespace fs = std::filesystem;
using ServicesTest = ToolkitTest;

// The texts of several values in a row.
TEST_F(ServicesTest, IntegersArePlainDecimal) {
    EXPECT_EQ(FormatIntegerNarrow(-5) + FormatIntegerNarrow(LLONG_MIN), "-5-9223372036854775808");
    EXPECT_EQ(FormatInteger(0) + FormatInteger(LLONG_MAX), L"09223372036854775807");
}

// Empty with no error pending or no text for it; else the system's text, line break and all.
TEST_F(ServicesTest, LastErrorTextIsTheSystemsWholeText) {
    char buffer[512] = {};
    const std::string text(buffer, FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                                                  ERROR_FILE_NOT_FOUND, 0, buffer, 512, nullptr));
    ASSERT_GT(text.size(), 2u);
    for (const auto& [code, expected] : {std::pair<DWORD, std::string>{0, ""},
                                         {ERROR_FILE_NOT_FOUND, text}, {0x2000ABCD, ""}}) {
        SetLastError(code);
        EXPECT_EQ(LastErrorText(), expected) << code;
    }
}

// The strings of a filter buffer as the dialog reads them: up to the empty one.
std::vector<std::wstring> ReadFilter(const std::vector<wchar_t>& buffer) {
    std::vector<std::wstring> strings;
    for (std::size_t at = 0; at < buffer.size() && buffer[at]; at += strings.back().size() + 1)
        strings.emplace_back(buffer.data() + at);
    return strings;
}

// Only whole pairs that fit with the closing NUL: an unpaired string would shift every pair.
TEST_F(ServicesTest, FilterBufferHoldsWholePairsDoubleTerminatedAndIsNeverOverrun) {
    EXPECT_EQ(ReadFilter(BuildFilterBuffer({"Propriet\xE0", "*.\xE0", "B"})),
              (std::vector<std::wstring>{L"Propriet\u00E0", L"*.\u00E0"}));
    std::vector<std::string> many;
    for (int i = 0; i < 200; ++i) many.insert(many.end(), {"Type", "*.x"});  // 9 code units
    for (std::size_t capacity : {1024, 19, 18, 10, 9, 2}) {
        const std::vector<wchar_t> buffer = BuildFilterBuffer(many, capacity);
        ASSERT_EQ(buffer.size(), capacity);
        EXPECT_EQ(ReadFilter(buffer).size(), 2 * ((capacity - 1) / 9)) << capacity;
    }
}

// What a dialog box showed: caption, message, file name field, selected file type, icon, owner,
// the buttons shown of OK, Yes and No, whether the program waited (its window disabled, a modal
// service counted as showing).
using Seen = std::tuple<std::wstring, std::wstring, std::wstring, std::wstring, HICON, HWND,
                        std::vector<int>, bool>;

// Waits for the dialog box that `thread` shows in front of the program's window (`nested`: in
// front of a dialog of the program), notes what it shows, types `name` into its file name
// field and answers `command`.
Seen Answer(DWORD thread, int command, const std::wstring& name, HWND program,
            bool nested = false) {
    HWND box = nullptr;
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    for (int attempt = 0; attempt < 500 && !box; ++attempt, Sleep(20)) {
        if (!GetGUIThreadInfo(thread, &gui) || gui.hwndActive == program) continue;
        if (!nested || GetWindow(gui.hwndActive, GW_OWNER) != program) box = gui.hwndActive;
    }
    Sleep(100);  // let the dialog finish its initialisation
    auto text = [box](int item) {  // item 0: the box's own text
        wchar_t chars[512];
        return std::wstring(chars, GetWindowTextW(item ? GetDlgItem(box, item) : box, chars, 512));
    };
    const int nameField = GetDlgItem(box, 0x47C) ? 0x47C : 0x480;  // cmb13 or edt1
    std::vector<int> buttons;  // a box may hold every button and hide those not asked for
    for (int button : {IDOK, IDYES, IDNO})
        if (IsWindowVisible(GetDlgItem(box, button))) buttons.push_back(button);
    const Seen seen{text(0), text(0xFFFF), text(nameField), text(0x470),  // cmb1, a drop list
                    HICON(SendDlgItemMessageW(box, 0x440, STM_GETICON, 0, 0)),  // stc1
                    GetWindow(box, GW_OWNER), buttons,
                    !IsWindowEnabled(program) && ModalServiceScope::AnyShown()};
    if (!name.empty()) SetDlgItemTextW(box, nameField, name.c_str());
    PostMessageW(box, WM_COMMAND, WPARAM(command), 0);
    return seen;
}

// Message boxes are task-modal: the program waits, whether the box has an owner or not. File
// dialogs return paths with characters outside Windows-1252 whole, and a name typed without
// extension as typed, in the initial folder.
TEST_F(ServicesTest, ModalServicesShowTheirBoxAndReturnTheAnswer) {
    const std::wstring existing = fs::temp_directory_path() / L"\u03A9\u4E2D\u0142.art";
    std::ofstream(fs::path(existing)).put('x');
    Form program(Module());
    program.Create();
    const HWND window = program.handle;
    const HICON error = LoadIconW(nullptr, IDI_ERROR), info = LoadIconW(nullptr, IDI_INFORMATION),
                question = LoadIconW(nullptr, IDI_QUESTION);
    const std::vector<int> ok{IDOK}, yesNo{IDYES, IDNO};
    const struct {
        std::function<std::wstring()> show;
        int answer;
        std::wstring typed, result;
        Seen seen;
    } boxes[] = {
        {[&] { return ShowError(&program, "Errore nel salvataggio.", "Errore"), L""; }, IDOK, L"",
         L"", {L"Errore", L"Errore nel salvataggio.", L"", L"", error, window, ok, true}},
        {[&] { return ShowMessage(nullptr, "Cambia propriet\xE0", "Attenzione"), L""; }, IDOK, L"",
         L"", {L"Attenzione", L"Cambia propriet\u00E0", L"", L"", nullptr, nullptr, ok, true}},
        {[&] { return ShowInfo(&program, "Informazione", "Info..."), L""; }, IDOK, L"", L"",
         {L"Info...", L"Informazione", L"", L"", info, window, ok, true}},
        {[&] { return AskYesNo(&program, "Salvare?", "Salva") ? L"yes" : L"no"; }, IDYES, L"",
         L"yes", {L"Salva", L"Salvare?", L"", L"", question, window, yesNo, true}},
        {[&] { return AskYesNo("Uscire?", "Uscita") ? L"yes" : L"no"; }, IDNO, L"", L"no",
         {L"Uscita", L"Uscire?", L"", L"", question, nullptr, yesNo, true}},
        {[&] { return OpenFileDialog(&program, "Apri", "", {"File Art (*.art)", "*.art"}); }, IDOK,
         existing, existing, {L"Apri", L"", L"", L"File Art (*.art)", nullptr, window, ok, true}},
        {[&] { return SaveFileDialog(&program, "Salva", "", L"Disegno.art", {"A", "*.a"}, ""); },
         IDCANCEL, L"", L"", {L"Salva", L"", L"Disegno.art", L"A", nullptr, window, ok, true}},
        {[&] { return SaveFileDialog(&program, "", "C:\\", L"", {"B", "*.b", "C", "*.c"}, ""); },
         IDOK, L"nuovo \u0394", L"C:\\nuovo \u0394",
         {L"Save As", L"", L"", L"B", nullptr, window, ok, true}},  // no title: the system's
    };
    for (const auto& box : boxes) {
        std::future<Seen> seen = std::async(std::launch::async, Answer, GetCurrentThreadId(),
                                            box.answer, box.typed, window, false);
        EXPECT_EQ(box.show(), box.result);
        EXPECT_EQ(seen.get(), box.seen);
        EXPECT_FALSE(ModalServiceScope::AnyShown());
    }
    fs::remove(existing);
}

// With a default extension the dialog completes a name typed without one before it asks
// whether to replace a file: the question is about the file that will really be written.
TEST_F(ServicesTest, SaveDialogAsksAboutTheCompletedName) {
    const fs::path folder = fs::temp_directory_path() / L"tessaly sostituzione";
    fs::create_directories(folder);
    std::ofstream(folder / "Disegno.art").put('x');
    Form program(Module());
    program.Create();
    const HWND window = program.handle;
    const DWORD thread = GetCurrentThreadId();
    auto question = std::async(std::launch::async, [&] {
        Answer(thread, IDOK, L"Disegno", window);
        return Answer(thread, IDYES, L"", window, true);
    });
    EXPECT_EQ(SaveFileDialog(&program, "Salva", Narrow(folder.wstring()), L"",
                             {"File Art (*.art)", "*.art"}, "art"),
              (folder / "Disegno.art").wstring());
    // "Disegno" itself does not exist: only the completed name can have raised the question.
    const Seen asked = question.get();
    EXPECT_EQ(std::get<6>(asked), (std::vector<int>{IDYES, IDNO}));
    EXPECT_NE(std::get<5>(asked), window);  // owned by the dialog, in front of it

    // The file type chosen gives the extension added, and is reported.
    auto typeChosen = std::async(std::launch::async, [&] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof(gui);
        for (int attempt = 0; attempt < 500; ++attempt, Sleep(20))
            if (GetGUIThreadInfo(thread, &gui) && gui.hwndActive != window) break;
        Sleep(100);
        const HWND dialog = gui.hwndActive;
        const HWND types = GetDlgItem(dialog, 0x470);  // cmb1
        SendMessageW(types, CB_SETCURSEL, 1, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK), LPARAM(types));
        return Answer(thread, IDOK, L"foto", window);
    });
    int chosen = 0;
    EXPECT_EQ(SaveFileDialog(&program, "Salva", Narrow(folder.wstring()), L"Disegno.bmp",
                             {"B", "*.bmp", "P", "*.png"}, "bmp", &chosen),
              (folder / "foto.png").wstring());
    EXPECT_EQ(std::get<3>(typeChosen.get()), L"P");
    EXPECT_EQ(chosen, 2);
    fs::current_path(fs::temp_directory_path());  // the dialog made the folder current
    fs::remove_all(folder);
}

TEST_F(ServicesTest, OpenDocumentAnswersFalseWhenTheTargetCannotBeOpened) {
    EXPECT_FALSE(OpenDocument("Z:\\no such folder\\no such file.zzz"));
}

}  // namespace
}  // namespace OrvUtility
