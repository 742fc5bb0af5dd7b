// Voice mixing with per-voice and per-bus volume, pause and linear resampling.
#include "platform/winmm/Mixer.h"

#include <algorithm>

namespace winmm {
namespace {

// Volume 0..0xFFFF as a 16.16 gain where full volume is exactly 1.
std::int64_t Gain(std::uint16_t volume) { return static_cast<std::int64_t>(volume) + (volume >> 15); }

std::int16_t Clamp(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, -32768, 32767));
}

} // namespace

Mixer::Mixer(int outputRate) : outputRate_(outputRate > 0 ? outputRate : 44100) {}

int Mixer::OutputRate() const {
    std::lock_guard<std::mutex> guard(lock_);
    return outputRate_;
}

void Mixer::SetOutputRate(int rate) {
    std::lock_guard<std::mutex> guard(lock_);
    if (rate > 0)
        outputRate_ = rate;
}

Mixer::VoiceId Mixer::Start(std::vector<MixSegment> segments, MixerBus bus, bool loop) {
    // Segments that hold nothing are dropped so that the mixing loop always advances.
    std::vector<MixSegment> kept;
    for (auto& s : segments) {
        if (!s.buffer || s.buffer->channels < 1 || s.buffer->channels > 2 || s.buffer->sampleRate <= 0)
            continue;
        s.end = std::min(s.end, s.buffer->Frames());
        if (s.begin < s.end)
            kept.push_back(std::move(s));
    }
    std::lock_guard<std::mutex> guard(lock_);
    Voice voice;
    voice.id = nextId_++;
    if (nextId_ == 0)
        nextId_ = 1;
    voice.bus = bus;
    voice.segments = std::move(kept);
    voice.loop = loop;
    if (voice.segments.empty())
        return voice.id; // an empty sound ends at once
    voice.position = static_cast<std::uint64_t>(voice.segments[0].begin) << 32;
    voices_.push_back(std::move(voice));
    return voices_.back().id;
}

Mixer::VoiceId Mixer::Start(std::shared_ptr<const PcmBuffer> buffer, MixerBus bus, bool loop) {
    std::size_t frames = buffer ? buffer->Frames() : 0;
    return Start(std::vector<MixSegment>{MixSegment{std::move(buffer), 0, frames}}, bus, loop);
}

Mixer::Voice* Mixer::Find(VoiceId id) {
    for (auto& v : voices_)
        if (v.id == id)
            return &v;
    return nullptr;
}

const Mixer::Voice* Mixer::Find(VoiceId id) const {
    for (const auto& v : voices_)
        if (v.id == id)
            return &v;
    return nullptr;
}

void Mixer::Stop(VoiceId id) {
    std::lock_guard<std::mutex> guard(lock_);
    voices_.erase(std::remove_if(voices_.begin(), voices_.end(), [id](const Voice& v) { return v.id == id; }),
                  voices_.end());
}

void Mixer::StopBus(MixerBus bus) {
    std::lock_guard<std::mutex> guard(lock_);
    voices_.erase(std::remove_if(voices_.begin(), voices_.end(), [bus](const Voice& v) { return v.bus == bus; }),
                  voices_.end());
}

bool Mixer::IsPlaying(VoiceId id) const {
    std::lock_guard<std::mutex> guard(lock_);
    return Find(id) != nullptr;
}

void Mixer::SetVoicePaused(VoiceId id, bool paused) {
    std::lock_guard<std::mutex> guard(lock_);
    if (Voice* v = Find(id))
        v->paused = paused;
}

void Mixer::SetVoiceVolume(VoiceId id, std::uint16_t left, std::uint16_t right) {
    std::lock_guard<std::mutex> guard(lock_);
    if (Voice* v = Find(id)) {
        v->left = left;
        v->right = right;
    }
}

bool Mixer::VoicePosition(VoiceId id, std::size_t& segment, std::size_t& frame) const {
    std::lock_guard<std::mutex> guard(lock_);
    const Voice* v = Find(id);
    if (!v)
        return false;
    segment = v->segment;
    frame = static_cast<std::size_t>(v->position >> 32);
    return true;
}

