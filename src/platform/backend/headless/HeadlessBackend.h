// The headless backend: records boxes and answers them from a script, keeps a virtual clock.
#pragma once

#include "platform/ui/Backend.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace headless {

class HeadlessBackend : public ui::Backend {
public:
    // Every event worth reporting ("box: ...", "error: ...", "quit") goes to Output.
    std::function<void(const std::string&)> Output;

    // The source of events: handles the next input line and returns false at the end
    // of input. The message loop (and every modal loop) pulls events through it.
    std::function<bool()> NextEvent;

    // The answer for the next message box (ID*); unanswered boxes take their default.
    void QueueAnswer(int answer) { answers_.push_back(answer); }
    // The answer for the next file dialog: a path, or nothing to cancel it.
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    // The next file dialog is accepted with the name it offers, in the folder it
    // opened in (a player who just presses Save or Open).
    void QueueAccept() { files_.push_back(std::string()); }

    // Keeps the next message box open while ms of virtual time pass (timers fire
    // under it as they would while a player reads it), then answers it as queued.
    void HoldNextBox(std::uint64_t ms) { hold_ = ms; }

    // Lets virtual time pass, firing timers as they fall due. When the time a waiting
    // handler waits for comes first, the rest passes as soon as the loop pumps again.
    void Advance(std::uint64_t ms);

    int ShowMessageBox(const std::string& caption, const std::string& text, unsigned flags) override;
    void ShowErrorBox(const std::string& caption, const std::string& message) override;
    std::optional<std::string> ExecuteFileDialog(const ui::FileDialog& dialog) override;
    std::uint64_t NowMs() override { return now_; }
    bool PumpEvents(bool wait) override;
    void QuitRequested() override;

    int BoxesShown() const { return boxes_; }

private:
    void Emit(const std::string& line) {
        if (Output)
            Output(line);
    }
    std::deque<int> answers_;
    std::deque<std::optional<std::string>> files_;
    void RunPending();
    std::uint64_t now_ = 0;
    std::uint64_t pending_ = 0; // time still to pass, owed by an Advance cut short
    std::uint64_t hold_ = 0;
    int boxes_ = 0;
};

} // namespace headless
