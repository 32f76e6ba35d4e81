#pragma once
// A window's menu as a tree of elements without windows: the bar of a form, its drop-downs and
// their entries. Entries take their command ids when constructed, so ids follow construction
// order; the bar's creation builds the native menus depth-first in list order. An entry added
// to a created parent is created and appended at once.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/GUIElement.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace OrvUtility {

class Menu;
class SubMenu;

class MenuBar : public Child {
public:
    explicit MenuBar(GUIElement* form);

    // Builds every menu and sets the bar on the form's window, when it has one.
    void Create() override;

    std::vector<Menu*> menus;  // not owned
    HMENU menuHandle = nullptr;
};

// A drop-down of the bar ("&File").
class Menu : public Child {
public:
    Menu(const std::string& menuText, MenuBar* bar);

    // Needs a bar that has its native menu; otherwise stays uncreated.
    void Create() override;

    std::vector<SubMenu*> entries;  // not owned
    HMENU menuHandle = nullptr;
};

// An entry of a drop-down; one with entries of its own is a cascading popup.
class SubMenu : public Child, public CommandElement, public SubMenuRole {
public:
    // `parentElement` is a Menu or a SubMenu.
    SubMenu(GUIElement* parentElement, const std::string& entryText);

    void SetEnabled(bool enable) override;
    void Create() override;
    void ToggleCheck() override;

    // The native menu this entry is appended to, or none.
    HMENU ParentMenuHandle() const;
    // Shows `checked` (when checkable) on the native menu.
    void ApplyCheck();
    // The check state, read back from the native menu once created.
    bool IsChecked();

    std::vector<SubMenu*> entries;  // not owned
    HMENU popupHandle = nullptr;
    std::uint32_t appendFlags = MF_STRING;
    bool checkable = false;
    bool checked = false;
};

}  // namespace OrvUtility
