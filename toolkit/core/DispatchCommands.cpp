// WM_COMMAND: menu entries, buttons, combo boxes, toolbar items.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/Dispatch.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/GUIElement.h"

namespace OrvUtility {

namespace {

void RaiseCommand(GUIElement* element) {
    auto* command = dynamic_cast<CommandElement*>(element);
    if (command && command->onCommand) command->onCommand(element);
}

Answer ComboBoxCommand(GUIElement* combo, ComboBoxRole& role, WORD code) {
    switch (code) {
    case CBN_SELCHANGE:
        RaiseCommand(combo);
        break;
    case 0:
        if (combo->created) SendMessageW(combo->handle, CB_SHOWDROPDOWN, TRUE, 0);
        break;
    case CBN_CLOSEUP:
        if (!role.OnCloseUp()) return 1;
        break;
    case CBN_DROPDOWN:
        if (!role.OnDropDown()) return 1;
        break;
    default:
        break;
    }
    return std::nullopt;
}

}  // namespace

Answer DispatchCommand(WPARAM wParam, LPARAM lParam) {
    const WORD code = HIWORD(wParam);
    const WORD commandId = LOWORD(wParam);
    const auto control = reinterpret_cast<HWND>(lParam);

    if (!control && code == 0) {  // a menu entry
        GUIElement* entry = FindSubMenuById(commandId);
        if (!entry) return std::nullopt;
        dynamic_cast<SubMenuRole*>(entry)->ToggleCheck();
        RaiseCommand(entry);
        return std::nullopt;
    }
    if (!control && code == 1) {  // an accelerator: a menu entry, or any command element
        // The system skips a disabled menu entry; a toolbar item's state only the toolkit knows.
        GUIElement* entry = FindSubMenuById(commandId);
        GUIElement* target = entry ? entry : FindById(commandId);
        if (!target || !target->enabled) return std::nullopt;
        if (entry) dynamic_cast<SubMenuRole*>(entry)->ToggleCheck();
        RaiseCommand(target);
        return std::nullopt;
    }

    GUIElement* source = FindByHandle(control);
    if (dynamic_cast<CommandElement*>(source)) {
        if (auto* combo = dynamic_cast<ComboBoxRole*>(source))
            return ComboBoxCommand(source, *combo, code);
        RaiseCommand(source);  // Button, ToolBarItem, SubMenu: whatever the code
        return std::nullopt;
    }
    // A toolbar reports its buttons' clicks with the item's id as command id.
    if (source && source->typeName == "toolbar") RaiseCommand(FindById(commandId));
    return std::nullopt;
}

}  // namespace OrvUtility