void Mixer::SetBusVolume(MixerBus bus, std::uint16_t left, std::uint16_t right) {
    std::lock_guard<std::mutex> guard(lock_);
    buses_[static_cast<std::size_t>(bus)].left = left;
    buses_[static_cast<std::size_t>(bus)].right = right;
}

void Mixer::GetBusVolume(MixerBus bus, std::uint16_t& left, std::uint16_t& right) const {
    std::lock_guard<std::mutex> guard(lock_);
    left = buses_[static_cast<std::size_t>(bus)].left;
    right = buses_[static_cast<std::size_t>(bus)].right;
}

void Mixer::SetBusPaused(MixerBus bus, bool paused) {
    std::lock_guard<std::mutex> guard(lock_);
    buses_[static_cast<std::size_t>(bus)].paused = paused;
}

bool Mixer::BusPaused(MixerBus bus) const {
    std::lock_guard<std::mutex> guard(lock_);
    return buses_[static_cast<std::size_t>(bus)].paused;
}

std::size_t Mixer::ActiveVoices() const {
    std::lock_guard<std::mutex> guard(lock_);
    return voices_.size();
}

void Mixer::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    voices_.clear();
    buses_ = {};
}

bool Mixer::MixVoice(Voice& voice, std::int32_t* acc, std::size_t frames) {
    const Bus& bus = buses_[static_cast<std::size_t>(voice.bus)];
    const std::int64_t gainL = Gain(voice.left) * Gain(bus.left) >> 16;
    const std::int64_t gainR = Gain(voice.right) * Gain(bus.right) >> 16;
    std::size_t done = 0;
    while (done < frames) {
        const MixSegment& seg = voice.segments[voice.segment];
        const PcmBuffer& pcm = *seg.buffer;
        const std::uint64_t step = (static_cast<std::uint64_t>(pcm.sampleRate) << 32) / static_cast<std::uint64_t>(outputRate_);
        const std::int16_t* s = pcm.samples.data();
        const int ch = pcm.channels;
        while (done < frames) {
            std::size_t index = static_cast<std::size_t>(voice.position >> 32);
            if (index >= seg.end)
                break;
            std::int64_t frac = static_cast<std::int64_t>((voice.position >> 16) & 0xFFFF);
            std::size_t next = index + 1 < seg.end ? index + 1 : index;
            std::int64_t l0 = s[index * ch], l1 = s[next * ch];
            std::int64_t r0 = s[index * ch + ch - 1], r1 = s[next * ch + ch - 1];
            std::int64_t l = l0 + (((l1 - l0) * frac) >> 16);
            std::int64_t r = r0 + (((r1 - r0) * frac) >> 16);
            acc[2 * done] += static_cast<std::int32_t>((l * gainL) >> 16);
            acc[2 * done + 1] += static_cast<std::int32_t>((r * gainR) >> 16);
            ++done;
            voice.position += step;
        }
        if (static_cast<std::size_t>(voice.position >> 32) >= seg.end) {
            if (voice.segment + 1 < voice.segments.size()) {
                ++voice.segment;
            } else if (voice.loop) {
                voice.segment = 0;
            } else {
                return false;
            }
            voice.position = static_cast<std::uint64_t>(voice.segments[voice.segment].begin) << 32;
        }
    }
    return true;
}

void Mixer::Render(std::int16_t* out, std::size_t frames) {
    std::lock_guard<std::mutex> guard(lock_);
    accumulator_.assign(frames * 2, 0);
    for (auto it = voices_.begin(); it != voices_.end();) {
        if (it->paused || buses_[static_cast<std::size_t>(it->bus)].paused) {
            ++it;
            continue;
        }
        if (MixVoice(*it, accumulator_.data(), frames))
            ++it;
        else
            it = voices_.erase(it);
    }
    for (std::size_t i = 0; i < frames * 2; ++i)
        out[i] = Clamp(accumulator_[i]);
}

} // namespace winmm
