// AVI reading with every size checked against the bytes present, and frame decoding.
#include "platform/winmm/AviFile.h"

#include "platform/gdi/Rle8.h"
#include "platform/winmm/WaveFile.h"

#include <algorithm>
#include <cstring>

namespace winmm {
namespace {

constexpr std::int64_t kMaxAviPixels = 4LL * 1024 * 1024;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;

std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
bool Is(const std::uint8_t* p, const char* fourcc) { return std::memcmp(p, fourcc, 4) == 0; }
// The two letters after a stream chunk's number: "db", "dc", "wb"...
bool KindIs(const std::uint8_t* id, const char* kind) { return id[2] == kind[0] && id[3] == kind[1]; }

struct Chunk {
    const std::uint8_t* id = nullptr;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// The chunks of one list body, in order. A chunk whose size runs past the body is
// an error; the pad byte after an odd chunk may be missing at the very end.
AviError Chunks(const std::uint8_t* begin, std::size_t size, std::vector<Chunk>& out) {
    out.clear();
    std::size_t pos = 0;
    while (pos < size) {
        if (size - pos < 8)
            return AviError::Truncated;
        Chunk c;
        c.id = begin + pos;
        c.size = U32(begin + pos + 4);
        pos += 8;
        if (c.size > size - pos)
            return AviError::Truncated;
        c.data = begin + pos;
        out.push_back(c);
        pos += c.size;
        if ((c.size & 1) && pos < size)
            ++pos;
    }
    return AviError::None;
}

// A list chunk's type, or nothing when the chunk is not a list.
bool IsList(const Chunk& c, const char* type) { return Is(c.id, "LIST") && c.size >= 4 && Is(c.data, type); }

struct Stream {
    bool video = false;
    bool audio = false;
    std::uint32_t scale = 0, rate = 0;
    int frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;
    const std::uint8_t* format = nullptr;
    std::size_t formatSize = 0;
};

AviError Fail(AviError error, std::string* detail, const std::string& text) {
    if (detail)
        *detail = text;
    return error;
}

std::size_t RowBytes(int width, int bpp) { return ((std::size_t(width) * std::size_t(bpp) + 31) / 32) * 4; }

// Two characters of a stream chunk's id: its stream number ("00" ...).
int StreamNumber(const std::uint8_t* id) {
    if (id[0] < '0' || id[0] > '9' || id[1] < '0' || id[1] > '9')
        return -1;
    return (id[0] - '0') * 10 + (id[1] - '0');
}

AviError ReadVideoFormat(const Stream& s, AviFile& out, std::string* detail) {
    if (s.formatSize < 40)
        return Fail(AviError::Truncated, detail, "video format shorter than a bitmap header");
    const std::uint8_t* h = s.format;
    const std::uint32_t biSize = U32(h);
    if (biSize < 40 || biSize > s.formatSize)
        return Fail(AviError::Truncated, detail, "bad bitmap header size");
    const std::int32_t width = std::int32_t(U32(h + 4));
    const std::int32_t height = std::int32_t(U32(h + 8));
    const std::uint16_t bpp = U16(h + 14);
    const std::uint32_t compression = U32(h + 16);
    const std::uint32_t clrUsed = U32(h + 32);
    if (compression == kBiRgb) {
        if (bpp != 8 && bpp != 16 && bpp != 24)
            return Fail(AviError::UnknownCodec, detail, "uncompressed frames of " + std::to_string(bpp) + " bits");
    } else if (compression == kBiRle8) {
        if (bpp != 8)
            return Fail(AviError::UnknownCodec, detail, "RLE8 frames of " + std::to_string(bpp) + " bits");
    } else {
        return Fail(AviError::UnknownCodec, detail, "frames compressed as " + std::to_string(compression));
    }
    if (width <= 0 || width > kMaxAviSide || height == 0 || height < -kMaxAviSide || height > kMaxAviSide)
        return Fail(AviError::BadSize, detail, "frame size " + std::to_string(width) + " x " + std::to_string(height));
    if (height < 0 && compression == kBiRle8)
        return Fail(AviError::BadSize, detail, "top-down RLE8 frames");
    const int absHeight = height < 0 ? -height : height;
    if (std::int64_t(width) * absHeight > kMaxAviPixels)
        return Fail(AviError::BadSize, detail, "frames too large");
    out.width = width;
    out.height = absHeight;
    out.bitsPerPixel = bpp;
    out.rle8 = compression == kBiRle8;
    out.topDown = height < 0;
    if (bpp == 8) {
        const std::size_t colours = clrUsed ? clrUsed : 256;
        if (colours > 256)
            return Fail(AviError::BadSize, detail, "colour table longer than 256 entries");
        if (colours * 4 > s.formatSize - biSize)
            return Fail(AviError::Truncated, detail, "colour table runs past the format");
        out.palette.resize(256, 0);
        for (std::size_t i = 0; i < colours; ++i) {
            const std::uint8_t* q = h + biSize + i * 4;
            out.palette[i] = (std::uint32_t(q[2]) << 16) | (std::uint32_t(q[1]) << 8) | q[0];
        }
    }
    return AviError::None;
}

// The sound stream's format; false when it is not PCM we can play (the video then
// plays without sound).
bool ReadSoundFormat(const Stream& s, int& channels, int& bits, std::uint32_t& rate) {
    if (s.formatSize < 16)
        return false;
    const std::uint8_t* f = s.format;
    channels = U16(f + 2);
    rate = U32(f + 4);
    bits = U16(f + 14);
    return U16(f) == 1 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16) &&
           rate >= WaveFile::kMinRate && rate <= WaveFile::kMaxRate;
}

// Checks one frame's data against the picture: the right size when uncompressed,
// RLE8 that stays inside the picture and ends within its data.
AviError CheckFrame(const AviFile& file, const std::vector<std::uint8_t>& data, std::string* detail, std::size_t n) {
    if (data.empty())
        return AviError::None;
    const std::string which = "frame " + std::to_string(n);
    if (!file.rle8) {
        const std::size_t need = RowBytes(file.width, file.bitsPerPixel) * std::size_t(file.height);
        if (data.size() < need)
            return Fail(AviError::Truncated, detail, which + " shorter than the picture");
        if (data.size() > need)
            return Fail(AviError::FrameTooLarge, detail, which + " larger than the picture");
        return AviError::None;
    }
    bool outside = false;
    const std::int64_t w = file.width, h = file.height;
    auto walked = gdi::WalkRle8(data.data(), data.size(), h, [&](std::int64_t x, std::int64_t row, std::uint8_t) {
        if (x < 0 || x >= w || row < 0 || row >= h)
            outside = true;
    });
    if (walked == gdi::Rle8Result::Truncated)
        return Fail(AviError::Truncated, detail, which + ": RLE data truncated");
    if (outside)
        return Fail(AviError::FrameTooLarge, detail, which + " paints outside the picture");
    return AviError::None;
}

} // namespace

std::uint64_t AviFile::FrameStartMs(std::uint64_t n) const {
    if (rate == 0)
        return 0;
    return std::uint64_t((unsigned __int128)n * scale * 1000u / rate);
}

std::uint64_t AviFile::FrameAt(std::uint64_t ms) const {
    if (frames.empty() || rate == 0)
        return 0;
    const unsigned __int128 n = (unsigned __int128)ms * rate / ((unsigned __int128)scale * 1000u);
    return n >= frames.size() ? frames.size() - 1 : std::uint64_t(n);
}

AviError ReadAvi(const std::uint8_t* data, std::size_t size, AviFile& out, std::string* detail) {
    out = AviFile{};
    if (!data || size < 12)
        return Fail(AviError::Truncated, detail, "shorter than a RIFF header");
    if (size > kMaxAviFileSize)
        return Fail(AviError::BadSize, detail, "file too large");
    if (!Is(data, "RIFF") || !Is(data + 8, "AVI "))
        return Fail(AviError::NotAvi, detail, "not a RIFF AVI file");
    const std::size_t riffSize = U32(data + 4);
    if (riffSize < 4 || riffSize > size - 8)
        return Fail(AviError::Truncated, detail, "RIFF size past the end of the file");

    std::vector<Chunk> top;
    if (AviError e = Chunks(data + 12, riffSize - 4, top); e != AviError::None)
        return Fail(e, detail, "a chunk runs past the end of the file");
    const Chunk* hdrl = nullptr;
    const Chunk* movi = nullptr;
    for (const Chunk& c : top) {
        if (!hdrl && IsList(c, "hdrl"))
            hdrl = &c;
        else if (!movi && IsList(c, "movi"))
            movi = &c;
    }
    if (!hdrl)
        return Fail(AviError::NotAvi, detail, "no header list");

    // The header list: the main header, then one stream list per stream.
    std::vector<Chunk> headers;
    if (AviError e = Chunks(hdrl->data + 4, hdrl->size - 4, headers); e != AviError::None)
        return Fail(e, detail, "a header runs past its list");
    std::uint32_t microSecPerFrame = 0, mainWidth = 0, mainHeight = 0;
    bool haveMain = false;
    std::vector<Stream> streams;
    for (const Chunk& c : headers) {
        if (Is(c.id, "avih")) {
            if (c.size < 40)
                return Fail(AviError::Truncated, detail, "main header too short");
            microSecPerFrame = U32(c.data);
            mainWidth = U32(c.data + 32);
            mainHeight = U32(c.data + 36);
            haveMain = true;
        } else if (IsList(c, "strl")) {
            std::vector<Chunk> parts;
            if (AviError e = Chunks(c.data + 4, c.size - 4, parts); e != AviError::None)
                return Fail(e, detail, "a stream header runs past its list");
            Stream s;
            for (const Chunk& p : parts) {
                if (Is(p.id, "strh")) {
                    if (p.size < 48)
                        return Fail(AviError::Truncated, detail, "stream header too short");
                    s.video = Is(p.data, "vids");
                    s.audio = Is(p.data, "auds");
                    s.scale = U32(p.data + 20);
                    s.rate = U32(p.data + 24);
                    if (p.size >= 56) {
                        s.frameLeft = std::int16_t(U16(p.data + 48));
                        s.frameTop = std::int16_t(U16(p.data + 50));
                        s.frameRight = std::int16_t(U16(p.data + 52));
                        s.frameBottom = std::int16_t(U16(p.data + 54));
                    }
                } else if (Is(p.id, "strf")) {
                    s.format = p.data;
                    s.formatSize = p.size;
                }
            }
            streams.push_back(s);
        }
    }
    if (!haveMain)
        return Fail(AviError::NotAvi, detail, "no main header");

    int videoStream = -1, soundStream = -1;
    for (std::size_t i = 0; i < streams.size() && i < 100; ++i) {
        if (streams[i].video && videoStream < 0 && streams[i].format)
            videoStream = int(i);
        else if (streams[i].audio && soundStream < 0 && streams[i].format)
            soundStream = int(i);
    }
    if (videoStream < 0)
        return Fail(AviError::NoVideo, detail, "no video stream");
    const Stream& video = streams[std::size_t(videoStream)];
    if (AviError e = ReadVideoFormat(video, out, detail); e != AviError::None)
        return e;
    // The frames may not be larger than the picture the file and the stream announce.
    if ((mainWidth && std::uint32_t(out.width) > mainWidth) || (mainHeight && std::uint32_t(out.height) > mainHeight))
        return Fail(AviError::FrameTooLarge, detail, "frames larger than the movie");
    const int rectW = video.frameRight - video.frameLeft, rectH = video.frameBottom - video.frameTop;
    if ((rectW > 0 && out.width > rectW) || (rectH > 0 && out.height > rectH))
        return Fail(AviError::FrameTooLarge, detail, "frames larger than the stream");

    if (video.rate && video.scale) {
        out.rate = video.rate;
        out.scale = video.scale;
    } else if (microSecPerFrame) {
        out.rate = 1000000;
        out.scale = microSecPerFrame;
    } else {
        return Fail(AviError::BadSize, detail, "no frame rate");
    }
    // Between one frame an hour and a thousand a second.
    if (std::uint64_t(out.rate) > std::uint64_t(out.scale) * 1000u ||
        std::uint64_t(out.rate) * 3600u < std::uint64_t(out.scale))
        return Fail(AviError::BadSize, detail, "frame rate out of range");

    int soundChannels = 0, soundBits = 0;
    std::uint32_t soundRate = 0;
    const bool haveSound =
        soundStream >= 0 && ReadSoundFormat(streams[std::size_t(soundStream)], soundChannels, soundBits, soundRate);

    if (!movi)
        return Fail(AviError::NoVideo, detail, "no movie list");
    // The movie list: frames and sound in the order they play, perhaps grouped in
    // "rec " lists. The index, when there is one, adds nothing we need.
    std::vector<Chunk> pending;
    if (AviError e = Chunks(movi->data + 4, movi->size - 4, pending); e != AviError::None)
        return Fail(e, detail, "a chunk runs past the movie list");
    std::vector<std::uint8_t> soundBytes;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        const Chunk c = pending[i];
        if (IsList(c, "rec ")) {
            std::vector<Chunk> inner;
            if (AviError e = Chunks(c.data + 4, c.size - 4, inner); e != AviError::None)
                return Fail(e, detail, "a chunk runs past its record");
            pending.insert(pending.begin() + std::ptrdiff_t(i) + 1, inner.begin(), inner.end());
            continue;
        }
        const int number = StreamNumber(c.id);
        if (number == videoStream && (KindIs(c.id, "db") || KindIs(c.id, "dc"))) {
            if (out.frames.size() >= kMaxAviFrames)
                return Fail(AviError::BadSize, detail, "too many frames");
            out.frames.emplace_back(c.data, c.data + c.size);
            if (AviError e = CheckFrame(out, out.frames.back(), detail, out.frames.size() - 1); e != AviError::None)
                return e;
        } else if (number == soundStream && haveSound && KindIs(c.id, "wb")) {
            soundBytes.insert(soundBytes.end(), c.data, c.data + c.size);
        }
    }
    if (out.frames.empty())
        return Fail(AviError::NoVideo, detail, "no frames");

