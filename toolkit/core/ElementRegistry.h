#pragma once
// The process-wide list of every live element, in construction order, through which the shared
// window procedure finds the element of a window.
//
// Lookup by window handle answers exactly as a walk over the list would: among elements that
// carry the handle the one constructed last wins. When none carries it, the element whose
// window is being created gets it while it has no handle yet: the system sends messages before
// CreateWindowExW returns, and `WindowCreation` records whose window that is. No other element
// is ever taken for an unknown window. A hash index from handle to elements, kept in
// construction order per handle, gives that answer in O(1). Elements leave the list and the
// index when they are destructed, so no lookup ever returns a destructed element.

#include <windows.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace OrvUtility {

class GUIElement;

class ElementRegistry {
public:
    static ElementRegistry& Instance();

    GUIElement* FindByHandle(HWND window) const;
    // The same answer by walking the whole list: the reference the index must match.
    GUIElement* FindByHandleWalk(HWND window) const;
    GUIElement* FindById(std::int32_t elementId) const;
    GUIElement* FindSubMenuById(std::int32_t elementId) const;
    // The element whose window is being created, or none.
    GUIElement* UnderCreation() const { return creating.empty() ? nullptr : creating.back(); }

    // Live elements in construction order.
    std::vector<GUIElement*> Elements() const;
    std::size_t Size() const { return ordered.size(); }

private:
    friend class GUIElement;
    friend class ElementHandle;
    friend class WindowCreation;

    struct Entry {
        std::uint64_t sequence;
        GUIElement* element;
    };
    using Entries = std::vector<Entry>;  // ascending sequence

    void Add(GUIElement& element);
    void Remove(GUIElement& element);
    void HandleChanged(GUIElement& element, HWND before, HWND after);
    GUIElement* CreatingWithoutHandle() const;
    static void Insert(Entries& entries, const Entry& entry);
    static void Erase(Entries& entries, std::uint64_t sequence);

    Entries ordered;
    std::unordered_map<HWND, Entries> byHandle;
    std::uint64_t nextSequence = 1;
    // Elements whose windows are being created, innermost last; one that dies is left as none.
    std::vector<GUIElement*> creating;
};

// Records `element` as the one whose window is being created for as long as it lives; the
// previous record comes back after, so a window created from inside another's WM_CREATE nests.
class WindowCreation {
public:
    explicit WindowCreation(GUIElement& element);
    ~WindowCreation();
    WindowCreation(const WindowCreation&) = delete;
    WindowCreation& operator=(const WindowCreation&) = delete;
};

// The registry lookups, as the window procedure and the controls use them.
GUIElement* FindByHandle(HWND window);
// First element in construction order whose `id` equals the given one.
GUIElement* FindById(std::int32_t elementId);
// First element in construction order that is a sub-menu (SubMenuRole) with that `id`.
GUIElement* FindSubMenuById(std::int32_t elementId);

// The toolkit-wide counter from which every `Create` that needs a number takes it.
extern std::int32_t elementIdCounter;

}  // namespace OrvUtility
