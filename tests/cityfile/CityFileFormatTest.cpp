// The city file's text: 404 lines in a fixed order, upper-case hexadecimal with
// minimum digits and two's complement for negatives, CR LF line breaks, and a round
// trip that gives back every saved word except the values never saved as they are.
#include "CityFileTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>

using cityfile::CityFile;

namespace {

CityFile Capture(CityState& city) {
    std::string error;
    std::optional<CityFile> file = cityfile::CaptureCity(city, error);
    EXPECT_TRUE(file) << error;
    return file.value_or(CityFile{});
}

CityFile Load(const std::string& text) {
    std::string error;
    std::optional<CityFile> file = cityfile::ParseCityFile(text, cftest::kSplit, error);
    EXPECT_TRUE(file) << error;
    return file.value_or(CityFile{});
}

CityState NewCity() {
    CityState city;
    city.GenerateLandscape();
    city.cityName = "New City";
    city.funds = 20000;
    return city;
}

} // namespace

TEST(HexNumbers, MinimumDigitsUpperCaseAndTwosComplement) {
    EXPECT_EQ(cityfile::Hex(1950, 3), "79E");
    EXPECT_EQ(cityfile::Hex(2016, 3), "7E0");
    EXPECT_EQ(cityfile::Hex(5, 3), "005");
    EXPECT_EQ(cityfile::Hex(0, 1), "0");
    EXPECT_EQ(cityfile::Hex(0, 2), "00");
    EXPECT_EQ(cityfile::Hex(250, 2), "FA");
    EXPECT_EQ(cityfile::Hex(0x12345, 2), "12345");
    EXPECT_EQ(cityfile::Hex(-1000, 1), "FFFFFC18");
    EXPECT_EQ(cityfile::Hex(-1, 3), "FFFFFFFF");
    EXPECT_EQ(cityfile::Hex(std::numeric_limits<std::int32_t>::min(), 1), "80000000");
    // Every digit count and width against the C library's formatting.
    for (int width = 1; width <= 9; ++width)
        for (int bit = 0; bit < 32; ++bit)
            for (std::uint32_t word : {std::uint32_t{1} << bit, (std::uint32_t{1} << bit) - 1, 0xA5C3F00Fu >> bit}) {
                char expected[16];
                std::snprintf(expected, sizeof expected, "%0*X", width, static_cast<unsigned>(word));
                ASSERT_EQ(cityfile::Hex(static_cast<std::int32_t>(word), width), expected) << word << " " << width;
            }
}

TEST(HexNumbers, ReadAsTheRuntimeReadsZeroXAndTheField) {
    EXPECT_EQ(cityfile::ParseHex("FFFFFC18"), -1000);
    EXPECT_EQ(cityfile::ParseHex("ffffffff"), -1);
    EXPECT_EQ(cityfile::ParseHex("7e0"), 2016);
    EXPECT_EQ(cityfile::ParseHex("000000001"), 1); // leading zeros do not overflow
    EXPECT_EQ(cityfile::ParseHex("7FFFFFFF"), std::numeric_limits<std::int32_t>::max());
    for (const char* bad : {"", "100000000", "-5", "+5", "1 2", "0x10", "$10", "G", "12;"})
        EXPECT_FALSE(cityfile::ParseHex(bad)) << bad;
}

TEST(CityFileText, LinesOfANewCityInJanuary1950) {
    CityState city = NewCity();
    const std::vector<std::string> lines = cityfile::FormatCityFile(Capture(city));
    ASSERT_EQ(lines.size(), 404u);
    EXPECT_EQ(lines[0], "New City;#");
    EXPECT_EQ(lines[1], "1; 79E; 4E20; 1;#");
    EXPECT_EQ(lines[2], "0; 0; 0;#");
    EXPECT_EQ(lines[3], "19; 64; 64; 64; 64; 64;#");
    for (size_t i = 4; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), 162u) << "line " << i + 1;
        EXPECT_EQ(lines[i].substr(160), ";#");
    }
    // The code rows hold 09, 0B and 0C; the other blocks are all zero.
    EXPECT_EQ(lines[4].find_first_not_of("09BC"), 160u);
    EXPECT_EQ(lines[84], std::string(160, '0') + ";#");
}

