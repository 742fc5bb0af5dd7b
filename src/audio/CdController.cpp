// The CD controller's states, replies and error boxes.
#include "audio/CdController.h"

#include "platform/ui/Application.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/winmm/Mci.h"

CdController& CdController::Instance() {
    static CdController controller;
    return controller;
}

bool CdController::Send(const std::string& command, std::string* answer) {
    return winmm::mciSendString(command, answer) == 0;
}

void CdController::Show(const std::string& text) {
    auto& app = ui::Application::Instance();
    app.MessageBox(text, app.Title, ui::MB_OK);
}

void CdController::Reset() {
    state_ = kNotInitialised;
    open_ = false;
    status_.clear();
}

std::string CdController::CdCommand(const std::string& subCommand) {
    status_.clear();
    if (subCommand == "CLOSE")
        Close();
    else if (subCommand == "EJECT")
        Eject();
    else if (subCommand == "INIT")
        Init();
    else if (subCommand == "INJECT")
        Inject();
    else if (subCommand == "PAUSE")
        Pause();
    else if (subCommand == "STOP")
        Stop();
    else if (subCommand == "TRACKS")
        Tracks();
    else
        status_ = "Unknown command";
    return status_;
}

void CdController::Init() {
    state_ = kNotInitialised;
    if (!Send("open cdaudio")) {
        open_ = false;
        status_ = "CD Audio Not initialised";
        return;
    }
    open_ = true;
    if (!Send("set cdaudio time format tmsf")) {
        status_ = "CD Audio Not initialised";
        return;
    }
    state_ = kStopped;
    status_ = "CD Audio initialised";
}

void CdController::CdPlay(const std::string& options) {
    if (state_ != kStopped)
        return; // a playing or paused disc must be stopped first
    std::string command = options.empty() ? std::string("play cdaudio") : "play cdaudio " + options;
    if (!Send(command))
        Show("Error playing CD");
    state_ = kPlaying;
}

void CdController::Stop() {
    if (!Send("stop cdaudio"))
        Show("Error stopping CD");
    state_ = kStopped;
    status_ = "CD stopped";
}

void CdController::Pause() {
    if (state_ == kPlaying) {
        if (!Send("pause cdaudio"))
            Show("Error pausing");
        state_ = kPaused;
        status_ = "CD paused";
    } else if (state_ == kPaused) {
        if (!Send("play cdaudio"))
            Show("Error playing");
        state_ = kPlaying;
        status_ = "CD playing";
    }
}

void CdController::Eject() {
    Stop();
    if (!Send("set cdaudio door open"))
        Show("Can't eject CD");
    status_ = "CD door open";
}

void CdController::Inject() {
    if (!Send("set cdaudio door closed"))
        Show("Can't inject CD");
    status_ = "CD door closed";
}

void CdController::Close() {
    if (!open_)
        return;
    Stop();
    if (!Send("close cdaudio"))
        Show("Error closing CD Audio");
    // The device is gone: nothing may be sent to it again until a new INIT, so a
    // later play does nothing and the program's end does not close it twice.
    open_ = false;
    state_ = kNotInitialised;
}

void CdController::Tracks() {
    std::string format;
    if (!Send("status cdaudio time format", &format)) {
        Show("ERROR");
        status_ = "0";
        return;
    }
    std::string count;
    if (!Send("status cdaudio number of tracks", &count))
        count = "0";
    Show("Time format: " + format + "\nTracks: " + count);
    status_ = count;
}

std::string CdCommand(const std::string& subCommand) { return CdController::Instance().CdCommand(subCommand); }
void CdPlay(const std::string& options) { CdController::Instance().CdPlay(options); }
int CdState() { return CdController::Instance().CdState(); }
void CdClose() { CdController::Instance().Close(); }
