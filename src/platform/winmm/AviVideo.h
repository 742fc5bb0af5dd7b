// The MCI "avivideo" device: AVI files opened under an alias, played at their frame rate.
#pragma once

#include "platform/winmm/AviFile.h"
#include "platform/winmm/Mixer.h"
#include "platform/winmm/MmTypes.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace winmm {

// Each open file is an instance named by its alias (or by its file name without
// one). The device keeps time with the clock it is given (the application's, which
// is virtual time in headless runs), so where a video stands is a matter of when it
// is asked; the window it plays into takes the current picture with Picture(). The
// sound, when the file has some, plays on the mixer's stream bus.
class AviVideo {
public:
    enum class Mode { Stopped, Playing, Paused };

    static AviVideo& Instance();

    // The clock in milliseconds (by default the machine's own).
    void SetClock(std::function<std::uint64_t()> clock) { clock_ = std::move(clock); }

    // Whether a command string is for this device: an "open" of type avivideo, or
    // any command naming an open instance.
    bool Handles(const std::string& verb, const std::vector<std::string>& words) const;
    // Runs one command (the words after the command's verb, device name first).
    MCIERROR Command(const std::string& verb, const std::vector<std::string>& words, std::string& answer);

    // The picture of an instance at the clock's time; null when no such instance.
    const AviPicture* Picture(const std::string& alias);
    // The number of the frame that picture shows.
    std::uint64_t FrameNumber(const std::string& alias);
    bool IsOpen(const std::string& alias) const;
    // Whether an instance is playing at the clock's time.
    bool IsPlaying(const std::string& alias);

    // Closes every instance (the program's start; tests).
    void Reset();

private:
    struct Instance_ {
        std::string file;
        std::unique_ptr<AviFile> avi;
        std::unique_ptr<AviFrameDecoder> decoder;
        bool frames = false;             // time format frames, else milliseconds
        Mode mode = Mode::Stopped;
        std::uint64_t positionMs = 0;    // where play stands when not playing
        std::uint64_t playFromMs = 0;    // while playing: the position at playStartClock
        std::uint64_t playToMs = 0;
        std::uint64_t playStartClock = 0;
        std::uint64_t window = 0;
        Mixer::VoiceId voice = 0;
    };

    AviVideo() = default;
    std::uint64_t Now() const;
    Instance_* Find(const std::string& alias);
    const Instance_* Find(const std::string& alias) const;
    // Brings a playing instance up to the clock: at the end of its range it stops.
    void Update(Instance_& v);
    std::uint64_t PositionMs(Instance_& v);
    void StopSound(Instance_& v);
    void StartSound(Instance_& v);
    bool ParsePosition(const Instance_& v, const std::string& text, std::uint64_t& ms) const;
    std::string FormatPosition(const Instance_& v, std::uint64_t ms) const;

    MCIERROR Open(const std::vector<std::string>& words);
    MCIERROR Play(Instance_& v, const std::vector<std::string>& rest);
    MCIERROR Status(Instance_& v, const std::vector<std::string>& rest, std::string& answer);

    std::function<std::uint64_t()> clock_;
    std::map<std::string, Instance_> instances_; // by lower-case alias
};

} // namespace winmm
