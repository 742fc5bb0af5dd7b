// Timers register with the application, which fires them as its clock passes their due time.
#include "platform/ui/Timer.h"

#include "platform/ui/Application.h"

namespace ui {

Timer::Timer() { Application::Instance().RegisterTimer(this); }

Timer::~Timer() { Application::Instance().UnregisterTimer(this); }

void Timer::SetEnabled(bool enabled) {
    if (enabled && !enabled_)
        Reschedule(Application::Instance().NowMs());
    enabled_ = enabled;
}

void Timer::SetInterval(std::uint32_t ms) {
    interval_ = ms;
    if (enabled_)
        Reschedule(Application::Instance().NowMs());
}

void Timer::Fire() {
    if (!OnTimer || running_)
        return;
    running_ = true;
    try {
        OnTimer();
    } catch (...) {
        running_ = false;
        throw;
    }
    running_ = false;
}

} // namespace ui
