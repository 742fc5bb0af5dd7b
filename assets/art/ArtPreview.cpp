// plazaro_artpreview: contact sheets and sample scenes of the art, as PNG files, for
// looking at the pictures while working on them. Not part of the game.
#include "ArtCatalog.h"
#include "ArtPainters.h"
#include "PixelFont.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace art;

namespace {

// Renders through the palette, as the game will see the pictures.
Canvas Quantised(const Canvas& canvas) {
    const IndexedImage image = ToImage(canvas);
    Canvas out(image.width, image.height);
    const auto& colours = Palette::Game().Colours();
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const auto index = image.indices[std::size_t(y * image.width + x)];
            if (index != kKeyIndex) out.Set(x, y, colours[index]);
        }
    return out;
}

bool WritePng(const std::string& path, const Canvas& canvas, int scale, Rgb background) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    const int w = canvas.Width() * scale;
    const int h = canvas.Height() * scale;
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(std::size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int sx = x / scale, sy = y / scale;
            const Rgb c = canvas.Opaque(sx, sy) ? canvas.At(sx, sy) : background;
            row[std::size_t(x) * 3] = c.r;
            row[std::size_t(x) * 3 + 1] = c.g;
            row[std::size_t(x) * 3 + 2] = c.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// All pictures from `first` to `last` laid out in rows, each labelled with its number.
Canvas ContactSheet(const std::vector<int>& codes, int width);
Canvas ContactSheet(int first, int last, int width) {
    std::vector<int> codes;
    for (int code = first; code <= last; ++code) codes.push_back(code);
    return ContactSheet(codes, width);
}

Canvas ContactSheet(const std::vector<int>& codes, int width) {
    struct Item {
        int code, x, y;
        Canvas canvas;
    };
    std::vector<Item> items;
    int x = 4, y = 4, rowHeight = 0;
    for (int code : codes) {
        Canvas picture = Quantised(PaintPicture(code));
        if (x + picture.Width() + 4 > width) {
            x = 4;
            y += rowHeight + 14;
            rowHeight = 0;
        }
        items.push_back({code, x, y, picture});
        x += std::max(picture.Width(), 20) + 6;
        rowHeight = std::max(rowHeight, picture.Height());
    }
    Canvas sheet(width, y + rowHeight + 16);
    for (int j = 0; j < sheet.Height(); ++j)
        for (int i = 0; i < width; ++i) sheet.Set(i, j, ((i / 8 + j / 8) % 2) ? Rgb{200, 200, 204} : Rgb{214, 214, 218});
    for (const auto& item : items) {
        sheet.Blit(item.canvas, item.x, item.y);
        PixelFont::Draw(sheet, std::to_string(item.code), item.x, item.y + item.canvas.Height() + 2, 1, Rgb{30, 30, 40});
    }
    return sheet;
}

// A small map drawn the way the game's renderer lays pictures out: cell (x, y) at
// view row x + y, rows 15 pixels apart, each picture aligned by its footprint.
struct Cell {
    int code = 9;
    int pending = 0;
};

class SceneBuilder {
public:
    SceneBuilder(int size, int top = 260) : size(size), cells(std::size_t(size * size)), top(top) {}
    Cell& At(int x, int y) { return cells[std::size_t(y * size + x)]; }
    bool Is(int x, int y, int code) {
        return x >= 0 && y >= 0 && x < size && y < size && At(x, y).code == code;
    }
    void Place(int x, int y, int code) {
        // The motorway's sheet has no footprint of its own; the block covers 2 x 2 cells.
        const int s = code == 18 ? 2 : std::max(1, PictureShapeFor(code).footprint);
        for (int j = 0; j < s; ++j)
            for (int i = 0; i < s; ++i) At(x + i, y + j).code = 250;
        At(x, y).code = code;
    }
    Canvas Render(const std::vector<std::pair<int, int>>& movers = {}, const std::vector<int>& moverPictures = {}) {
        const int w = 60 * size + 60;
        const int h = 30 * size + top + 40;
        Canvas canvas(w, h);
        const Canvas blank = Quantised(PaintBlankTile());
        ox = 30 * size;
        oy = top;
        for (int j = 0; j < h; j += 1)
            for (int i = 0; i < w; ++i) canvas.Set(i, j, Rgb{26, 32, 46});
        // Back to front by view row, larger footprints after smaller ones in the same row.
        std::vector<std::pair<int, int>> order;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) order.push_back({x, y});
        std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) {
            auto key = [&](auto p) {
                const int code = At(p.first, p.second).code;
                const int s = code == 250 ? 1 : code == 18 ? 2 : std::max(1, PictureShapeFor(code).footprint);
                return (p.first + p.second + 2 * (s - 1)) * 10 + s;
            };
            return key(a) < key(b);
        });
        for (auto [x, y] : order) DrawCell(canvas, x, y);
        for (std::size_t i = 0; i < movers.size(); ++i)
            canvas.Blit(Quantised(PaintPicture(moverPictures[i])), TileX(movers[i].first, movers[i].second),
                        TileY(movers[i].first, movers[i].second));
        return canvas;
    }

