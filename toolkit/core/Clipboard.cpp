#include "toolkit/core/Clipboard.h"

#include <cstring>

namespace OrvUtility {

namespace {

constexpr int OpenAttempts = 5;
constexpr DWORD OpenPauseMs = 10;

}  // namespace

UINT RegisteredClipboardFormat(const wchar_t* name) { return RegisterClipboardFormatW(name); }

bool ClipboardHasFormat(UINT format) { return format && IsClipboardFormatAvailable(format); }

ClipboardSession::ClipboardSession(HWND owner) {
    for (int attempt = 0; attempt < OpenAttempts && !open; ++attempt) {
        if (attempt > 0) Sleep(OpenPauseMs);
        open = OpenClipboard(owner) != 0;
    }
}

ClipboardSession::~ClipboardSession() {
    if (open) CloseClipboard();
}

bool ClipboardSession::Empty() { return open && EmptyClipboard(); }

// The memory becomes the clipboard's once it has taken it; until then it is ours to free.
bool ClipboardSession::Put(UINT format, const void* bytes, std::size_t size) {
    if (!open) return false;
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return false;
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, bytes, size);
        GlobalUnlock(memory);
        if (SetClipboardData(format, memory)) return true;
    }
    GlobalFree(memory);
    return false;
}

}  // namespace OrvUtility
