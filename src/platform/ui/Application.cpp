// The application object: boxes, errors, quit and timer dispatch over the chosen backend.
#include "platform/ui/Application.h"

#include "platform/ui/Backend.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/Timer.h"

#include <algorithm>
#include <limits>

namespace ui {

Application& Application::Instance() {
    static Application app;
    return app;
}

void Application::SetBackend(Backend* backend) { backend_ = backend; }

int Application::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    if (!backend_)
        return DefaultButton(flags);
    return backend_->ShowMessageBox(caption, text, flags);
}

void Application::ShowException(const std::exception& error) {
    std::string message = error.what();
    // The standard error box ends the message with a full stop, as the toolkit does.
    if (!message.empty() && message.back() != '.')
        message += '.';
    if (backend_)
        backend_->ShowErrorBox(Title, message);
}

void Application::HandleEvent(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void Application::Terminate() {
    if (!terminated_) {
        terminated_ = true;
        if (backend_)
            backend_->QuitRequested();
    }
}

bool Application::CloseQuery() {
    // A second close while the first one's question is still open is the same request.
    if (closeAsked_)
        return false;
    if (!OnCloseQuery)
        return true;
    closeAsked_ = true;
    bool close = false;
    HandleEvent([&] { close = OnCloseQuery(); });
    closeAsked_ = false;
    return close;
}

void Application::Run() {
    while (!terminated_) {
        if (!backend_)
            break;
        if (!backend_->PumpEvents(true))
            EndOfInput();
    }
}

void Application::ProcessMessages() {
    if (backend_ && !backend_->PumpEvents(false))
        EndOfInput();
}

std::uint64_t Application::NowMs() const { return backend_ ? backend_->NowMs() : 0; }

bool Application::Wait(std::uint64_t ms, bool skippable) {
    if (!backend_)
        return false;
    waits_.push_back(WaitState{NowMs() + ms, skippable, false});
    const std::size_t level = waits_.size() - 1;
    while (!terminated_ && !waits_[level].skipped && NowMs() < waits_[level].deadline)
        if (!backend_->PumpEvents(true))
            EndOfInput();
    const bool skipped = waits_[level].skipped;
    waits_.resize(level);
    return skipped;
}

std::optional<std::uint64_t> Application::WaitDeadline() const {
    if (waits_.empty())
        return std::nullopt;
    return waits_.back().deadline;
}

bool Application::InputDuringWait() {
    if (waits_.empty() || !waits_.back().skippable)
        return false;
    waits_.back().skipped = true;
    return true;
}

void Application::FireDueTimers(std::uint64_t now) {
    // A timer's handler may open a box whose loop fires timers again, that timer
    // included; outside such a loop a timer never fires inside its own handler.
    for (;;) {
        Timer* next = nullptr;
        for (Timer* t : timers_)
            if (t->Enabled() && t->CanFire() && t->DueAt() <= now && (!next || t->DueAt() < next->DueAt()))
                next = t;
        if (!next)
            break;
        // Real time coalesces missed firings into one, as window timers do; virtual
        // time fires every interval that passed.
        std::uint64_t from = next->DueAt();
        if (coalesceTimers && now >= from + next->Interval())
            from = now;
        next->Reschedule(from);
        HandleEvent([next] { next->Fire(); });
    }
}

std::uint64_t Application::NextTimerDue() const {
    std::uint64_t due = std::numeric_limits<std::uint64_t>::max();
    for (const Timer* t : timers_)
        if (t->Enabled() && t->CanFire())
            due = std::min(due, t->DueAt());
    return due;
}

void Application::RegisterTimer(Timer* timer) { timers_.push_back(timer); }

void Application::UnregisterTimer(Timer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

} // namespace ui
