// Loading and releasing the map's surfaces.
#include "view/MapPictures.h"

#include "city/CityState.h"
#include "gfx/Surfaces.h"

#include <cstdio>

namespace view {

MapPictures::~MapPictures() { Release(); }

std::string MapPictures::PictureName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "P%03d", number);
    return name;
}

void MapPictures::CreateBackBuffer() {
    gfx::ReleaseInterface(BackBuffer);
    BackBuffer = gfx::DDCreateSurface(kBackBufferWidth, kBackBufferHeight);
}

void MapPictures::LoadPictures(CityState& city) {
    for (int code = 1; code <= kPictureCount; ++code) {
        auto& slot = Pictures[static_cast<size_t>(code)];
        gfx::ReleaseInterface(slot);
        slot = gfx::LoadBitmapSurface(nullptr, PictureName(code), true, kPictureKey);
        // The surface was made at the bitmap's own size, so its size is the picture's.
        ddraw::DDSURFACEDESC2 desc;
        desc.dwSize = ddraw::DDSURFACEDESC2_SIZE;
        desc.dwFlags = ddraw::DDSD_WIDTH | ddraw::DDSD_HEIGHT;
        slot->GetSurfaceDesc(&desc);
        TObjectType& type = city.ObjectTypes[static_cast<size_t>(code)];
        type.bitmapWidth = static_cast<std::int32_t>(desc.dwWidth);
        type.bitmapHeight = static_cast<std::int32_t>(desc.dwHeight);
    }
}

void MapPictures::LoadTiles(const std::string& programDir) {
    gfx::ReleaseInterface(Blank);
    Blank = gfx::LoadBitmapSurface(nullptr, programDir + "\\Graphics\\Blank.bmp", true, kPictureKey);
    for (int n = 1; n <= 4; ++n) {
        auto& slot = Cursors[static_cast<size_t>(n)];
        gfx::ReleaseInterface(slot);
        slot = gfx::LoadBitmapSurface(nullptr, programDir + "\\Graphics\\Curpos" + std::to_string(n) + ".bmp", true,
                                      kPictureKey);
    }
}

void MapPictures::Release() {
    for (auto& picture : Pictures)
        gfx::ReleaseInterface(picture);
    for (auto& cursor : Cursors)
        gfx::ReleaseInterface(cursor);
    gfx::ReleaseInterface(Blank);
    gfx::ReleaseInterface(BackBuffer);
}

} // namespace view
