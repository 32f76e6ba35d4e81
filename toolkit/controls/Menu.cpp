#include "toolkit/controls/Menu.h"

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/TextConversion.h"

namespace OrvUtility {

MenuBar::MenuBar(GUIElement* form) : Child(form) {
    typeName = "menubar";
}

void MenuBar::Create() {
    if (!parent || !parent->handle) return;
    menuHandle = CreateMenu();
    for (Menu* menu : menus) menu->Create();
    SetMenu(parent->handle, menuHandle);
    created = true;
    handle = menuHandle;
}

Menu::Menu(const std::string& menuText, MenuBar* bar) : Child(bar) {
    typeName = "menu";
    text = Widen(menuText);
    if (!bar) return;
    bar->menus.push_back(this);
    if (bar->created) Create();
}

void Menu::Create() {
    if (created) return;
    auto* bar = dynamic_cast<MenuBar*>(parent);
    if (!bar || !bar->menuHandle) return;
    menuHandle = CreateMenu();
    for (SubMenu* entry : entries) entry->Create();
    AppendMenuW(bar->menuHandle, MF_POPUP, reinterpret_cast<UINT_PTR>(menuHandle), text.c_str());
    handle = menuHandle;
    created = true;
}

SubMenu::SubMenu(GUIElement* parentElement, const std::string& entryText) : Child(parentElement) {
    typeName = "submenu";
    text = Widen(entryText);
    id = ++elementIdCounter;
    if (auto* menu = dynamic_cast<Menu*>(parentElement)) {
        menu->entries.push_back(this);
        if (menu->created) Create();
    } else if (auto* entry = dynamic_cast<SubMenu*>(parentElement)) {
        entry->entries.push_back(this);
        if (entry->created) Create();
    }
}

HMENU SubMenu::ParentMenuHandle() const {
    if (auto* menu = dynamic_cast<Menu*>(parent)) return menu->menuHandle;
    if (auto* entry = dynamic_cast<SubMenu*>(parent)) return entry->popupHandle;
    return nullptr;
}

void SubMenu::Create() {
    if (created) return;
    const HMENU parentMenu = ParentMenuHandle();
    if (!parentMenu) return;
    if (!entries.empty()) {
        popupHandle = CreatePopupMenu();
        for (SubMenu* entry : entries) entry->Create();
        AppendMenuW(parentMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(popupHandle), text.c_str());
    } else {
        // An empty text is appended without a text at all: a blank dividing entry.
        AppendMenuW(parentMenu, appendFlags, UINT_PTR(id), text.empty() ? nullptr : text.c_str());
        if (checkable) CheckMenuItem(parentMenu, UINT(id), checked ? MF_CHECKED : MF_UNCHECKED);
    }
    created = true;
    handle = popupHandle;
    if (!enabled) SetEnabled(false);
}

void SubMenu::SetEnabled(bool enable) {
    enabled = enable;
    if (created)
        EnableMenuItem(ParentMenuHandle(), UINT(id),
                       MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void SubMenu::ApplyCheck() {
    const HMENU parentMenu = ParentMenuHandle();
    if (parentMenu)
        CheckMenuItem(parentMenu, UINT(id), checked && checkable ? MF_CHECKED : MF_UNCHECKED);
}

bool SubMenu::IsChecked() {
    const HMENU parentMenu = ParentMenuHandle();
    if (created && parentMenu)
        checked = GetMenuState(parentMenu, UINT(id), MF_BYCOMMAND) == MF_CHECKED;
    return checked;
}

void SubMenu::ToggleCheck() {
    if (!checkable) return;
    checked = !IsChecked();
    if (created) ApplyCheck();
}

}  // namespace OrvUtility
