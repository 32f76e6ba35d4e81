#pragma once
// Scope guards for short-lived GDI resources: each releases exactly what it holds, once.
// Move-only, so a resource never has two owners.

#include <windows.h>

#include <utility>

namespace OrvUtility {

// Owns a GDI object (pen, brush, bitmap, font) and deletes it.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle object) : value(object) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : value(std::exchange(other.value, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            value = std::exchange(other.value, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle Get() const { return value; }
    explicit operator bool() const { return value != nullptr; }
    Handle Release() { return std::exchange(value, nullptr); }
    void Reset() {
        if (value) DeleteObject(value);
        value = nullptr;
    }

private:
    Handle value = nullptr;
};

// Owns a memory device context and deletes it.
class MemoryContext {
public:
    explicit MemoryContext(HDC compatibleWith) : value(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryContext() {
        if (value) DeleteDC(value);
    }
    MemoryContext(MemoryContext&& other) noexcept : value(std::exchange(other.value, nullptr)) {}
    MemoryContext& operator=(MemoryContext&&) = delete;
    MemoryContext(const MemoryContext&) = delete;
    MemoryContext& operator=(const MemoryContext&) = delete;

    HDC Get() const { return value; }
    explicit operator bool() const { return value != nullptr; }

private:
    HDC value;
};

// Selects an object into a context and puts the previous one back. Selecting into no
// context, or a failed selection, restores nothing.
// A window's device context from GetDCEx, given back to the window.
class WindowContext {
public:
    WindowContext(HWND contextWindow, DWORD flags)
        : window(contextWindow), value(GetDCEx(contextWindow, nullptr, flags)) {}
    ~WindowContext() {
        if (value) ReleaseDC(window, value);
    }
    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;

    HDC Get() const { return value; }
    explicit operator bool() const { return value != nullptr; }

private:
    HWND window;
    HDC value;
};

class Selection {
public:
    Selection(HDC context, HGDIOBJ object)
        : dc(context), previous(context && object ? SelectObject(context, object) : nullptr) {}
    ~Selection() {
        if (dc && previous) SelectObject(dc, previous);
    }
    Selection(Selection&& other) noexcept
        : dc(std::exchange(other.dc, nullptr)), previous(std::exchange(other.previous, nullptr)) {}
    Selection& operator=(Selection&&) = delete;
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    explicit operator bool() const { return previous != nullptr; }

private:
    HDC dc;
    HGDIOBJ previous;
};

}  // namespace OrvUtility
