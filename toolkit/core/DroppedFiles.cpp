#include "toolkit/core/DroppedFiles.h"

#include "toolkit/core/SystemLibrary.h"

namespace OrvUtility {

namespace {

// shell32 is loaded at the first drop, not at every start.
using QueryFunction = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
using FinishFunction = void(WINAPI*)(HDROP);

QueryFunction Query() {
    static const auto query = SystemFunction<QueryFunction>(L"shell32.dll", "DragQueryFileW");
    return query;
}

}  // namespace

DroppedFiles::~DroppedFiles() {
    static const auto finish = SystemFunction<FinishFunction>(L"shell32.dll", "DragFinish");
    if (drop && finish) finish(drop);
}

std::vector<std::wstring> DroppedFiles::Paths() const {
    std::vector<std::wstring> paths;
    const QueryFunction query = Query();
    if (!drop || !query) return paths;
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        std::wstring path(query(drop, index, nullptr, 0), L'\0');
        // The length comes without the closing null, which the copy writes all the same.
        path.resize(query(drop, index, &path[0], UINT(path.size() + 1)));
        paths.push_back(path);
    }
    return paths;
}

}  // namespace OrvUtility
