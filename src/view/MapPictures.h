// The surfaces the map is drawn with: the pictures, the blank tile, the cursors and the back buffer.
#pragma once

#include "platform/ddraw/DDraw.h"

#include <array>
#include <string>

class CityState;

namespace view {

constexpr int kPictureCount = 201;
constexpr int kBackBufferWidth = 1152;
constexpr int kBackBufferHeight = 864;
// Purple: the transparent colour of every map picture.
constexpr std::uint32_t kPictureKey = 0x800080;

// Owns every surface the renderer reads or writes. All of them are made through the
// engine's surface functions, so they need the display to be initialised first, and
// every failure reaches the player as the engine reports it.
class MapPictures {
public:
    MapPictures() = default;
    MapPictures(const MapPictures&) = delete;
    MapPictures& operator=(const MapPictures&) = delete;
    ~MapPictures();

    // Index = picture number 1 to 201; entry 0 stays empty.
    std::array<ddraw::IDirectDrawSurface7*, kPictureCount + 1> Pictures{};
    ddraw::IDirectDrawSurface7* Blank = nullptr;
    // Index = footprint 1 to 4; entry 0 stays empty.
    std::array<ddraw::IDirectDrawSurface7*, 5> Cursors{};
    ddraw::IDirectDrawSurface7* BackBuffer = nullptr;

    // The composing surface of every frame.
    void CreateBackBuffer();
    // Loads "P001" to "P201" (resources first, then files) with the purple key, and
    // records each picture's size in the object type of the same code.
    void LoadPictures(CityState& city);
    // The blank tile and the four cursor diamonds from the program's Graphics folder.
    void LoadTiles(const std::string& programDir);
    void Release();

    // "P" and the number in three digits.
    static std::string PictureName(int number);
};

} // namespace view
