#include "toolkit/core/Accelerators.h"

#include "toolkit/core/GUIElement.h"

#include <utility>

namespace OrvUtility {

AcceleratorTable::AcceleratorTable(const std::vector<Shortcut>& shortcuts) {
    std::vector<ACCEL> entries;
    for (const Shortcut& shortcut : shortcuts) {
        // FVIRTKEY: the key is a virtual-key code, matched whatever the keyboard layout.
        entries.push_back({BYTE(shortcut.modifiers | FVIRTKEY), shortcut.key,
                           WORD(shortcut.command->id)});
    }
    if (!entries.empty()) table = CreateAcceleratorTableW(entries.data(), int(entries.size()));
}

AcceleratorTable::~AcceleratorTable() {
    if (table) DestroyAcceleratorTable(table);
}

AcceleratorTable::AcceleratorTable(AcceleratorTable&& other) noexcept
    : table(std::exchange(other.table, nullptr)) {}

AcceleratorTable& AcceleratorTable::operator=(AcceleratorTable&& other) noexcept {
    if (this != &other) {
        if (table) DestroyAcceleratorTable(table);
        table = std::exchange(other.table, nullptr);
    }
    return *this;
}

}  // namespace OrvUtility
