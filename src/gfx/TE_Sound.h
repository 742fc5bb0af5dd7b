// TE_Sound (the game's copy only): an empty DirectSound holder the game never
// places: a DirectSound object and two buffer slots, released by the destructor.
#pragma once

#include "platform/ddraw/DDraw.h"
#include "platform/ui/Component.h"

#include <string>
#include <vector>

namespace gfx {

class TE_Sound : public ui::Component {
public:
    struct BufferSlot {
        ddraw::IUnknown* Buffer = nullptr; // a DirectSound buffer
        void* Memory[2] = {nullptr, nullptr}; // global memory blocks (GlobalAlloc)
    };

    explicit TE_Sound(ui::Component* owner = nullptr);
    ~TE_Sound() override;

    ddraw::IUnknown* DirectSound = nullptr;
    BufferSlot Buffers[2];
};

// Global memory blocks as the platform's GlobalAlloc / GlobalFree give them.
void* GlobalAlloc(std::size_t size);
void* GlobalFree(void* block); // returns null on success

// The components the game registers, with their palette page: the engine's copy on
// "Velmora", the wave-sound component on "Qor".
struct ComponentRegistration {
    std::string page;
    std::string className;
};
std::vector<ComponentRegistration> RegisteredComponents();

} // namespace gfx
