// The virtual disc: tracks read from the Music folder and played on the music bus.
#include "platform/winmm/CdDrive.h"

#include "platform/os/PathMap.h"
#include "platform/os/ProgramDir.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/Mci.h"
#include "platform/winmm/WaveFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace winmm {
namespace {

constexpr std::uint64_t kFramesPerSecond = 75; // CD frames, the smallest unit of msf positions

// Splits "a:b:c" into whole numbers; false on anything that is not.
bool SplitNumbers(const std::string& text, std::vector<std::uint64_t>& parts) {
    parts.clear();
    std::uint64_t value = 0;
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (value > 1000000000ull)
                return false;
            value = value * 10 + static_cast<std::uint64_t>(c - '0');
            digit = true;
        } else if (c == ':' && digit) {
            parts.push_back(value);
            value = 0;
            digit = false;
        } else {
            return false;
        }
    }
    if (!digit)
        return false;
    parts.push_back(value);
    return true;
}

// The track number a file name carries: its last run of digits, -1 without one.
long long TrackNumber(const std::string& stem) {
    long long number = -1;
    std::size_t i = stem.size();
    while (i > 0 && !(stem[i - 1] >= '0' && stem[i - 1] <= '9'))
        --i;
    std::size_t end = i;
    while (i > 0 && stem[i - 1] >= '0' && stem[i - 1] <= '9')
        --i;
    if (i < end && end - i < 10)
        number = std::stoll(stem.substr(i, end - i));
    return number;
}

std::string MusicFolder() { return os::ResolvePath(os::ProgramDir() + "\\Music"); }

} // namespace

CdDrive& CdDrive::Instance() {
    static CdDrive drive;
    return drive;
}

void CdDrive::Reset() {
    StopVoice();
    open_ = false;
    doorOpen_ = false;
    haveDisc_ = false;
    tracks_.clear();
    format_ = TimeFormat::Msf;
    positionMs_ = 0;
}

bool CdDrive::LoadDisc() {
    tracks_.clear();
    haveDisc_ = false;
    std::error_code ec;
    std::vector<std::pair<long long, std::filesystem::path>> files;
    for (const auto& entry : std::filesystem::directory_iterator(MusicFolder(), ec)) {
        if (!entry.is_regular_file(ec))
            continue;
        const auto& p = entry.path();
        if (MciLower(p.extension().string()) != ".wav")
            continue;
        long long number = TrackNumber(p.stem().string());
        if (number >= 0)
            files.emplace_back(number, p);
    }
    std::sort(files.begin(), files.end());
    std::uint64_t start = 0;
    for (const auto& [number, path] : files) {
        auto pcm = WaveFile::Load(path.string());
        if (!pcm || pcm->Frames() == 0)
            continue; // a file we cannot read is not part of the disc
        Track track;
        track.path = path.string();
        track.lengthMs = pcm->DurationMs();
        track.pcm = std::make_shared<const PcmBuffer>(std::move(*pcm));
        track.startMs = start;
        start += track.lengthMs;
        tracks_.push_back(std::move(track));
    }
    haveDisc_ = !tracks_.empty();
    positionMs_ = 0;
    return haveDisc_;
}

std::uint64_t CdDrive::DiscLengthMs() const {
    return tracks_.empty() ? 0 : tracks_.back().startMs + tracks_.back().lengthMs;
}

MCIERROR CdDrive::Open() {
    std::error_code ec;
    if (!std::filesystem::is_directory(MusicFolder(), ec))
        return MCIERR_INVALID_DEVICE_NAME; // no drive on this machine
    if (open_)
        return 0;
    open_ = true;
    format_ = TimeFormat::Msf;
    if (!doorOpen_)
        LoadDisc();
    return 0;
}

MCIERROR CdDrive::Close() {
    if (!open_)
        return MCIERR_INVALID_DEVICE_NAME;
    StopVoice();
    open_ = false;
    return 0;
}

void CdDrive::StopVoice() {
    if (voice_ != 0) {
        positionMs_ = PositionMs();
        AudioSystem::Instance().GetMixer().Stop(voice_);
    }
    voice_ = 0;
    paused_ = false;
    segmentTrack_.clear();
}

std::uint64_t CdDrive::PositionMs() {
    if (voice_ == 0)
        return positionMs_;
    std::size_t segment = 0, frame = 0;
    if (!AudioSystem::Instance().GetMixer().VoicePosition(voice_, segment, frame) || segment >= segmentTrack_.size()) {
        // The range has been played to its end.
        voice_ = 0;
        paused_ = false;
        positionMs_ = playEndMs_;
        return positionMs_;
    }
    const Track& track = tracks_[static_cast<std::size_t>(segmentTrack_[segment])];
    return track.startMs + static_cast<std::uint64_t>(frame) * 1000u / static_cast<std::uint64_t>(track.pcm->sampleRate);
}

