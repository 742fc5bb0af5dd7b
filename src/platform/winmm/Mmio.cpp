// Buffered RIFF file reading over a file held in memory.
#include "platform/winmm/Mmio.h"

#include "platform/os/PathMap.h"
#include "platform/winmm/WaveFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

namespace winmm {

struct MmioFile {
    std::vector<char> bytes;  // the whole file
    std::vector<char> buffer; // the I/O buffer
    std::int64_t bufOffset = 0;
    std::size_t next = 0; // index into buffer
    std::size_t end = 0;  // valid bytes in buffer

    std::int64_t Position() const { return bufOffset + std::int64_t(next); }
    std::int64_t Size() const { return std::int64_t(bytes.size()); }
    // Points the buffer at a file offset and fills it from there.
    void Fill(std::int64_t offset) {
        bufOffset = offset;
        next = 0;
        std::int64_t left = std::max<std::int64_t>(0, Size() - offset);
        end = std::size_t(std::min<std::int64_t>(left, std::int64_t(buffer.size())));
        if (end)
            std::memcpy(buffer.data(), bytes.data() + offset, end);
    }
};

namespace {
// Larger files are refused, as the wave reader refuses them.
constexpr std::int64_t kMaxFileSize = std::int64_t(winmm::WaveFile::kMaxFileSize);
} // namespace

HMMIO mmioOpen(const char* name, MMIOINFO* info, DWORD flags) {
    auto fail = [info](UINT error) -> HMMIO {
        if (info)
            info->wErrorRet = error;
        return nullptr;
    };
    if (!name || (flags & 0x3) != MMIO_READ)
        return fail(MMIOERR_CANNOTOPEN);
    std::ifstream in(os::ResolvePath(name), std::ios::binary | std::ios::ate);
    if (!in)
        return fail(MMIOERR_FILENOTFOUND);
    std::streamoff length = in.tellg();
    if (length < 0 || length > kMaxFileSize)
        return fail(MMIOERR_CANNOTREAD);
    auto file = new MmioFile;
    file->bytes.resize(std::size_t(length));
    in.seekg(0);
    if (length > 0 && !in.read(file->bytes.data(), length)) {
        delete file;
        return fail(MMIOERR_CANNOTREAD);
    }
    file->buffer.resize(std::size_t(info && info->cchBuffer > 0 ? info->cchBuffer : MMIO_DEFAULTBUFFER));
    file->Fill(0);
    if (info)
        info->wErrorRet = 0;
    return file;
}

MMRESULT mmioClose(HMMIO file, UINT) {
    if (!file)
        return winmm::MMSYSERR_INVALHANDLE;
    delete file;
    return 0;
}

LONG mmioRead(HMMIO file, char* buffer, LONG count) {
    if (!file || count < 0 || (!buffer && count > 0))
        return -1;
    LONG done = 0;
    while (done < count) {
        if (file->next == file->end) {
            file->Fill(file->Position());
            if (file->end == 0)
                break;
        }
        std::size_t n = std::min<std::size_t>(file->end - file->next, std::size_t(count - done));
        std::memcpy(buffer + done, file->buffer.data() + file->next, n);
        file->next += n;
        done += LONG(n);
    }
    return done;
}

LONG mmioSeek(HMMIO file, LONG offset, int origin) {
    if (!file)
        return -1;
    std::int64_t base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? file->Position() : file->Size();
    if (origin < SEEK_SET || origin > SEEK_END)
        return -1;
    std::int64_t target = base + offset;
    if (target < 0 || target > file->Size())
        return -1;
    file->Fill(target);
    return LONG(target);
}

MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags) {
    if (!file || !chunk)
        return winmm::MMSYSERR_INVALPARAM;
    // Where the search must stop: the parent's end, or the end of the file.
    std::int64_t limit = file->Size();
    if (parent)
        limit = std::min<std::int64_t>(limit, std::int64_t(parent->dwDataOffset) + parent->cksize);
    const FOURCC wantedId = flags & MMIO_FINDRIFF ? FOURCC_RIFF : flags & MMIO_FINDLIST ? FOURCC_LIST : chunk->ckid;
    const bool search = (flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST)) != 0;
    std::int64_t at = file->Position();
    while (at + 8 <= limit) {
        char header[12];
        mmioSeek(file, LONG(at), SEEK_SET);
        if (mmioRead(file, header, 8) != 8)
            return MMIOERR_CHUNKNOTFOUND;
        MMCKINFO found;
        std::memcpy(&found.ckid, header, 4);
        std::memcpy(&found.cksize, header + 4, 4);
        found.dwDataOffset = DWORD(at + 8);
        bool hasType = found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST;
        if (hasType) {
            if (at + 12 > limit || mmioRead(file, header + 8, 4) != 4)
                return MMIOERR_CHUNKNOTFOUND;
            std::memcpy(&found.fccType, header + 8, 4);
        }
        bool match = !search || (found.ckid == wantedId &&
                                 (!(flags & (MMIO_FINDRIFF | MMIO_FINDLIST)) || found.fccType == chunk->fccType));
        if (match) {
            *chunk = found;
            return 0;
        }
        // Chunks are padded to an even length; 64-bit so that no size wraps around.
        at = std::int64_t(found.dwDataOffset) + found.cksize + (found.cksize & 1);
    }
    mmioSeek(file, LONG(std::min(at, file->Size())), SEEK_SET);
    return MMIOERR_CHUNKNOTFOUND;
}

MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT) {
    if (!file || !chunk)
        return winmm::MMSYSERR_INVALPARAM;
    std::int64_t end = std::int64_t(chunk->dwDataOffset) + chunk->cksize + (chunk->cksize & 1);
    // A chunk whose pad byte is missing at the very end of the file still ends there.
    if (end == file->Size() + 1 && (chunk->cksize & 1))
        end = file->Size();
    if (end > file->Size() || mmioSeek(file, LONG(end), SEEK_SET) < 0)
        return MMIOERR_CANNOTSEEK;
    return 0;
}

MMRESULT mmioGetInfo(HMMIO file, MMIOINFO* info, UINT) {
    if (!file || !info)
        return winmm::MMSYSERR_INVALPARAM;
    info->dwFlags = MMIO_ALLOCBUF;
    info->cchBuffer = LONG(file->buffer.size());
    info->pchBuffer = file->buffer.data();
    info->pchNext = file->buffer.data() + file->next;
    info->pchEndRead = file->buffer.data() + file->end;
    info->lBufOffset = LONG(file->bufOffset);
    info->lDiskOffset = LONG(file->bufOffset + std::int64_t(file->end));
    info->hmmio = file;
    return 0;
}

namespace {
// The buffer index info->pchNext stands for, when it points into the file's buffer.
bool NextIndex(HMMIO file, const MMIOINFO* info, std::size_t& index) {
    if (!info || info->pchBuffer != file->buffer.data() || info->pchNext < file->buffer.data() ||
        info->pchNext > file->buffer.data() + file->end)
        return false;
    index = std::size_t(info->pchNext - file->buffer.data());
    return true;
}
} // namespace

MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT) {
    std::size_t index = 0;
    if (!file || !NextIndex(file, info, index))
        return winmm::MMSYSERR_INVALPARAM;
    file->next = index;
    return 0;
}

MMRESULT mmioAdvance(HMMIO file, MMIOINFO* info, UINT flags) {
    std::size_t index = 0;
    if (!file || !NextIndex(file, info, index))
        return winmm::MMSYSERR_INVALPARAM;
    if (flags != MMIO_READ)
        return MMIOERR_CANNOTREAD;
    file->Fill(file->bufOffset + std::int64_t(index));
    return mmioGetInfo(file, info, 0);
}

} // namespace winmm
