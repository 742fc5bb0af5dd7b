// PlaySound on the mixer's effects bus.
#include "platform/winmm/PlaySound.h"

#include "platform/os/PathMap.h"
#include "platform/os/ResourceTable.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/WaveFile.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>

namespace winmm {
namespace {

Mixer::VoiceId& CurrentVoice() {
    static Mixer::VoiceId voice = 0;
    return voice;
}

// The sound played in place of one that cannot be found: a short soft chime.
std::shared_ptr<const PcmBuffer> DefaultSound() {
    static std::shared_ptr<const PcmBuffer> sound = [] {
        auto pcm = std::make_shared<PcmBuffer>();
        pcm->sampleRate = 22050;
        pcm->channels = 1;
        const int frames = 22050 * 15 / 100;
        pcm->samples.resize(frames);
        for (int i = 0; i < frames; ++i) {
            double t = static_cast<double>(i) / pcm->sampleRate;
            double envelope = std::exp(-t * 18.0);
            double v = std::sin(2 * M_PI * 880.0 * t) * 0.6 + std::sin(2 * M_PI * 1320.0 * t) * 0.25;
            pcm->samples[i] = static_cast<std::int16_t>(v * envelope * 12000.0);
        }
        return pcm;
    }();
    return sound;
}

std::shared_ptr<const PcmBuffer> LoadSound(const std::string& name, DWORD flags) {
    std::optional<PcmBuffer> pcm;
    if ((flags & SND_RESOURCE) == SND_RESOURCE) {
        if (const os::Resource* res = os::ResourceTable::Find(name))
            pcm = WaveFile::Parse(res->data, res->size);
    } else if (flags & SND_MEMORY) {
        // An image in memory carries no length we could trust; it is not taken.
        return nullptr;
    } else {
        pcm = WaveFile::Load(os::ResolvePath(name));
    }
    if (!pcm)
        return nullptr;
    return std::make_shared<const PcmBuffer>(std::move(*pcm));
}

void StopCurrent(Mixer& mixer) {
    if (CurrentVoice() != 0)
        mixer.Stop(CurrentVoice());
    CurrentVoice() = 0;
}

bool Start(std::shared_ptr<const PcmBuffer> pcm, DWORD flags) {
    AudioSystem& audio = AudioSystem::Instance();
    Mixer& mixer = audio.GetMixer();
    StopCurrent(mixer);
    bool async = (flags & SND_ASYNC) != 0;
    bool loop = async && (flags & SND_LOOP) != 0;
    Mixer::VoiceId voice = mixer.Start(std::move(pcm), MixerBus::Effects, loop);
    if (async) {
        CurrentVoice() = voice;
        return true;
    }
    // A synchronous sound returns when it has been heard; a device that does not
    // play in real time has nothing to wait for.
    if (audio.Device().RealTime()) {
        while (mixer.IsPlaying(voice))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } else {
        mixer.Stop(voice);
    }
    return true;
}

} // namespace

bool PlaySound(const char* pszSound, HMODULE, DWORD fdwSound) {
    AudioSystem& audio = AudioSystem::Instance();
    if (!pszSound || !*pszSound || (fdwSound & SND_PURGE)) {
        if (audio.FailPlaySound)
            return false;
        StopCurrent(audio.GetMixer());
        return true;
    }
    std::string name = pszSound;
    if (audio.OnPlaySound)
        audio.OnPlaySound(name);
    if (audio.FailPlaySound)
        return false;
    if ((fdwSound & SND_NOSTOP) && PlaySoundActive())
        return false;
    if (!audio.HasOutput())
        return false;
    auto pcm = LoadSound(name, fdwSound);
    if (!pcm) {
        if (!(fdwSound & SND_NODEFAULT))
            Start(DefaultSound(), fdwSound & ~SND_LOOP);
        return false;
    }
    return Start(std::move(pcm), fdwSound);
}

bool PlaySoundActive() {
    return CurrentVoice() != 0 && AudioSystem::Instance().GetMixer().IsPlaying(CurrentVoice());
}

} // namespace winmm
