// The components the command language drives, seen through the calls it makes.
#pragma once

#include <cstdint>
#include <string>

// The wave-sound component as the "SOUND" command uses it.
class WaveSoundPort {
public:
    virtual ~WaveSoundPort() = default;
    virtual void Init(int channels, int samplesPerSec, int bitsPerSample) = 0;
    virtual void Play(const std::string& fileName, bool loop, unsigned flags) = 0;
    virtual std::string Exec_Comm(const std::string& command) = 0;
    virtual std::string Exec_Comm(const std::string& command, int number) = 0;
    virtual std::string Status() const = 0;
    virtual bool Initialized() const = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual std::uint32_t GetVolume() = 0;
    virtual void SetVolume(std::uint32_t volume) = 0;
};

// The CD controller as the "CD" command uses it.
class CdAudioPort {
public:
    virtual ~CdAudioPort() = default;
    // Starts play with the play options text (a track number, or empty).
    virtual void Play(const std::string& options) = 0;
    // 0 not initialised, 1 stopped, 2 playing, 4 paused.
    virtual int State() const = 0;
    // A sub-command already in upper case; returns the controller's reply.
    virtual std::string Command(const std::string& subCommand) = 0;
    virtual void Close() = 0;
};

// The display and scene as "ECHO" and "ERROR" use them.
class ScreenPort {
public:
    virtual ~ScreenPort() = default;
    // Writes text on the scene at (x, y) in the given colours (0x00BBGGRR).
    virtual void WriteXY(int x, int y, const std::string& text, std::uint32_t textColor,
                         std::uint32_t backColor) = 0;
    // True when the display holds a DirectDraw object.
    virtual bool HasDirectDraw() const = 0;
    // Brings the desktop surface forward before a fatal box.
    virtual void FlipToGDISurface() = 0;
};
