// Linked with the scripted stand-in instead of the modal services library: handlers that ask
// questions and show dialogs run in-process, answered by the script, without blocking.

#include "ToolkitTesting.h"
#include "support/ScriptedServices.h"

#include "toolkit/core/Form.h"
#include "toolkit/core/Services.h"

#include <filesystem>
#include <fstream>

namespace OrvUtility {
namespace {

using namespace Testing;
namespace fs = std::filesystem;

// Handlers as an application writes them: they only know the service functions.
bool ConfirmExit(GUIElement*) {
    return AskYesNo("Vuoi realmente uscire?", "Uscita");
}

void SaveAs(GUIElement* sender) {
    const std::wstring path = SaveFileDialog(sender->parent, "Salva", "", "Disegno.art",
                                             {"File Art (*.art)", "*.art"});
    if (!path.empty() && !std::ofstream(fs::path(path), std::ios::binary))
        ShowError(sender->parent, "Errore durante il salvataggio.", "Errore");
}

using ScriptedServicesTest = ToolkitTest;

TEST_F(ScriptedServicesTest, HandlersGetTheScriptedAnswersAndEveryCallIsRecorded) {
    ScriptedServices& services = ScriptedServices::Instance();
    services.Reset();
    Form form(Module());
    form.onClose = ConfirmExit;
    form.Create();
    SubMenuDouble saveAs(&form);
    saveAs.onCommand = SaveAs;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path target = fs::path(temp) / L"scripted-\u03A9.art";
    services.yesNoAnswers = {false, true};
    services.pathAnswers = {target.wstring(), L"Z:\\no such folder\\x.art", L""};

    for (int i = 0; i < 3; ++i) SendMessageW(form.handle, WM_COMMAND, WPARAM(saveAs.id), 0);
    EXPECT_TRUE(fs::remove(target));
    SendMessageW(form.handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form.handle));
    SendMessageW(form.handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(form.handle));
    EXPECT_EQ(services.unscripted, 0u);

    const std::vector<ShownService> saves = services.Shown("save");
    ASSERT_EQ(saves.size(), 3u);
    EXPECT_EQ(saves[0].owner, &form);
    EXPECT_EQ(std::tie(saves[0].caption, saves[0].proposedName), std::tie("Salva", "Disegno.art"));
    EXPECT_EQ(saves[0].filters, (std::vector<std::string>{"File Art (*.art)", "*.art"}));
    const std::vector<ShownService> errors = services.Shown("error");
    ASSERT_EQ(errors.size(), 1u);  // only the unwritable path; the cancelled one is silent
    EXPECT_EQ(errors[0].text, "Errore durante il salvataggio.");
    const std::vector<ShownService> questions = services.Shown("question");
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(std::tie(questions[1].text, questions[1].caption),
              std::tie("Vuoi realmente uscire?", "Uscita"));
    EXPECT_EQ(questions[1].owner, nullptr);

    // Nothing scripted: No, cancelled, not opened.
    EXPECT_FALSE(AskYesNo(&form, "Salvare?", "Salva"));
    EXPECT_EQ(OpenFileDialog(&form, "Apri", "", {}), L"");
    EXPECT_FALSE(OpenDocument("http://www.example.com/"));
    EXPECT_EQ(services.unscripted, 3u);
    EXPECT_EQ(services.Shown("document").at(0).text, "http://www.example.com/");
}

}  // namespace
}  // namespace OrvUtility
