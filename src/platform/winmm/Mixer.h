// The one software mixer every sound of the program goes through.
#pragma once

#include "platform/winmm/PcmBuffer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace winmm {

// Groups of voices that share a volume and a pause switch: the wave output
// device's sounds, the CD drive's music, and buffers other components stream.
enum class MixerBus { Effects = 0, Music = 1, Streams = 2 };
constexpr std::size_t kMixerBusCount = 3;

// A stretch of a buffer to play: frames [begin, end).
struct MixSegment {
    std::shared_ptr<const PcmBuffer> buffer;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Mixes voices into interleaved stereo 16-bit frames at the output rate. Every
// voice is converted on the fly (8-bit data was widened when it was read; mono
// is spread to both sides; other rates are resampled linearly), so a sound at the
// output rate comes out sample for sample. The device pulls Render from its own
// thread; everything else is called from the program's thread, hence the lock.
class Mixer {
public:
    using VoiceId = std::uint32_t; // 0 is never a voice

    explicit Mixer(int outputRate = 44100);

    int OutputRate() const;
    // Changes the rate voices are converted to (when a device opens).
    void SetOutputRate(int rate);

    // Starts a voice that plays the segments one after the other; with loop it
    // starts over after the last one.
    VoiceId Start(std::vector<MixSegment> segments, MixerBus bus, bool loop);
    VoiceId Start(std::shared_ptr<const PcmBuffer> buffer, MixerBus bus, bool loop);
    void Stop(VoiceId id);
    void StopBus(MixerBus bus);
    bool IsPlaying(VoiceId id) const;
    void SetVoicePaused(VoiceId id, bool paused);
    // Per-voice volume, 0..0xFFFF a side.
    void SetVoiceVolume(VoiceId id, std::uint16_t left, std::uint16_t right);
    // Where a voice is: the segment it plays and the frame within that segment's buffer.
    bool VoicePosition(VoiceId id, std::size_t& segment, std::size_t& frame) const;

    void SetBusVolume(MixerBus bus, std::uint16_t left, std::uint16_t right);
    void GetBusVolume(MixerBus bus, std::uint16_t& left, std::uint16_t& right) const;
    void SetBusPaused(MixerBus bus, bool paused);
    bool BusPaused(MixerBus bus) const;

    std::size_t ActiveVoices() const;
    // Drops every voice and restores full volume and running buses.
    void Clear();

    // Fills out with frames stereo frames (2 * frames samples). Finished voices are dropped.
    void Render(std::int16_t* out, std::size_t frames);

private:
    struct Voice {
        VoiceId id = 0;
        MixerBus bus = MixerBus::Effects;
        std::vector<MixSegment> segments;
        std::size_t segment = 0;
        // Position within the current segment in source frames, 32.32 fixed point.
        std::uint64_t position = 0;
        bool loop = false;
        bool paused = false;
        std::uint16_t left = 0xFFFF, right = 0xFFFF;
    };
    struct Bus {
        std::uint16_t left = 0xFFFF, right = 0xFFFF;
        bool paused = false;
    };

    Voice* Find(VoiceId id);
    const Voice* Find(VoiceId id) const;
    // Mixes one voice into the accumulator; false when the voice has ended.
    bool MixVoice(Voice& voice, std::int32_t* acc, std::size_t frames);

    mutable std::mutex lock_;
    int outputRate_;
    VoiceId nextId_ = 1;
    std::vector<Voice> voices_;
    std::array<Bus, kMixerBusCount> buses_{};
    std::vector<std::int32_t> accumulator_;
};

} // namespace winmm
