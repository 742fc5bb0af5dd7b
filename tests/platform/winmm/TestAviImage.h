// Builds AVI file images field by field, good and deliberately broken, for the tests.
#pragma once

#include "platform/winmm/TestWaveImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testavi {

using testwave::Bytes;
using testwave::Put16;
using testwave::Put32;
using testwave::PutTag;

inline Bytes Chunk(const char* tag, const Bytes& body) { return testwave::Chunk(tag, body, std::uint32_t(body.size())); }

inline Bytes List(const char* type, const Bytes& body) {
    Bytes inner;
    PutTag(inner, type);
    inner.insert(inner.end(), body.begin(), body.end());
    return Chunk("LIST", inner);
}

inline void Append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

// Every field of a one-video-stream file that the tests vary.
struct AviSpec {
    int width = 4, height = 3;
    int bits = 24;
    std::uint32_t compression = 0; // 0 uncompressed, 1 RLE8
    std::uint32_t rate = 10, scale = 1;
    std::uint32_t mainWidth = 0, mainHeight = 0; // 0: the frame's own size
    std::int16_t rectRight = -1, rectBottom = -1; // -1: the frame's own size
    std::vector<std::uint32_t> palette;           // 8-bit frames: 0x00RRGGBB
    std::vector<Bytes> frames;                    // each frame's data as stored
    const char* frameKind = "00dc";
    // A PCM sound stream (stream 1) and its data chunks.
    bool sound = false;
    int soundBits = 16, soundChannels = 1;
    std::uint32_t soundRate = 8000;
    std::vector<Bytes> soundChunks;
    bool index = true;
    bool groupInRecords = false; // frames inside "rec " lists
};

inline Bytes Build(const AviSpec& s) {
    Bytes avih;
    Put32(avih, s.rate ? std::uint32_t(1000000ull * s.scale / s.rate) : 0);
    for (int i = 0; i < 3; ++i)
        Put32(avih, 0);
    Put32(avih, std::uint32_t(s.frames.size()));
    Put32(avih, 0);
    Put32(avih, s.sound ? 2 : 1);
    Put32(avih, 0);
    Put32(avih, s.mainWidth ? s.mainWidth : std::uint32_t(s.width));
    Put32(avih, s.mainHeight ? s.mainHeight : s.height < 0 ? 0u - std::uint32_t(s.height) : std::uint32_t(s.height));
    for (int i = 0; i < 4; ++i)
        Put32(avih, 0);

    Bytes strh;
    PutTag(strh, "vids");
    PutTag(strh, "DIB ");
    for (int i = 0; i < 3; ++i)
        Put32(strh, 0);
    Put32(strh, s.scale);
    Put32(strh, s.rate);
    Put32(strh, 0);
    Put32(strh, std::uint32_t(s.frames.size()));
    for (int i = 0; i < 3; ++i)
        Put32(strh, 0);
    Put16(strh, 0);
    Put16(strh, 0);
    Put16(strh, std::uint16_t(s.rectRight >= 0 ? s.rectRight : s.width));
    Put16(strh, std::uint16_t(s.rectBottom >= 0 ? s.rectBottom : (s.height < 0 ? 0u - std::uint32_t(s.height) : std::uint32_t(s.height))));

    Bytes strf;
    Put32(strf, 40);
    Put32(strf, std::uint32_t(s.width));
    Put32(strf, std::uint32_t(s.height));
    Put16(strf, 1);
    Put16(strf, std::uint16_t(s.bits));
    Put32(strf, s.compression);
    for (int i = 0; i < 3; ++i)
        Put32(strf, 0);
    Put32(strf, std::uint32_t(s.palette.size()));
    Put32(strf, 0);
    for (std::uint32_t c : s.palette)
        Put32(strf, c); // B, G, R, 0 in file order

    Bytes strl = Chunk("strh", strh);
    Append(strl, Chunk("strf", strf));
    Bytes hdrl = Chunk("avih", avih);
    Append(hdrl, List("strl", strl));
    if (s.sound) {
        Bytes ash;
        PutTag(ash, "auds");
        Put32(ash, 0);
        for (int i = 0; i < 3; ++i)
            Put32(ash, 0);
        Put32(ash, 1);
        Put32(ash, s.soundRate);
        for (int i = 0; i < 6; ++i)
            Put32(ash, 0);
        Bytes asf;
        Put16(asf, 1);
        Put16(asf, std::uint16_t(s.soundChannels));
        Put32(asf, s.soundRate);
        Put32(asf, s.soundRate * std::uint32_t(s.soundChannels * s.soundBits / 8));
        Put16(asf, std::uint16_t(s.soundChannels * s.soundBits / 8));
        Put16(asf, std::uint16_t(s.soundBits));
        Bytes astrl = Chunk("strh", ash);
        Append(astrl, Chunk("strf", asf));
        Append(hdrl, List("strl", astrl));
    }

    Bytes movi;
    for (std::size_t i = 0; i < s.frames.size() || i < s.soundChunks.size(); ++i) {
        Bytes group;
        if (i < s.soundChunks.size())
            Append(group, Chunk("01wb", s.soundChunks[i]));
        if (i < s.frames.size())
            Append(group, Chunk(s.frameKind, s.frames[i]));
        Append(movi, s.groupInRecords ? List("rec ", group) : group);
    }
    Bytes body;
    PutTag(body, "AVI ");
    Append(body, List("hdrl", hdrl));
    Append(body, Chunk("JUNK", Bytes(6, 0)));
    Append(body, List("movi", movi));
    if (s.index) {
        Bytes idx;
        for (std::size_t i = 0; i < s.frames.size(); ++i) {
            PutTag(idx, s.frameKind);
            Put32(idx, 0x10);
            Put32(idx, 0);
            Put32(idx, std::uint32_t(s.frames[i].size()));
        }
        Append(body, Chunk("idx1", idx));
    }
    return Chunk("RIFF", body);
}

// Uncompressed rows bottom-up, each padded to four bytes, from pixels given top-down
// as values of bits bits (palette indices, 5-5-5 words or 0x00RRGGBB).
inline Bytes Dib(int width, int height, int bits, const std::vector<std::uint32_t>& topDown) {
    Bytes out;
    const std::size_t rowBytes = ((std::size_t(width) * std::size_t(bits) + 31) / 32) * 4;
    for (int row = height - 1; row >= 0; --row) {
        Bytes r;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = topDown[std::size_t(row) * std::size_t(width) + std::size_t(x)];
            if (bits == 8)
                r.push_back(std::uint8_t(v));
            else if (bits == 16)
                Put16(r, std::uint16_t(v));
            else
                r.insert(r.end(), {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16)});
        }
        r.resize(rowBytes, 0);
        Append(out, r);
    }
    return out;
}

} // namespace testavi
