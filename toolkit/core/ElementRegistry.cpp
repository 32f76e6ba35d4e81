#include "toolkit/core/ElementRegistry.h"

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/GUIElement.h"

#include <algorithm>

namespace OrvUtility {

std::int32_t elementIdCounter = 0;

ElementRegistry& ElementRegistry::Instance() {
    // Never destroyed: elements with static storage may still leave it at process end.
    static ElementRegistry* registry = new ElementRegistry;
    return *registry;
}

void ElementRegistry::Insert(Entries& entries, const Entry& entry) {
    auto at = std::upper_bound(entries.begin(), entries.end(), entry.sequence,
                               [](std::uint64_t s, const Entry& e) { return s < e.sequence; });
    entries.insert(at, entry);
}

void ElementRegistry::Erase(Entries& entries, std::uint64_t sequence) {
    auto at = std::lower_bound(entries.begin(), entries.end(), sequence,
                               [](const Entry& e, std::uint64_t s) { return e.sequence < s; });
    if (at != entries.end() && at->sequence == sequence) entries.erase(at);
}

void ElementRegistry::Add(GUIElement& element) {
    element.registrySequence = nextSequence++;
    ordered.push_back(Entry{element.registrySequence, &element});  // no window yet: not indexed
}

void ElementRegistry::Remove(GUIElement& element) {
    if (element.registrySequence == 0) return;
    Erase(ordered, element.registrySequence);
    auto bucket = byHandle.find(element.handle.Get());
    if (bucket != byHandle.end()) {
        Erase(bucket->second, element.registrySequence);
        if (bucket->second.empty()) byHandle.erase(bucket);
    }
    element.registrySequence = 0;
    std::replace(creating.begin(), creating.end(), &element, static_cast<GUIElement*>(nullptr));
}

void ElementRegistry::HandleChanged(GUIElement& element, HWND before, HWND after) {
    if (element.registrySequence == 0 || before == after) return;
    auto bucket = byHandle.find(before);
    if (bucket != byHandle.end()) {
        Erase(bucket->second, element.registrySequence);
        if (bucket->second.empty()) byHandle.erase(bucket);
    }
    if (after) Insert(byHandle[after], Entry{element.registrySequence, &element});
}

GUIElement* ElementRegistry::CreatingWithoutHandle() const {
    GUIElement* element = UnderCreation();
    return element && !element->handle.Get() ? element : nullptr;
}

GUIElement* ElementRegistry::FindByHandle(HWND window) const {
    if (!window) return nullptr;
    auto bucket = byHandle.find(window);
    if (bucket != byHandle.end() && !bucket->second.empty()) return bucket->second.back().element;
    return CreatingWithoutHandle();
}

GUIElement* ElementRegistry::FindByHandleWalk(HWND window) const {
    if (!window) return nullptr;
    GUIElement* found = nullptr;
    for (const Entry& entry : ordered)
        if (entry.element->handle.Get() == window) found = entry.element;
    return found ? found : CreatingWithoutHandle();
}

GUIElement* ElementRegistry::FindById(std::int32_t elementId) const {
    for (const Entry& entry : ordered)
        if (entry.element->id == elementId) return entry.element;
    return nullptr;
}

GUIElement* ElementRegistry::FindSubMenuById(std::int32_t elementId) const {
    for (const Entry& entry : ordered)
        if (entry.element->id == elementId && dynamic_cast<SubMenuRole*>(entry.element))
            return entry.element;
    return nullptr;
}

std::vector<GUIElement*> ElementRegistry::Elements() const {
    std::vector<GUIElement*> elements;
    elements.reserve(ordered.size());
    for (const Entry& entry : ordered) elements.push_back(entry.element);
    return elements;
}

ElementHandle& ElementHandle::operator=(HWND window) {
    const HWND before = value;
    value = window;
    menu = nullptr;
    ElementRegistry::Instance().HandleChanged(owner, before, window);
    return *this;
}

ElementHandle& ElementHandle::operator=(HMENU menuHandle) {
    *this = HWND(nullptr);
    menu = menuHandle;
    return *this;
}

WindowCreation::WindowCreation(GUIElement& element) {
    ElementRegistry::Instance().creating.push_back(&element);
}

WindowCreation::~WindowCreation() {
    ElementRegistry::Instance().creating.pop_back();
}

GUIElement* FindByHandle(HWND window) {
    return ElementRegistry::Instance().FindByHandle(window);
}

GUIElement* FindById(std::int32_t elementId) {
    return ElementRegistry::Instance().FindById(elementId);
}

GUIElement* FindSubMenuById(std::int32_t elementId) {
    return ElementRegistry::Instance().FindSubMenuById(elementId);
}

}  // namespace OrvUtility
