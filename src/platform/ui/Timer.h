// A repeating window timer, fired by the application's clock.
#pragma once

#include <cstdint>
#include <functional>

namespace ui {

class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void SetInterval(std::uint32_t ms);
    std::uint32_t Interval() const { return interval_; }

    // Free for the owner's use (the game's clock keeps its month time here).
    std::int64_t Tag = 0;
    std::function<void()> OnTimer;

    // Runs OnTimer once, as a firing of the timer would.
    void Fire();

    // True while OnTimer runs. A timer fires inside its own handler only from a modal
    // loop that the handler opened (a box shown from a tick lets the clock go on).
    bool Running() const { return runDepth_ >= 0; }
    bool CanFire() const;

    // Used by Application: the virtual time at which the timer fires next.
    std::uint64_t DueAt() const { return dueAt_; }
    void Reschedule(std::uint64_t now) { dueAt_ = now + (interval_ ? interval_ : 1); }

private:
    bool enabled_ = false;
    std::uint32_t interval_ = 1000;
    std::uint64_t dueAt_ = 0;
    // The modal depth at which the innermost running handler started; -1 when idle.
    int runDepth_ = -1;
};

} // namespace ui
