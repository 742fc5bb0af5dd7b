// TextOut in DejaVu Sans (embedded), rasterised by FreeType.
#include "platform/gdi/GdiInternal.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <memory>

extern const unsigned char plazaro_embedded_font[];
extern const unsigned long plazaro_embedded_font_size;

namespace gdi {
namespace {

// 8 points at 96 dots per inch: the original desktop's small UI font (~11 px).
constexpr int kPointSize = 8;
constexpr int kDpi = 96;

struct Glyph {
    int left = 0, top = 0, width = 0, rows = 0, advance = 0;
    std::vector<std::uint8_t> coverage;
};

class Font {
public:
    Font() {
        if (FT_Init_FreeType(&library_) != 0)
            return;
        if (FT_New_Memory_Face(library_, plazaro_embedded_font, FT_Long(plazaro_embedded_font_size), 0,
                               &face_) != 0) {
            face_ = nullptr;
            return;
        }
        FT_Set_Char_Size(face_, 0, kPointSize * 64, kDpi, kDpi);
        ascent_ = int((face_->size->metrics.ascender + 63) >> 6);
        height_ = int((face_->size->metrics.ascender - face_->size->metrics.descender + 63) >> 6);
    }
    ~Font() {
        if (face_)
            FT_Done_Face(face_);
        if (library_)
            FT_Done_FreeType(library_);
    }
    int Ascent() const { return ascent_; }
    int Height() const { return height_; }

    const Glyph& Get(char32_t code) {
        // Status lines and captions are nearly all Latin-1: those glyphs skip the map.
        if (code < kDirect) {
            if (!direct_[code])
                direct_[code] = &Load(code);
            return *direct_[code];
        }
        return Load(code);
    }

private:
    static constexpr char32_t kDirect = 256;

    const Glyph& Load(char32_t code) {
        auto it = cache_.find(code);
        if (it != cache_.end())
            return it->second;
        Glyph g;
        if (face_) {
            FT_UInt index = FT_Get_Char_Index(face_, code);
            if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) == 0) {
                FT_GlyphSlot slot = face_->glyph;
                g.left = slot->bitmap_left;
                g.top = slot->bitmap_top;
                g.width = int(slot->bitmap.width);
                g.rows = int(slot->bitmap.rows);
                g.advance = int((slot->advance.x + 32) >> 6);
                g.coverage.resize(std::size_t(g.width) * std::size_t(g.rows));
                for (int r = 0; r < g.rows; ++r)
                    for (int c = 0; c < g.width; ++c) {
                        std::uint8_t v;
                        if (slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                            v = (slot->bitmap.buffer[r * slot->bitmap.pitch + (c >> 3)] & (0x80 >> (c & 7)))
                                    ? 255
                                    : 0;
                        else
                            v = slot->bitmap.buffer[r * slot->bitmap.pitch + c];
                        g.coverage[std::size_t(r) * std::size_t(g.width) + std::size_t(c)] = v;
                    }
            }
        }
        return cache_.emplace(code, std::move(g)).first->second;
    }

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    int ascent_ = 11;
    int height_ = 13;
    std::map<char32_t, Glyph> cache_; // a map's elements stay where they are
    const Glyph* direct_[kDirect] = {};
};

Font& TheFont() {
    static Font font;
    return font;
}

COLORREF Blend(COLORREF under, COLORREF over, int alpha) {
    auto mix = [&](int a, int b) { return BYTE((a * (255 - alpha) + b * alpha + 127) / 255); };
    return RGB(mix(GetRValue(under), GetRValue(over)), mix(GetGValue(under), GetGValue(over)),
               mix(GetBValue(under), GetBValue(over)));
}

int Width(const std::vector<char32_t>& codes) {
    int w = 0;
    for (char32_t c : codes)
        w += TheFont().Get(c).advance;
    return w;
}

} // namespace

