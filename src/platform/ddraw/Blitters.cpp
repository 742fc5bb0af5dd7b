// Reference and fast blitters.
#include "platform/ddraw/Blitters.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ddraw {
namespace {

std::uint32_t Load(const SurfacePixels& s, int x, int y) {
    const std::uint8_t* row = s.bits + std::ptrdiff_t(y) * s.pitch;
    if (s.bitsPerPixel == 16)
        return reinterpret_cast<const std::uint16_t*>(row)[x];
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}
void Store(const SurfacePixels& s, int x, int y, std::uint32_t v) {
    std::uint8_t* row = s.bits + std::ptrdiff_t(y) * s.pitch;
    if (s.bitsPerPixel == 16)
        reinterpret_cast<std::uint16_t*>(row)[x] = std::uint16_t(v);
    else
        reinterpret_cast<std::uint32_t*>(row)[x] = v;
}

template <typename T>
void KeyedRow(T* __restrict d, const T* __restrict s, int n, T key) {
    for (int i = 0; i < n; ++i) {
        T v = s[i];
        d[i] = v == key ? d[i] : v;
    }
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(__GLIBC__)
// The map's pictures are 16-bit and keyed: where the processor has them, the wider
// vector instructions take twice the pixels a step.
__attribute__((target_clones("avx2", "default"))) void KeyedRow16(std::uint16_t* __restrict d,
                                                                  const std::uint16_t* __restrict s, int n,
                                                                  std::uint16_t key) {
    for (int i = 0; i < n; ++i) {
        std::uint16_t v = s[i];
        d[i] = v == key ? d[i] : v;
    }
}
#else
void KeyedRow16(std::uint16_t* __restrict d, const std::uint16_t* __restrict s, int n, std::uint16_t key) {
    KeyedRow<std::uint16_t>(d, s, n, key);
}
#endif

template <typename T>
void RangeKeyedRow(T* __restrict d, const T* __restrict s, int n, T low, T high) {
    for (int i = 0; i < n; ++i) {
        T v = s[i];
        d[i] = (v >= low && v <= high) ? d[i] : v;
    }
}

template <typename T>
void Rows(const SurfacePixels& dst, int x, int y, const SurfacePixels& src, const gdi::RECT& r, BlitKey key) {
    int w = r.right - r.left, h = r.bottom - r.top;
    for (int j = 0; j < h; ++j) {
        const T* s = reinterpret_cast<const T*>(src.bits + std::ptrdiff_t(r.top + j) * src.pitch) + r.left;
        T* d = reinterpret_cast<T*>(dst.bits + std::ptrdiff_t(y + j) * dst.pitch) + x;
        if (!key.use)
            std::memcpy(d, s, std::size_t(w) * sizeof(T));
        else if (key.low == key.high && sizeof(T) == 2)
            KeyedRow16(reinterpret_cast<std::uint16_t*>(d), reinterpret_cast<const std::uint16_t*>(s), w,
                       std::uint16_t(key.low));
        else if (key.low == key.high)
            KeyedRow<T>(d, s, w, T(key.low));
        else
            RangeKeyedRow<T>(d, s, w, T(key.low), T(key.high));
    }
}

} // namespace

void BlitReference(const SurfacePixels& dst, int x, int y, const SurfacePixels& src, gdi::RECT r, BlitKey key) {
    for (int sy = r.top; sy < r.bottom; ++sy) {
        for (int sx = r.left; sx < r.right; ++sx) {
            if (sx < 0 || sy < 0 || sx >= src.width || sy >= src.height)
                continue;
            int dx = x + (sx - r.left), dy = y + (sy - r.top);
            if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height)
                continue;
            std::uint32_t v = Load(src, sx, sy);
            if (key.use && v >= key.low && v <= key.high)
                continue;
            Store(dst, dx, dy, v);
        }
    }
}

bool ClipBlit(const SurfacePixels& dst, int& x, int& y, const SurfacePixels& src, gdi::RECT& r) {
    // Into the source.
    if (r.left < 0) {
        x -= r.left;
        r.left = 0;
    }
    if (r.top < 0) {
        y -= r.top;
        r.top = 0;
    }
    r.right = std::min<gdi::LONG>(r.right, src.width);
    r.bottom = std::min<gdi::LONG>(r.bottom, src.height);
    // Into the destination.
    if (x < 0) {
        r.left -= x;
        x = 0;
    }
    if (y < 0) {
        r.top -= y;
        y = 0;
    }
    if (x + (r.right - r.left) > dst.width)
        r.right = r.left + (dst.width - x);
    if (y + (r.bottom - r.top) > dst.height)
        r.bottom = r.top + (dst.height - y);
    return r.right > r.left && r.bottom > r.top;
}

void BlitFast(const SurfacePixels& dst, int x, int y, const SurfacePixels& src, const gdi::RECT& r, BlitKey key) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    if (dst.bits == src.bits) {
        // Same surface: copy the source rectangle out first so overlaps stay right.
        int bytes = dst.bitsPerPixel / 8;
        std::vector<std::uint8_t> temp(std::size_t(w) * std::size_t(h) * std::size_t(bytes));
        for (int j = 0; j < h; ++j)
            std::memcpy(temp.data() + std::size_t(j) * std::size_t(w) * std::size_t(bytes),
                        src.bits + std::ptrdiff_t(r.top + j) * src.pitch + std::ptrdiff_t(r.left) * bytes,
                        std::size_t(w) * std::size_t(bytes));
        SurfacePixels copy{temp.data(), w, h, w * bytes, src.bitsPerPixel};
        BlitFast(dst, x, y, copy, gdi::RECT{0, 0, w, h}, key);
        return;
    }
    if (dst.bitsPerPixel == 16)
        Rows<std::uint16_t>(dst, x, y, src, r, key);
    else
        Rows<std::uint32_t>(dst, x, y, src, r, key);
}

void BlitStretch(const SurfacePixels& dst, const gdi::RECT& d, const gdi::RECT& clip, const SurfacePixels& src,
                 const gdi::RECT& s, BlitKey key) {
    std::int64_t dw = d.right - d.left, dh = d.bottom - d.top;
    std::int64_t sw = s.right - s.left, sh = s.bottom - s.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    int x0 = std::max({d.left, clip.left, 0}), x1 = std::min({d.right, clip.right, dst.width});
    int y0 = std::max({d.top, clip.top, 0}), y1 = std::min({d.bottom, clip.bottom, dst.height});
    if (x0 >= x1 || y0 >= y1)
        return;
    std::vector<int> columns(std::size_t(x1 - x0));
    for (int dx = x0; dx < x1; ++dx)
        columns[std::size_t(dx - x0)] = int(s.left + (dx - d.left) * sw / dw);
    for (int dy = y0; dy < y1; ++dy) {
        int sy = int(s.top + (dy - d.top) * sh / dh);
        for (int dx = x0; dx < x1; ++dx) {
            std::uint32_t v = Load(src, columns[std::size_t(dx - x0)], sy);
            if (key.use && v >= key.low && v <= key.high)
                continue;
            Store(dst, dx, dy, v);
        }
    }
}

} // namespace ddraw
