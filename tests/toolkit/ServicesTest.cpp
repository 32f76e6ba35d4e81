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
#include <iterator>

namespace OrvUtility {
namespace {

using namespace Testing;
namespace fs = std::filesystem;

using ServicesTest = ToolkitTest;

TEST_F(ServicesTest, IntegersArePlainDecimal) {
    EXPECT_EQ(FormatInteger(0), L"0");
    EXPECT_EQ(FormatInteger(-5), L"-5");
    EXPECT_EQ(FormatInteger(1234567890123), L"1234567890123");
    EXPECT_EQ(FormatInteger(LLONG_MIN), L"-9223372036854775808");
    EXPECT_EQ(FormatIntegerNarrow(LLONG_MAX), "9223372036854775807");
    EXPECT_EQ(FormatIntegerNarrow(-5), "-5");
    EXPECT_EQ(FormatIntegerNarrow(80), "80");
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
    const std::string text = LastErrorText();
    EXPECT_EQ(text, std::string(expected, length));
    EXPECT_EQ(text.back(), '\n');  // the system's line break is kept

    SetLastError(0x2000ABCD);  // no text for it
    EXPECT_EQ(LastErrorText(), "");
}

// The pairs a filter buffer holds, read as the dialog reads them.
std::vector<std::wstring> ReadFilter(const std::vector<wchar_t>& buffer) {
    std::vector<std::wstring> strings;
    std::size_t at = 0;
    while (at < buffer.size() && buffer[at] != L'\0') {
        const std::wstring piece(buffer.data() + at);
        strings.push_back(piece);
        at += piece.size() + 1;
    }
    return strings;
}

TEST_F(ServicesTest, FilterBufferHoldsThePairsDoubleTerminated) {
    const std::vector<wchar_t> buffer = BuildFilterBuffer({"File Art (*.art)", "*.art"});
    ASSERT_EQ(buffer.size(), FilterBufferCapacity);
    const std::wstring expected(L"File Art (*.art)\0*.art\0\0", 25);
    EXPECT_EQ(std::wstring(buffer.data(), 25), expected);
    EXPECT_EQ(ReadFilter(buffer), (std::vector<std::wstring>{L"File Art (*.art)", L"*.art"}));

    EXPECT_EQ(ReadFilter(BuildFilterBuffer({})), std::vector<std::wstring>{});
    EXPECT_EQ(BuildFilterBuffer({})[1], L'\0');
    // An unpaired description would shift every pair after it: it is left out.
    EXPECT_EQ(ReadFilter(BuildFilterBuffer({"A", "*.a", "B"})),
              (std::vector<std::wstring>{L"A", L"*.a"}));
    EXPECT_EQ(ReadFilter(BuildFilterBuffer({"Propriet\xE0", "*.\xE0"})),
              (std::vector<std::wstring>{L"Propriet\u00E0", L"*.\u00E0"}));
}

TEST_F(ServicesTest, FilterBufferIsNeverOverrunAndKeepsOnlyWholePairs) {
    // "D1\0*.1\0" takes 7 units; with the closing NUL one pair needs 8.
    const std::vector<std::string> pair = {"D1", "*.1"};
    EXPECT_EQ(ReadFilter(BuildFilterBuffer(pair, 8)).size(), 2u);
    EXPECT_EQ(ReadFilter(BuildFilterBuffer(pair, 7)).size(), 0u);
    EXPECT_EQ(BuildFilterBuffer(pair, 7).size(), 7u);

    std::vector<std::string> many;
    for (int i = 0; i < 300; ++i) {
        many.push_back("Type " + std::to_string(1000 + i));  // 9 + 1 units
        many.push_back("*.x" + std::to_string(1000 + i));    // 7 + 1 units
    }
    for (std::size_t capacity : {std::size_t(1024), std::size_t(1000), std::size_t(19)}) {
        const std::vector<wchar_t> buffer = BuildFilterBuffer(many, capacity);
        ASSERT_EQ(buffer.size(), capacity);
        const std::vector<std::wstring> strings = ReadFilter(buffer);
        const std::size_t pairs = strings.size() / 2;
        EXPECT_EQ(strings.size() % 2, 0u);
        ASSERT_EQ(pairs, (capacity - 1) / 18) << capacity;  // as many whole pairs as fit
        EXPECT_EQ(strings.back(), L"*.x" + std::to_wstring(1000 + pairs - 1));
        EXPECT_EQ(buffer[pairs * 18], L'\0');  // the closing NUL, inside the buffer
        EXPECT_EQ(buffer[capacity - 1], L'\0');
    }
}

TEST_F(ServicesTest, MessageBoxesShowTheirTextCaptionIconAndButtons) {
    Form owner(Module());
    owner.Create();
    {
        ModalAnswerer answer(IDOK, {}, owner.handle);
        ShowError(&owner, "Errore durante il salvataggio.", "Errore");
        answer.Join();
        ASSERT_TRUE(answer.answered());
        EXPECT_EQ(answer.caption, "Errore");
        EXPECT_EQ(answer.message, "Errore durante il salvataggio.");
        EXPECT_TRUE(answer.hasIcon);
        EXPECT_TRUE(answer.hasOk);
        EXPECT_FALSE(answer.hasYesNo);
        EXPECT_TRUE(answer.watchedDisabled);  // task-modal: the program's windows wait
    }
    EXPECT_TRUE(IsWindowEnabled(owner.handle));
    {
        ModalAnswerer answer(IDOK);
        ShowMessage(nullptr, "Cambia propriet\xE0", "Attenzione");
        answer.Join();
        EXPECT_EQ(answer.caption, "Attenzione");
        EXPECT_EQ(answer.message, "Cambia propriet\xE0");
        EXPECT_FALSE(answer.hasIcon);
    }
    {
        ModalAnswerer answer(IDOK);
        ShowInfo(&owner, "Informazione", "Info...");
        answer.Join();
        EXPECT_EQ(answer.caption, "Info...");
        EXPECT_TRUE(answer.hasIcon);
    }
}

TEST_F(ServicesTest, AskYesNoIsTrueOnlyForYes) {
    Form owner(Module());
    owner.Create();
    {
        ModalAnswerer answer(IDYES, {}, owner.handle);
        EXPECT_TRUE(AskYesNo(&owner, "Si desidera salvare le modifiche del file?", "Salva"));
        answer.Join();
        EXPECT_EQ(answer.caption, "Salva");
        EXPECT_EQ(answer.message, "Si desidera salvare le modifiche del file?");
        EXPECT_TRUE(answer.hasYesNo);
        EXPECT_FALSE(answer.hasOk);
        EXPECT_TRUE(answer.hasIcon);
        EXPECT_TRUE(answer.watchedDisabled);
    }
    {
        ModalAnswerer answer(IDNO, {}, owner.handle);
        EXPECT_FALSE(AskYesNo("Vuoi realmente uscire?", "Uscita"));
        answer.Join();
        EXPECT_EQ(answer.caption, "Uscita");
        EXPECT_TRUE(answer.watchedDisabled);  // task-modal even without an owner
    }
}

// A folder and file whose names have characters outside Windows-1252.
struct ForeignFolder {
    ForeignFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = fs::path(temp) / L"tessaly-\u03A9\u03BC\u03AD\u03B3\u03B1";
        fs::create_directories(folder);
        file = folder / L"\u4E2D\u0142.art";
        std::ofstream(file, std::ios::binary) << "1;1;0\r\n";
    }
    ~ForeignFolder() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    fs::path folder;
    fs::path file;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ServicesTest, OpenFileDialogReturnsAPathOutsideTheNarrowCharacterSetWhole) {
    ForeignFolder place;
    Form owner(Module());
    owner.Create();
    ModalAnswerer answer(IDOK, place.file.wstring());
    const std::wstring chosen =
        OpenFileDialog(&owner, "Apri", "", {"File Art (*.art)", "*.art"});
    answer.Join();
    EXPECT_EQ(answer.caption, "Apri");
    EXPECT_EQ(answer.fileTypes, std::vector<std::wstring>{L"File Art (*.art)"});
    EXPECT_EQ(answer.selectedFileType, 0);
    EXPECT_EQ(chosen, place.file.wstring());
    EXPECT_EQ(ReadAll(chosen), "1;1;0\r\n");  // the file layer opens exactly that file
}

TEST_F(ServicesTest, SaveFileDialogProposesTheNameAndReturnsTheTypedPath) {
    ForeignFolder place;
    Form owner(Module());
    owner.Create();
    {
        ModalAnswerer answer(IDCANCEL);
        EXPECT_EQ(SaveFileDialog(&owner, "Salva", "", "Disegno.art",
                                 {"File Art (*.art)", "*.art"}),
                  L"");
        answer.Join();
        EXPECT_EQ(answer.caption, "Salva");
        EXPECT_EQ(answer.proposedName, L"Disegno.art");
    }
    {
        // A new name without extension comes back as typed: no default extension.
        const fs::path target = place.folder / L"nuovo \u0394";
        ModalAnswerer answer(IDOK, target.wstring());
        const std::string initialFolder = Narrow(place.folder.parent_path().wstring());
        const std::wstring chosen = SaveFileDialog(&owner, "", initialFolder, "",
                                                   {"File Bitmap (*.bmp)", "*.bmp"});
        answer.Join();
        EXPECT_EQ(answer.proposedName, L"");
        EXPECT_FALSE(answer.caption.empty());  // the system's own title
        EXPECT_NE(answer.caption, "Salva");
        EXPECT_EQ(chosen, target.wstring());
        std::ofstream(fs::path(chosen), std::ios::binary) << "x";
        EXPECT_TRUE(fs::exists(target));
    }
}

TEST_F(ServicesTest, OpenDocumentReportsWhetherTheShellAcceptedIt) {
    EXPECT_TRUE(OpenDocument("http://www.example.com/Tessaly.asp"));
    EXPECT_FALSE(OpenDocument("Z:\\no such folder\\no such file.zzz"));
}

}  // namespace
}  // namespace OrvUtility
