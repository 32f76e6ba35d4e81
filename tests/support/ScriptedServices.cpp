#include "support/ScriptedServices.h"

#include "toolkit/core/Services.h"

#include <utility>

namespace OrvUtility {

using Testing::scriptedServices;
using Testing::ShownService;

Testing::ScriptedServices Testing::scriptedServices;

std::vector<ShownService> Testing::ScriptedServices::Shown(const std::string& kind) const {
    std::vector<ShownService> matching;
    for (const ShownService& call : shown)
        if (call.kind == kind) matching.push_back(call);
    return matching;
}

// A file dialog or box, shown while `whileShown` runs (not for a box it brings up).
static void Record(ShownService call) {
    const ModalServiceScope showing;
    scriptedServices.shown.push_back(std::move(call));
    if (auto meanwhile = std::exchange(scriptedServices.whileShown, nullptr)) {
        meanwhile();
        scriptedServices.whileShown = std::move(meanwhile);
    }
}

// Records the call and answers from `answers`, or with `fallback` when they are used up.
template <typename Answer>
static Answer Record(ShownService call, std::deque<Answer>& answers, Answer fallback) {
    Record(std::move(call));
    if (answers.empty()) return fallback;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::wstring OpenFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& folder, const std::vector<std::string>& filters) {
    return Record({"open", "", title, owner, folder, L"", filters, ""}, scriptedServices.pathAnswers,
                  std::wstring());
}

std::wstring SaveFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& folder, const std::wstring& proposedName,
                            const std::vector<std::string>& filters,
                            const std::string& defaultExtension, int* chosenFilter) {
    if (chosenFilter) *chosenFilter = scriptedServices.filterAnswer;
    return Record({"save", "", title, owner, folder, proposedName, filters, defaultExtension},
                  scriptedServices.pathAnswers, std::wstring());
}

void ShowMessage(GUIElement* owner, const std::string& text, const std::string& caption) {
    Record({"message", text, caption, owner, "", L"", {}, ""});
}

void ShowError(GUIElement* owner, const std::string& text, const std::string& caption) {
    Record({"error", text, caption, owner, "", L"", {}, ""});
}

void ShowInfo(GUIElement* owner, const std::string& text, const std::string& caption) {
    Record({"info", text, caption, owner, "", L"", {}, ""});
}

bool AskYesNo(const std::string& text, const std::string& caption) {
    return AskYesNo(nullptr, text, caption);
}

bool AskYesNo(GUIElement* owner, const std::string& text, const std::string& caption) {
    return Record({"question", text, caption, owner, "", L"", {}, ""}, scriptedServices.yesNoAnswers,
                  false);
}

bool OpenDocument(const std::string& target) {
    scriptedServices.shown.push_back({"document", target, "", nullptr, "", L"", {}, ""});
    return false;
}

void AddToRecentDocuments(const std::wstring& path) {
    scriptedServices.recentDocuments.push_back(path);
}

}  // namespace OrvUtility