CdDrive::Mode CdDrive::CurrentMode() {
    if (!open_)
        return Mode::NotReady;
    if (doorOpen_)
        return Mode::Open;
    if (!haveDisc_)
        return Mode::NotReady;
    PositionMs(); // notices a range that has ended
    if (voice_ == 0)
        return Mode::Stopped;
    return paused_ ? Mode::Paused : Mode::Playing;
}

int CdDrive::TrackAt(std::uint64_t ms) const {
    for (std::size_t i = 0; i < tracks_.size(); ++i)
        if (ms < tracks_[i].startMs + tracks_[i].lengthMs)
            return static_cast<int>(i) + 1;
    return static_cast<int>(tracks_.size());
}

bool CdDrive::ParsePosition(const std::string& text, std::uint64_t& ms) const {
    std::vector<std::uint64_t> n;
    if (!SplitNumbers(text, n))
        return false;
    switch (format_) {
    case TimeFormat::Milliseconds:
        if (n.size() != 1)
            return false;
        ms = n[0];
        return true;
    case TimeFormat::Msf:
        if (n.size() > 3)
            return false;
        n.resize(3, 0);
        ms = n[0] * 60000 + n[1] * 1000 + n[2] * 1000 / kFramesPerSecond;
        return true;
    case TimeFormat::Tmsf:
        if (n.size() > 4 || n[0] < 1 || n[0] > tracks_.size())
            return false;
        n.resize(4, 0);
        ms = tracks_[n[0] - 1].startMs + n[1] * 60000 + n[2] * 1000 + n[3] * 1000 / kFramesPerSecond;
        return true;
    }
    return false;
}

std::string CdDrive::FormatPosition(std::uint64_t ms) const {
    char text[32];
    if (format_ == TimeFormat::Milliseconds)
        return std::to_string(ms);
    std::uint64_t offset = ms;
    int track = 0;
    if (format_ == TimeFormat::Tmsf) {
        track = TrackAt(ms);
        if (track > 0)
            offset = ms - std::min(ms, tracks_[static_cast<std::size_t>(track) - 1].startMs);
    }
    unsigned minutes = static_cast<unsigned>(offset / 60000);
    unsigned seconds = static_cast<unsigned>(offset / 1000 % 60);
    unsigned frames = static_cast<unsigned>(offset % 1000 * kFramesPerSecond / 1000);
    if (format_ == TimeFormat::Tmsf)
        std::snprintf(text, sizeof text, "%02d:%02u:%02u:%02u", track, minutes, seconds, frames);
    else
        std::snprintf(text, sizeof text, "%02u:%02u:%02u", minutes, seconds, frames);
    return text;
}

MCIERROR CdDrive::StartAt(std::uint64_t fromMs, std::uint64_t toMs) {
    StopVoice();
    std::vector<MixSegment> segments;
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
        const Track& t = tracks_[i];
        std::uint64_t begin = std::max(fromMs, t.startMs);
        std::uint64_t end = std::min(toMs, t.startMs + t.lengthMs);
        if (begin >= end)
            continue;
        auto rate = static_cast<std::uint64_t>(t.pcm->sampleRate);
        MixSegment seg{t.pcm, static_cast<std::size_t>((begin - t.startMs) * rate / 1000),
                       static_cast<std::size_t>((end - t.startMs) * rate / 1000)};
        if (end == t.startMs + t.lengthMs)
            seg.end = t.pcm->Frames(); // a whole track to its last sample
        segments.push_back(seg);
        segmentTrack_.push_back(static_cast<int>(i));
    }
    playStartMs_ = fromMs;
    playEndMs_ = toMs;
    positionMs_ = fromMs;
    if (segments.empty()) {
        segmentTrack_.clear();
        return 0;
    }
    voice_ = AudioSystem::Instance().GetMixer().Start(std::move(segments), MixerBus::Music, false);
    return 0;
}

MCIERROR CdDrive::Play(const std::string* from, const std::string* to) {
    if (!open_)
        return MCIERR_INVALID_DEVICE_NAME;
    if (doorOpen_ || !haveDisc_)
        return MCIERR_DEVICE_NOT_READY;
    if (!from && !to && voice_ != 0 && paused_) {
        AudioSystem::Instance().GetMixer().SetVoicePaused(voice_, false);
        paused_ = false;
        return 0;
    }
    std::uint64_t start = PositionMs();
    std::uint64_t end = DiscLengthMs();
    if (from && !ParsePosition(*from, start))
        return MCIERR_OUTOFRANGE;
    if (to && !ParsePosition(*to, end))
        return MCIERR_OUTOFRANGE;
    if (start > DiscLengthMs() || end > DiscLengthMs() || start > end)
        return MCIERR_OUTOFRANGE;
    return StartAt(start, end);
}