TEST(CityFileText, FieldOrderOfEveryScalarAndEveryBlock) {
    CityState city = NewCity();
    city.cityName = "Riverside";
    city.month = 12;
    city.year = 2016;
    city.funds = -1000;
    city.cityRank = 6;
    city.residentialPop = 0x1234;
    city.commercialPop = 7;
    city.industrialPop = 0xABCDE;
    city.taxRate = -1;
    city.policeFunding = 1;
    city.fireFunding = 2;
    city.hospitalFunding = 3;
    city.educationFunding = 0x7FFF;
    city.transportFunding = -32768;
    TMapCell& c = city.Cell(79, 2);
    c.code = 250;
    c.anchorX = 78;
    c.anchorY = 1;
    c.pendingCode = 36;
    c.countdown = 130;
    const std::vector<std::string> lines = cityfile::FormatCityFile(Capture(city));
    EXPECT_EQ(lines[1], "C; 7E0; FFFFFC18; 6;#");
    EXPECT_EQ(lines[2], "1234; 7; ABCDE;#");
    EXPECT_EQ(lines[3], "FFFFFFFF; 1; 2; 3; 7FFF; FFFF8000;#");
    // Cell (79, 2) is the last pair of row 2 in each block.
    EXPECT_EQ(lines[4 + 2].substr(158, 2), "FA");
    EXPECT_EQ(lines[84 + 2].substr(158, 2), "4E");
    EXPECT_EQ(lines[164 + 2].substr(158, 2), "01");
    EXPECT_EQ(lines[244 + 2].substr(158, 2), "24");
    EXPECT_EQ(lines[324 + 2].substr(158, 2), "82");
}

TEST(CityFileText, ValuesNotSavedAsTheyAre) {
    CityState city = NewCity();
    city.Cell(0, 0).pendingCode = 129;
    city.Cell(1, 0).pendingCode = 130; // 130 and up are saved as 0
    city.Cell(2, 0).pendingCode = 5000;
    city.Cell(0, 1).countdown = 130;
    city.Cell(1, 1).countdown = 131; // above 130 a mover stands there: saved as 0
    city.Cell(2, 1).countdown = -7;  // set to 0 in the map itself
    const CityFile file = Capture(city);
    EXPECT_EQ(file.Cell(0, 0).pendingCode, 129);
    EXPECT_EQ(file.Cell(1, 0).pendingCode, 0);
    EXPECT_EQ(file.Cell(2, 0).pendingCode, 0);
    EXPECT_EQ(file.Cell(0, 1).countdown, 130);
    EXPECT_EQ(file.Cell(1, 1).countdown, 0);
    EXPECT_EQ(file.Cell(2, 1).countdown, 0);
    EXPECT_EQ(city.Cell(2, 1).countdown, 0);
    EXPECT_EQ(city.Cell(1, 1).countdown, 131);
    EXPECT_EQ(city.Cell(2, 0).pendingCode, 5000);
}

TEST(CityFileText, WordsThatAreNotSavedLeaveTheFileAlone) {
    CityState a = NewCity(), b = NewCity();
    cftest::FillRandomCity(a, 3);
    cftest::FillRandomCity(b, 3);
    for (TMapCell& c : b.CityMap) {
        c.powered ^= 1;
        c.sewered ^= 1;
        c.watered ^= 1;
        c.traffic += 1;
        c.crime += 2;
        c.pollution += 3;
    }
    b.Movers[4] = TMover{3, 4, 1, 3, 1, 1, 114, 2};
    b.monthLength = 2000;
    b.toolName = "Road";
    b.toolCode = 17;
    b.toolPrice = 20;
    b.unlocks.fill(1);
    b.powerCapacity = b.waterCapacity = b.sewageCapacity = 999;
    EXPECT_EQ(cityfile::FormatCityFile(Capture(a)), cityfile::FormatCityFile(Capture(b)));
}

