// The "avivideo" device's command strings: open, window, play, pause, resume, stop, seek,
// set, status, where and close.
#include "platform/winmm/AviVideo.h"

#include "platform/os/PathMap.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/Mci.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>

namespace winmm {
namespace {

bool ParseNumber(const std::string& text, std::uint64_t& value) {
    if (text.empty() || text.size() > 15)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + std::uint64_t(c - '0');
    }
    return true;
}

MCIERROR ErrorOf(AviError error) {
    switch (error) {
    case AviError::None:
        return 0;
    case AviError::UnknownCodec:
        return MCIERR_AVI_NOCOMPRESSOR;
    case AviError::BadSize:
        return MCIERR_AVI_BADSIZE;
    case AviError::FrameTooLarge:
        return MCIERR_AVI_FRAMETOOLARGE;
    default:
        return MCIERR_INVALID_FILE;
    }
}

} // namespace

AviVideo& AviVideo::Instance() {
    static AviVideo device;
    return device;
}

std::uint64_t AviVideo::Now() const {
    if (clock_)
        return clock_();
    using namespace std::chrono;
    return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

AviVideo::Instance_* AviVideo::Find(const std::string& alias) {
    auto it = instances_.find(MciLower(alias));
    return it == instances_.end() ? nullptr : &it->second;
}

const AviVideo::Instance_* AviVideo::Find(const std::string& alias) const {
    auto it = instances_.find(MciLower(alias));
    return it == instances_.end() ? nullptr : &it->second;
}

bool AviVideo::IsOpen(const std::string& alias) const { return Find(alias) != nullptr; }

bool AviVideo::IsPlaying(const std::string& alias) {
    Instance_* v = Find(alias);
    if (!v)
        return false;
    Update(*v);
    return v->mode == Mode::Playing;
}

bool AviVideo::Handles(const std::string& verb, const std::vector<std::string>& words) const {
    if (verb == "open") {
        for (std::size_t i = 1; i + 1 < words.size(); ++i)
            if (MciLower(words[i]) == "type")
                return MciLower(words[i + 1]) == "avivideo";
        return false;
    }
    return !words.empty() && Find(words[0]);
}

void AviVideo::Reset() {
    for (auto& [name, v] : instances_)
        StopSound(v);
    instances_.clear();
}

// ---- time ---------------------------------------------------------------------------------

void AviVideo::Update(Instance_& v) {
    if (v.mode != Mode::Playing)
        return;
    const std::uint64_t now = Now();
    const std::uint64_t elapsed = now > v.playStartClock ? now - v.playStartClock : 0;
    const std::uint64_t at = v.playFromMs + elapsed;
    if (at >= v.playToMs) {
        // The end of the range: the picture stays on its last frame (no rewind).
        v.positionMs = v.playToMs;
        v.mode = Mode::Stopped;
        StopSound(v);
    } else {
        v.positionMs = at;
    }
}

std::uint64_t AviVideo::PositionMs(Instance_& v) {
    Update(v);
    return v.positionMs;
}

bool AviVideo::ParsePosition(const Instance_& v, const std::string& text, std::uint64_t& ms) const {
    std::uint64_t n = 0;
    if (!ParseNumber(text, n))
        return false;
    ms = v.frames ? v.avi->FrameStartMs(std::min<std::uint64_t>(n, v.avi->FrameCount())) : n;
    return true;
}

std::string AviVideo::FormatPosition(const Instance_& v, std::uint64_t ms) const {
    if (!v.frames)
        return std::to_string(ms);
    if (ms >= v.avi->LengthMs())
        return std::to_string(v.avi->FrameCount());
    return std::to_string(v.avi->FrameAt(ms));
}

void AviVideo::StopSound(Instance_& v) {
    if (v.voice)
        AudioSystem::Instance().GetMixer().Stop(v.voice);
    v.voice = 0;
}

void AviVideo::StartSound(Instance_& v) {
    StopSound(v);
    const auto& sound = v.avi->sound;
    if (!sound || sound->sampleRate <= 0)
        return;
    const std::size_t frames = sound->Frames();
    const std::size_t begin = std::size_t(std::min<std::uint64_t>(frames, v.playFromMs * std::uint64_t(sound->sampleRate) / 1000));
    const std::size_t end = std::size_t(std::min<std::uint64_t>(frames, v.playToMs * std::uint64_t(sound->sampleRate) / 1000));
    if (begin >= end)
        return;
    v.voice = AudioSystem::Instance().GetMixer().Start({MixSegment{sound, begin, end}}, MixerBus::Streams, false);
}

// ---- pictures -----------------------------------------------------------------------------

const AviPicture* AviVideo::Picture(const std::string& alias) {
    Instance_* v = Find(alias);
    if (!v)
        return nullptr;
    const std::uint64_t ms = PositionMs(*v);
    // The frame on show at a position; at the very end, the last one.
    v->decoder->Seek(v->avi->FrameAt(ms));
    return &v->decoder->Picture();
}

std::uint64_t AviVideo::FrameNumber(const std::string& alias) {
    Instance_* v = Find(alias);
    return v ? v->avi->FrameAt(PositionMs(*v)) : 0;
}

// ---- commands -----------------------------------------------------------------------------

MCIERROR AviVideo::Open(const std::vector<std::string>& words) {
    // open FILE type avivideo [alias NAME] [shareable]
    if (words.empty())
        return MCIERR_MISSING_PARAMETER;
    const std::string file = words[0];
    std::string alias = file;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string w = MciLower(words[i]);
        if (w == "type" && i + 1 < words.size()) {
            ++i;
        } else if (w == "alias") {
            if (i + 1 >= words.size())
                return MCIERR_MISSING_PARAMETER;
            alias = words[++i];
        } else if (w != "shareable") {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
    }
    if (Find(alias))
        return MCIERR_DUPLICATE_ALIAS;
    std::ifstream in(os::ResolvePath(file), std::ios::binary);
    if (!in)
        return MCIERR_FILE_NOT_FOUND;
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    if (length < 0)
        return MCIERR_FILE_NOT_FOUND;
    if (std::uint64_t(length) > kMaxAviFileSize)
        return MCIERR_AVI_BADSIZE;
    in.seekg(0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    if (length > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), length))
        return MCIERR_FILE_READ;
    Instance_ v;
    v.file = file;
    v.avi = std::make_unique<AviFile>();
    if (MCIERROR error = ErrorOf(ReadAvi(bytes.data(), bytes.size(), *v.avi)))
        return error;
    v.decoder = std::make_unique<AviFrameDecoder>(*v.avi);
    v.decoder->Seek(0);
    instances_.emplace(MciLower(alias), std::move(v));
    return 0;
}

