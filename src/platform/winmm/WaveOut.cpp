// The waveOut functions on top of the program's mixer.
#include "platform/winmm/WaveOut.h"

#include "platform/winmm/AudioSystem.h"

#include <cstring>
#include <map>
#include <memory>

namespace winmm {

struct WaveOutHandle {
    WAVEFORMATEX format;
    bool paused = false;
    DWORD pitch = 0x10000; // 16.16: 1.0
    DWORD rate = 0x10000;
};

namespace {

// The open outputs; a handle is valid only while it is in this table.
std::map<WaveOutHandle*, std::unique_ptr<WaveOutHandle>>& Handles() {
    static std::map<WaveOutHandle*, std::unique_ptr<WaveOutHandle>> handles;
    return handles;
}

// The device volume is kept here so that it survives devices being swapped.
DWORD& DeviceVolume() {
    static DWORD volume = 0xFFFFFFFFu;
    return volume;
}

bool Valid(HWAVEOUT hwo) { return hwo && Handles().count(hwo) != 0; }

// The device's sounds (those PlaySound starts) are held while any of its outputs is paused.
void ApplyPause() {
    bool paused = false;
    for (auto& [key, h] : Handles())
        paused = paused || h->paused;
    Mixer& mixer = AudioSystem::Instance().GetMixer();
    mixer.SetBusPaused(MixerBus::Effects, paused);
}

void ApplyVolume() {
    DWORD v = DeviceVolume();
    auto left = static_cast<std::uint16_t>(v & 0xFFFF);
    auto right = static_cast<std::uint16_t>(v >> 16);
    Mixer& mixer = AudioSystem::Instance().GetMixer();
    mixer.SetBusVolume(MixerBus::Effects, left, right);
}

bool DeviceExists() { return AudioSystem::Instance().HasOutput(); }

} // namespace

bool WaveFormatAccepted(const WAVEFORMATEX& f) {
    if (f.wFormatTag != WAVE_FORMAT_PCM)
        return false;
    if (f.nChannels != 1 && f.nChannels != 2)
        return false;
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16)
        return false;
    if (f.nSamplesPerSec < 8000 || f.nSamplesPerSec > 48000)
        return false;
    if (f.nBlockAlign != f.nChannels * (f.wBitsPerSample / 8))
        return false;
    return f.nAvgBytesPerSec == static_cast<DWORD>(f.nBlockAlign) * f.nSamplesPerSec;
}

UINT waveOutGetNumDevs() { return DeviceExists() ? 1 : 0; }

