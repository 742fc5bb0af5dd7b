// Scripted answers for boxes and dialogs, and a clock that moves only when told.
#include "platform/backend/headless/HeadlessBackend.h"

#include "platform/ui/Application.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBoxFlags.h"

#include <algorithm>
#include <utility>

namespace headless {

void HeadlessBackend::Advance(std::uint64_t ms) {
    pending_ += ms;
    RunPending();
}

void HeadlessBackend::RunPending() {
    auto& app = ui::Application::Instance();
    const std::uint64_t target = now_ + pending_;
    // Step timer by timer so that each handler sees the virtual time it fired at. A
    // handler waiting for its time (the intro) gets the control back when that time
    // comes; the rest of the time passes when it pumps again.
    while (now_ < target && !app.Terminated()) {
        std::uint64_t step = std::min<std::uint64_t>(target, now_ + 10);
        const auto deadline = app.WaitDeadline();
        if (deadline && *deadline > now_)
            step = std::min(step, *deadline);
        now_ = step;
        pending_ = target - now_;
        app.FireDueTimers(now_);
        if (deadline && now_ >= *deadline)
            return;
    }
    // A box held open inside a timer may have let time run past this target.
    now_ = std::max(now_, target);
    pending_ = 0;
}

int HeadlessBackend::ShowMessageBox(const std::string& caption, const std::string& text, unsigned flags) {
    ++boxes_;
    int buttons[3];
    int count = ui::ButtonsOf(flags, buttons);
    int answer = ui::DefaultButton(flags);
    if (!answers_.empty()) {
        int queued = answers_.front();
        answers_.pop_front();
        for (int i = 0; i < count; ++i)
            if (buttons[i] == queued)
                answer = queued;
    }
    Emit("box: " + caption + ": " + text + " -> " + ui::ButtonName(answer));
    // A held box stays open while time passes; what happens under it is reported
    // after its own line, and it is answered when the time is up.
    if (const std::uint64_t hold = std::exchange(hold_, 0)) {
        ui::Application::ModalScope modal;
        // The time the box is held is part of any time that was passing when it opened.
        const std::uint64_t owed = std::exchange(pending_, 0);
        Advance(hold);
        pending_ = owed > hold ? owed - hold : 0;
    }
    return answer;
}

void HeadlessBackend::ShowErrorBox(const std::string&, const std::string& message) { Emit("error: " + message); }

std::optional<std::string> HeadlessBackend::ExecuteFileDialog(const ui::FileDialog& dialog) {
    if (files_.empty())
        return std::nullopt;
    auto answer = files_.front();
    files_.pop_front();
    if (answer && answer->empty()) {
        if (dialog.FileName.empty())
            return std::nullopt;
        answer = dialog.FileName;
    }
    // A bare name is typed into the dialog, which stands in its folder.
    if (answer && !answer->empty() && (*answer)[0] != '/' && !dialog.InitialDir.empty())
        *answer = dialog.InitialDir + "/" + *answer;
    return answer;
}

bool HeadlessBackend::PumpEvents(bool wait) {
    if (pending_ > 0) {
        RunPending();
        return true;
    }
    if (!wait)
        return true;
    return NextEvent ? NextEvent() : false;
}

void HeadlessBackend::QuitRequested() { Emit("quit"); }

} // namespace headless
