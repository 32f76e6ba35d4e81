#include "support/ScriptedServices.h"

#include "toolkit/core/Services.h"

namespace OrvUtility::Testing {

ScriptedServices& ScriptedServices::Instance() {
    static ScriptedServices services;
    return services;
}

std::vector<ShownService> ScriptedServices::Shown(const std::string& kind) const {
    std::vector<ShownService> matching;
    for (const ShownService& call : shown)
        if (call.kind == kind) matching.push_back(call);
    return matching;
}

namespace {

// Records the call and answers from the queue, or with `fallback` when it is empty.
template <typename Answer>
Answer Ask(ShownService call, std::deque<Answer> ScriptedServices::*queue, Answer fallback) {
    ScriptedServices& services = ScriptedServices::Instance();
    services.shown.push_back(std::move(call));
    std::deque<Answer>& answers = services.*queue;
    if (answers.empty()) {
        ++services.unscripted;
        return fallback;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void Show(const char* kind, GUIElement* owner, const std::string& text,
          const std::string& caption) {
    ScriptedServices::Instance().shown.push_back({kind, text, caption, owner, "", "", {}});
}

}  // namespace
}  // namespace OrvUtility::Testing

namespace OrvUtility {

using Testing::ScriptedServices;

std::wstring OpenFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& initialFolder,
                            const std::vector<std::string>& filters) {
    return Testing::Ask({"open", "", title, owner, initialFolder, "", filters},
                        &ScriptedServices::pathAnswers, std::wstring());
}

std::wstring SaveFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& initialFolder, const std::string& proposedName,
                            const std::vector<std::string>& filters) {
    return Testing::Ask({"save", "", title, owner, initialFolder, proposedName, filters},
                        &ScriptedServices::pathAnswers, std::wstring());
}

void ShowMessage(GUIElement* owner, const std::string& text, const std::string& caption) {
    Testing::Show("message", owner, text, caption);
}

void ShowError(GUIElement* owner, const std::string& text, const std::string& caption) {
    Testing::Show("error", owner, text, caption);
}

void ShowInfo(GUIElement* owner, const std::string& text, const std::string& caption) {
    Testing::Show("info", owner, text, caption);
}

bool AskYesNo(const std::string& text, const std::string& caption) {
    return AskYesNo(nullptr, text, caption);
}

bool AskYesNo(GUIElement* owner, const std::string& text, const std::string& caption) {
    return Testing::Ask({"question", text, caption, owner, "", "", {}},
                        &ScriptedServices::yesNoAnswers, false);
}

bool OpenDocument(const std::string& target) {
    return Testing::Ask({"document", target, "", nullptr, "", "", {}},
                        &ScriptedServices::documentAnswers, false);
}

}  // namespace OrvUtility
