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

bool Timer::CanFire() const { return runDepth_ < Application::Instance().ModalDepth(); }

void Timer::Fire() {
    if (!OnTimer || !CanFire())
        return;
    // Nested firings restore the depth of the firing they interrupted.
    const int outer = runDepth_;
    runDepth_ = Application::Instance().ModalDepth();
    try {
        OnTimer();
    } catch (...) {
        runDepth_ = outer;
        throw;
    }
    runDepth_ = outer;
}

} // namespace ui
