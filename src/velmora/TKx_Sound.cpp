// The sound component and its wave file reader.
#include "velmora/TKx_Sound.h"

#include "gfx/Surfaces.h"
#include "platform/ui/Application.h"
#include "platform/ui/Exception.h"
#include "platform/ui/MessageBoxFlags.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>
#include <vector>

namespace velmora {

using namespace dsound;
using winmm::FOURCC_RIFF;
using winmm::HMMIO;
using winmm::MMCKINFO;
using winmm::MMIOINFO;
using winmm::MMIO_ALLOCBUF;
using winmm::MMIO_FINDCHUNK;
using winmm::MMIO_READ;
using winmm::mmioAdvance;
using winmm::mmioAscend;
using winmm::mmioClose;
using winmm::mmioDescend;
using winmm::mmioFOURCC;
using winmm::mmioGetInfo;
using winmm::mmioOpen;
using winmm::mmioRead;
using winmm::mmioSeek;
using winmm::mmioSetInfo;

using ddraw::E_FAIL;
using ddraw::E_OUTOFMEMORY;
using ddraw::HRESULT;
using ddraw::S_OK;

namespace {
constexpr std::size_t kFormatBytes = sizeof(winmm::WAVEFORMATEX); // 18
constexpr std::size_t kPcmFormatBytes = 16;                       // without the extra-size count
} // namespace

TKx_Sound::TKx_Sound(ui::Component*, ddraw::HWND handle) : Handle(handle) {}

TKx_Sound::~TKx_Sound() {
    Close();
    FreeDirectSound();
    FreeFormat();
}

void TKx_Sound::ShowMessage(const std::string& text) {
    ui::Application& app = ui::Application::Instance();
    app.MessageBox(text, app.Title, ui::MB_OK);
}

void TKx_Sound::Init() {
    if (DirectSound)
        FreeDirectSound();
    if (ddraw::CoInitialize(nullptr) < 0)
        throw ui::Exception("Can't initialize COM");
    comInitialized_ = true;
    if (DirectSoundCreate(nullptr, &DirectSound, nullptr) != DS_OK)
        throw ui::Exception("Can't create Direct Sound");
    if (DirectSound->SetCooperativeLevel(Handle, DSSCL_PRIORITY) != DS_OK)
        throw ui::Exception("Can't set coopertive level");
}

void TKx_Sound::LoadWaveFile(const std::string& name) {
    if (name == FileName)
        return;
    // The sound in use stays playable until the new one is wholly in its buffer.
    Loaded previous = Detach();
    if (!MakeStaticBuffer(name)) {
        Attach(previous);
        return;
    }
    if (FillBuffer() != S_OK) {
        Loaded made = Detach();
        Discard(made);
        Attach(previous);
        ShowMessage("Bad wave file.");
        return;
    }
    Discard(previous);
    FileName = name;
}

bool TKx_Sound::CreateStaticBuffer(const std::string& name) {
    Loaded previous = Detach();
    if (!MakeStaticBuffer(name)) {
        Attach(previous);
        return false;
    }
    Discard(previous);
    return true;
}

TKx_Sound::Loaded TKx_Sound::Detach() {
    Loaded loaded{File, WaveFormat, DataChunk, RiffChunk, Buffer, BufferBytes};
    File = nullptr;
    WaveFormat = nullptr;
    Buffer = nullptr;
    BufferBytes = 0;
    return loaded;
}

void TKx_Sound::Attach(const Loaded& loaded) {
    File = loaded.file;
    WaveFormat = loaded.format;
    DataChunk = loaded.data;
    RiffChunk = loaded.riff;
    Buffer = loaded.buffer;
    BufferBytes = loaded.bytes;
}

void TKx_Sound::Discard(Loaded& loaded) {
    if (loaded.buffer) {
        loaded.buffer->Stop();
        gfx::ReleaseInterface(loaded.buffer);
    }
    if (loaded.file)
        mmioClose(loaded.file, 0);
    std::free(loaded.format);
    loaded = Loaded{};
}

bool TKx_Sound::MakeStaticBuffer(const std::string& name) {
    auto giveUp = [&](const char* message) {
        Close();
        FreeFormat();
        ShowMessage(message);
        return false;
    };
    if (Open(name) != S_OK || !DataFitsInFile())
        return giveUp("Bad wave file.");
    DSBUFFERDESC desc{};
    desc.dwSize = DSBUFFERDESC_SIZE;
    desc.dwFlags = DSBCAPS_STATIC;
    desc.dwBufferBytes = DataChunk.cksize;
    desc.lpwfxFormat = WaveFormat;
    IDirectSoundBuffer* made = nullptr;
    if (!DirectSound || DirectSound->CreateSoundBuffer(&desc, &made, nullptr) != DS_OK)
        return giveUp("Can't load buffer");
    Buffer = made;
    BufferBytes = desc.dwBufferBytes;
    return true;
}

bool TKx_Sound::DataFitsInFile() {
    LONG size = mmioSeek(File, 0, SEEK_END);
    if (size < 0 || mmioSeek(File, LONG(DataChunk.dwDataOffset), SEEK_SET) < 0)
        return false;
    return std::uint64_t(DataChunk.dwDataOffset) + DataChunk.cksize <= std::uint64_t(size);
}

HRESULT TKx_Sound::FillBuffer() {
    if (!Buffer || !File)
        return E_FAIL;
    std::vector<std::uint8_t> memory;
    try {
        memory.resize(DataChunk.cksize);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    DWORD bytesRead = 0;
    if (HRESULT hr = Read(DWORD(memory.size()), memory.data(), bytesRead); hr != S_OK)
        return hr;
    Reset();
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    if (HRESULT hr = Buffer->Lock(0, BufferBytes, &part1, &bytes1, &part2, &bytes2, 0); hr != DS_OK)
        return hr;
    std::memcpy(part1, memory.data(), std::min<std::size_t>({bytes1, BufferBytes, bytesRead}));
    Buffer->Unlock(part1, bytes1, nullptr, 0);
    return S_OK;
}

HRESULT TKx_Sound::Open(const std::string& name) {
    Close(); // a file opened earlier is not left open
    FreeFormat();
    HRESULT hr = WaveOpenFile(name);
    if (hr == S_OK)
        hr = Reset();
    return hr;
}

HRESULT TKx_Sound::Reset() { return WaveStartDataRead(); }

HRESULT TKx_Sound::Read(DWORD size, std::uint8_t* destination, DWORD& bytesRead) {
    return WaveReadFile(size, destination, bytesRead);
}

void TKx_Sound::Close() {
    if (File) {
        mmioClose(File, 0);
        File = nullptr;
    }
}

void TKx_Sound::FreeFormat() {
    std::free(WaveFormat);
    WaveFormat = nullptr;
}

HRESULT TKx_Sound::WaveOpenFile(const std::string& name) {
    File = mmioOpen(name.c_str(), nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (!File)
        return E_FAIL;
    HRESULT hr = ReadMMIO();
    if (hr != S_OK)
        Close();
    return hr;
}

HRESULT TKx_Sound::ReadMMIO() {
    if (mmioDescend(File, &RiffChunk, nullptr, 0) != 0)
        return E_FAIL;
    if (RiffChunk.ckid != FOURCC_RIFF || RiffChunk.fccType != mmioFOURCC('W', 'A', 'V', 'E'))
        return E_FAIL;
    MMCKINFO format;
    format.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(File, &format, &RiffChunk, MMIO_FINDCHUNK) != 0 || format.cksize < kPcmFormatBytes)
        return E_FAIL;
    std::uint8_t pcm[kPcmFormatBytes];
    if (mmioRead(File, reinterpret_cast<char*>(pcm), LONG(kPcmFormatBytes)) != LONG(kPcmFormatBytes))
        return E_FAIL;
    std::uint16_t tag = std::uint16_t(pcm[0] | (pcm[1] << 8));
    std::uint16_t extra = 0;
    if (tag != winmm::WAVE_FORMAT_PCM) {
        std::uint8_t count[2];
        if (mmioRead(File, reinterpret_cast<char*>(count), 2) != 2)
            return E_FAIL;
        extra = std::uint16_t(count[0] | (count[1] << 8));
    }
    WaveFormat = static_cast<winmm::WAVEFORMATEX*>(std::calloc(1, kFormatBytes + extra));
    if (!WaveFormat)
        return E_OUTOFMEMORY;
    std::memcpy(static_cast<void*>(WaveFormat), pcm, kPcmFormatBytes);
    WaveFormat->cbSize = extra;
    char* extraBytes = reinterpret_cast<char*>(WaveFormat) + kFormatBytes;
    if ((extra && mmioRead(File, extraBytes, extra) != extra) || mmioAscend(File, &format, 0) != 0) {
        FreeFormat();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT TKx_Sound::WaveStartDataRead() {
    if (!File || mmioSeek(File, LONG(RiffChunk.dwDataOffset + 4), SEEK_SET) == -1)
        return E_FAIL;
    DataChunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(File, &DataChunk, &RiffChunk, MMIO_FINDCHUNK) != 0)
        return E_FAIL;
    return S_OK;
}

HRESULT TKx_Sound::WaveReadFile(DWORD size, std::uint8_t* destination, DWORD& bytesRead) {
    bytesRead = 0;
    MMIOINFO info;
    if (!File || mmioGetInfo(File, &info, 0) != 0)
        return E_FAIL;
    DWORD count = std::min(size, DataChunk.cksize);
    DataChunk.cksize -= count;
    for (DWORD i = 0; i < count; ++i) {
        if (info.pchNext == info.pchEndRead) {
            if (mmioAdvance(File, &info, MMIO_READ) != 0 || info.pchNext == info.pchEndRead)
                return E_FAIL;
        }
        destination[i] = std::uint8_t(*info.pchNext++);
    }
    if (mmioSetInfo(File, &info, 0) != 0)
        return E_FAIL;
    bytesRead = count;
    return S_OK;
}

DWORD TKx_Sound::GetStatus() {
    DWORD status = DSBSTATUS_BUFFERLOST;
    if (Buffer && Buffer->GetStatus(&status) != DS_OK)
        status = 0;
    return status;
}

void TKx_Sound::PlayBuffer(bool loop) {
    if (!Buffer)
        return;
    DWORD status = GetStatus();
    if (status & DSBSTATUS_BUFFERLOST) {
        if (RestoreBuffer() != S_OK) {
            ShowMessage("Can't restore buffer");
            return;
        }
    } else if (status & (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING)) {
        StopBuffer();
    }
    if (Buffer->Play(0, 0, loop ? DSBPLAY_LOOPING : 0) != DS_OK)
        ShowMessage("Can't play buffer");
}

HRESULT TKx_Sound::RestoreBuffer() {
    if (!Buffer || !(GetStatus() & DSBSTATUS_BUFFERLOST))
        return S_OK;
    HRESULT hr = DSERR_BUFFERLOST;
    for (int attempt = 0; attempt < kRestoreAttempts; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(kRestoreWaitMs));
        hr = Buffer->Restore();
        if (hr != DSERR_BUFFERLOST)
            break;
    }
    if (hr != DS_OK)
        return hr;
    return FillBuffer();
}

void TKx_Sound::StopBuffer() {
    if (!Buffer)
        return;
    Buffer->Stop();
    Buffer->SetCurrentPosition(0);
}

void TKx_Sound::FreeDirectSound() {
    if (GetStatus() & DSBSTATUS_PLAYING)
        StopBuffer();
    gfx::ReleaseInterface(Buffer);
    gfx::ReleaseInterface(DirectSound);
    BufferBytes = 0;
    FileName.clear();
    // COM is given back only by a component that took it.
    if (comInitialized_) {
        ddraw::CoUninitialize();
        comInitialized_ = false;
    }
}

} // namespace velmora
