#pragma once
// A scripted stand-in for the toolkit's modal services, the library tessaly_scripted_services.
// A test program links it instead of tessaly_toolkit_modal: the functions of
// toolkit/core/Services.h then show nothing, answer from the queues below and record every call.

#include "toolkit/core/Services.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace OrvUtility::Testing {

// One call of a modal service, as it would have been shown: its kind ("message", "error",
// "info", "question", "open", "save", "document"), the message text or the document or address
// to open, the box caption or dialog title, and what the call was given besides.
struct ShownService {
    std::string kind, text, caption;
    GUIElement* owner;
    std::string initialFolder;
    std::wstring proposedName;
    std::vector<std::string> filters;
    std::string defaultExtension;
};

struct ScriptedServices {
    // Answers, used in order. An empty queue answers No or a cancelled dialog. Opening a
    // document always fails: the program shows nothing then, and opens nothing here. A call
    // that found its queue empty shows in `shown` all the same.
    std::deque<bool> yesNoAnswers;
    std::deque<std::wstring> pathAnswers;  // an empty path is a cancelled dialog
    int filterAnswer = 1;                  // the file type a Save dialog reports chosen
    // Runs while each file dialog or box shows: what the windows may be sent meanwhile.
    std::function<void()> whileShown;

    std::vector<ShownService> shown;  // every call, in order
    // The paths handed to the system's recent documents, apart: they show nothing.
    std::vector<std::wstring> recentDocuments;
    std::vector<ShownService> Shown(const std::string& kind) const;  // those of one kind
};

// The script and record that the service functions use; `scriptedServices = {}` starts afresh.
extern ScriptedServices scriptedServices;

}  // namespace OrvUtility::Testing
