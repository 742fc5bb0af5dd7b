// The AVI reader: any bytes are either refused with a reason or give a video whose every
// frame decodes, as the reader promises the player (playing never fails half-way).
#include "platform/winmm/AviFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    winmm::AviFile video;
    std::string detail;
    const winmm::AviError error = winmm::ReadAvi(data, size, video, &detail);
    if (error != winmm::AviError::None)
        return 0;
    if (video.FrameCount() == 0 || video.width <= 0 || video.height <= 0)
        std::abort();
    winmm::AviFrameDecoder decoder(video);
    for (std::uint64_t n = 0; n < video.FrameCount() && n < 64; ++n)
        if (!decoder.Seek(n))
            std::abort(); // a frame the reader accepted fails to decode
    decoder.Seek(0);
    video.FrameAt(video.LengthMs() / 2);
    return 0;
}
