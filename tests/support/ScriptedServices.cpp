#include "support/ScriptedServices.h"

#include "toolkit/core/Services.h"

namespace OrvUtility::Testing {

ScriptedServices& ScriptedServices::Instance() {
    static ScriptedServices services;
    return services;
}

void ScriptedServices::Reset() {
    yesNoAnswers.clear();
    pathAnswers.clear();
    documentAnswers.clear();
    shown.clear();
    unscripted = 0;
}

std::vector<ShownService> ScriptedServices::Shown(const std::string& kind) const {
    std::vector<ShownService> matching;
    for (const ShownService& call : shown)
        if (call.kind == kind) matching.push_back(call);
    return matching;
}

namespace {

template <typename Answer>
Answer Next(std::deque<Answer>& queue, Answer fallback) {
    if (queue.empty()) {
        ++ScriptedServices::Instance().unscripted;
        return fallback;
    }
    Answer answer = queue.front();
    queue.pop_front();
    return answer;
}

void Show(const std::string& kind, GUIElement* owner, const std::string& text,
          const std::string& caption) {
    ShownService call;
    call.kind = kind;
    call.owner = owner;
    call.text = text;
    call.caption = caption;
    ScriptedServices::Instance().shown.push_back(call);
}

std::wstring FileDialog(const std::string& kind, GUIElement* owner, const std::string& title,
                        const std::string& initialFolder, const std::string& proposedName,
                        const std::vector<std::string>& filters) {
    ShownService call;
    call.kind = kind;
    call.owner = owner;
    call.caption = title;
    call.initialFolder = initialFolder;
    call.proposedName = proposedName;
    call.filters = filters;
    ScriptedServices& services = ScriptedServices::Instance();
    services.shown.push_back(call);
    return Next(services.pathAnswers, std::wstring());
}

}  // namespace
}  // namespace OrvUtility::Testing

namespace OrvUtility {

using Testing::ScriptedServices;

std::wstring OpenFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& initialFolder,
                            const std::vector<std::string>& filters) {
    return Testing::FileDialog("open", owner, title, initialFolder, "", filters);
}

std::wstring SaveFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& initialFolder, const std::string& proposedName,
                            const std::vector<std::string>& filters) {
    return Testing::FileDialog("save", owner, title, initialFolder, proposedName, filters);
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
    Testing::Show("question", owner, text, caption);
    return Testing::Next(ScriptedServices::Instance().yesNoAnswers, false);
}

bool OpenDocument(const std::string& target) {
    Testing::Show("document", nullptr, target, "");
    return Testing::Next(ScriptedServices::Instance().documentAnswers, false);
}

}  // namespace OrvUtility
