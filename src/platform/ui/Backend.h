// The seam between the widget toolkit and whatever shows it: SDL or the headless backend.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ui {

class FileDialog;

// What the toolkit needs from the machine it runs on. The headless backend records
// boxes and answers them from a script; the SDL backend draws them and waits.
class Backend {
public:
    virtual ~Backend() = default;

    // A modal message box; returns the answer (IDOK ...). The SDL backend runs a
    // nested loop in which timers keep firing; the headless one answers at once.
    virtual int ShowMessageBox(const std::string& caption, const std::string& text, unsigned flags) = 0;

    // The application's standard error box for an error nobody handled.
    virtual void ShowErrorBox(const std::string& caption, const std::string& message) = 0;

    // A file open or save dialog; the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> ExecuteFileDialog(const FileDialog& dialog) = 0;

    // Milliseconds since the backend started (virtual time in headless runs).
    virtual std::uint64_t NowMs() = 0;

    // Delivers pending input and lets due timers fire. With wait, blocks until
    // something happens (real play); returns false when the user closed the window.
    virtual bool PumpEvents(bool wait) = 0;

    // The application was asked to quit.
    virtual void QuitRequested() {}
};

} // namespace ui
