// Whole scenes drawn with the test pictures match the expected pictures stored beside
// the tests, pixel for pixel over the map area of the scene. After an intended change
// of the renderer, run with PLAZARO_UPDATE_EXPECTED=1 to write the new pictures.
#include "ViewFixture.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>

namespace viewtest {
namespace {

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb; // 0x00RRGGBB, rows top-down
};

bool WritePng(const std::string& path, const Image& image) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(std::size_t(image.width) * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t c = image.rgb[std::size_t(y) * std::size_t(image.width) + std::size_t(x)];
            row[std::size_t(x) * 3] = png_byte(c >> 16);
            row[std::size_t(x) * 3 + 1] = png_byte(c >> 8);
            row[std::size_t(x) * 3 + 2] = png_byte(c);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return true;
}

bool ReadPng(const std::string& path, Image& image) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, path.c_str()))
        return false;
    img.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, bytes.data(), 0, nullptr))
        return false;
    image.width = int(img.width);
    image.height = int(img.height);
    image.rgb.resize(std::size_t(image.width) * std::size_t(image.height));
    for (std::size_t i = 0; i < image.rgb.size(); ++i)
        image.rgb[i] = (std::uint32_t(bytes[i * 3]) << 16) | (std::uint32_t(bytes[i * 3 + 1]) << 8) | bytes[i * 3 + 2];
    return true;
}

class SceneShotsTest : public ViewTest {
protected:
    // Draws a frame with the view's first position so that (x, y) is near the middle
    // and compares the scene's map area with expected/NAME.png.
    void ExpectScene(const std::string& name, int x, int y) {
        int col = 0, row = 0;
        ViewPosOf(x, y, col, row);
        renderer->DrawFrame(col - 6, row - 12, scene->BackgroundSurface, [] {});
        Image shot;
        shot.width = view::kShownRight - view::kShownLeft;
        shot.height = view::kShownBottom - view::kShownTop;
        for (int py = 0; py < shot.height; ++py)
            for (int px = 0; px < shot.width; ++px) {
                const gdi::COLORREF c =
                    gdi::PixelToColor(scene->BackgroundSurface->PixelAt(px + view::kSceneX, py + view::kSceneY), 16);
                shot.rgb.push_back((std::uint32_t(gdi::GetRValue(c)) << 16) | (std::uint32_t(gdi::GetGValue(c)) << 8) |
                                   gdi::GetBValue(c));
            }
        const std::string path = std::string(PLAZARO_TEST_DATA_DIR) + "/expected/" + name + ".png";
        const char* update = std::getenv("PLAZARO_UPDATE_EXPECTED");
        if (update && std::string(update) == "1") {
            ASSERT_TRUE(WritePng(path, shot)) << path;
            return;
        }
        Image expected;
        ASSERT_TRUE(ReadPng(path, expected)) << "no expected picture " << path
                                             << " (run with PLAZARO_UPDATE_EXPECTED=1 to make it)";
        ASSERT_EQ(expected.width, shot.width);
        ASSERT_EQ(expected.height, shot.height);
        int differing = 0, firstX = -1, firstY = -1;
        for (int py = 0; py < shot.height; ++py)
            for (int px = 0; px < shot.width; ++px) {
                const std::size_t i = std::size_t(py) * std::size_t(shot.width) + std::size_t(px);
                if (expected.rgb[i] != shot.rgb[i] && differing++ == 0) {
                    firstX = px;
                    firstY = py;
                }
            }
        if (differing) {
            WritePng((dir.parent_path() / ("plazaro_actual_" + name + ".png")).string(), shot);
            ADD_FAILURE() << name << ": " << differing << " pixels differ, the first at (" << firstX << ", " << firstY
                          << "); the picture drawn is in " << (dir.parent_path() / ("plazaro_actual_" + name + ".png"));
        }
    }
    void Road(int x, int y) { city.SetCell(x, y, 17); }
};

TEST_F(SceneShotsTest, ARoadGridWithEveryPiece) {
    // Two crossing streets with tees, bends, ends and a lone piece.
    for (int i = 34; i <= 46; ++i) {
        Road(i, 38);
        Road(i, 42);
        Road(38, i);
    }
    for (int i = 38; i <= 42; ++i)
        Road(44, i);
    Road(41, 45);
    Road(40, 46);
    Road(41, 46);
    ExpectScene("road_grid", 40, 40);
}