TEST(CityFileText, RandomCitiesComeBackWordForWord) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CityState city;
        cftest::FillRandomCity(city, seed);
        const CityState before = city;
        const std::string crlf = cftest::Join(cityfile::FormatCityFile(Capture(city)));
        const CityFile loaded = Load(crlf);
        // The same text with LF alone reads the same.
        std::string lf;
        for (char ch : crlf)
            if (ch != '\r')
                lf += ch;
        EXPECT_EQ(Load(lf), loaded);

        EXPECT_EQ(loaded.cityName, before.cityName);
        EXPECT_EQ(loaded.month, before.month);
        EXPECT_EQ(loaded.year, before.year);
        EXPECT_EQ(loaded.funds, before.funds);
        EXPECT_EQ(loaded.cityRank, before.cityRank);
        EXPECT_EQ(loaded.residentialPop, before.residentialPop);
        EXPECT_EQ(loaded.commercialPop, before.commercialPop);
        EXPECT_EQ(loaded.industrialPop, before.industrialPop);
        EXPECT_EQ(loaded.taxRate, before.taxRate);
        EXPECT_EQ(loaded.policeFunding, before.policeFunding);
        EXPECT_EQ(loaded.fireFunding, before.fireFunding);
        EXPECT_EQ(loaded.hospitalFunding, before.hospitalFunding);
        EXPECT_EQ(loaded.educationFunding, before.educationFunding);
        EXPECT_EQ(loaded.transportFunding, before.transportFunding);
        int exceptions = 0;
        for (int y = 0; y < city::kMapSize; ++y)
            for (int x = 0; x < city::kMapSize; ++x) {
                const TMapCell& b = before.Cell(x, y);
                const cityfile::SavedCell& l = loaded.Cell(x, y);
                ASSERT_EQ(l.code, b.code);
                ASSERT_EQ(l.anchorX, b.anchorX);
                ASSERT_EQ(l.anchorY, b.anchorY);
                const bool pendingKept = b.pendingCode < 130;
                const bool countdownKept = b.countdown >= 0 && b.countdown <= 130;
                ASSERT_EQ(l.pendingCode, pendingKept ? b.pendingCode : 0);
                ASSERT_EQ(l.countdown, countdownKept ? b.countdown : 0);
                exceptions += !pendingKept + !countdownKept;
            }
        // The random cities do exercise the exceptions.
        EXPECT_GT(exceptions, 100);

        // Loading into another city sets exactly the saved words.
        CityState other;
        cftest::FillRandomCity(other, seed + 1000);
        const CityState otherBefore = other;
        cityfile::ApplyCityFile(loaded, other);
        EXPECT_EQ(cityfile::FormatCityFile(Capture(other)), cityfile::FormatCityFile(loaded));
        for (size_t i = 0; i < other.CityMap.size(); ++i) {
            ASSERT_EQ(other.CityMap[i].traffic, otherBefore.CityMap[i].traffic);
            ASSERT_EQ(other.CityMap[i].powered, otherBefore.CityMap[i].powered);
        }
        EXPECT_EQ(other.monthLength, otherBefore.monthLength);
    }
}

TEST(CityFileText, NamesWithSemicolonsHashesAndBlanks) {
    const std::pair<std::string, std::string> cases[] = {
        {"Port;Royal", "Port"},
        {"Port; Royal", "Port"},
        {"No#1 Town", "No"},
        {"   Old Town   ", "Old Town"},
        {"Old Town  ", "Old Town"},
        {"", ""},
        {";", ""},
        {"\xA3 Town", "\xA3 Town"}, // a pound sign in the player's code page stays a byte
    };
    for (const auto& [name, back] : cases) {
        CityState city = NewCity();
        city.cityName = name;
        EXPECT_EQ(Load(cftest::Join(cityfile::FormatCityFile(Capture(city)))).cityName, back) << "[" << name << "]";
    }
}

TEST(CityFileText, ACityThatCannotBeWrittenIsRefusedUntouched) {
    // A word needing more than two digits would shift every later cell of its row.
    CityState city = NewCity();
    city.Cell(5, 5).code = 300;
    city.Cell(6, 6).countdown = -3;
    std::string error;
    EXPECT_FALSE(cityfile::CaptureCity(city, error));
    EXPECT_EQ(error, "cell (5, 5): code 300 does not fit two digits");
    EXPECT_EQ(city.Cell(6, 6).countdown, -3);

    CityState named = NewCity();
    named.cityName = std::string(162, 'a');
    EXPECT_FALSE(cityfile::CaptureCity(named, error));
    named.cityName = std::string(161, 'a');
    EXPECT_TRUE(cityfile::CaptureCity(named, error));
    named.cityName = "Two\nLines";
    EXPECT_FALSE(cityfile::CaptureCity(named, error));
}
