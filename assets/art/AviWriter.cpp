// RLE8 encoding of frames and the RIFF AVI layout around them.
#include "AviWriter.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace art {
namespace {

void Put16(std::vector<std::uint8_t>& f, std::uint32_t v) {
    f.push_back(std::uint8_t(v));
    f.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& f, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        f.push_back(std::uint8_t(v >> (8 * i)));
}
void PutId(std::vector<std::uint8_t>& f, const char* id) { f.insert(f.end(), id, id + 4); }
void Patch32(std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        f[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// Opens a chunk (or a list with its type) and answers where its size goes.
std::size_t Begin(std::vector<std::uint8_t>& f, const char* id, const char* listType = nullptr) {
    PutId(f, id);
    const std::size_t at = f.size();
    Put32(f, 0);
    if (listType)
        PutId(f, listType);
    return at;
}
void End(std::vector<std::uint8_t>& f, std::size_t at) {
    Patch32(f, at, std::uint32_t(f.size() - at - 4));
    if (f.size() & 1)
        f.push_back(0);
}

// Pixels [from, to) of one row: runs of three or more equal pixels as runs, the rest
// as absolute runs (or short runs when fewer than three pixels).
void EncodeSpan(std::vector<std::uint8_t>& out, const std::uint8_t* row, int from, int to) {
    int i = from;
    while (i < to) {
        int run = 1;
        while (i + run < to && run < 255 && row[i + run] == row[i])
            ++run;
        if (run >= 3) {
            out.push_back(std::uint8_t(run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        // Gather pixels until a run of three begins.
        int j = i;
        while (j < to && j - i < 255) {
            if (j + 2 < to && row[j] == row[j + 1] && row[j] == row[j + 2])
                break;
            ++j;
        }
        const int n = j - i;
        if (n >= 3) {
            out.push_back(0);
            out.push_back(std::uint8_t(n));
            out.insert(out.end(), row + i, row + j);
            if (n & 1)
                out.push_back(0);
        } else {
            for (int k = i; k < j; ++k) {
                out.push_back(1);
                out.push_back(row[k]);
            }
        }
        i = j;
    }
}

void Delta(std::vector<std::uint8_t>& out, int dx, int dy) {
    while (dx > 0 || dy > 0) {
        const int sx = std::min(dx, 255), sy = std::min(dy, 255);
        out.insert(out.end(), {0, 2, std::uint8_t(sx), std::uint8_t(sy)});
        dx -= sx;
        dy -= sy;
    }
}

} // namespace

std::vector<std::uint8_t> AviWriter::EncodeRle8(const IndexedImage& frame, const IndexedImage* previous) {
    std::vector<std::uint8_t> out;
    const int w = frame.width, h = frame.height;
    // Where the decoder stands: column x of row (counted from the bottom).
    int x = 0, row = 0;
    for (int r = 0; r < h; ++r) {
        const std::size_t top = std::size_t(h - 1 - r) * std::size_t(w);
        const std::uint8_t* now = frame.indices.data() + top;
        const std::uint8_t* before = previous ? previous->indices.data() + top : nullptr;
        auto changed = [&](int i) { return !before || now[i] != before[i]; };
        int i = 0;
        while (i < w) {
            while (i < w && !changed(i))
                ++i;
            if (i >= w)
                break;
            // A stretch of changes, taking in short gaps of unchanged pixels.
            int end = i + 1;
            for (int gap = 0; end + gap < w;) {
                if (changed(end + gap)) {
                    end += gap + 1;
                    gap = 0;
                } else if (++gap > 6) {
                    break;
                }
            }
            // Move to (i, r): down by whole rows with end-of-line or delta, then across.
            if (row < r) {
                if (x > 0) {
                    out.insert(out.end(), {0, 0});
                    ++row;
                    x = 0;
                }
                Delta(out, 0, r - row);
                row = r;
            }
            Delta(out, i - x, 0);
            EncodeSpan(out, now, i, end);
            x = end;
            i = end;
        }
    }
    out.insert(out.end(), {0, 1});
    return out;
}

std::vector<std::uint8_t> AviWriter::File(const std::vector<IndexedImage>& frames, const std::array<Rgb, 256>& palette,
                                          int framesPerSecond) {
    const int w = frames.empty() ? 0 : frames[0].width;
    const int h = frames.empty() ? 0 : frames[0].height;
    std::vector<std::vector<std::uint8_t>> data;
    for (std::size_t i = 0; i < frames.size(); ++i)
        data.push_back(EncodeRle8(frames[i], i ? &frames[i - 1] : nullptr));
    std::uint32_t largest = 0;
    for (const auto& d : data)
        largest = std::max(largest, std::uint32_t(d.size()));

    std::vector<std::uint8_t> f;
    const std::size_t riff = Begin(f, "RIFF", "AVI ");
    const std::size_t hdrl = Begin(f, "LIST", "hdrl");
    const std::size_t avih = Begin(f, "avih");
    Put32(f, std::uint32_t(1000000 / framesPerSecond)); // microseconds a frame
    Put32(f, largest * std::uint32_t(framesPerSecond)); // most bytes a second
    Put32(f, 0);                                        // padding granularity
    Put32(f, 0x10);                                     // has an index
    Put32(f, std::uint32_t(frames.size()));
    Put32(f, 0);                                        // initial frames
    Put32(f, 1);                                        // streams
    Put32(f, largest);
    Put32(f, std::uint32_t(w));
    Put32(f, std::uint32_t(h));
    for (int i = 0; i < 4; ++i)
        Put32(f, 0);
    End(f, avih);
    const std::size_t strl = Begin(f, "LIST", "strl");
    const std::size_t strh = Begin(f, "strh");
    PutId(f, "vids");
    PutId(f, "mrle");
    Put32(f, 0); // flags
    Put32(f, 0); // priority and language
    Put32(f, 0); // initial frames
    Put32(f, 1); // scale
    Put32(f, std::uint32_t(framesPerSecond));
    Put32(f, 0); // start
    Put32(f, std::uint32_t(frames.size()));
    Put32(f, largest);
    Put32(f, 0xFFFFFFFFu); // quality: the default
    Put32(f, 0);           // sample size: frames vary
    Put16(f, 0);
    Put16(f, 0);
    Put16(f, std::uint32_t(w));
    Put16(f, std::uint32_t(h));
    End(f, strh);
    const std::size_t strf = Begin(f, "strf");
    Put32(f, 40);
    Put32(f, std::uint32_t(w));
    Put32(f, std::uint32_t(h));
    Put16(f, 1);
    Put16(f, 8);
    Put32(f, 1); // RLE8
    Put32(f, std::uint32_t(std::size_t(w) * std::size_t(h)));
    Put32(f, 0);
    Put32(f, 0);
    Put32(f, 256);
    Put32(f, 0);
    for (const Rgb& c : palette) {
        f.push_back(c.b);
        f.push_back(c.g);
        f.push_back(c.r);
        f.push_back(0);
    }
    End(f, strf);
    End(f, strl);
    End(f, hdrl);

    const std::size_t movi = Begin(f, "LIST", "movi");
    std::vector<std::pair<std::uint32_t, std::uint32_t>> index; // offset from "movi", size
    for (std::size_t i = 0; i < data.size(); ++i) {
        index.emplace_back(std::uint32_t(f.size() - (movi + 4)), std::uint32_t(data[i].size()));
        const std::size_t chunk = Begin(f, "00dc");
        f.insert(f.end(), data[i].begin(), data[i].end());
        End(f, chunk);
    }
    End(f, movi);
    const std::size_t idx1 = Begin(f, "idx1");
    for (std::size_t i = 0; i < index.size(); ++i) {
        PutId(f, "00dc");
        Put32(f, i == 0 ? 0x10u : 0u); // the first frame is the key frame
        Put32(f, index[i].first);
        Put32(f, index[i].second);
    }
    End(f, idx1);
    End(f, riff);
    return f;
}

} // namespace art
