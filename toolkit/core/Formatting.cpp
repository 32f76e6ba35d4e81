// The services that show nothing: decimal text of integers and the last error's text.

#include "toolkit/core/Services.h"
#include "toolkit/core/TextConversion.h"

#include <windows.h>

#include <charconv>

namespace OrvUtility {

std::string FormatIntegerNarrow(std::int64_t value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

std::wstring FormatInteger(std::int64_t value) {
    return Widen(FormatIntegerNarrow(value));
}

std::string LastErrorText() {
    const DWORD code = GetLastError();
    if (code == 0) return {};
    char* message = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
            FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<char*>(&message), 0, nullptr);
    std::string text;
    if (message) {
        text.assign(message, length);
        LocalFree(message);
    }
    return text;
}

}  // namespace OrvUtility