private:
    int TileX(int x, int y) const { return ox + 30 * (x - y); }
    int TileY(int x, int y) const { return oy + 15 * (x + y); }
    const Canvas& Pic(int code) {
        if (cache.size() < 202) cache.resize(202);
        if (cache[std::size_t(code)].Width() == 0) cache[std::size_t(code)] = Quantised(PaintPicture(code));
        return cache[std::size_t(code)];
    }
    int Piece(int x, int y, int code) {
        const bool n = Is(x, y - 1, code), e = Is(x + 1, y, code), s = Is(x, y + 1, code), w = Is(x - 1, y, code);
        if (n && e && !s && !w) return 3;
        if (!n && e && s && !w) return 4;
        if (!n && !e && s && w) return 5;
        if (n && !e && !s && w) return 6;
        if (n && e && s && !w) return 7;
        if (!n && e && s && w) return 8;
        if (n && !e && s && w) return 9;
        if (n && e && !s && w) return 10;
        if (!e && !w && (n || s)) return 1;
        if (!n && !s && (e || w)) return 2;
        return 11;
    }
    void DrawCell(Canvas& canvas, int x, int y) {
        const Cell& cell = At(x, y);
        const int tx = TileX(x, y), ty = TileY(x, y);
        switch (cell.code) {
        case 250: return;
        case 18: {
            // As the renderer draws it: the sheet's halves lifted by (122 - 61) and put four
            // rows (60 pixels) down, 30 to the left for the 2 x 2 footprint.
            const Canvas& sheet = Pic(18);
            const bool joined = Is(x + 2, y, 18) || Is(x - 2, y, 18);
            for (int j = 0; j < 60; ++j)
                for (int i = 0; i < 118; ++i) {
                    const int dx = tx - 30 + i, dy = ty - 1 + j;
                    if (sheet.Opaque(i, j)) canvas.Set(dx, dy, sheet.At(i, j));
                    const int si = joined ? i + 119 : i;
                    if (sheet.Opaque(si, j + 61)) canvas.Set(dx, dy, sheet.At(si, j + 61));
                }
            return;
        }
        case 11: {
            canvas.Blit(Pic(9), tx, ty);
            const int offsets[10][2] = {{27, 3}, {37, 5}, {20, 7}, {30, 7}, {40, 10}, {10, 10}, {28, 11}, {10, 12}, {16, 15}, {28, 17}};
            for (int i = 0; i < std::min(cell.pending, 10); ++i) canvas.Blit(Pic(11), tx + offsets[i][0], ty + offsets[i][1]);
            return;
        }
        case 12:
        case 34: {
            canvas.Blit(Pic(12), tx, ty);
            const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
            for (int d = 0; d < 4; ++d)
                if (Is(x + dx[d], y + dy[d], 12) || Is(x + dx[d], y + dy[d], 34)) canvas.Blit(Pic(162 + d), tx, ty);
            if (cell.code == 34) canvas.Blit(Pic(cell.pending == 5 ? 167 : 34), tx, ty);
            return;
        }
        case 17:
            canvas.Blit(Pic(9), tx, ty);
            canvas.Blit(Pic(124 + Piece(x, y, 17)), tx, ty);
            break;
        case 20:
            canvas.Blit(Pic(9), tx, ty);
            canvas.Blit(Pic(135 + Piece(x, y, 20)), tx, ty);
            break;
        default: {
            const PictureShape shape = PictureShapeFor(cell.code);
            const int s = std::max(1, shape.footprint);
            canvas.Blit(Pic(cell.code), tx - 30 * (s - 1), ty - (shape.height - (30 * s + 1)));
            break;
        }
        }
        if (cell.pending == 36) {
            auto lineAt = [&](int a, int b) {
                return a >= 0 && b >= 0 && a < size && b < size && (At(a, b).pending == 36 || (At(a, b).code != 9 && At(a, b).code != 17 && At(a, b).code != 12 && At(a, b).code != 11));
            };
            const bool n = lineAt(x, y - 1), e = lineAt(x + 1, y), s = lineAt(x, y + 1), w = lineAt(x - 1, y);
            if (cell.code == 17 || cell.code == 20) {
                canvas.Blit(Pic((e || w) ? 161 : 160), tx, ty);
                return;
            }
            int piece = 11;
            if (n && e && !s && !w) piece = 3;
            else if (!n && e && s && !w) piece = 4;
            else if (!n && !e && s && w) piece = 5;
            else if (n && !e && !s && w) piece = 6;
            else if (n && e && s && !w) piece = 7;
            else if (!n && e && s && w) piece = 8;
            else if (n && !e && s && w) piece = 9;
            else if (n && e && !s && w) piece = 10;
            else if (!e && !w && (n || s)) piece = 1;
            else if (!n && !s && (e || w)) piece = 2;
            canvas.Blit(Pic(148 + piece), tx, ty);
        }
    }
    int size;
    std::vector<Cell> cells;
    std::vector<Canvas> cache;
    int top;
    int ox = 0, oy = 0;
};

