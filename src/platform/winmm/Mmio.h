// The multimedia library's buffered file I/O (mmio) for reading RIFF files: open,
// chunk descent and ascent, seeking, reading, and direct access to the I/O buffer.
// Files are read only; paths are Windows-shaped and resolved as the os layer does.
#pragma once

#include "platform/winmm/MmTypes.h"

#include <cstdint>
#include <cstdio> // SEEK_SET, SEEK_CUR, SEEK_END for mmioSeek

namespace winmm {

using FOURCC = DWORD;
using LONG = std::int32_t;

struct MmioFile;
using HMMIO = MmioFile*;

constexpr FOURCC mmioFOURCC(char a, char b, char c, char d) {
    return FOURCC(std::uint8_t(a)) | (FOURCC(std::uint8_t(b)) << 8) | (FOURCC(std::uint8_t(c)) << 16) |
           (FOURCC(std::uint8_t(d)) << 24);
}
constexpr FOURCC FOURCC_RIFF = mmioFOURCC('R', 'I', 'F', 'F');
constexpr FOURCC FOURCC_LIST = mmioFOURCC('L', 'I', 'S', 'T');

constexpr DWORD MMIO_READ = 0x0;
constexpr DWORD MMIO_ALLOCBUF = 0x10000;
constexpr UINT MMIO_FINDCHUNK = 0x10;
constexpr UINT MMIO_FINDRIFF = 0x20;
constexpr UINT MMIO_FINDLIST = 0x40;
constexpr UINT MMIO_DIRTY = 0x10000000;
constexpr LONG MMIO_DEFAULTBUFFER = 8192;

constexpr MMRESULT MMIOERR_BASE = 256;
constexpr MMRESULT MMIOERR_FILENOTFOUND = MMIOERR_BASE + 1;
constexpr MMRESULT MMIOERR_OUTOFMEMORY = MMIOERR_BASE + 2;
constexpr MMRESULT MMIOERR_CANNOTOPEN = MMIOERR_BASE + 3;
constexpr MMRESULT MMIOERR_CANNOTREAD = MMIOERR_BASE + 5;
constexpr MMRESULT MMIOERR_CANNOTSEEK = MMIOERR_BASE + 7;
constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = MMIOERR_BASE + 9;
constexpr MMRESULT MMIOERR_UNBUFFERED = MMIOERR_BASE + 10;

struct MMCKINFO {
    FOURCC ckid = 0;
    DWORD cksize = 0;
    FOURCC fccType = 0;
    DWORD dwDataOffset = 0;
    DWORD dwFlags = 0;
};

// The state of an open file's I/O buffer, as mmioGetInfo hands it out.
struct MMIOINFO {
    DWORD dwFlags = 0;
    UINT wErrorRet = 0;
    LONG cchBuffer = 0;
    char* pchBuffer = nullptr;
    char* pchNext = nullptr;     // next byte to read
    char* pchEndRead = nullptr;  // end of the valid bytes
    LONG lBufOffset = 0;         // file offset of the buffer's first byte
    LONG lDiskOffset = 0;        // file offset just after the buffer's valid bytes
    HMMIO hmmio = nullptr;
};

// Opens a file for buffered reading (MMIO_READ, with or without MMIO_ALLOCBUF); null
// when it cannot be opened, the reason in info->wErrorRet when info is given.
HMMIO mmioOpen(const char* name, MMIOINFO* info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);
// Reads up to count bytes; the number read (0 at the end), -1 on error.
LONG mmioRead(HMMIO file, char* buffer, LONG count);
// The new offset, or -1 when it would fall outside the file.
LONG mmioSeek(HMMIO file, LONG offset, int origin);
// Descends into the chunk at the current position, or with MMIO_FINDCHUNK /
// MMIO_FINDRIFF / MMIO_FINDLIST searches (within the parent when given) for the
// chunk named in chunk->ckid (and chunk->fccType). Leaves the file at the chunk's data.
MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
// Moves to the end of a chunk that was descended into (after its pad byte).
MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);
MMRESULT mmioGetInfo(HMMIO file, MMIOINFO* info, UINT flags);
MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT flags);
// Refills the I/O buffer from the file at the position info->pchNext stands for;
// at the end of the file the buffer comes back empty.
MMRESULT mmioAdvance(HMMIO file, MMIOINFO* info, UINT flags);

} // namespace winmm
