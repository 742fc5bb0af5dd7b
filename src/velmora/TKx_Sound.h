// The sound component: plays one wave file at a time through a static DirectSound
// buffer. It reads the RIFF/WAVE file with the multimedia library's buffered file
// functions, copies the samples into the buffer and plays it once or in a loop.
// Loading the file already loaded does nothing, so LoadWaveFile may precede every
// PlayBuffer.
#pragma once

#include "platform/dsound/DSound.h"
#include "platform/winmm/Mmio.h"
#include "platform/ui/Component.h"

#include <cstdint>
#include <string>

namespace velmora {

class TKx_Sound : public ui::Component {
public:
    // Restore attempts for a lost buffer, and the wait between two of them.
    static constexpr int kRestoreAttempts = 10;
    static constexpr int kRestoreWaitMs = 20;

    explicit TKx_Sound(ui::Component* owner = nullptr, ddraw::HWND handle = ddraw::MainWindow());
    ~TKx_Sound() override;

    dsound::DWORD BufferBytes = 0;
    dsound::IDirectSound* DirectSound = nullptr;
    dsound::IDirectSoundBuffer* Buffer = nullptr;
    std::string FileName; // the file whose samples are in Buffer
    ddraw::HWND Handle = nullptr;
    // The file's format: 18 bytes followed by the format's extra bytes.
    winmm::WAVEFORMATEX* WaveFormat = nullptr;
    winmm::HMMIO File = nullptr;
    winmm::MMCKINFO DataChunk; // its size counts down as data is read
    winmm::MMCKINFO RiffChunk;

    // Opens DirectSound with priority on the owner window; ui::Exception "Can't
    // initialize COM", "Can't create Direct Sound" or "Can't set coopertive level".
    void Init();
    void LoadWaveFile(const std::string& name);
    void PlayBuffer(bool loop);
    void StopBuffer();
    // DSBSTATUS bits; DSBSTATUS_BUFFERLOST without a buffer.
    dsound::DWORD GetStatus();
    ddraw::HRESULT RestoreBuffer();
    void FreeDirectSound();

    // A static buffer sized for the file's samples; false (after a message box) when
    // the file or the buffer cannot be had, the component then being as it was.
    bool CreateStaticBuffer(const std::string& name);
    ddraw::HRESULT FillBuffer();
    ddraw::HRESULT Open(const std::string& name);
    ddraw::HRESULT Reset();
    ddraw::HRESULT Read(dsound::DWORD size, std::uint8_t* destination, dsound::DWORD& bytesRead);
    void Close();

    ddraw::HRESULT ReadMMIO();
    ddraw::HRESULT WaveOpenFile(const std::string& name);
    ddraw::HRESULT WaveStartDataRead();
    ddraw::HRESULT WaveReadFile(dsound::DWORD size, std::uint8_t* destination, dsound::DWORD& bytesRead);

private:
    // The file, format and buffer of one loaded sound, held aside while the next one
    // is made so that a failure can put them back.
    struct Loaded {
        winmm::HMMIO file = nullptr;
        winmm::WAVEFORMATEX* format = nullptr;
        winmm::MMCKINFO data{}, riff{};
        dsound::IDirectSoundBuffer* buffer = nullptr;
        dsound::DWORD bytes = 0;
    };
    Loaded Detach();
    void Attach(const Loaded& loaded);
    static void Discard(Loaded& loaded);
    // CreateStaticBuffer on a component holding no sound; false after its message.
    bool MakeStaticBuffer(const std::string& name);
    void FreeFormat();
    // The data chunk lies wholly inside the file (the file is left at its start).
    bool DataFitsInFile();
    void ShowMessage(const std::string& text);
    bool comInitialized_ = false;
};

} // namespace velmora