Canvas NetworkScene() {
    SceneBuilder b(12, 40);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            b.At(x, y).code = 11;
            b.At(x, y).pending = 1 + (x * 7 + y * 3) % 10;
        }
    // A road grid that uses every piece, a railway loop, a river with a quay, and a power line.
    for (int i = 1; i <= 9; ++i) {
        b.At(i, 1).code = 17;
        b.At(i, 5).code = 17;
        b.At(1, i).code = 17;
        b.At(5, i).code = 17;
        b.At(9, i).code = 17;
    }
    b.At(3, 3).code = 17;
    b.At(3, 2).code = 17;
    b.At(7, 7).code = 17;
    for (int i = 2; i <= 8; ++i) b.At(i, 10).code = 20;
    b.At(2, 9).code = 20;
    b.At(8, 9).code = 20;
    b.At(8, 8).code = 20;
    for (int y = 0; y < 12; ++y) {
        b.At(11, y).code = 12;
        b.At(10, y).code = y > 5 ? 12 : b.At(10, y).code;
    }
    for (int x = 2; x <= 4; ++x) b.At(x, 7).pending = 36, b.At(x, 7).code = x == 3 ? 9 : b.At(x, 7).code;
    b.At(2, 7).code = 9;
    b.At(4, 7).code = 9;
    b.At(5, 7).pending = 36;
    b.Place(6, 7, 53);
    b.Place(2, 2, 50);
    b.Place(6, 2, 55);
    b.Place(2, 6, 84);
    b.At(10, 3).code = 34;
    b.At(10, 3).pending = 6;
    return b.Render({{4, 10}, {11, 8}}, {115, 199});
}

Canvas RiverScene() {
    SceneBuilder b(6, 20);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) b.At(x, y).code = (x >= 2 && x <= 3) || (y == 4 && x >= 2) ? 12 : 9;
    b.At(1, 1).code = 12;
    b.At(4, 1).code = 17;
    b.At(4, 2).code = 17;
    b.At(5, 2).code = 17;
    b.At(0, 4).code = 20;
    b.At(1, 4).code = 20;
    return b.Render({{3, 2}}, {200});
}

Canvas ForestScene() {
    SceneBuilder b(4, 20);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            b.At(x, y).code = 11;
            b.At(x, y).pending = 1 + (y * 4 + x) % 11;
        }
    return b.Render();
}

Canvas MotorwayScene() {
    SceneBuilder b(8, 30);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) b.At(x, y).code = 9;
    for (int x = 0; x <= 4; x += 2) b.Place(x, 1, 18);
    b.Place(1, 5, 18);
    b.At(6, 1).code = 17;
    b.At(6, 2).code = 17;
    b.At(7, 1).code = 17;
    return b.Render();
}

