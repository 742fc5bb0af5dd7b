// The DirectSound object and its static buffers over the program's mixer.
#include "platform/dsound/DSound.h"

#include "platform/ddraw/FaultInjector.h"
#include "platform/winmm/AudioSystem.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <set>

namespace dsound {

namespace detail {
struct Device {
    DWORD coopLevel = 0;
    HWND window = nullptr;
    bool alive = true;
    std::set<IDirectSoundBuffer*> buffers;
};
} // namespace detail

namespace {

std::set<IDirectSoundBuffer*>& LiveBuffers() {
    static std::set<IDirectSoundBuffer*> buffers;
    return buffers;
}

winmm::Mixer& TheMixer() { return winmm::AudioSystem::Instance().GetMixer(); }

#define DS_FAULT(name)                                                                                                 \
    do {                                                                                                               \
        HRESULT faulted;                                                                                               \
        if (ddraw::FaultInjector::Check(name, this, faulted))                                                          \
            return faulted;                                                                                            \
    } while (0)

bool ValidFormat(const WAVEFORMATEX& f) {
    if (f.wFormatTag != winmm::WAVE_FORMAT_PCM)
        return false;
    if (f.nChannels != 1 && f.nChannels != 2)
        return false;
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16)
        return false;
    if (f.nSamplesPerSec < DSBFREQUENCY_MIN || f.nSamplesPerSec > DSBFREQUENCY_MAX)
        return false;
    return f.nBlockAlign == f.nChannels * (f.wBitsPerSample / 8);
}

// Hundredths of a decibel (0 down to -10000) as a mixer volume 0..0xFFFF.
std::uint16_t Attenuation(LONG hundredthsDb) {
    if (hundredthsDb <= DSBVOLUME_MIN)
        return 0;
    if (hundredthsDb >= 0)
        return 0xFFFF;
    double gain = std::pow(10.0, double(hundredthsDb) / 2000.0);
    return std::uint16_t(std::lround(gain * 65535.0));
}

} // namespace

// ---- buffer -----------------------------------------------------------------------------

IDirectSoundBuffer::~IDirectSoundBuffer() {
    StopVoice();
    LiveBuffers().erase(this);
    if (device_)
        device_->buffers.erase(this);
}

bool IDirectSoundBuffer::IsPlaying() const { return voice_ != 0 && TheMixer().IsPlaying(voice_); }

std::size_t IDirectSoundBuffer::CurrentFrame() const {
    if (voice_ == 0)
        return stoppedFrame_;
    std::size_t segment = 0, frame = 0;
    if (TheMixer().VoicePosition(voice_, segment, frame))
        return frame;
    return 0; // a sound that played to its end is back at the start
}

void IDirectSoundBuffer::StartVoice(std::size_t frame, bool loop) {
    auto pcm = std::make_shared<winmm::PcmBuffer>();
    pcm->channels = format_.nChannels;
    pcm->sampleRate = int(frequency_ ? frequency_ : format_.nSamplesPerSec);
    std::size_t frames = data_.size() / format_.nBlockAlign;
    std::size_t count = frames * format_.nChannels;
    pcm->samples.resize(count);
    if (format_.wBitsPerSample == 8) {
        for (std::size_t i = 0; i < count; ++i)
            pcm->samples[i] = std::int16_t((int(data_[i]) - 128) * 256);
    } else {
        for (std::size_t i = 0; i < count; ++i)
            pcm->samples[i] = std::int16_t(std::uint16_t(data_[2 * i] | (data_[2 * i + 1] << 8)));
    }
    if (frame >= frames)
        frame = 0;
    std::shared_ptr<const winmm::PcmBuffer> shared = pcm;
    std::vector<winmm::MixSegment> segments{{shared, frame, frames}};
    // A loop that starts inside the buffer goes on with the part before the start,
    // so every turn after the first covers the whole buffer.
    if (loop && frame > 0)
        segments.push_back({shared, 0, frame});
    voice_ = TheMixer().Start(std::move(segments), winmm::MixerBus::Streams, loop);
    looping_ = loop;
    ApplyVolume();
}

void IDirectSoundBuffer::StopVoice() {
    if (voice_ == 0)
        return;
    stoppedFrame_ = CurrentFrame();
    TheMixer().Stop(voice_);
    voice_ = 0;
    looping_ = false;
}

