#include "toolkit/controls/Timer.h"

#include "toolkit/controls/NativeControl.h"

namespace OrvUtility {

Timer::Timer(GUIElement* parentElement, int milliseconds)
    : Child(parentElement), interval(milliseconds) {
    typeName = "timer";
    text = L"timer";
    width = 50;
    height = 22;
}

Timer::~Timer() {
    DestroyOwnWindow();
    Stop();
}

void Timer::Create() {
    if (created) return;
    // Never shown: no tooltip and no font.
    CreateNativeControl(*this, {L"static", DWORD(enabled ? WS_CHILD : WS_CHILD | WS_DISABLED)});
    created = true;
}

void Timer::Start() {
    if (running) return;
    Create();
    SetTimer(parent ? parent->handle.Get() : nullptr, UINT_PTR(id), UINT(interval), nullptr);
    running = true;
}

void Timer::Stop() {
    if (!running) return;
    KillTimer(parent ? parent->handle.Get() : nullptr, UINT_PTR(id));
    running = false;
}

void Timer::Tick() {
    if (onTick) onTick(this);
}

}  // namespace OrvUtility
