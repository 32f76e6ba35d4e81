// Built without the modal services library: the scripted stand-in answers instead, so a
// window's handlers that ask questions and show dialogs run in-process without blocking.

#include "ToolkitTesting.h"
#include "support/ScriptedServices.h"

#include "toolkit/core/Form.h"
#include "toolkit/core/Services.h"

#include <filesystem>
#include <fstream>

namespace OrvUtility {
namespace {

using namespace Testing;

class ScriptedServicesTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        ScriptedServices::Instance().Reset();
    }
    ScriptedServices& services = ScriptedServices::Instance();
};

// Handlers as an application writes them: they only know the service functions.
bool ConfirmExit(GUIElement*) {
    return AskYesNo("Vuoi realmente uscire?", "Uscita");
}

void SaveAs(GUIElement* sender) {
    const std::wstring path = SaveFileDialog(sender->parent, "Salva", "", "Disegno.art",
                                             {"File Art (*.art)", "*.art"});
    if (path.empty()) return;
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    if (!out) ShowError(sender->parent, "Errore durante il salvataggio.", "Errore");
}

TEST_F(ScriptedServicesTest, AClosingFormAsksAndTheScriptAnswers) {
    Form form(Module());
    form.onClose = ConfirmExit;
    form.Create();
    services.yesNoAnswers = {false, true};
    SendMessageW(form.handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form.handle));
    SendMessageW(form.handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(form.handle));

    ASSERT_EQ(services.shown.size(), 2u);
    EXPECT_EQ(services.shown[0].kind, "question");
    EXPECT_EQ(services.shown[0].text, "Vuoi realmente uscire?");
    EXPECT_EQ(services.shown[0].caption, "Uscita");
    EXPECT_EQ(services.shown[0].owner, nullptr);
    EXPECT_EQ(services.unscripted, 0u);
}

TEST_F(ScriptedServicesTest, DialogsAnswerFromTheScriptAndRecordWhatWasAsked) {
    Form form(Module());
    form.Create();
    SubMenuDouble saveAs(&form);
    saveAs.onCommand = SaveAs;

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path target =
        std::filesystem::path(temp) / L"scripted-\u03A9.art";  // outside Windows-1252
    services.pathAnswers = {target.wstring(), L"Z:\\no such folder\\x.art", L""};
    for (int i = 0; i < 3; ++i) SendMessageW(form.handle, WM_COMMAND, MAKEWPARAM(saveAs.id, 0), 0);

    EXPECT_TRUE(std::filesystem::exists(target));
    std::filesystem::remove(target);
    const std::vector<ShownService> dialogs = services.Shown("save");
    ASSERT_EQ(dialogs.size(), 3u);
    EXPECT_EQ(dialogs[0].owner, &form);
    EXPECT_EQ(dialogs[0].caption, "Salva");
    EXPECT_EQ(dialogs[0].proposedName, "Disegno.art");
    EXPECT_EQ(dialogs[0].filters, (std::vector<std::string>{"File Art (*.art)", "*.art"}));
    const std::vector<ShownService> errors = services.Shown("error");
    ASSERT_EQ(errors.size(), 1u);  // only the unwritable path; the cancelled one is silent
    EXPECT_EQ(errors[0].text, "Errore durante il salvataggio.");
    EXPECT_EQ(errors[0].caption, "Errore");

    // Nothing scripted: No, cancelled, not opened.
    EXPECT_FALSE(AskYesNo(&form, "Si desidera salvare le modifiche del file?", "Salva"));
    EXPECT_EQ(OpenFileDialog(&form, "Apri", "", {}), L"");
    EXPECT_FALSE(OpenDocument("http://www.example.com/"));
    EXPECT_EQ(services.unscripted, 3u);
    EXPECT_EQ(services.Shown("document").at(0).text, "http://www.example.com/");
}

}  // namespace
}  // namespace OrvUtility
