// The BMP reader, from a file and from the program's resources (which may leave out the
// file header): the first byte chooses the way in, the rest is the bitmap. A bitmap that
// loads is drawn once into a device context, as the bitmap functions use it.
#include "FuzzSupport.h"

#include "platform/gdi/Bmp.h"
#include "platform/gdi/Gdi.h"
#include "platform/os/ResourceTable.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int way = data[0] % 3;
    ++data;
    --size;
    gdi::HBITMAP bitmap = nullptr;
    if (way == 0) {
        gdi::DecodedBmp decoded;
        std::string error = gdi::DecodeBmpAuto(data, size, decoded);
        if (error.empty() && decoded.pixels.size() != std::size_t(decoded.width) * std::size_t(decoded.height))
            std::abort();
        return 0;
    }
    if (way == 1) {
        fuzzsupport::WriteFile("Fuzz.bmp", data, size);
        bitmap = gdi::LoadImage(nullptr, (fuzzsupport::Scratch() / "FUZZ.BMP").string(), gdi::IMAGE_BITMAP, 0, 0,
                                gdi::LR_CREATEDIBSECTION | gdi::LR_LOADFROMFILE);
    } else {
        os::ResourceTable::Add("FUZZBMP", data, size);
        bitmap = gdi::LoadImage(gdi::ProgramInstance(), "FUZZBMP", gdi::IMAGE_BITMAP, 0, 0, gdi::LR_CREATEDIBSECTION);
        os::ResourceTable::Remove("FUZZBMP");
    }
    if (!bitmap)
        return 0;
    gdi::BITMAP info{};
    if (gdi::GetObject(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0)
        std::abort(); // a bitmap that loaded has a size
    gdi::HDC source = gdi::CreateCompatibleDC(nullptr);
    gdi::HDC target = gdi::CreateCompatibleDC(nullptr);
    gdi::HBITMAP canvas = gdi::CreateBitmap32(16, 16);
    gdi::SelectObject(source, bitmap);
    gdi::SelectObject(target, canvas);
    gdi::StretchBlt(target, 0, 0, 16, 16, source, 0, 0, info.bmWidth, info.bmHeight, gdi::SRCCOPY);
    gdi::GetPixel(target, 3, 3);
    gdi::DeleteDC(source);
    gdi::DeleteDC(target);
    gdi::DeleteObject(canvas);
    gdi::DeleteObject(bitmap);
    return 0;
}