TEST_F(SceneShotsTest, ARiverWithItsEdgesAndAQuay) {
    for (int y = 30; y <= 50; ++y)
        for (int x = 38 + (y - 30) / 5; x <= 42 + (y - 30) / 5; ++x)
            city.SetCell(x, y, 12);
    for (int y = 36; y <= 40; ++y) {
        city.SetCell(41, y, 34);
        city.Cell(41, y).pendingCode = 6;
    }
    for (int x = 40; x <= 44; ++x) {
        city.SetCell(x, 44, 34);
        city.Cell(x, 44).pendingCode = 5;
    }
    ExpectScene("river_quay", 41, 40);
}

TEST_F(SceneShotsTest, ADenseCityWithEveryFootprint) {
    for (int x = 30; x <= 52; ++x)
        Road(x, 40);
    Place(31, 36, 60);
    Place(34, 36, 37);
    Place(38, 37, 14);
    Place(40, 38, 50);
    Place(41, 38, 51);
    Place(42, 36, 3);
    Place(45, 37, 55);
    Place(47, 37, 1);
    Place(31, 41, 2);
    Place(33, 41, 105);
    Place(37, 41, 62);
    Place(40, 41, 18);
    Place(42, 41, 18);
    Place(44, 41, 100);
    for (int y = 30; y < 50; ++y)
        for (int x = 30; x < 52; ++x)
            city.Cell(x, y).powered = city.Cell(x, y).watered = city.Cell(x, y).sewered = 1;
    ExpectScene("dense_city", 40, 40);
}

TEST_F(SceneShotsTest, PoweredAndUnpoweredDistrictsWithMarkers) {
    city.ObjectTypes[50].needsPower = 1;
    city.ObjectTypes[55].needsPower = city.ObjectTypes[55].needsWater = city.ObjectTypes[55].needsSewage = 1;
    for (int y = 36; y <= 44; y += 2)
        for (int x = 34; x <= 46; ++x) {
            if (x == 40)
                continue;
            city.SetCell(x, y, 50);
            city.Cell(x, y).powered = x < 40;
        }
    for (int y = 36; y <= 44; ++y) {
        city.SetCell(40, y, 17);
        city.Cell(40, y).pendingCode = 36;
        city.Cell(40, y).powered = y < 40;
    }
    Place(42, 45, 55);
    Place(36, 45, 55);
    city.Cell(36, 45).powered = 1;
    ExpectScene("districts_markers", 40, 40);
}

TEST_F(SceneShotsTest, TrainsAndBoatsInTheirFourDirections) {
    for (int x = 32; x <= 48; ++x)
        city.SetCell(x, 38, 20);
    for (int y = 34; y <= 46; ++y)
        city.SetCell(40, y, 20);
    for (int y = 30; y <= 50; ++y)
        for (int x = 44; x <= 47; ++x)
            city.SetCell(x, y, 12);
    int slot = 1;
    auto mover = [&](int x, int y, int kind, int direction) {
        city.Movers[std::size_t(slot)] = TMover{x, y, 1, 1000, 0, std::int16_t(kind), kind == 1 ? 114 : 198, direction};
        city.Cell(x, y).countdown = slot + 130;
        ++slot;
    };
    mover(34, 38, 1, 2);
    mover(37, 38, 1, 4);
    mover(40, 36, 1, 1);
    mover(40, 42, 1, 3);
    mover(45, 36, 2, 1);
    mover(46, 39, 2, 2);
    mover(45, 42, 2, 3);
    mover(46, 45, 2, 4);
    ExpectScene("trains_boats", 41, 40);
}

TEST_F(SceneShotsTest, TreesOfEveryDensity) {
    for (int y = 34; y <= 46; ++y)
        for (int x = 34; x <= 46; ++x) {
            city.SetCell(x, y, 11);
            city.Cell(x, y).pendingCode = (x + 2 * y) % 12; // 0 to 11
        }
    ExpectScene("trees", 40, 40);
}

TEST_F(SceneShotsTest, TheCursorOfEveryFootprint) {
    int col = 0, row = 0;
    ViewPosOf(40, 40, col, row);
    struct Case {
        const char* name;
        int tool;
    } cases[] = {{"cursor_1", 17}, {"cursor_2", 14}, {"cursor_3", 60}, {"cursor_4", 37}, {"cursor_query", 1000}};
    for (const Case& c : cases) {
        city.toolCode = c.tool;
        city.cursorValid = 1;
        // Where the mouse mapping puts the cursor for this footprint.
        city.cursorScreenX = 60 * 6 + 31 - 31 * (c.tool == 1000 ? 1 : city.SizeOf(c.tool));
        city.cursorScreenY = 60 + 15 * 11;
        ExpectScene(c.name, 40, 40);
    }
}

} // namespace
} // namespace viewtest
