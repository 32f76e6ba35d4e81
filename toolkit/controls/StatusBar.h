#pragma once
// The status bar at the foot of a form: one part showing the element's text.

#include "toolkit/core/GUIElement.h"

#include <string>

namespace OrvUtility {

class StatusBar : public Child {
public:
    StatusBar(GUIElement* parentElement, const std::string& content);
    ~StatusBar() override;

    void Create() override;  // 35
};

}  // namespace OrvUtility
