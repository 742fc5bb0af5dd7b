// A software DirectSound: the DirectSound object and static secondary buffers that
// play through the program's one mixer (winmm::AudioSystem), with the platform's
// result codes. Calls can be made to fail through ddraw::FaultInjector under the
// names "DirectSoundCreate", "DirectSound.<method>" and "DirectSoundBuffer.<method>".
#pragma once

#include "platform/ddraw/DDraw.h"
#include "platform/winmm/Mixer.h"
#include "platform/winmm/MmTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dsound {

using ddraw::DWORD;
using ddraw::GUID;
using ddraw::HRESULT;
using ddraw::HWND;
using ddraw::IUnknown;
using ddraw::LONG;
using winmm::WAVEFORMATEX;

constexpr HRESULT DS_OK = 0;
constexpr HRESULT MAKE_DSHRESULT(int n) { return HRESULT(0x88780000u + std::uint32_t(n)); }
constexpr HRESULT DSERR_ALLOCATED = MAKE_DSHRESULT(10);
constexpr HRESULT DSERR_CONTROLUNAVAIL = MAKE_DSHRESULT(30);
constexpr HRESULT DSERR_INVALIDPARAM = ddraw::E_INVALIDARG;
constexpr HRESULT DSERR_INVALIDCALL = MAKE_DSHRESULT(50);
constexpr HRESULT DSERR_GENERIC = ddraw::E_FAIL;
constexpr HRESULT DSERR_PRIOLEVELNEEDED = MAKE_DSHRESULT(70);
constexpr HRESULT DSERR_OUTOFMEMORY = ddraw::E_OUTOFMEMORY;
constexpr HRESULT DSERR_BADFORMAT = MAKE_DSHRESULT(100);
constexpr HRESULT DSERR_UNSUPPORTED = ddraw::E_NOTIMPL;
constexpr HRESULT DSERR_NODRIVER = MAKE_DSHRESULT(120);
constexpr HRESULT DSERR_ALREADYINITIALIZED = MAKE_DSHRESULT(130);
constexpr HRESULT DSERR_NOAGGREGATION = HRESULT(0x80040110u);
constexpr HRESULT DSERR_BUFFERLOST = MAKE_DSHRESULT(150);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = MAKE_DSHRESULT(160);
constexpr HRESULT DSERR_UNINITIALIZED = MAKE_DSHRESULT(170);

// Cooperative levels.
constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_PRIORITY = 2;
constexpr DWORD DSSCL_EXCLUSIVE = 3;
constexpr DWORD DSSCL_WRITEPRIMARY = 4;

// Buffer capabilities.
constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x1;
constexpr DWORD DSBCAPS_STATIC = 0x2;
constexpr DWORD DSBCAPS_LOCHARDWARE = 0x4;
constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x8;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr DWORD DSBCAPS_CTRLPAN = 0x40;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x80;
constexpr DWORD DSBCAPS_GLOBALFOCUS = 0x8000;
constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x10000;

constexpr DWORD DSBPLAY_LOOPING = 0x1;
constexpr DWORD DSBSTATUS_PLAYING = 0x1;
constexpr DWORD DSBSTATUS_BUFFERLOST = 0x2;
constexpr DWORD DSBSTATUS_LOOPING = 0x4;
constexpr DWORD DSBLOCK_FROMWRITECURSOR = 0x1;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x2;

constexpr DWORD DSBSIZE_MIN = 4;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;
constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;
constexpr LONG DSBPAN_LEFT = -10000;
constexpr LONG DSBPAN_CENTER = 0;
constexpr LONG DSBPAN_RIGHT = 10000;
constexpr DWORD DSBFREQUENCY_ORIGINAL = 0;
constexpr DWORD DSBFREQUENCY_MIN = 100;
constexpr DWORD DSBFREQUENCY_MAX = 200000;

// dwSize of the current description and of the earlier, shorter one.
constexpr DWORD DSBUFFERDESC_SIZE = 36;
constexpr DWORD DSBUFFERDESC1_SIZE = 20;

struct DSBUFFERDESC {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwBufferBytes = 0;
    DWORD dwReserved = 0;
    const WAVEFORMATEX* lpwfxFormat = nullptr;
    GUID guid3DAlgorithm{};
};

namespace detail {
struct Device;
}

class IDirectSoundBuffer : public IUnknown {
public:
    ~IDirectSoundBuffer() override;

    HRESULT GetStatus(DWORD* status);
    HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor);
    HRESULT SetCurrentPosition(DWORD position);
    // Locks bytes from offset; a range that runs past the end wraps to the start
    // and comes back as the second part.
    HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2, DWORD flags);
    HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2);
    // Plays from the current position; a buffer already playing only takes the new
    // looping flag.
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    // Stops; the position stays where the sound was.
    HRESULT Stop();
    // Gives a lost buffer its memory back (zeroed: the owner must refill it).
    HRESULT Restore();
    HRESULT SetVolume(LONG volume);
    HRESULT GetVolume(LONG* volume);
    HRESULT SetPan(LONG pan);
    HRESULT GetPan(LONG* pan);
    HRESULT SetFrequency(DWORD frequency);
    HRESULT GetFrequency(DWORD* frequency);
    HRESULT GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written);

    // ---- beyond the platform's interface ----
    DWORD Bytes() const { return DWORD(data_.size()); }
    const std::vector<std::uint8_t>& Data() const { return data_; }
    // The buffer loses its memory, as when another application takes the device.
    void MarkLost();
    // The mixer voice playing the buffer, 0 when none.
    winmm::Mixer::VoiceId Voice() const { return voice_; }

private:
    friend class IDirectSound;
    IDirectSoundBuffer() = default;
    bool IsPlaying() const;
    // Frame the sound is at: the playing voice's, or where it stopped.
    std::size_t CurrentFrame() const;
    void StartVoice(std::size_t frame, bool loop);
    void StopVoice();
    void ApplyVolume();

    std::shared_ptr<detail::Device> device_;
    DWORD flags_ = 0;
    WAVEFORMATEX format_{};
    std::vector<std::uint8_t> data_;
    int locks_ = 0;
    bool lost_ = false;
    bool looping_ = false;
    LONG volume_ = 0;
    LONG pan_ = 0;
    DWORD frequency_ = 0;
    std::size_t stoppedFrame_ = 0;
    winmm::Mixer::VoiceId voice_ = 0;
};

class IDirectSound : public IUnknown {
public:
    ~IDirectSound() override;

    HRESULT SetCooperativeLevel(HWND window, DWORD level);
    // Secondary PCM buffers (8 or 16 bit, mono or stereo); primary buffers are not
    // offered.
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, IUnknown* outer);

    DWORD CooperativeLevel() const;

private:
    friend HRESULT DirectSoundCreate(const GUID*, IDirectSound**, IUnknown*);
    IDirectSound();
    std::shared_ptr<detail::Device> device_;
};

// The default device (a null GUID) only; DSERR_NODRIVER when the program has no
// audio output.
HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, IUnknown* outer);

// Every buffer alive loses its memory and stops (another application took the device).
void LoseAllBuffers();
// Buffers alive (tests check that components release theirs).
int LiveBufferCount();

} // namespace dsound