void IDirectSoundBuffer::ApplyVolume() {
    if (voice_ == 0)
        return;
    LONG left = volume_ - std::max<LONG>(0, pan_);
    LONG right = volume_ - std::max<LONG>(0, -pan_);
    TheMixer().SetVoiceVolume(voice_, Attenuation(left), Attenuation(right));
}

void IDirectSoundBuffer::MarkLost() {
    StopVoice();
    stoppedFrame_ = 0;
    lost_ = true;
}

HRESULT IDirectSoundBuffer::GetStatus(DWORD* status) {
    DS_FAULT("DirectSoundBuffer.GetStatus");
    if (!status)
        return DSERR_INVALIDPARAM;
    *status = 0;
    if (lost_) {
        *status = DSBSTATUS_BUFFERLOST;
    } else if (IsPlaying()) {
        *status = DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0);
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) {
    if (!playCursor && !writeCursor)
        return DSERR_INVALIDPARAM;
    if (lost_)
        return DSERR_BUFFERLOST;
    DWORD position = DWORD(CurrentFrame() * format_.nBlockAlign);
    if (playCursor)
        *playCursor = position;
    if (writeCursor)
        *writeCursor = position;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(DWORD position) {
    DS_FAULT("DirectSoundBuffer.SetCurrentPosition");
    if (lost_)
        return DSERR_BUFFERLOST;
    if (position >= data_.size())
        return DSERR_INVALIDPARAM;
    std::size_t frame = position / format_.nBlockAlign;
    if (IsPlaying()) {
        bool loop = looping_;
        StopVoice();
        StartVoice(frame, loop);
    } else {
        StopVoice();
        stoppedFrame_ = frame;
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
                                 DWORD flags) {
    DS_FAULT("DirectSoundBuffer.Lock");
    if (!part1 || !bytes1)
        return DSERR_INVALIDPARAM;
    if (lost_)
        return DSERR_BUFFERLOST;
    const DWORD size = DWORD(data_.size());
    if (flags & DSBLOCK_FROMWRITECURSOR)
        offset = DWORD(CurrentFrame() * format_.nBlockAlign);
    if (flags & DSBLOCK_ENTIREBUFFER)
        bytes = size;
    if (offset >= size || bytes == 0 || bytes > size)
        return DSERR_INVALIDPARAM;
    DWORD first = std::min(bytes, size - offset);
    if (first < bytes && (!part2 || !bytes2))
        return DSERR_INVALIDPARAM;
    *part1 = data_.data() + offset;
    *bytes1 = first;
    if (part2)
        *part2 = first < bytes ? data_.data() : nullptr;
    if (bytes2)
        *bytes2 = bytes - first;
    ++locks_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) {
    DS_FAULT("DirectSoundBuffer.Unlock");
    if (locks_ == 0)
        return DSERR_INVALIDCALL;
    auto inside = [this](void* part, DWORD bytes) {
        if (!part)
            return bytes == 0;
        auto* p = static_cast<std::uint8_t*>(part);
        return p >= data_.data() && std::size_t(p - data_.data()) + bytes <= data_.size();
    };
    if (!part1 || !inside(part1, bytes1) || !inside(part2, bytes2))
        return DSERR_INVALIDPARAM;
    --locks_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Play(DWORD reserved, DWORD, DWORD flags) {
    DS_FAULT("DirectSoundBuffer.Play");
    if (reserved != 0)
        return DSERR_INVALIDPARAM;
    if (!device_->alive)
        return DSERR_UNINITIALIZED;
    if (lost_)
        return DSERR_BUFFERLOST;
    bool loop = (flags & DSBPLAY_LOOPING) != 0;
    std::size_t frame = CurrentFrame();
    StopVoice();
    StartVoice(frame, loop);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop() {
    DS_FAULT("DirectSoundBuffer.Stop");
    StopVoice();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Restore() {
    DS_FAULT("DirectSoundBuffer.Restore");
    if (!device_->alive)
        return DSERR_UNINITIALIZED;
    if (lost_) {
        std::fill(data_.begin(), data_.end(), std::uint8_t(format_.wBitsPerSample == 8 ? 0x80 : 0));
        lost_ = false;
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetVolume(LONG volume) {
    if (!(flags_ & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
        return DSERR_INVALIDPARAM;
    volume_ = volume;
    ApplyVolume();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetVolume(LONG* volume) {
    if (!volume)
        return DSERR_INVALIDPARAM;
    if (!(flags_ & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    *volume = volume_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetPan(LONG pan) {
    if (!(flags_ & DSBCAPS_CTRLPAN))
        return DSERR_CONTROLUNAVAIL;
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT)
        return DSERR_INVALIDPARAM;
    pan_ = pan;
    ApplyVolume();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetPan(LONG* pan) {
    if (!pan)
        return DSERR_INVALIDPARAM;
    if (!(flags_ & DSBCAPS_CTRLPAN))
        return DSERR_CONTROLUNAVAIL;
    *pan = pan_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFrequency(DWORD frequency) {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY))
        return DSERR_CONTROLUNAVAIL;
    if (frequency != DSBFREQUENCY_ORIGINAL && (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX))
        return DSERR_INVALIDPARAM;
    frequency_ = frequency;
    if (IsPlaying()) {
        bool loop = looping_;
        std::size_t frame = CurrentFrame();
        StopVoice();
        StartVoice(frame, loop);
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetFrequency(DWORD* frequency) {
    if (!frequency)
        return DSERR_INVALIDPARAM;
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY))
        return DSERR_CONTROLUNAVAIL;
    *frequency = frequency_ ? frequency_ : format_.nSamplesPerSec;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written) {
    if (!format && !written)
        return DSERR_INVALIDPARAM;
    if (format) {
        if (size < sizeof(WAVEFORMATEX))
            return DSERR_INVALIDPARAM;
        *format = format_;
    }
    if (written)
        *written = sizeof(WAVEFORMATEX);
    return DS_OK;
}

// ---- DirectSound object ------------------------------------------------------------------

IDirectSound::IDirectSound() : device_(std::make_shared<detail::Device>()) {}

IDirectSound::~IDirectSound() {
    // The buffers of a released device fall silent and refuse to play again.
    device_->alive = false;
    for (IDirectSoundBuffer* buffer : device_->buffers)
        buffer->StopVoice();
}

DWORD IDirectSound::CooperativeLevel() const { return device_->coopLevel; }

HRESULT IDirectSound::SetCooperativeLevel(HWND window, DWORD level) {
    DS_FAULT("DirectSound.SetCooperativeLevel");
    if (!window || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
        return DSERR_INVALIDPARAM;
    device_->coopLevel = level;
    device_->window = window;
    return DS_OK;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, IUnknown* outer) {
    DS_FAULT("DirectSound.CreateSoundBuffer");
    if (!desc || !buffer)
        return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (outer)
        return DSERR_NOAGGREGATION;
    if (desc->dwSize != DSBUFFERDESC_SIZE && desc->dwSize != DSBUFFERDESC1_SIZE)
        return DSERR_INVALIDPARAM;
    if (device_->coopLevel == 0)
        return DSERR_PRIOLEVELNEEDED;
    if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER)
        return DSERR_UNSUPPORTED;
    if (!desc->lpwfxFormat)
        return DSERR_INVALIDPARAM;
    if (!ValidFormat(*desc->lpwfxFormat))
        return DSERR_BADFORMAT;
    if (desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX)
        return DSERR_INVALIDPARAM;
    std::unique_ptr<IDirectSoundBuffer> made(new (std::nothrow) IDirectSoundBuffer);
    if (!made)
        return DSERR_OUTOFMEMORY;
    try {
        made->data_.assign(desc->dwBufferBytes, std::uint8_t(desc->lpwfxFormat->wBitsPerSample == 8 ? 0x80 : 0));
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    made->device_ = device_;
    made->flags_ = desc->dwFlags;
    made->format_ = *desc->lpwfxFormat;
    made->format_.cbSize = 0;
    device_->buffers.insert(made.get());
    LiveBuffers().insert(made.get());
    *buffer = made.release();
    return DS_OK;
}

HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, IUnknown* outer) {
    HRESULT faulted;
    if (ddraw::FaultInjector::Check("DirectSoundCreate", nullptr, faulted))
        return faulted;
    if (!directSound)
        return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer)
        return DSERR_NOAGGREGATION;
    if (device || !winmm::AudioSystem::Instance().HasOutput())
        return DSERR_NODRIVER;
    *directSound = new IDirectSound;
    return DS_OK;
}

void LoseAllBuffers() {
    for (IDirectSoundBuffer* buffer : LiveBuffers())
        buffer->MarkLost();
}

int LiveBufferCount() { return int(LiveBuffers().size()); }

} // namespace dsound