MCIERROR CdDrive::Pause() {
    if (!open_)
        return MCIERR_INVALID_DEVICE_NAME;
    if (doorOpen_ || !haveDisc_)
        return MCIERR_DEVICE_NOT_READY;
    if (CurrentMode() == Mode::Playing) {
        AudioSystem::Instance().GetMixer().SetVoicePaused(voice_, true);
        paused_ = true;
    }
    return 0;
}

MCIERROR CdDrive::Resume() {
    if (!open_)
        return MCIERR_INVALID_DEVICE_NAME;
    if (doorOpen_ || !haveDisc_)
        return MCIERR_DEVICE_NOT_READY;
    if (CurrentMode() == Mode::Paused) {
        AudioSystem::Instance().GetMixer().SetVoicePaused(voice_, false);
        paused_ = false;
    }
    return 0;
}

MCIERROR CdDrive::Stop() {
    if (!open_)
        return MCIERR_INVALID_DEVICE_NAME;
    StopVoice();
    return 0;
}

MCIERROR CdDrive::Seek(const std::string& to) {
    if (!open_)
        return MCIERR_INVALID_DEVICE_NAME;
    if (doorOpen_ || !haveDisc_)
        return MCIERR_DEVICE_NOT_READY;
    std::uint64_t ms = 0;
    std::string where = MciLower(to);
    if (where == "start")
        ms = 0;
    else if (where == "end")
        ms = DiscLengthMs();
    else if (!ParsePosition(to, ms) || ms > DiscLengthMs())
        return MCIERR_OUTOFRANGE;
    StopVoice();
    positionMs_ = ms;
    return 0;
}

MCIERROR CdDrive::SetTimeFormat(const std::string& name) {
    if (!open_)
        return MCIERR_INVALID_DEVICE_NAME;
    std::string n = MciLower(name);
    if (n == "tmsf")
        format_ = TimeFormat::Tmsf;
    else if (n == "msf")
        format_ = TimeFormat::Msf;
    else if (n == "milliseconds" || n == "ms")
        format_ = TimeFormat::Milliseconds;
    else
        return MCIERR_BAD_TIME_FORMAT;
    return 0;
}

MCIERROR CdDrive::SetDoor(bool open) {
    if (!open_)
        return MCIERR_INVALID_DEVICE_NAME;
    if (open) {
        StopVoice();
        doorOpen_ = true;
        tracks_.clear();
        haveDisc_ = false;
        positionMs_ = 0;
    } else if (doorOpen_) {
        // Shutting the door takes the disc in again, as it is now.
        doorOpen_ = false;
        LoadDisc();
    }
    return 0;
}

MCIERROR CdDrive::Status(const std::vector<std::string>& item, std::string& answer) {
    if (!open_)
        return MCIERR_INVALID_DEVICE_NAME;
    std::string what;
    for (const auto& w : item)
        what += (what.empty() ? "" : " ") + MciLower(w);
    if (what == "mode") {
        static const char* const kNames[] = {"not ready", "open", "stopped", "playing", "paused"};
        answer = kNames[static_cast<int>(CurrentMode())];
        return 0;
    }
    if (what == "time format") {
        answer = format_ == TimeFormat::Tmsf ? "tmsf" : format_ == TimeFormat::Msf ? "msf" : "milliseconds";
        return 0;
    }
    if (what == "media present") {
        answer = haveDisc_ && !doorOpen_ ? "true" : "false";
        return 0;
    }
    if (what == "ready") {
        answer = haveDisc_ && !doorOpen_ ? "true" : "false";
        return 0;
    }
    if (doorOpen_ || !haveDisc_)
        return MCIERR_DEVICE_NOT_READY;
    if (what == "number of tracks") {
        answer = std::to_string(tracks_.size());
        return 0;
    }
    if (what == "current track") {
        answer = std::to_string(TrackAt(PositionMs()));
        return 0;
    }
    if (what == "position") {
        answer = FormatPosition(PositionMs());
        return 0;
    }
    // Lengths are durations: tmsf gives them as msf.
    auto duration = [this](std::uint64_t ms) {
        TimeFormat saved = format_;
        if (format_ == TimeFormat::Tmsf)
            format_ = TimeFormat::Msf;
        std::string text = FormatPosition(ms);
        format_ = saved;
        return text;
    };
    if (what == "length") {
        answer = duration(DiscLengthMs());
        return 0;
    }
    if (item.size() == 3 && (what.rfind("length track ", 0) == 0 || what.rfind("position track ", 0) == 0)) {
        std::vector<std::uint64_t> n;
        if (!SplitNumbers(item[2], n) || n.size() != 1)
            return MCIERR_BAD_INTEGER;
        if (n[0] < 1 || n[0] > tracks_.size())
            return MCIERR_OUTOFRANGE;
        const Track& t = tracks_[n[0] - 1];
        answer = what[0] == 'l' ? duration(t.lengthMs) : FormatPosition(t.startMs);
        return 0;
    }
    return MCIERR_UNRECOGNIZED_KEYWORD;
}

} // namespace winmm
