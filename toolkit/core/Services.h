#pragma once
// The toolkit's wrappers of the platform's standard services. Texts, captions, titles and
// filters are the program's narrow (Windows-1252) strings, widened for the system.
//
// The modal ones (file dialogs, message boxes, opening a document) are built into a library
// of their own, tessaly_toolkit_modal; a test program links a scripted stand-in of the same
// functions instead (tests/support/ScriptedServices), so nothing blocks and what would have
// been shown can be checked. The others are part of the core library.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace OrvUtility {

class GUIElement;

// File dialogs. `filters` holds pairs: description, pattern ("File Art (*.art)", "*.art");
// the first pair is selected. Empty `title` or `initialFolder` mean the system's default.
//
// The chosen path comes back whole, as UTF-16, or empty when the user cancelled. A path may
// hold characters outside the narrow character set (a folder named in Greek, say); cutting it
// to narrow would name another file, so callers keep it wide and hand it to the file layer as
// a std::filesystem::path, which is wide on Windows.
std::wstring OpenFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& initialFolder,
                            const std::vector<std::string>& filters);
// `proposedName` fills the name field (empty: the field starts empty); it may be a whole path.
// `defaultExtension` (without the dot; empty: none) is added by the dialog to a name typed
// without one, before it asks whether to replace an existing file: the question is then about
// the file that will really be written.
// `chosenFilter`, when given, receives the pair the user had selected (1 for the first).
std::wstring SaveFileDialog(GUIElement* owner, const std::string& title,
                            const std::string& initialFolder, const std::wstring& proposedName,
                            const std::vector<std::string>& filters,
                            const std::string& defaultExtension, int* chosenFilter = nullptr);

// Task-modal message boxes with one OK button: no icon, error icon, information icon.
void ShowMessage(GUIElement* owner, const std::string& text, const std::string& caption);
void ShowError(GUIElement* owner, const std::string& text, const std::string& caption);
void ShowInfo(GUIElement* owner, const std::string& text, const std::string& caption);
// A Yes/No question; true only for Yes (a failed box counts as No).
bool AskYesNo(const std::string& text, const std::string& caption);
bool AskYesNo(GUIElement* owner, const std::string& text, const std::string& caption);

// A modal service holds one of these while it waits for the user. Its message loop goes on
// delivering messages to the program's disabled windows meanwhile (a drop from the window
// system among them), which must not act on them as if nothing were open.
class ModalServiceScope {
public:
    ModalServiceScope() { ++depth; }
    ~ModalServiceScope() { --depth; }
    ModalServiceScope(const ModalServiceScope&) = delete;
    ModalServiceScope& operator=(const ModalServiceScope&) = delete;
    // True while any file dialog or message box is showing.
    static bool AnyShown() { return depth > 0; }

private:
    static inline std::atomic<int> depth{0};
};

// Opens a file or web address with its associated program; true when the shell accepted it.
bool OpenDocument(const std::string& target);
// Hands a file the program opened or saved to the system's list of recent documents (the
// taskbar's jump list, the Start menu).
void AddToRecentDocuments(const std::wstring& path);

// The system's text for the calling thread's last error, as reported (usually ending with a
// line break); empty when there is no error.
std::string LastErrorText();

// Plain decimal: a minus sign only for negative values, no padding.
std::wstring FormatInteger(std::int64_t value);
std::string FormatIntegerNarrow(std::int64_t value);

}  // namespace OrvUtility