MCIERROR AviVideo::Play(Instance_& v, const std::vector<std::string>& rest) {
    // play NAME [from POS] [to POS]: from where it stands to the end when not told.
    std::uint64_t from = PositionMs(v);
    std::uint64_t to = v.avi->LengthMs();
    for (std::size_t i = 0; i < rest.size(); i += 2) {
        const std::string w = MciLower(rest[i]);
        if (w != "from" && w != "to")
            return MCIERR_UNRECOGNIZED_KEYWORD;
        if (i + 1 >= rest.size())
            return MCIERR_MISSING_PARAMETER;
        std::uint64_t ms = 0;
        if (!ParsePosition(v, rest[i + 1], ms))
            return MCIERR_BAD_INTEGER;
        if (ms > v.avi->LengthMs())
            return MCIERR_OUTOFRANGE;
        (w == "from" ? from : to) = ms;
    }
    if (from > to)
        return MCIERR_OUTOFRANGE;
    v.positionMs = from;
    v.playFromMs = from;
    v.playToMs = to;
    v.playStartClock = Now();
    v.mode = from < to ? Mode::Playing : Mode::Stopped;
    if (v.mode == Mode::Playing)
        StartSound(v);
    return 0;
}

MCIERROR AviVideo::Status(Instance_& v, const std::vector<std::string>& rest, std::string& answer) {
    std::string item;
    for (const auto& w : rest)
        item += (item.empty() ? "" : " ") + MciLower(w);
    if (item == "mode") {
        Update(v);
        answer = v.mode == Mode::Playing ? "playing" : v.mode == Mode::Paused ? "paused" : "stopped";
    } else if (item == "length") {
        answer = v.frames ? std::to_string(v.avi->FrameCount()) : std::to_string(v.avi->LengthMs());
    } else if (item == "position") {
        answer = FormatPosition(v, PositionMs(v));
    } else if (item == "time format") {
        answer = v.frames ? "frames" : "milliseconds";
    } else if (item == "frame rate") {
        // Frames a second, times a thousand, as the device reports it.
        answer = std::to_string(std::uint64_t(v.avi->rate) * 1000u / v.avi->scale);
    } else if (item == "ready") {
        answer = "true";
    } else if (item == "window handle") {
        answer = std::to_string(v.window);
    } else if (item == "audio") {
        answer = v.avi->sound ? "on" : "off";
    } else {
        return MCIERR_UNRECOGNIZED_KEYWORD;
    }
    return 0;
}

