// A whole game through the mouse and the clock, on the object types the game ships
// with: a new city, a plant, power lines, roads and zones laid by clicks and drags,
// months and a year passing, zones growing through sites into buildings, the
// population always matching what stands on the map, a query and a bulldozer.
#include "PlacementTestSupport.h"
#include "city/CityClock.h"
#include "city/CityInput.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace city;

namespace {

// The CODE lines of the shipped start-up script, read field by field.
void LoadShippedTypes(CityState& state) {
    std::ifstream in(PLAZARO_SCRIPT_DIR "/City.ini");
    ASSERT_TRUE(in) << "City.ini";
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("CODE; ", 0) != 0)
            continue;
        std::vector<std::string> f;
        for (size_t at = 0, end; (end = line.find(';', at)) != std::string::npos; at = end + 2)
            f.push_back(line.substr(at, end - at));
        ASSERT_GE(f.size(), 9u) << line;
        TObjectType& t = state.ObjectTypes.at(static_cast<size_t>(std::stoi(f[1])));
        t.size = std::stoi(f[2]);
        t.value = std::stoi(f[3]);
        t.reportKind = std::stoi(f[4]);
        t.needsPower = f[5] == "1";
        t.needsSewage = f[6] == "1";
        t.needsWater = f[7] == "1";
        t.name = f[8];
    }
    // The start-up code always defines the railway itself.
    state.ObjectTypes[20] = TObjectType{1, 0, 3, 0, 0, 0, 0, 0, 0, "Railway"};
}

// The population each kind should have: every building standing, and every site
// counted by the building it will become.
struct Census {
    long long r = 0, c = 0, i = 0;
};
Census Count(const CityState& state) {
    Census n;
    for (const TMapCell& cell : state.CityMap) {
        const int code = cell.code >= 1 && cell.code <= 3 ? cell.pendingCode : cell.code;
        const TObjectType* t = state.TypeOf(code);
        if (!t || code == kCodeCovered)
            continue;
        if (code >= 50 && code <= 64)
            n.r += t->value;
        else if (code >= 67 && code <= 81)
            n.c += t->value;
        else if (code >= 84 && code <= 98)
            n.i += t->value;
    }
    return n;
}

class CityGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadShippedTypes(state);
        state.BuildViewGrid();
        state.Seed(2026);
        // The new-city procedure's own part of the state.
        state.GenerateLandscape();
        state.funds = 20000;
        state.cityRank = 1;
        state.residentialPop = state.commercialPop = state.industrialPop = 0;
        state.month = 1;
        state.year = 1950;
        state.monthLength = 6000;
        Choose(9, "Bulldoze", 10);
    }
    // What a palette choice leaves behind once the interpreter has accepted it.
    void Choose(int code, const char* name, int price) {
        state.toolCode = code;
        state.toolName = name;
        state.toolPrice = price;
    }
    void Click(int x, int y) { ClickAt(state, host, input, x, y); }
    void Drag(int x0, int y0, int x1, int y1) {
        ClickAt(state, host, input, x0, y0, true);
        ClickAt(state, host, input, x1, y1, true);
    }
    void Months(int n) {
        for (int i = 0; i < n * state.monthLength / 100; ++i)
            clock.ClockTimer();
    }
    void ExpectCensus() {
        const Census n = Count(state);
        EXPECT_EQ(n.r, state.residentialPop);
        EXPECT_EQ(n.c, state.commercialPop);
        EXPECT_EQ(n.i, state.industrialPop);
    }

    CityState state;
    FakeCityHost host;
    CityInput input{state, host};
    CityClock clock{state, host};
};

TEST_F(CityGameTest, ACityGrowsFromClicksDragsAndMonths) {
    // The river starts at column 21 or further right: the west is dry land and woods.
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_NE(state.Cell(x, y).code, kCodeWater);

    host.autoBudget = true;
    Choose(37, "Coal Power Plant", 4000);
    Click(1, 1);
    ASSERT_EQ(state.Cell(1, 1).code, 37);
    Choose(36, "Power Line", 10);
    for (int y = 5; y <= 20; ++y)
        Click(3, y); // a line south from the plant over the woods
    Choose(17, "Road", 20);
    Drag(4, 12, 16, 12);
    Choose(48, "R Low Density", 10);
    Drag(4, 13, 16, 15);
    Choose(65, "C Low Density", 10);
    Drag(4, 9, 16, 11);
    Choose(82, "I Low Density", 10);
    Drag(4, 16, 16, 17);
    EXPECT_EQ(state.funds, 20000 - 4000 - 16 * 10 - 13 * 20 - 39 * 10 - 39 * 10 - 26 * 10);
    EXPECT_EQ(state.CountCells(48), 39);
    EXPECT_EQ(state.CountCells(17), 13);

    // Months pass: sites appear, and later buildings stand where they were.
    bool sawSite = false;
    for (int m = 0; m < 11; ++m) {
        Months(1);
        ExpectCensus();
        sawSite = sawSite || state.CountCells(1) > 0;
    }
    EXPECT_TRUE(sawSite);
    EXPECT_EQ(state.month, 12);
    EXPECT_EQ(state.year, 1950);
    EXPECT_TRUE(state.IsCell(3, 10, kSelPowered));
    int built = 0;
    for (int code = 50; code <= 98; ++code)
        built += state.CountCells(code);
    EXPECT_GT(built, 0);
    EXPECT_GT(state.residentialPop + state.commercialPop + state.industrialPop, 0);

    // The turn of the year with Auto Budget: taxes come in and the clock runs on.
    const int funds = state.funds;
    const int pop = state.residentialPop + state.commercialPop + state.industrialPop;
    Months(1);
    EXPECT_EQ(state.year, 1951);
    EXPECT_EQ(state.month, 1);
    EXPECT_TRUE(host.clockOn);
    // Taxes at half the rate of 25 from everyone, less the upkeep of the thirteen roads.
    const int roadUpkeep = static_cast<int>(13 * 0.7 * 100);
    EXPECT_EQ(state.funds, funds + 12 * pop - roadUpkeep);
    ExpectCensus();

    // A query of a grown building, then the bulldozer takes it away again.
    int bx = -1, by = -1;
    for (int y = 0; y < 80 && bx < 0; ++y)
        for (int x = 0; x < 80; ++x)
            if (state.Cell(x, y).code >= 50 && state.Cell(x, y).code <= 54) {
                bx = x;
                by = y;
                break;
            }
    ASSERT_GE(bx, 0);
    const int code = state.Cell(bx, by).code;
    host.Clear();
    Choose(kToolQuery, "Query", 0);
    Click(bx, by);
    ASSERT_FALSE(host.lines.empty());
    EXPECT_EQ(host.lines[0].text, "ECHO; " + state.ObjectTypes[static_cast<size_t>(code)].name + "; 273; 0;");
    const int residents = state.residentialPop;
    Choose(9, "Bulldoze", 10);
    Click(bx, by);
    EXPECT_EQ(state.Cell(bx, by).code, kCodeCleared);
    EXPECT_EQ(state.residentialPop, residents - state.ObjectTypes[static_cast<size_t>(code)].value);
    ExpectCensus();
}

TEST_F(CityGameTest, WithoutAutoBudgetTheYearStopsTheClock) {
    state.month = 12;
    host.clockOn = true;
    Months(1);
    EXPECT_EQ(state.year, 1951);
    EXPECT_FALSE(host.clockOn);
    EXPECT_EQ(host.budgetShows, 1);
    EXPECT_EQ(host.lastBudget.yearCaption, "1951 Budget");
}

} // namespace
