// The empty DirectSound holder of the game's engine copy.
#include "gfx/TE_Sound.h"

#include <cstdlib>

namespace gfx {

void* GlobalAlloc(std::size_t size) { return std::calloc(1, size ? size : 1); }
void* GlobalFree(void* block) {
    std::free(block);
    return nullptr;
}

TE_Sound::TE_Sound(ui::Component*) {
    DirectSound = nullptr;
    Buffers[0].Buffer = nullptr;
    Buffers[1].Buffer = nullptr;
}

TE_Sound::~TE_Sound() {
    for (BufferSlot& slot : Buffers) {
        if (slot.Buffer) {
            slot.Buffer->Release();
            slot.Buffer = nullptr;
        }
        for (void*& block : slot.Memory) {
            if (block)
                GlobalFree(block);
            block = nullptr;
        }
    }
    if (DirectSound) {
        DirectSound->Release();
        DirectSound = nullptr;
    }
    ddraw::CoUninitialize();
}

std::vector<ComponentRegistration> RegisteredComponents() {
    // The wave-sound component of the audio library is registered with the engine's,
    // on its own page.
    return {{"Velmora", "TE_DDraw"}, {"Velmora", "TE_DDSurface"}, {"Velmora", "TE_Sound"}, {"Qor", "TWaveSound2"}};
}

} // namespace gfx