    if (haveSound) {
        auto pcm = std::make_shared<PcmBuffer>();
        pcm->sampleRate = int(soundRate);
        pcm->channels = soundChannels;
        const std::size_t block = std::size_t(soundChannels) * std::size_t(soundBits / 8);
        const std::size_t count = soundBytes.size() / block * std::size_t(soundChannels);
        pcm->samples.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            pcm->samples[i] = soundBits == 8 ? std::int16_t((int(soundBytes[i]) - 128) * 256)
                                             : std::int16_t(U16(soundBytes.data() + 2 * i));
        if (!pcm->samples.empty())
            out.sound = std::move(pcm);
    }
    return AviError::None;
}

// ---- decoding ------------------------------------------------------------------------------

AviFrameDecoder::AviFrameDecoder(const AviFile& file) : file_(file) {
    picture_.width = file.width;
    picture_.height = file.height;
    picture_.pixels.assign(std::size_t(file.width) * std::size_t(file.height), 0);
    if (file.bitsPerPixel == 8)
        indices_.assign(picture_.pixels.size(), 0);
}

bool AviFrameDecoder::Seek(std::uint64_t n) {
    if (file_.frames.empty())
        return false;
    n = std::min<std::uint64_t>(n, file_.frames.size() - 1);
    if (started_ && n == current_)
        return true;
    std::uint64_t from = 0;
    if (file_.rle8) {
        // Each frame paints over the one before: go on from here, or start over.
        if (started_ && n > current_) {
            from = current_ + 1;
        } else {
            std::fill(indices_.begin(), indices_.end(), 0);
            from = 0;
        }
    } else {
        // Every frame is whole; an empty one repeats the last that was not.
        from = n;
        while (from > 0 && file_.frames[from].empty())
            --from;
    }
    started_ = true;
    for (std::uint64_t i = from; i <= n; ++i)
        if (!Decode(std::size_t(i)))
            return false;
    current_ = n;
    return true;
}