MMRESULT waveOutOpen(HWAVEOUT* phwo, UINT uDeviceID, const WAVEFORMATEX* pwfx, DWORD_PTR, DWORD_PTR, DWORD fdwOpen) {
    if (!DeviceExists())
        return MMSYSERR_NODRIVER;
    if (uDeviceID != WAVE_MAPPER && uDeviceID != 0)
        return MMSYSERR_BADDEVICEID;
    if (!pwfx)
        return MMSYSERR_INVALPARAM;
    if (!WaveFormatAccepted(*pwfx))
        return WAVERR_BADFORMAT;
    if (fdwOpen & WAVE_FORMAT_QUERY)
        return MMSYSERR_NOERROR;
    if (!phwo)
        return MMSYSERR_INVALPARAM;
    auto handle = std::make_unique<WaveOutHandle>();
    handle->format = *pwfx;
    HWAVEOUT key = handle.get();
    Handles()[key] = std::move(handle);
    *phwo = key;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetID(HWAVEOUT hwo, UINT* puDeviceID) {
    if (!Valid(hwo))
        return MMSYSERR_INVALHANDLE;
    if (!puDeviceID)
        return MMSYSERR_INVALPARAM;
    *puDeviceID = 0;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetDevCaps(UINT uDeviceID, WAVEOUTCAPS* pwoc, UINT cbwoc) {
    if (!DeviceExists())
        return MMSYSERR_NODRIVER;
    if (uDeviceID != WAVE_MAPPER && uDeviceID != 0)
        return MMSYSERR_BADDEVICEID;
    if (!pwoc)
        return MMSYSERR_INVALPARAM;
    WAVEOUTCAPS caps;
    caps.wMid = 1;
    caps.wPid = 1;
    caps.vDriverVersion = 0x0100;
    std::string name = "Plazaro Wave Out (" + AudioSystem::Instance().Device().Name() + ")";
    std::strncpy(caps.szPname, name.c_str(), sizeof caps.szPname - 1);
    caps.dwFormats = 0xFFF; // every rate, channel count and width of the standard table
    caps.wChannels = 2;
    caps.dwSupport = WAVECAPS_VOLUME | WAVECAPS_LRVOLUME;
    if (AudioSystem::Instance().Device().SupportsPitchAndRate())
        caps.dwSupport |= WAVECAPS_PITCH | WAVECAPS_PLAYBACKRATE;
    std::memcpy(pwoc, &caps, cbwoc < sizeof caps ? cbwoc : sizeof caps);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetVolume(HWAVEOUT hwo, DWORD* pdwVolume) {
    if (!Valid(hwo))
        return MMSYSERR_INVALHANDLE;
    if (!pdwVolume)
        return MMSYSERR_INVALPARAM;
    *pdwVolume = DeviceVolume();
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutSetVolume(HWAVEOUT hwo, DWORD dwVolume) {
    if (!Valid(hwo))
        return MMSYSERR_INVALHANDLE;
    DeviceVolume() = dwVolume;
    ApplyVolume();
    return MMSYSERR_NOERROR;
}

namespace {

bool PitchAndRate() { return AudioSystem::Instance().Device().SupportsPitchAndRate(); }

MMRESULT GetSetting(HWAVEOUT hwo, DWORD* value, DWORD WaveOutHandle::*field) {
    if (!Valid(hwo))
        return MMSYSERR_INVALHANDLE;
    if (!PitchAndRate())
        return MMSYSERR_NOTSUPPORTED;
    if (!value)
        return MMSYSERR_INVALPARAM;
    *value = Handles()[hwo].get()->*field;
    return MMSYSERR_NOERROR;
}

MMRESULT SetSetting(HWAVEOUT hwo, DWORD value, DWORD WaveOutHandle::*field) {
    if (!Valid(hwo))
        return MMSYSERR_INVALHANDLE;
    if (!PitchAndRate())
        return MMSYSERR_NOTSUPPORTED;
    Handles()[hwo].get()->*field = value;
    return MMSYSERR_NOERROR;
}

} // namespace

MMRESULT waveOutGetPitch(HWAVEOUT hwo, DWORD* pdwPitch) { return GetSetting(hwo, pdwPitch, &WaveOutHandle::pitch); }
MMRESULT waveOutSetPitch(HWAVEOUT hwo, DWORD dwPitch) { return SetSetting(hwo, dwPitch, &WaveOutHandle::pitch); }
MMRESULT waveOutGetPlaybackRate(HWAVEOUT hwo, DWORD* pdwRate) { return GetSetting(hwo, pdwRate, &WaveOutHandle::rate); }
MMRESULT waveOutSetPlaybackRate(HWAVEOUT hwo, DWORD dwRate) { return SetSetting(hwo, dwRate, &WaveOutHandle::rate); }

MMRESULT waveOutPause(HWAVEOUT hwo) {
    if (!Valid(hwo))
        return MMSYSERR_INVALHANDLE;
    Handles()[hwo]->paused = true;
    ApplyPause();
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutRestart(HWAVEOUT hwo) {
    if (!Valid(hwo))
        return MMSYSERR_INVALHANDLE;
    Handles()[hwo]->paused = false;
    ApplyPause();
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT hwo) {
    if (!Valid(hwo))
        return MMSYSERR_INVALHANDLE;
    Handles()[hwo]->paused = false;
    AudioSystem::Instance().GetMixer().StopBus(MixerBus::Effects);
    ApplyPause();
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT hwo) {
    if (!Valid(hwo))
        return MMSYSERR_INVALHANDLE;
    Handles().erase(hwo);
    ApplyPause();
    return MMSYSERR_NOERROR;
}

void CloseAllWaveOuts() {
    Handles().clear();
    DeviceVolume() = 0xFFFFFFFFu;
    ApplyPause();
    ApplyVolume();
}

int OpenWaveOutCount() { return static_cast<int>(Handles().size()); }

} // namespace winmm