std::vector<char32_t> DecodeText(const std::string& text) {
    std::vector<char32_t> out;
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t n = text.size(), i = 0;
    while (i < n) {
        unsigned char b = s[i];
        int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        char32_t cp = 0;
        bool ok = len > 0 && i + std::size_t(len) <= n;
        if (ok) {
            cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
            for (int k = 1; k < len; ++k) {
                if ((s[i + k] & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (s[i + k] & 0x3F);
            }
        }
        // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8.
        if (ok && ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
                   (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF))
            ok = false;
        if (ok) {
            out.push_back(cp);
            i += std::size_t(len);
        } else {
            out.push_back(char32_t(b)); // Latin-1
            ++i;
        }
    }
    return out;
}

BOOL TextOutReference(HDC dc, int x, int y, const std::string& text, int length) {
    if (!ValidDC(dc) || length < 0)
        return 0;
    std::string shown = text.substr(0, std::min<std::size_t>(std::size_t(length), text.size()));
    std::vector<char32_t> codes = DecodeText(shown);
    Font& font = TheFont();
    int width = Width(codes);
    if (dc->bkMode == OPAQUE)
        dc->Fill(x, y, x + width, y + font.Height(), dc->bkColor);
    int penX = x;
    int baseline = y + font.Ascent();
    for (char32_t c : codes) {
        const Glyph& g = font.Get(c);
        for (int r = 0; r < g.rows; ++r) {
            int py = baseline - g.top + r;
            if (py < 0 || py >= dc->target.height)
                continue;
            for (int col = 0; col < g.width; ++col) {
                int px = penX + g.left + col;
                if (px < 0 || px >= dc->target.width)
                    continue;
                int a = g.coverage[std::size_t(r) * std::size_t(g.width) + std::size_t(col)];
                if (a == 0)
                    continue;
                COLORREF under = dc->bkMode == OPAQUE ? dc->bkColor : dc->Get(px, py);
                dc->Put(px, py, a == 255 ? dc->textColor : Blend(under, dc->textColor, a));
            }
        }
        penX += g.advance;
    }
    return 1;
}

BOOL TextOut(HDC dc, int x, int y, const std::string& text, int length) {
    if (!ValidDC(dc) || length < 0)
        return 0;
    std::string shown = text.substr(0, std::min<std::size_t>(std::size_t(length), text.size()));
    std::vector<char32_t> codes = DecodeText(shown);
    Font& font = TheFont();
    const bool opaque = dc->bkMode == OPAQUE;
    if (opaque)
        dc->Fill(x, y, x + Width(codes), y + font.Height(), dc->bkColor);
    const int bpp = dc->target.bitsPerPixel;
    const std::uint32_t solid = ColorToPixel(dc->textColor, bpp);
    // Over an opaque cell a glyph's pixel depends on its coverage alone: each coverage
    // is blended once for the colours and depth in use (the status lines keep theirs).
    static struct {
        COLORREF back = 0, text = 0;
        int bpp = 0;
        std::uint32_t pixel[256];
        bool known[256] = {};
    } blends;
    if (opaque && (blends.back != dc->bkColor || blends.text != dc->textColor || blends.bpp != bpp)) {
        blends.back = dc->bkColor;
        blends.text = dc->textColor;
        blends.bpp = bpp;
        std::fill(std::begin(blends.known), std::end(blends.known), false);
    }
    int penX = x;
    const int baseline = y + font.Ascent();
    for (char32_t c : codes) {
        const Glyph& g = font.Get(c);
        const int firstCol = std::max(0, -(penX + g.left));
        const int endCol = std::min(g.width, dc->target.width - (penX + g.left));
        for (int r = 0; r < g.rows; ++r) {
            const int py = baseline - g.top + r;
            if (py < 0 || py >= dc->target.height)
                continue;
            const std::uint8_t* coverage = g.coverage.data() + std::size_t(r) * std::size_t(g.width);
            for (int col = firstCol; col < endCol; ++col) {
                const int a = coverage[col];
                if (a == 0)
                    continue;
                const int px = penX + g.left + col;
                if (a == 255) {
                    dc->PutRaw(px, py, solid);
                } else if (opaque) {
                    if (!blends.known[a]) {
                        blends.pixel[a] = ColorToPixel(Blend(dc->bkColor, dc->textColor, a), bpp);
                        blends.known[a] = true;
                    }
                    dc->PutRaw(px, py, blends.pixel[a]);
                } else {
                    dc->Put(px, py, Blend(dc->Get(px, py), dc->textColor, a));
                }
            }
        }
        penX += g.advance;
    }
    return 1;
}

void TextFootprint(const std::string& text, RECT* cell, RECT* touched) {
    std::vector<char32_t> codes = DecodeText(text);
    Font& font = TheFont();
    *cell = RECT{0, 0, Width(codes), font.Height()};
    *touched = *cell;
    int penX = 0;
    for (char32_t c : codes) {
        const Glyph& g = font.Get(c);
        if (g.width > 0 && g.rows > 0) {
            const int left = penX + g.left, top = font.Ascent() - g.top;
            touched->left = std::min<LONG>(touched->left, left);
            touched->top = std::min<LONG>(touched->top, top);
            touched->right = std::max<LONG>(touched->right, left + g.width);
            touched->bottom = std::max<LONG>(touched->bottom, top + g.rows);
        }
        penX += g.advance;
    }
}

BOOL GetTextExtentPoint32(HDC dc, const std::string& text, int length, SIZE* size) {
    if (!ValidDC(dc) || !size || length < 0)
        return 0;
    std::vector<char32_t> codes =
        DecodeText(text.substr(0, std::min<std::size_t>(std::size_t(length), text.size())));
    size->cx = Width(codes);
    size->cy = TheFont().Height();
    return 1;
}

} // namespace gdi
