// Connects the command language's view of the wave component to the component.
#pragma once

#include "shell/InterpreterPorts.h"

class TWaveSound2;

class WaveSoundBridge : public WaveSoundPort {
public:
    explicit WaveSoundBridge(TWaveSound2& component) : component_(component) {}
    void Init(int channels, int samplesPerSec, int bitsPerSample) override;
    void Play(const std::string& fileName, bool loop, unsigned flags) override;
    std::string Exec_Comm(const std::string& command) override;
    std::string Exec_Comm(const std::string& command, int number) override;
    std::string Status() const override;
    bool Initialized() const override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    std::uint32_t GetVolume() override;
    void SetVolume(std::uint32_t volume) override;

private:
    TWaveSound2& component_;
};
