// WM_NOTIFY: list headers, right clicks, up-down arrows and toolbar tooltips.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/Dispatch.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/GUIElement.h"
#include "toolkit/core/ToolTip.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace OrvUtility {

namespace {

// The toolbar's tooltip reads the text after the notification has returned, so it lives here.
std::array<wchar_t, ToolTipTextLimit + 1> toolTipBuffer{};

void ToolBarItemText(NMHDR* header) {
    GUIElement* item = FindById(std::int32_t(header->idFrom));
    if (!item || item->typeName != "toolbaritem" || item->toolTipText.empty()) return;
    const std::wstring text = ToolTipTextOf(item->toolTipText);
    std::fill(toolTipBuffer.begin(), toolTipBuffer.end(), L'\0');
    std::copy(text.begin(), text.end(), toolTipBuffer.begin());
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    info->lpszText = toolTipBuffer.data();
}

}  // namespace

void DispatchNotify(NMHDR* header) {
    if (!header) return;
    GUIElement* source = FindByHandle(header->hwndFrom);
    switch (static_cast<int>(header->code)) {
    case int(HDN_ITEMCHANGEDW): {
        const auto* change = reinterpret_cast<const NMHEADERW*>(header);
        const int newWidth = change->pitem ? change->pitem->cxy : 0;
        if (source) source->OnNotify(1, {change->iItem, newWidth});
        break;
    }
    case int(HDN_ITEMCLICKW):
        if (source) source->OnNotify(2, {reinterpret_cast<const NMHEADERW*>(header)->iItem});
        break;
    case int(NM_RCLICK):
        if (source) source->OnNotify(3, {});
        break;
    case int(UDN_DELTAPOS):
        if (auto* box = dynamic_cast<NumericBoxRole*>(source)) {
            const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
            box->OnValueRequested(change->iPos + change->iDelta);
        }
        break;
    case int(TTN_GETDISPINFOW):
        ToolBarItemText(header);
        break;
    default:
        break;
    }
}

}  // namespace OrvUtility
