#include "toolkit/core/FileDialogFilter.h"

#include "toolkit/core/TextConversion.h"

namespace OrvUtility {

std::vector<wchar_t> BuildFilterBuffer(const std::vector<std::string>& filters,
                                       std::size_t capacity) {
    std::vector<wchar_t> buffer(capacity < 2 ? 2 : capacity, L'\0');
    std::size_t used = 0;
    for (std::size_t i = 0; i + 1 < filters.size(); i += 2) {
        const std::wstring description = Widen(filters[i]);
        const std::wstring pattern = Widen(filters[i + 1]);
        // Both strings with their NULs, and room left for the closing NUL.
        const std::size_t needed = description.size() + 1 + pattern.size() + 1;
        if (used + needed + 1 > buffer.size()) break;
        for (const std::wstring* part : {&description, &pattern}) {
            part->copy(buffer.data() + used, part->size());
            used += part->size() + 1;  // the NUL is already there
        }
    }
    return buffer;
}

}  // namespace OrvUtility
