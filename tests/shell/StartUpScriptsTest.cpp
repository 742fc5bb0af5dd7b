// The shipped start-up scripts: every line fits a script line, every object code
// the game uses has a type whose footprint matches its picture, and the tool
// groups' cursors and the pop-up point are set.
#include "ShellFixture.h"

#include <fstream>

namespace {

using StartUpScripts = ShellTest;

std::vector<std::string> Lines(const std::string& name) {
    std::ifstream f(std::string(PLAZARO_PROGRAM_DIR) + "/" + name, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(f, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

TEST_F(StartUpScripts, EveryLineFitsAScriptLine) {
    for (const char* name : {"City.ini", "Default.ini"}) {
        std::vector<std::string> lines = Lines(name);
        ASSERT_FALSE(lines.empty()) << name;
        for (const std::string& line : lines)
            EXPECT_LE(line.size(), 54u) << name << ": " << line;
    }
}

TEST_F(StartUpScripts, TheObjectTableIsCompleteAndConsistent) {
    for (const std::string& line : Lines("City.ini"))
        form->RunCommand(line, false, false);
    const auto& types = form->City.ObjectTypes;
    // Footprints by picture width, as the art is drawn.
    auto expectSize = [&](int code, int size) { EXPECT_EQ(types[code].size, size) << "code " << code; };
    for (int code : {1, 9, 10, 11, 12, 15, 17, 20, 22, 23, 24, 25, 27, 29, 30, 33, 34, 35, 41, 45, 108, 112, 113})
        expectSize(code, 1);
    for (int code : {2, 14, 16, 19, 21, 26, 28, 31, 32, 43, 46, 99, 106, 109})
        expectSize(code, 2);
    for (int code : {3, 13, 42, 47, 100, 101, 102, 103, 104, 107, 110})
        expectSize(code, 3);
    for (int code : {37, 38, 39, 40, 44, 105, 111})
        expectSize(code, 4);
    // Zone buildings: level 1 to 3 is footprint 1 to 3, populations grow with level.
    for (int base : {50, 67, 84}) {
        for (int level = 1; level <= 3; ++level)
            for (int v = 0; v < 5; ++v)
                expectSize(base + (level - 1) * 5 + v, level);
        for (int v = 0; v < 5; ++v) {
            EXPECT_LT(types[base + v].value, types[base + 5 + v].value);
            EXPECT_LT(types[base + 5 + v].value, types[base + 10 + v].value);
        }
    }
    // Plants and works serve cells; the query tool shows them as a capacity.
    for (int code = 37; code <= 47; ++code)
        EXPECT_GT(types[code].value, 0) << code;
    for (int code = 37; code <= 44; ++code)
        EXPECT_EQ(types[code].reportKind, 6) << code;
    EXPECT_EQ(types[45].reportKind, 17);
    EXPECT_EQ(types[46].reportKind, 18);
    for (int code : {1, 2, 3, 9, 11, 12, 17, 18, 19, 21, 36, 48, 49, 50, 99, 101, 104, 106, 107, 109, 110})
        EXPECT_FALSE(types[code].name.empty()) << code;
    // Animated objects name runs whose pictures share their footprint.
    EXPECT_EQ(types[37].spritePicture, 171);
    EXPECT_EQ(types[41].spritePicture, 177);
    EXPECT_EQ(types[77].spritePicture, 183);
}

TEST_F(StartUpScripts, DefaultRegistersEveryToolCursorAndThePopupPoint) {
    sound.status = "Sound initialised";
    for (const std::string& line : Lines("Default.ini"))
        form->RunCommand(line, false, false);
    for (int group = 1; group <= 19; ++group)
        EXPECT_FALSE(ui::Screen::Instance().CursorAt(group).resourceName.empty()) << group;
    EXPECT_EQ(ui::Screen::Instance().CursorAt(17).resourceName, "QUERY");
    EXPECT_GT(form->City.popupY, 102); // the tallest menu still opens on the screen
    EXPECT_EQ(sound.calls.front(), "Init");
}

} // namespace
