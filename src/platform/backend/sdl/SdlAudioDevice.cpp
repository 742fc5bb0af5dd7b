// SDL audio output for the mixer.
#include "platform/backend/sdl/SdlAudioDevice.h"

#include "platform/winmm/Mixer.h"

#include <SDL.h>

#include <cstdio>

namespace sdl {

SdlAudioDevice::SdlAudioDevice(int rate, int bufferFrames) : rate_(rate), bufferFrames_(bufferFrames) {}

SdlAudioDevice::~SdlAudioDevice() { Shutdown(); }

void SdlAudioDevice::Callback(void* userdata, std::uint8_t* stream, int length) {
    auto* self = static_cast<SdlAudioDevice*>(userdata);
    auto* out = reinterpret_cast<std::int16_t*>(stream);
    std::size_t frames = static_cast<std::size_t>(length) / (2 * sizeof(std::int16_t));
    if (self->mixer_)
        self->mixer_->Render(out, frames);
    else
        SDL_memset(stream, 0, static_cast<std::size_t>(length));
}

bool SdlAudioDevice::Start(winmm::Mixer& mixer) {
    Shutdown();
    error_.clear();
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            error_ = SDL_GetError();
            std::fprintf(stderr, "No sound: the audio system could not start (%s)\n", error_.c_str());
            return false;
        }
        initialisedAudio_ = true;
    }
    mixer_ = &mixer;
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = rate_;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = static_cast<Uint16>(bufferFrames_);
    want.callback = &SdlAudioDevice::Callback;
    want.userdata = this;
    SDL_AudioSpec have;
    // SDL converts to whatever the hardware takes, so the mixer always sees this format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        error_ = SDL_GetError();
        std::fprintf(stderr, "No sound: the audio device could not be opened (%s)\n", error_.c_str());
        mixer_ = nullptr;
        if (initialisedAudio_) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            initialisedAudio_ = false;
        }
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioDevice::Shutdown() {
    if (device_ != 0) {
        // Closing waits for the callback to return, so the mixer is free afterwards.
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
    mixer_ = nullptr;
    if (initialisedAudio_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        initialisedAudio_ = false;
    }
}

} // namespace sdl
