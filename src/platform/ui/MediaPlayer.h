// The media player: opens a multimedia file through MCI and plays it into a panel.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Exception.h"
#include "platform/ui/Timer.h"

#include <cstdint>
#include <string>

namespace ui {

class Panel;

// Raised when the device refuses a command; the message is the device's own text.
class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
};

// A media player whose button bar is never shown (it is a control without a face of
// its own): the program sets the file, opens it and plays it. The pictures go into
// the Display panel; without one they go nowhere. With AutoRewind off a finished
// video stays on its last frame.
class MediaPlayer : public Control {
public:
    MediaPlayer(std::string name, Control* parent);
    ~MediaPlayer() override;

    std::string FileName;
    std::string DeviceType = "avivideo"; // "AVI video"
    Panel* Display = nullptr;
    bool AutoRewind = false;

    // The device's commands; each raises EMCIDeviceError when refused.
    void Open();
    void Play();
    void Stop();
    void Close();

    bool IsOpen() const { return open_; }
    // The result of the last command (0 when it succeeded) and its text.
    std::uint32_t Error() const { return error_; }
    std::string ErrorMessage() const;
    // "playing", "stopped", "paused", or "not open".
    std::string Mode();

    // Brings the panel's picture up to the device's current frame (the player's
    // timer does this as the video plays).
    void UpdateDisplay();

private:
    // Sends a command string; raises on refusal.
    std::string Send(const std::string& command);
    std::string Alias() const { return Name; }
    Timer frameTimer_;
    bool open_ = false;
    std::uint32_t error_ = 0;
    std::uint64_t shownFrame_ = ~std::uint64_t(0);
};

} // namespace ui
