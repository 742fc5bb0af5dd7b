// The wave sound component: device set-up, playing, the getters and setters, and commands.
#include "audio/TWaveSound2.h"

#include "platform/os/PathMap.h"
#include "platform/ui/Application.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/winmm/PlaySound.h"
#include "platform/winmm/WaveOut.h"

#include <dlfcn.h>

#include <cstdio>

using namespace winmm;

namespace {

std::string Hex8(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

} // namespace

TWaveSound2::TWaveSound2(std::string name) : ui::Component(std::move(name)) {}

TWaveSound2::~TWaveSound2() {
    // A destructor must not throw: a device that fails now is simply left.
    try {
        if (GetVolume() != SavedVolume)
            SetVolume(SavedVolume);
    } catch (const std::exception&) {
    }
    if (WaveOut) {
        waveOutReset(WaveOut);
        waveOutClose(WaveOut);
    }
    WaveOut = nullptr;
    if (Module)
        ::dlclose(Module);
    Module = nullptr;
}

void TWaveSound2::ShowBox(const std::string& text) {
    auto& app = ui::Application::Instance();
    app.MessageBox(text, app.Title, ui::MB_OK);
}

bool TWaveSound2::IsCardPresent() { return waveOutGetNumDevs() != 0; }

WAVEFORMATEX TWaveSound2::SetWaveFormat(std::uint16_t channels, std::uint32_t samplesPerSec, std::uint16_t bitsPerSample) {
    WAVEFORMATEX f;
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = samplesPerSec;
    f.wBitsPerSample = bitsPerSample;
    f.nBlockAlign = static_cast<WORD>(channels * (bitsPerSample / 8));
    f.nAvgBytesPerSec = f.nBlockAlign * samplesPerSec;
    f.cbSize = 0;
    return f;
}

bool TWaveSound2::IsFormatSupported(const WAVEFORMATEX& format) {
    MMRESULT result = waveOutOpen(nullptr, WAVE_MAPPER, &format, 0, 0, WAVE_FORMAT_QUERY);
    if (result == MMSYSERR_NOERROR)
        return true;
    if (result == WAVERR_BADFORMAT)
        return false;
    // A device that cannot answer the query is taken not to accept the format.
    MMR_Test(result, "IsFormatSupported: ");
    return false;
}

WAVEFORMATEX TWaveSound2::GetPlaybackQuality() {
    WAVEFORMATEX best = SetWaveFormat(1, 11025, 8);
    const struct {
        std::uint16_t channels;
        std::uint32_t rate;
        std::uint16_t bits;
    } better[] = {{1, 11025, 16}, {2, 11025, 16}, {2, 22050, 16}, {2, 44100, 16}};
    for (const auto& b : better) {
        WAVEFORMATEX f = SetWaveFormat(b.channels, b.rate, b.bits);
        if (!IsFormatSupported(f))
            break;
        best = f;
    }
    return best;
}

std::string TWaveSound2::GetWaveFormat() {
    return "Sound sampling rate: " + std::to_string(Format.nSamplesPerSec) + "Hz " +
           std::to_string(Format.wBitsPerSample) + "bit";
}

void TWaveSound2::Init(std::uint16_t channels, std::uint32_t samplesPerSec, std::uint16_t bitsPerSample) {
    if (!IsCardPresent()) {
        Status = "Sound card not detected";
        return;
    }
    if (channels != 0 || samplesPerSec != 0 || bitsPerSample != 0) {
        Format = SetWaveFormat(channels, samplesPerSec, bitsPerSample);
        if (!IsFormatSupported(Format)) {
            if (!UseServer)
                ShowBox("Specified format unsupported..\nUsing next best format");
            Format = GetPlaybackQuality();
        }
    } else {
        Format = GetPlaybackQuality();
    }
    // Each run opens the device again; the output of an earlier run is closed
    // first so that it does not linger (its pause would hold every later sound).
    if (WaveOut) {
        waveOutClose(WaveOut);
        WaveOut = nullptr;
    }
    MMR_Test(waveOutOpen(&WaveOut, WAVE_MAPPER, &Format, 0, 0, WAVE_ALLOWSYNC), "Init");
    MMR_Test(waveOutGetID(WaveOut, &DeviceID), "Init");
    MMR_Test(waveOutGetDevCaps(DeviceID, &Caps, sizeof Caps), "Init");
    if (!DLLName.empty()) {
        void* handle = ::dlopen(os::ResolvePath(DLLName).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            throw ui::Exception("Can't Load DLL: " + DLLName);
        if (Module)
            ::dlclose(Module);
        Module = handle;
    }
    Initialized = true;
    Enabled = true;
    SavedVolume = GetVolume();
    Status = "Sound initialized";
    if (OnSetupSound)
        OnSetupSound(this);
}

std::string TWaveSound2::Play(const std::string& name, bool fromModule, std::uint32_t flags) {
    if (!Initialized) {
        Status = "Sound not initialized";
        return Status;
    }
    if (!Enabled) {
        Status = "Sound turned off";
        return Status;
    }
    if (name.empty() && flags == 0) {
        Resume();
        return Status;
    }
    if (PlaySound(name.c_str(), fromModule ? Module : nullptr, flags)) {
        Status = name + " is being played";
    } else {
        Status = "~WARNING; Can't play " + name + ";";
        if (!UseServer)
            Error("Play: ", "Can't play " + name);
    }
    if (OnPlaySound)
        OnPlaySound(this);
    return Status;
}

void TWaveSound2::Stop() {
    if (!Initialized) {
        Status = "Sound not initialized";
        return;
    }
    if (!Enabled) {
        Status = "Sound turned off";
        return;
    }
    if (PlaySound(nullptr, nullptr, SND_PURGE)) {
        Status = "Sound stopped";
    } else {
        Status = "~WARNING; Can't stop sound;";
        if (!UseServer)
            ShowBox("Can't stop sound");
    }
}

void TWaveSound2::Pause() {
    MMR_Test(waveOutPause(WaveOut), "Pause");
    Status = "Sound paused";
}

void TWaveSound2::Resume() {
    MMR_Test(waveOutRestart(WaveOut), "Resume");
    Status = "Sound playing";
}

std::uint32_t TWaveSound2::Query(MMRESULT (*fn)(HWAVEOUT, DWORD*), const char* where, const char* prefix) {
    if (!Initialized) {
        Status = "Sound not initialized";
        return 0;
    }
    DWORD value = 0;
    if (MMR_Test(fn(WaveOut, &value), where) != 0)
        return 0;
    Status = prefix + Hex8(value);
    return value;
}

void TWaveSound2::Assign(MMRESULT (*fn)(HWAVEOUT, DWORD), std::uint32_t v, const char* where, const char* prefix) {
    if (!Initialized) {
        Status = "Sound not initialized";
        return;
    }
    if (MMR_Test(fn(WaveOut, v), where) != 0)
        return;
    Status = prefix + Hex8(v);
}

std::uint32_t TWaveSound2::GetVolume() { return Query(waveOutGetVolume, "GetVolume", "Volume = 0x"); }
std::uint32_t TWaveSound2::GetPitch() { return Query(waveOutGetPitch, "GetPitch", "Pitch = 0x"); }
std::uint32_t TWaveSound2::GetPlaybackRate() {
    return Query(waveOutGetPlaybackRate, "GetPlaybackRate", "PlaybackRate = 0x");
}
void TWaveSound2::SetVolume(std::uint32_t v) { Assign(waveOutSetVolume, v, "SetVolume", "Volume set to: 0x"); }
void TWaveSound2::SetPitch(std::uint32_t v) { Assign(waveOutSetPitch, v, "SetPitch", "Pitch set to: 0x"); }
void TWaveSound2::SetPlaybackRate(std::uint32_t v) {
    Assign(waveOutSetPlaybackRate, v, "SetPlaybackRate", "PlaybackRate set to: 0x");
}

int TWaveSound2::MMR_Test(MMRESULT result, const std::string& where) {
    if (result == MMSYSERR_NOERROR)
        return 0;
    if (result == MMSYSERR_NOTSUPPORTED) {
        if (DebugLevel != dlNone) {
            Status = where + " - Function not Supported";
            if (!UseServer)
                ShowBox(Status);
        }
        return 1;
    }
    if (DebugLevel == dlNone)
        throw WSError(GetWSError(result));
    throw WSError(where + ": " + GetWSError(result));
}

void TWaveSound2::Error(const std::string& prefix, const std::string& message) {
    switch (DebugLevel) {
    case dlNone:
        throw ui::Exception("Sound Error");
    case dlLess:
        throw ui::Exception(message);
    case dlMore:
    default:
        throw ui::Exception(prefix + message);
    }
}

std::string TWaveSound2::GetWSError(MMRESULT code) {
    const char* text = "Unknown error";
    switch (code) {
    case 2: text = "Device ID out of range"; break;
    case 3: text = "Driver failed enable"; break;
    case 4: text = "Device already allocated"; break;
    case 5: text = "Device handle is invalid"; break;
    case 6: text = "No device driver present"; break;
    case 7: text = "Memory allocation error"; break;
    case 8: text = "Function isn't supported"; break;
    case 9: text = "Error value out of range"; break;
    case 10: text = "Invalid flag passed"; break;
    case 11: text = "Invalid parameter passed"; break;
    case 12: text = "Handle being used"; break;
    case 13: text = "Specified alias not found"; break;
    case 14: text = "Bad registry database"; break;
    case 15: text = "Registry key not found"; break;
    case 16: text = "Registry read error"; break;
    case 17: text = "Registry write error"; break;
    case 18: text = "Registry delete error"; break;
    case 19: text = "Registry value not found"; break;
    case 20: text = "Driver does not call DriverCallback"; break;
    case 32: text = "Waveform audio not supported"; break;
    case 33: text = "There are buffers in the queue"; break;
    case 34: text = "Header not prepared"; break;
    case 35: text = "Device is synchronous"; break;
    default: break;
    }
    return std::string("GetWSError: ") + text;
}

std::string TWaveSound2::Exec(const std::string& command, bool hasValue, std::uint32_t value) {
    if (!Initialized)
        return "Sound not initialized";
    if (command == "GET_VOLUME")
        GetVolume();
    else if (command == "GET_PITCH")
        GetPitch();
    else if (command == "GET_PLAYBACKRATE")
        GetPlaybackRate();
    else if (command == "INIT")
        Init(0, 0, 0);
    else if (command == "PAUSE")
        Pause();
    else if (command == "RESUME")
        Resume();
    else if (command == "STOP")
        Stop();
    else if (hasValue && command == "SET_PITCH")
        SetPitch(value);
    else if (hasValue && command == "SET_PLAYBACKRATE")
        SetPlaybackRate(value);
    else if (hasValue && command == "SET_VOLUME")
        SetVolume(value);
    else if (command == "ON") {
        Enabled = true;
        Status = "Sound turned on";
    } else if (command == "OFF") {
        Stop();
        Enabled = false;
        Status = "Sound turned off";
    } else {
        Status = command + " not accepted";
        if (!UseServer)
            ShowBox(Status);
    }
    return Status;
}

std::string TWaveSound2::Exec_Comm(const std::string& command) { return Exec(command, false, 0); }

std::string TWaveSound2::Exec_Comm(const std::string& command, std::uint32_t value) { return Exec(command, true, value); }
