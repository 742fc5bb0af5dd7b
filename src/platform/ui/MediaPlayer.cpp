// The media player speaks to the "avivideo" device in command strings and copies the
// device's current picture into its panel on a timer.
#include "platform/ui/MediaPlayer.h"

#include "platform/ui/Application.h"
#include "platform/ui/Panel.h"
#include "platform/winmm/AviVideo.h"
#include "platform/winmm/Mci.h"

#include <algorithm>

namespace ui {

MediaPlayer::MediaPlayer(std::string name, Control* parent) : Control(std::move(name), parent) {
    // The button bar is never shown.
    SetVisible(false);
    // The device keeps the application's time, which is virtual in headless runs.
    winmm::AviVideo::Instance().SetClock([] { return Application::Instance().NowMs(); });
    frameTimer_.SetInterval(20);
    frameTimer_.OnTimer = [this] { UpdateDisplay(); };
}

MediaPlayer::~MediaPlayer() {
    if (open_) {
        // A player going away closes its device; nobody is left to hear of a failure.
        winmm::mciSendString("close " + Alias());
        open_ = false;
    }
}

std::string MediaPlayer::Send(const std::string& command) {
    std::string answer;
    error_ = winmm::mciSendString(command, &answer);
    if (error_)
        throw EMCIDeviceError(winmm::mciGetErrorString(error_));
    return answer;
}

std::string MediaPlayer::ErrorMessage() const { return winmm::mciGetErrorString(error_); }

void MediaPlayer::Open() {
    if (open_)
        Close();
    Send("open \"" + FileName + "\" type " + DeviceType + " alias " + Alias());
    open_ = true;
    shownFrame_ = ~std::uint64_t(0);
    if (Display) {
        Send("window " + Alias() + " handle " + std::to_string(Display->Handle()));
        UpdateDisplay();
    }
}

void MediaPlayer::Play() {
    if (!open_)
        throw EMCIDeviceError(winmm::mciGetErrorString(winmm::MCIERR_INVALID_DEVICE_NAME));
    if (AutoRewind && Send("status " + Alias() + " position") == Send("status " + Alias() + " length"))
        Send("seek " + Alias() + " to start");
    Send("play " + Alias());
    UpdateDisplay();
    frameTimer_.SetEnabled(true);
}

void MediaPlayer::Stop() {
    if (!open_)
        return;
    Send("stop " + Alias());
    frameTimer_.SetEnabled(false);
}

void MediaPlayer::Close() {
    frameTimer_.SetEnabled(false);
    if (!open_)
        return;
    open_ = false;
    Send("close " + Alias());
}

std::string MediaPlayer::Mode() {
    if (!open_)
        return "not open";
    std::string answer;
    return winmm::mciSendString("status " + Alias() + " mode", &answer) == 0 ? answer : "not open";
}

void MediaPlayer::UpdateDisplay() {
    auto& device = winmm::AviVideo::Instance();
    if (!open_ || !device.IsOpen(Alias())) {
        frameTimer_.SetEnabled(false);
        return;
    }
    const winmm::AviPicture* picture = device.Picture(Alias());
    const std::uint64_t frame = device.FrameNumber(Alias());
    if (picture && Display && frame != shownFrame_) {
        PanelPicture& shown = Display->Picture;
        shown.width = picture->width;
        shown.height = picture->height;
        shown.pixels = picture->pixels;
        ++shown.serial;
        shownFrame_ = frame;
    }
    // Asking for the picture brought the device up to now: a video that reached its
    // end needs no more updates.
    if (!device.IsPlaying(Alias()))
        frameTimer_.SetEnabled(false);
}

} // namespace ui