MCIERROR AviVideo::Command(const std::string& verb, const std::vector<std::string>& words, std::string& answer) {
    if (verb == "open")
        return Open(words);
    Instance_* found = words.empty() ? nullptr : Find(words[0]);
    if (!found)
        return MCIERR_INVALID_DEVICE_NAME;
    Instance_& v = *found;
    std::vector<std::string> rest(words.begin() + 1, words.end());
    std::vector<std::string> lower;
    for (const auto& w : rest)
        lower.push_back(MciLower(w));

    if (verb == "close") {
        if (!rest.empty())
            return MCIERR_UNRECOGNIZED_KEYWORD;
        StopSound(v);
        instances_.erase(MciLower(words[0]));
        return 0;
    }
    if (verb == "play")
        return Play(v, rest);
    if (verb == "pause" || verb == "resume" || verb == "stop") {
        if (!rest.empty())
            return MCIERR_UNRECOGNIZED_KEYWORD;
        Update(v);
        if (verb == "stop") {
            StopSound(v);
            v.mode = Mode::Stopped;
        } else if (verb == "pause" && v.mode == Mode::Playing) {
            if (v.voice)
                AudioSystem::Instance().GetMixer().SetVoicePaused(v.voice, true);
            v.mode = Mode::Paused;
        } else if (verb == "resume" && v.mode == Mode::Paused) {
            // On from where it stands to the end of the range it was playing.
            if (v.voice)
                AudioSystem::Instance().GetMixer().SetVoicePaused(v.voice, false);
            v.playFromMs = v.positionMs;
            v.playStartClock = Now();
            v.mode = Mode::Playing;
        }
        return 0;
    }
    if (verb == "seek") {
        if (rest.size() != 2 || lower[0] != "to")
            return rest.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
        std::uint64_t ms = 0;
        if (lower[1] == "start")
            ms = 0;
        else if (lower[1] == "end")
            ms = v.avi->LengthMs();
        else if (!ParsePosition(v, rest[1], ms))
            return MCIERR_BAD_INTEGER;
        if (ms > v.avi->LengthMs())
            return MCIERR_OUTOFRANGE;
        StopSound(v);
        v.mode = Mode::Stopped;
        v.positionMs = ms;
        return 0;
    }
    if (verb == "set") {
        if (rest.size() == 3 && lower[0] == "time" && lower[1] == "format") {
            if (lower[2] == "frames")
                v.frames = true;
            else if (lower[2] == "milliseconds" || lower[2] == "ms")
                v.frames = false;
            else
                return MCIERR_BAD_TIME_FORMAT;
            return 0;
        }
        return rest.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
    }
    if (verb == "window") {
        // window NAME handle N: the window the pictures are shown in.
        std::uint64_t handle = 0;
        if (rest.size() == 2 && lower[0] == "handle") {
            if (!ParseNumber(rest[1], handle))
                return MCIERR_BAD_INTEGER;
            v.window = handle;
            return 0;
        }
        return rest.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
    }
    if (verb == "where") {
        if (rest.size() != 1 || (lower[0] != "source" && lower[0] != "destination"))
            return rest.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
        answer = "0 0 " + std::to_string(v.avi->width) + " " + std::to_string(v.avi->height);
        return 0;
    }
    if (verb == "status") {
        if (rest.empty())
            return MCIERR_MISSING_PARAMETER;
        return Status(v, rest, answer);
    }
    return MCIERR_UNRECOGNIZED_COMMAND;
}

} // namespace winmm
