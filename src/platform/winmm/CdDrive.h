// The CD drive of the MCI "cdaudio" device, holding a virtual disc.
#pragma once

#include "platform/winmm/Mixer.h"
#include "platform/winmm/MmTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace winmm {

// The disc is made of the numbered wave files of the program's Music folder
// (Track01.wav, Track02.wav ...), ordered by their number: the first is track 1.
// Without a Music folder there is no drive and the device cannot be opened. The
// drive plays through the mixer's music bus, track after track to the end of the
// range asked for, as a disc does.
class CdDrive {
public:
    enum class TimeFormat { Milliseconds, Msf, Tmsf };
    enum class Mode { NotReady, Open, Stopped, Playing, Paused };

    static CdDrive& Instance();

    // The command-string verbs. Each answers 0 or an MCIERR_ code.
    MCIERROR Open();
    MCIERROR Close();
    MCIERROR Play(const std::string* from, const std::string* to);
    MCIERROR Pause();
    MCIERROR Resume();
    MCIERROR Stop();
    MCIERROR Seek(const std::string& to);
    MCIERROR SetTimeFormat(const std::string& name);
    MCIERROR SetDoor(bool open);
    // "status" items: mode, number of tracks, time format, media present, ready,
    // current track, position, length, and length/position of "track N".
    MCIERROR Status(const std::vector<std::string>& item, std::string& answer);

    bool IsOpen() const { return open_; }
    Mode CurrentMode();
    int TrackCount() const { return static_cast<int>(tracks_.size()); }
    // The position on the disc, in milliseconds from the start of track 1.
    std::uint64_t PositionMs();

    // Back to the program's start: device closed, door shut, nothing playing.
    void Reset();

private:
    struct Track {
        std::string path;
        std::shared_ptr<const PcmBuffer> pcm;
        std::uint64_t startMs = 0; // where the track begins on the disc
        std::uint64_t lengthMs = 0;
    };

    CdDrive() = default;
    bool LoadDisc();
    std::uint64_t DiscLengthMs() const;
    // Reads a position in the current time format; false when it is not one.
    bool ParsePosition(const std::string& text, std::uint64_t& ms) const;
    std::string FormatPosition(std::uint64_t ms) const;
    int TrackAt(std::uint64_t ms) const;
    void StopVoice();
    MCIERROR StartAt(std::uint64_t fromMs, std::uint64_t toMs);

    bool open_ = false;
    bool doorOpen_ = false;
    bool haveDisc_ = false;
    TimeFormat format_ = TimeFormat::Msf;
    std::vector<Track> tracks_;
    Mixer::VoiceId voice_ = 0;
    std::vector<int> segmentTrack_; // the track each segment of the voice plays
    bool paused_ = false;
    std::uint64_t positionMs_ = 0; // where play stands when no voice is playing
    std::uint64_t playStartMs_ = 0;
    std::uint64_t playEndMs_ = 0;
};

} // namespace winmm