bool AviFrameDecoder::Decode(std::size_t n) {
    const std::vector<std::uint8_t>& data = file_.frames[n];
    if (data.empty())
        return true;
    const int w = file_.width, h = file_.height;
    std::uint32_t* px = picture_.pixels.data();
    if (file_.rle8) {
        auto walked = gdi::WalkRle8(data.data(), data.size(), h, [&](std::int64_t x, std::int64_t row, std::uint8_t index) {
            if (x >= 0 && x < w && row >= 0 && row < h)
                indices_[std::size_t(row) * std::size_t(w) + std::size_t(x)] = index;
        });
        if (walked != gdi::Rle8Result::Ok)
            return false;
    } else if (data.size() < RowBytes(w, file_.bitsPerPixel) * std::size_t(h)) {
        return false;
    }
    const std::size_t rowBytes = RowBytes(w, file_.bitsPerPixel);
    for (int row = 0; row < h; ++row) {
        std::uint32_t* dst = px + std::size_t(h - 1 - row) * std::size_t(w);
        if (file_.rle8) {
            const std::uint8_t* src = indices_.data() + std::size_t(row) * std::size_t(w);
            for (int x = 0; x < w; ++x)
                dst[x] = file_.palette[src[x]];
            continue;
        }
        const std::uint8_t* src = data.data() + rowBytes * std::size_t(row);
        if (file_.topDown)
            dst = px + std::size_t(row) * std::size_t(w);
        for (int x = 0; x < w; ++x) {
            switch (file_.bitsPerPixel) {
            case 8:
                dst[x] = file_.palette[src[x]];
                break;
            case 16: {
                const std::uint16_t v = U16(src + 2 * x);
                const std::uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
                dst[x] = (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
                break;
            }
            default: {
                const std::uint8_t* p = src + 3 * x;
                dst[x] = (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
            }
            }
        }
    }
    return true;
}

} // namespace winmm
