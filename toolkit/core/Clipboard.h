#pragma once
// The Windows clipboard, opened for one window and always closed again on every way out. Another
// program may hold it open for a moment: opening tries a few times before it gives up.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

namespace OrvUtility {

// The number of a format registered by its name, the same in every program that asks.
UINT RegisteredClipboardFormat(const wchar_t* name);
bool ClipboardHasFormat(UINT format);

class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool IsOpen() const { return open; }
    // Empties the clipboard and makes the owner its owner: the first step of putting.
    bool Empty();
    // Puts a copy of the bytes in that format; false, with nothing put, when memory runs out.
    bool Put(UINT format, const void* bytes, std::size_t size);
    // Calls `read` with the bytes of that format while they are locked, and gives its answer;
    // nothing when the clipboard has no such data.
    template <typename Reader>
    auto Read(UINT format, Reader read) -> std::optional<decltype(read(nullptr, 0))> {
        const HANDLE data = open ? GetClipboardData(format) : nullptr;
        const void* bytes = data ? GlobalLock(data) : nullptr;
        if (!bytes) return std::nullopt;
        struct Unlock {
            HANDLE data;
            ~Unlock() { GlobalUnlock(data); }
        } unlock{data};
        return read(bytes, GlobalSize(data));
    }

private:
    bool open = false;
};

}  // namespace OrvUtility
