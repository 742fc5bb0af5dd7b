// The reader takes any file the game writes (CR LF or LF) and refuses, with a
// message naming the line, every file that is not whole or holds values the game
// cannot hold: it never returns a half-read city.
#include "CityFileTestSupport.h"

#include <gtest/gtest.h>

using cityfile::CityFile;

namespace {

std::string Row(const std::string& pair) {
    std::string row;
    for (int x = 0; x < city::kMapSize; ++x)
        row += pair;
    return row + ";#";
}

// A file typed out by hand in the documented layout, independent of the writer: a
// 2 x 2 building (code 21, a station) anchored at (10, 20), roads along row 21.
std::vector<std::string> HandWrittenLines() {
    std::vector<std::string> lines = {"Riverside;#", "3; 7A0; 2710; 2;#", "64; 0; 1E;#", "19; 64; 50; 64; 0; 64;#"};
    for (int y = 0; y < 80; ++y) {
        std::string row = Row("09");
        if (y == 20)
            row.replace(20, 4, "15FA");
        if (y == 21)
            row.replace(20, 4, "FAFA").replace(40, 10, "1111111111");
        lines.push_back(row);
    }
    for (int y = 0; y < 80; ++y) { // anchorX
        std::string row = Row("00");
        if (y == 20)
            row.replace(22, 2, "0A");
        if (y == 21)
            row.replace(20, 4, "0A0A");
        lines.push_back(row);
    }
    for (int y = 0; y < 80; ++y) { // anchorY
        std::string row = Row("00");
        if (y == 20)
            row.replace(22, 2, "14");
        if (y == 21)
            row.replace(20, 4, "1414");
        lines.push_back(row);
    }
    for (int y = 0; y < 80; ++y) { // pendingCode: trees' densities on row 0
        std::string row = Row("00");
        if (y == 0)
            row.replace(0, 6, "010b06");
        lines.push_back(row);
    }
    for (int y = 0; y < 80; ++y) // countdown
        lines.push_back(Row(y == 79 ? "82" : "00"));
    return lines;
}

std::optional<CityFile> Parse(const std::string& text, std::string& error) {
    return cityfile::ParseCityFile(text, cftest::kSplit, error);
}

} // namespace

TEST(CityFileReader, ReadsAHandWrittenFileWithEitherLineBreak) {
    for (const char* lineBreak : {"\r\n", "\n"}) {
        std::string error;
        std::optional<CityFile> file = Parse(cftest::Join(HandWrittenLines(), lineBreak), error);
        ASSERT_TRUE(file) << error;
        EXPECT_EQ(file->cityName, "Riverside");
        EXPECT_EQ(file->month, 3);
        EXPECT_EQ(file->year, 1952);
        EXPECT_EQ(file->funds, 10000);
        EXPECT_EQ(file->cityRank, 2);
        EXPECT_EQ(file->residentialPop, 100);
        EXPECT_EQ(file->commercialPop, 0);
        EXPECT_EQ(file->industrialPop, 30);
        EXPECT_EQ(file->taxRate, 25);
        EXPECT_EQ(file->fireFunding, 80);
        EXPECT_EQ(file->educationFunding, 0);
        EXPECT_EQ(file->Cell(10, 20), (cityfile::SavedCell{21, 0, 0, 0, 0}));
        EXPECT_EQ(file->Cell(11, 20), (cityfile::SavedCell{250, 10, 20, 0, 0}));
        EXPECT_EQ(file->Cell(11, 21), (cityfile::SavedCell{250, 10, 20, 0, 0}));
        EXPECT_EQ(file->Cell(24, 21).code, 17);
        EXPECT_EQ(file->Cell(1, 0).pendingCode, 11); // lower-case digits read as the runtime reads them
        EXPECT_EQ(file->Cell(79, 79).countdown, 130);
    }
}

