// The CD audio controller: drives the "cdaudio" device with command strings.
#pragma once

#include <string>

// One process-wide instance (Instance) is what the game uses; tests may make their own.
class CdController {
public:
    // 0 = not initialised, 1 = stopped (ready), 2 = playing, 4 = paused.
    static constexpr int kNotInitialised = 0;
    static constexpr int kStopped = 1;
    static constexpr int kPlaying = 2;
    static constexpr int kPaused = 4;

    static CdController& Instance();

    // Runs an upper-case sub-command (CLOSE, EJECT, INIT, INJECT, PAUSE, STOP,
    // TRACKS) and returns its reply; anything else is an "Unknown command".
    std::string CdCommand(const std::string& subCommand);
    // Starts play from the stopped state; options are play options such as
    // "from 2" or "from 2 to 3". It leaves the reply text alone.
    void CdPlay(const std::string& options);
    int CdState() const { return state_; }
    bool CdOpen() const { return open_; }
    const std::string& CdStatus() const { return status_; }

    // The operations behind the sub-commands.
    void Init();
    void Stop();
    void Pause();
    void Eject();
    void Inject();
    void Close();
    void Tracks();

    // Back to the program's start (state 0, device not opened, empty reply).
    void Reset();

private:
    // Sends one command string; true when the device carried it out.
    static bool Send(const std::string& command, std::string* answer = nullptr);
    static void Show(const std::string& text);

    int state_ = kNotInitialised;
    bool open_ = false;
    std::string status_;
};

// The game's entry points on the process-wide controller.
std::string CdCommand(const std::string& subCommand);
void CdPlay(const std::string& options);
int CdState();
// The main window's closing of the device at program end.
void CdClose();
