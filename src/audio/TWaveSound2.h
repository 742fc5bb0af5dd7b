// The wave sound component: plays effects and answers the "SOUND" command texts.
#pragma once

#include "platform/ui/Component.h"
#include "platform/ui/Exception.h"
#include "platform/winmm/MmTypes.h"

#include <cstdint>
#include <functional>
#include <string>

// The component's own exception, for failures of the waveform device.
class WSError : public ui::Exception {
public:
    using ui::Exception::Exception;
};

// How much detail error messages carry and whether not-supported notices appear.
enum TDebugLevel { dlNone = 0, dlLess = 1, dlMore = 2 };

// Opens the waveform output once (to learn the device, its capabilities and its
// volume), plays files with PlaySound and keeps a one-line status text that every
// operation overwrites: the answer the interpreter shows for each command.
class TWaveSound2 : public ui::Component {
public:
    using TNotifyEvent = std::function<void(TWaveSound2* sender)>;

    explicit TWaveSound2(std::string name = "WaveSound");
    ~TWaveSound2() override;

    bool Initialized = false;
    std::string Status;
    TDebugLevel DebugLevel = dlNone;
    winmm::UINT DeviceID = 0;
    std::string DLLName;
    void* Module = nullptr;
    winmm::DWORD SavedVolume = 0;
    bool Enabled = false;
    winmm::WAVEOUTCAPS Caps{};
    winmm::HWAVEOUT WaveOut = nullptr;
    winmm::WAVEFORMATEX Format{};
    // When true the component never opens message boxes (for use without a user).
    bool UseServer = false;
    TNotifyEvent OnPlaySound;
    TNotifyEvent OnSetupSound;

    void Init(std::uint16_t channels, std::uint32_t samplesPerSec, std::uint16_t bitsPerSample);
    // Plays name with the PlaySound flags; returns the status it leaves.
    std::string Play(const std::string& name, bool fromModule, std::uint32_t flags);
    void Pause();
    void Resume();
    void Stop();

    std::uint32_t GetVolume();
    std::uint32_t GetPitch();
    std::uint32_t GetPlaybackRate();
    void SetVolume(std::uint32_t v);
    void SetPitch(std::uint32_t v);
    void SetPlaybackRate(std::uint32_t v);

    bool IsCardPresent();
    bool IsFormatSupported(const winmm::WAVEFORMATEX& format);
    winmm::WAVEFORMATEX SetWaveFormat(std::uint16_t channels, std::uint32_t samplesPerSec, std::uint16_t bitsPerSample);
    winmm::WAVEFORMATEX GetPlaybackQuality();
    std::string GetWaveFormat();

    int MMR_Test(winmm::MMRESULT result, const std::string& where);
    [[noreturn]] void Error(const std::string& prefix, const std::string& message);

    std::string Exec_Comm(const std::string& command);
    std::string Exec_Comm(const std::string& command, std::uint32_t value);

    static std::string GetWSError(winmm::MMRESULT code);

private:
    // The shared body of both Exec_Comm forms; value is used only when hasValue.
    std::string Exec(const std::string& command, bool hasValue, std::uint32_t value);
    // The getter/setter family: see GetVolume.
    std::uint32_t Query(winmm::MMRESULT (*fn)(winmm::HWAVEOUT, winmm::DWORD*), const char* where, const char* prefix);
    void Assign(winmm::MMRESULT (*fn)(winmm::HWAVEOUT, winmm::DWORD), std::uint32_t v, const char* where,
                const char* prefix);
    void ShowBox(const std::string& text);
};
