#pragma once
// A scripted stand-in for the toolkit's modal services. A test program links
// ScriptedServices.cpp instead of tessaly_toolkit_modal: the functions of
// toolkit/core/Services.h then show nothing, answer from the queues below and record every call.

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace OrvUtility {
class GUIElement;
}

namespace OrvUtility::Testing {

// One call of a modal service, as it would have been shown.
struct ShownService {
    std::string kind;     // "message", "error", "info", "question", "open", "save", "document"
    std::string text;     // message text, or the document or address to open
    std::string caption;  // box caption or dialog title
    GUIElement* owner = nullptr;
    std::string initialFolder;
    std::string proposedName;
    std::vector<std::string> filters;
};

class ScriptedServices {
public:
    static ScriptedServices& Instance();

    // Answers, used in order. An empty queue answers No, a cancelled dialog, a failed open.
    std::deque<bool> yesNoAnswers;
    std::deque<std::wstring> pathAnswers;  // an empty path is a cancelled dialog
    std::deque<bool> documentAnswers;

    std::vector<ShownService> shown;
    std::size_t unscripted = 0;  // calls that found their queue empty

    void Reset() { *this = ScriptedServices(); }
    std::vector<ShownService> Shown(const std::string& kind) const;  // in order
};

}  // namespace OrvUtility::Testing