TEST(CityFileReader, ToleratesWhatDoesNotChangeTheCity) {
    std::string error;
    std::vector<std::string> lines = HandWrittenLines();
    // No line break after the last line, blank lines after it, extra fields, and a
    // name line without its ";#".
    std::string text = cftest::Join(lines);
    text.resize(text.size() - 2);
    EXPECT_TRUE(Parse(text, error)) << error;
    EXPECT_TRUE(Parse(cftest::Join(lines) + "\r\n  \r\n", error)) << error;
    lines[2] = "64; 0; 1E; 99;#";
    lines[0] = "Riverside";
    std::optional<CityFile> file = Parse(cftest::Join(lines), error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->cityName, "Riversid"); // a last field without ";" loses its last character
    EXPECT_EQ(file->industrialPop, 30);
}

// Each bad file gives its own message; nothing comes back from any of them.
TEST(CityFileReader, RefusesBadFilesWithAMessageNamingTheFault) {
    struct Case {
        const char* what;
        std::function<std::string()> text;
        std::string message;
    };
    auto with = [](std::function<void(std::vector<std::string>&)> change) {
        return [change] {
            std::vector<std::string> lines = HandWrittenLines();
            change(lines);
            return cftest::Join(lines);
        };
    };
    auto setPair = [](int line, int x, const char* pair) {
        return [=](std::vector<std::string>& l) { l[static_cast<size_t>(line - 1)].replace(2 * x, 2, pair); };
    };
    const std::vector<Case> cases = {
        {"empty", [] { return std::string(); }, "the file is empty"},
        {"short", with([](auto& l) { l.resize(100); }), "the file ends after line 100 of 404"},
        {"one line short", with([](auto& l) { l.pop_back(); }), "the file ends after line 403 of 404"},
        {"too many lines", with([](auto& l) { l.push_back(l.back()); }), "the file has more than 404 lines"},
        {"long line", with([](auto& l) { l[6] += std::string(2, '0'); }), "line 7 is longer than 163 characters"},
        {"long name", with([](auto& l) { l[0] = std::string(170, 'x') + ";#"; }),
         "line 1 is longer than 163 characters"},
        {"binary", [] { return std::string("PK\x03\x04\0\0\x14\x00", 8) + std::string(5000, '\xff'); },
         "line 1 holds bytes that are not text"},
        {"a NUL in a row", with([](auto& l) { l[99][3] = '\0'; }), "line 100 holds bytes that are not text"},
        {"lone carriage return", with([](auto& l) { l[1] = "3; 7A0;\r2710; 2;#"; }),
         "line 2 holds bytes that are not text"},
        {"non-hex year", with([](auto& l) { l[1] = "3; 7G0; 2710; 2;#"; }),
         "line 2: '0x7G0' is not a valid integer value"},
        {"empty field", with([](auto& l) { l[2] = "64; ; 1E;#"; }), "line 3: '0x' is not a valid integer value"},
        {"missing field", with([](auto& l) { l[3] = "19; 64; 50; 64; 0;#"; }),
         "line 4: '0x' is not a valid integer value"},
        {"negative sign", with([](auto& l) { l[2] = "-64; 0; 1E;#"; }), "line 3: '0x-64' is not a valid integer value"},
        {"nine digits", with([](auto& l) { l[1] = "3; 7A0; 100000000; 2;#"; }),
         "line 2: '0x100000000' is not a valid integer value"},
        {"non-hex map pair", with(setPair(10, 4, "0Z")), "line 10: a map row needs 160 hexadecimal digits"},
        {"short map row", with([](auto& l) { l[200] = l[200].substr(2); }),
         "line 201: a map row needs 160 hexadecimal digits"},
        {"blank map row", with([](auto& l) { l[300].clear(); }), "line 301: a map row needs 160 hexadecimal digits"},
        {"row split by a semicolon", with([](auto& l) { l[50][80] = ';'; }),
         "line 51: a map row needs 160 hexadecimal digits"},
        {"month 0", with([](auto& l) { l[1] = "0; 7A0; 2710; 2;#"; }), "line 2: month 0 is outside 1 to 12"},
        {"month 13", with([](auto& l) { l[1] = "D; 7A0; 2710; 2;#"; }), "line 2: month 13 is outside 1 to 12"},
        {"negative month", with([](auto& l) { l[1] = "FFFFFFFF; 7A0; 2710; 2;#"; }),
         "line 2: month -1 is outside 1 to 12"},
        {"year that cannot turn", with([](auto& l) { l[1] = "3; 7FFFFFFF; 2710; 2;#"; }),
         "line 2: year 2147483647 is outside -1000000 to 1000000"},
        {"year far back", with([](auto& l) { l[1] = "3; 80000000; 2710; 2;#"; }),
         "line 2: year -2147483648 is outside -1000000 to 1000000"},
        {"rank 0", with([](auto& l) { l[1] = "3; 7A0; 2710; 0;#"; }), "line 2: rank 0 is outside 1 to 6"},
        {"rank 7", with([](auto& l) { l[1] = "3; 7A0; 2710; 7;#"; }), "line 2: rank 7 is outside 1 to 6"},
        {"budget beyond 16 bits", with([](auto& l) { l[3] = "19; 64; 8000; 64; 0; 64;#"; }),
         "line 4: budget setting 32768 is outside -32768 to 32767"},
        {"code 202", with(setPair(6, 3, "CA")), "line 6: cell (3, 1) has code 202, which is no object"},
        {"code 255", with(setPair(84, 79, "FF")), "line 84: cell (79, 79) has code 255, which is no object"},
        {"anchor off the map", with(setPair(85 + 20, 11, "50")),
         "line 105: cell (11, 20) is covered by an object whose anchor (80, 20) is off the map"},
        {"anchor row off the map", with(setPair(165 + 21, 10, "FF")),
         "line 106: cell (10, 21) is covered by an object whose anchor (10, 255) is off the map"},
        {"anchor on a covered cell", with(setPair(85 + 21, 10, "0B")),
         "line 106: cell (10, 21) points at (11, 20), which is not the anchor of an object"},
        {"pending code 130", with(setPair(245 + 7, 7, "82")),
         "line 252: cell (7, 7) has pending code 130, which a city file never holds"},
        {"countdown 131", with(setPair(325 + 2, 0, "83")),
         "line 327: cell (0, 2) has countdown 131, which a city file never holds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        EXPECT_FALSE(Parse(c.text(), error));
        EXPECT_EQ(error, c.message);
    }
}

// A covered cell must lie in the square of the object at its anchor, by the sizes of the
// object table: a damaged anchor pointing at a road, or a table where the station is one
// cell, leave cells covered by nothing the game could bulldoze or draw.
TEST(CityFileReader, CoveredCellsLieInTheirAnchorsSquare) {
    CityState types;
    types.ObjectTypes[21].size = 2; // the station
    types.ObjectTypes[17].size = 1; // a road
    std::string error;
    std::optional<CityFile> file = Parse(cftest::Join(HandWrittenLines()), error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(cityfile::CheckFootprints(*file, types), "");

    std::vector<std::string> lines = HandWrittenLines();
    lines[84 + 21].replace(20, 2, "14"); // (10, 21) now points at the road at (20, 21)
    lines[164 + 21].replace(20, 2, "15");
    file = Parse(cftest::Join(lines), error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(cityfile::CheckFootprints(*file, types),
              "line 106: cell (10, 21) is covered by the object at (20, 21), which does not reach it");

    types.ObjectTypes[21].size = 1;
    file = Parse(cftest::Join(HandWrittenLines()), error);
    EXPECT_EQ(cityfile::CheckFootprints(*file, types),
              "line 105: cell (11, 20) is covered by the object at (10, 20), which does not reach it");
}

TEST(CityFileReader, ChecksAreTheOnesTheGameNeeds) {
    // Codes 0 and 201 are objects; stale anchors on cells that are not covered are
    // kept as they are, since nothing reads them.
    std::vector<std::string> lines = HandWrittenLines();
    lines[84].replace(0, 2, "FF"); // anchorX of (0, 0), a plain cell
    lines[4].replace(0, 2, "00");  // code 0: no object
    lines[4].replace(2, 2, "C9");  // code 201, the last type
    std::string error;
    std::optional<CityFile> file = Parse(cftest::Join(lines), error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->Cell(0, 0).anchorX, 255);
    EXPECT_EQ(file->Cell(1, 0).code, 201);
    EXPECT_EQ(cityfile::CheckCityFile(*file), "");
}
