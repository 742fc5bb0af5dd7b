// The application: message loop, quit request, modal boxes, timers and the standard error box.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Backend;
class Timer;

class Application {
public:
    static Application& Instance();

    // The backend the application shows itself through; without one, boxes take
    // their default button and time stands still.
    void SetBackend(Backend* backend);
    Backend* GetBackend() const { return backend_; }

    std::string Title = "Application";

    // A modal message box (flags are MB_* values); returns the answer (ID*).
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

    // The standard error box: the error's message under the application's title.
    void ShowException(const std::exception& error);
    // Runs an event handler and shows whatever error escapes it; the program goes on.
    void HandleEvent(const std::function<void()>& handler);

    // Asks the message loop to end after the current event.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // The input ended (the window closed, or the driver's input ran out): the loop
    // ends without a quit request.
    void EndOfInput() { terminated_ = true; }
    // Starts a new run (tests create many games in one process).
    void ResetTerminated() { terminated_ = false; }

    // Asked when the player closes the window: false keeps it open (the player chose
    // to stay). Without a handler the window closes.
    std::function<bool()> OnCloseQuery;
    bool CloseQuery();

    // The message loop: pumps events until Terminate is called or the window closes.
    void Run();
    // One pass of the loop without waiting.
    void ProcessMessages();

    std::uint64_t NowMs() const;

    // Lets ms of time pass inside a handler that must wait (the intro's pauses): the
    // loop goes on pumping, so timers fire and the window is drawn, but input reaches
    // no window. With skippable, a key press or a click ends the wait early (and is
    // used up by it). Answers true when the wait was cut short by input.
    bool Wait(std::uint64_t ms, bool skippable);
    // A wait is running (the innermost one ends at WaitDeadline).
    bool Waiting() const { return !waits_.empty(); }
    std::optional<std::uint64_t> WaitDeadline() const;
    // The backend saw a key press or a click during a wait: true when it ended a
    // skippable wait (the input is used up), false when the input must wait its turn.
    bool InputDuringWait();

    // Fires every enabled timer whose due time is at or before now, earliest first;
    // the backend calls this as its clock moves.
    void FireDueTimers(std::uint64_t now);
    // When the next enabled timer is due; the largest time when none is.
    std::uint64_t NextTimerDue() const;

    // Set by real-time backends: a late timer fires once, not once per missed interval.
    bool coalesceTimers = false;

    void RegisterTimer(Timer* timer);
    void UnregisterTimer(Timer* timer);

    // Modal loops (message boxes, dialogs, modal forms) count themselves while they
    // run: a timer whose handler opened one fires again inside it, as the clock goes
    // on ticking under a box opened from its own tick.
    int ModalDepth() const { return modalDepth_; }
    class ModalScope {
    public:
        ModalScope() { ++Instance().modalDepth_; }
        ~ModalScope() { --Instance().modalDepth_; }
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;
    };

private:
    Application() = default;
    Backend* backend_ = nullptr;
    bool terminated_ = false;
    std::vector<Timer*> timers_;
    bool closeAsked_ = false;
    struct WaitState {
        std::uint64_t deadline = 0;
        bool skippable = false;
        bool skipped = false;
    };
    std::vector<WaitState> waits_;
    int modalDepth_ = 0;
};

} // namespace ui
