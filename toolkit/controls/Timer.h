#pragma once
// A timer of the parent's window, numbered by an invisible child window that carries its id.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/GUIElement.h"

namespace OrvUtility {

class Timer : public Child, public TimerRole {
public:
    Timer(GUIElement* parentElement, int milliseconds);
    ~Timer() override;  // stops a running timer

    void Create() override;  // 35

    // Arms the timer (creating the element first if needed); nothing while it runs.
    void Start();
    // Disarms it; nothing while it is stopped.
    void Stop();
    void Tick() override;

    bool running = false;
    int interval;
    EventHook onTick = nullptr;
};

}  // namespace OrvUtility
