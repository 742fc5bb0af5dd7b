// The multimedia file reader: the input is a file on disk, walked the ways a RIFF
// reader walks one: the RIFF chunk, every sub-chunk in turn (descend, read a little,
// ascend), a search for "fmt " and "data", seeks anywhere and reads through the
// I/O buffer with mmioGetInfo and mmioAdvance.
#include "FuzzSupport.h"

#include "platform/winmm/Mmio.h"

#include <vector>

using namespace winmm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzsupport::WriteFile("Fuzz.wav", data, size);
    MMIOINFO openInfo{};
    HMMIO file = mmioOpen(path.c_str(), &openInfo, MMIO_READ | MMIO_ALLOCBUF);
    if (!file)
        return 0;
    char buffer[64];
    MMCKINFO riff{};
    if (mmioDescend(file, &riff, nullptr, 0) == 0) {
        for (int chunks = 0; chunks < 64; ++chunks) {
            MMCKINFO chunk{};
            if (mmioDescend(file, &chunk, &riff, 0) != 0)
                break;
            mmioRead(file, buffer, LONG(sizeof buffer));
            if (mmioAscend(file, &chunk, 0) != 0)
                break;
        }
    }
    mmioSeek(file, 0, SEEK_SET);
    MMCKINFO wave{};
    wave.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(file, &wave, nullptr, MMIO_FINDRIFF) == 0) {
        MMCKINFO fmt{};
        fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
        if (mmioDescend(file, &fmt, &wave, MMIO_FINDCHUNK) == 0) {
            std::vector<char> format(std::min<std::size_t>(fmt.cksize, 4096) + 1);
            mmioRead(file, format.data(), LONG(format.size() - 1));
            mmioAscend(file, &fmt, 0);
        }
        MMCKINFO samples{};
        samples.ckid = mmioFOURCC('d', 'a', 't', 'a');
        if (mmioDescend(file, &samples, &wave, MMIO_FINDCHUNK) == 0) {
            MMIOINFO io{};
            if (mmioGetInfo(file, &io, 0) == 0) {
                for (DWORD left = std::min<DWORD>(samples.cksize, 1 << 20); left > 0; --left) {
                    if (io.pchNext == io.pchEndRead) {
                        if (mmioAdvance(file, &io, MMIO_READ) != 0 || io.pchNext == io.pchEndRead)
                            break;
                    }
                    buffer[0] = *io.pchNext++;
                }
                mmioSetInfo(file, &io, 0);
            }
        }
    }
    // Seeks from the byte values themselves, inside and outside the file.
    for (std::size_t i = 0; i + 4 <= size && i < 32; i += 4) {
        LONG offset = LONG(data[i] | (data[i + 1] << 8)) - 128;
        mmioSeek(file, offset, data[i + 2] % 3);
        mmioRead(file, buffer, LONG(data[i + 3] % sizeof buffer));
    }
    mmioClose(file, 0);
    return 0;
}
