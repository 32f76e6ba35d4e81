#pragma once
// The parts of WindowProcedure that need more than one line. Each answers the value to return
// when the message is answered without default processing, or nothing.

#include <windows.h>

#include <optional>

namespace OrvUtility {

class GUIElement;

using Answer = std::optional<LRESULT>;

void DispatchActivate(GUIElement* element, HWND window);
void DispatchHotKey(GUIElement* element, HWND window, WPARAM hotKeyId);
void DispatchTab(GUIElement* element, HWND window);
Answer DispatchCommand(WPARAM wParam, LPARAM lParam);
void DispatchNotify(NMHDR* header);
Answer DispatchScroll(GUIElement* element, UINT message, WPARAM wParam, LPARAM lParam);
Answer DispatchDrawItem(WPARAM controlId, const DRAWITEMSTRUCT* item);

}  // namespace OrvUtility