Canvas CityScene() {
    SceneBuilder b(14);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) b.At(x, y).code = 9;
    for (int i = 0; i < 14; ++i) {
        b.At(i, 4).code = 17;
        b.At(i, 9).code = 17;
        b.At(4, i).code = 17;
        b.At(9, i).code = 17;
    }
    b.Place(0, 0, 60);
    b.Place(5, 0, 77);
    b.Place(10, 0, 94);
    b.Place(0, 5, 56);
    b.Place(2, 5, 73);
    b.Place(0, 7, 90);
    b.Place(2, 7, 57);
    b.Place(5, 5, 13);
    b.Place(10, 5, 37);
    b.Place(0, 10, 40);
    b.Place(5, 10, 111);
    b.Place(10, 10, 103);
    b.Place(8, 5, 99);
    b.Place(3, 0, 51);
    b.Place(3, 1, 68);
    b.Place(3, 2, 86);
    b.Place(3, 3, 118);
    b.Place(8, 0, 52);
    b.Place(8, 1, 41);
    b.Place(8, 2, 70);
    b.Place(8, 3, 45);
    return b.Render();
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const Rgb checker{206, 206, 210};
    bool ok = true;
    ok = WritePng(dir + "/pictures-001-060.png", ContactSheet(1, 60, 1000), 1, checker) && ok;
    ok = WritePng(dir + "/pictures-061-120.png", ContactSheet(61, 120, 1000), 1, checker) && ok;
    ok = WritePng(dir + "/pictures-121-201.png", ContactSheet(121, 201, 1000), 1, checker) && ok;
    ok = WritePng(dir + "/scene-networks.png", NetworkScene(), 2, checker) && ok;
    ok = WritePng(dir + "/scene-city.png", CityScene(), 1, checker) && ok;
    ok = WritePng(dir + "/details-zones.png",
                  ContactSheet({50, 51, 52, 53, 54, 67, 68, 69, 70, 71, 84, 85, 86, 87, 88, 1, 22, 24, 25, 27, 33, 35, 41, 45, 108}, 330),
                  3, checker) && ok;
    ok = WritePng(dir + "/details-small.png",
                  ContactSheet({1, 9, 10, 12, 23, 30, 48, 49, 65, 66, 82, 83, 114, 115, 116, 117, 118, 119, 120, 198, 199, 200, 201,
                                112, 113, 15, 22, 29, 166, 34, 167, 160, 161},
                               330),
                  3, checker) && ok;
    ok = WritePng(dir + "/scene-river.png", RiverScene(), 3, checker) && ok;
    ok = WritePng(dir + "/scene-motorway.png", MotorwayScene(), 2, checker) && ok;
    ok = WritePng(dir + "/scene-forest.png", ForestScene(), 4, checker) && ok;
    ok = WritePng(dir + "/screen-back.png", Quantised(PaintBackdrop()), 1, checker) && ok;
    ok = WritePng(dir + "/screen-title.png", Quantised(PaintTitle()), 2, checker) && ok;
    // The motorway sheet's halves as the renderer puts them together: the road, then
    // the end overlay or the continuing overlay on the same spot.
    {
        const Canvas sheet = Quantised(PaintPicture(18));
        Canvas pair(2 * 122 + 10, 64);
        for (int k = 0; k < 2; ++k)
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 118; ++x) {
                    const int ox = k * 128;
                    if (sheet.Opaque(x, y)) pair.Set(ox + x, y + 2, sheet.At(x, y));
                    const int sx = k == 0 ? x : x + 119;
                    if (sheet.Opaque(sx, y + 61)) pair.Set(ox + x, y + 2, sheet.At(sx, y + 61));
                }
        ok = WritePng(dir + "/motorway.png", pair, 4, checker) && ok;
    }
    // The whole screen: the frame with a part of the city in the map window.
    {
        Canvas screen = Quantised(PaintBackdrop());
        const Canvas city = CityScene();
        for (int y = 0; y < 329; ++y)
            for (int x = 0; x < 621; ++x) {
                const int sx = x + 140, sy = y + 190;
                if (city.Opaque(sx, sy)) screen.Set(x, y + 20, city.At(sx, sy));
            }
        Canvas palette(268, 115);
        for (int y = 0; y < 115; ++y)
            for (int x = 0; x < 268; ++x) palette.Set(x, y, Rgb{192, 192, 192});
        // Buttons in the palette's three rows of six, and the centre tool beside them.
        const int layout[18] = {1, 2, 3, 10, 11, 12, 4, 5, 6, 13, 14, 15, 7, 8, 9, 16, 17, 18};
        for (int i = 0; i < 18; ++i) {
            const int col = i % 6, row = i / 6;
            palette.FillRect(3 + col * 31, 18 + row * 31, 30, 30, Rgb{212, 208, 200});
            palette.Blit(Quantised(PaintGlyph(layout[i])), 6 + col * 31, 21 + row * 31);
        }
        palette.FillRect(190, 18, 30, 30, Rgb{212, 208, 200});
        palette.Blit(Quantised(PaintGlyph(19)), 193, 21);
        screen.Blit(palette, 0, 326);
        PixelFont::Draw(screen, "POP 1200  FUNDS 8450", 276, 368, 1, Rgb{50, 40, 200});
        ok = WritePng(dir + "/screen-game.png", screen, 2, checker) && ok;
    }
    Canvas tools(19 * 36 + 4, 80);
    for (int g = 1; g <= 19; ++g) {
        tools.Blit(Quantised(PaintGlyph(g)), 4 + (g - 1) * 36, 4);
        tools.Blit(Quantised(PaintToolCursor(g)), 4 + (g - 1) * 36, 36);
    }
    ok = WritePng(dir + "/tools.png", tools, 3, Rgb{192, 192, 192}) && ok;
    return ok ? 0 : 1;
}
