// Scripted answers for boxes and dialogs, and a clock that moves only when told.
#include "platform/backend/headless/HeadlessBackend.h"

#include "platform/ui/Application.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBoxFlags.h"

namespace headless {

void HeadlessBackend::Advance(std::uint64_t ms) {
    std::uint64_t target = now_ + ms;
    // Step timer by timer so that each handler sees the virtual time it fired at.
    auto& app = ui::Application::Instance();
    while (now_ < target && !app.Terminated()) {
        std::uint64_t step = std::min<std::uint64_t>(target, now_ + 10);
        now_ = step;
        app.FireDueTimers(now_);
    }
    now_ = target;
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
    if (!wait)
        return true;
    return NextEvent ? NextEvent() : false;
}

void HeadlessBackend::QuitRequested() { Emit("quit"); }

} // namespace headless
