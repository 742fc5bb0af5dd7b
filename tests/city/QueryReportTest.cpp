// A query report names the clicked object (its anchor's, for a covered cell) in slot 0
// and writes the lines of its report kind at x = 273 in slots 1 to 6, holding the text
// area for two seconds; level words, service words and figures as the city stands.
#include "FakeCityHost.h"

#include "city/Simulation.h"

#include <gtest/gtest.h>

using namespace city;
using Lines = std::vector<std::string>;

namespace {

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override { MakeFlatCity(state); }
    Lines Ask(int x, int y) {
        host.lines.clear();
        Query(state, host, x, y);
        for (const auto& l : host.lines) {
            EXPECT_FALSE(l.echo);
            EXPECT_FALSE(l.recordHistory);
        }
        return host.Texts();
    }
    CityState state;
    FakeCityHost host;
};

TEST_F(QueryTest, ACoveredCellReportsItsAnchorAndHoldsTheScreen) {
    Lay(state, 30, 30, 43, 2); // value 90
    state.powerLeft = 13;
    state.messageElapsed = 500;
    EXPECT_EQ(Ask(31, 31), (Lines{"ECHO; MicroWave Power Plant; 273; 0;", "ECHO; Capacity : 30MW; 273; 1;",
                                  "ECHO; Remaining : 4MW; 273; 2;"}));
    EXPECT_EQ(state.messageHold, 2000);
}

TEST_F(QueryTest, PlantCapacityIsAThirdOfItsValue) {
    state.ObjectTypes[41].value = 20;
    Lay(state, 5, 5, 41);
    state.powerLeft = 4;
    EXPECT_EQ(Ask(5, 5), (Lines{"ECHO; Wind Turbine; 273; 0;", "ECHO; Capacity : 6MW; 273; 1;",
                                "ECHO; Remaining : 1MW; 273; 2;"}));
}

TEST_F(QueryTest, StationPassengersComeFromTheOtherStationsAndTheRoads) {
    for (int i = 0; i < 35; ++i)
        Lay(state, i, 0, kCodeRoad);
    Lay(state, 10, 10, kCodeStation, 2);
    EXPECT_EQ(Ask(10, 10)[1], "ECHO; Passengers : 0 / day; 273; 1;");
    Lay(state, 20, 10, kCodeStation, 2);
    EXPECT_EQ(Ask(21, 11)[1], "ECHO; Passengers : 3 / day; 273; 1;");
}

TEST_F(QueryTest, LevelWordsForPollutionAndCrime) {
    Lay(state, 5, 5, 48);
    const std::pair<int, const char*> cases[] = {{-20, "None"}, {0, "None"},     {1, "Low"},   {10, "Low"},
                                                 {11, "Medium"}, {20, "Medium"}, {21, "High"}, {30, "High"},
                                                 {31, "Very High"}};
    for (const auto& [value, word] : cases) {
        state.Cell(5, 5).pollution = value;
        EXPECT_EQ(Ask(5, 5), (Lines{"ECHO; Residential Low; 273; 0;", "ECHO; Zoned : Residential; 273; 1;",
                                    "ECHO; Crime : None; 273; 2;",
                                    std::string("ECHO; Pollution : ") + word + "; 273; 3;"}))
            << value;
    }
    state.Cell(5, 5).crime = 15;
    EXPECT_EQ(Ask(5, 5)[2], "ECHO; Crime : Medium; 273; 2;");
}

TEST_F(QueryTest, ZonedWordsByCode) {
    const std::pair<int, const char*> cases[] = {{23, "Airport"},    {30, "Seaport"},    {65, "Commercial"},
                                                 {82, "Industrial"}, {49, "Residential"}};
    for (const auto& [code, word] : cases) {
        Lay(state, 5, 5, code);
        EXPECT_EQ(Ask(5, 5)[1], std::string("ECHO; Zoned : ") + word + "; 273; 1;") << code;
    }
    state.ObjectTypes[24].reportKind = 1;
    state.ObjectTypes[13].reportKind = 1;
    Lay(state, 5, 5, 24);
    EXPECT_EQ(Ask(5, 5)[1], "ECHO; Zoned : Airport; 273; 1;");
    Lay(state, 5, 5, 13, 3);
    EXPECT_EQ(Ask(5, 5)[1], "ECHO; Zoned : none; 273; 1;");
}

TEST_F(QueryTest, BuildingsReportTheirSuppliesInSlotsFourToSix) {
    Lay(state, 40, 40, 60, 3);
    state.Cell(40, 40).powered = 1;
    state.Cell(40, 40).watered = 1;
    state.Cell(40, 40).pollution = 25;
    EXPECT_EQ(Ask(42, 41), (Lines{"ECHO; Apartments; 273; 0;", "ECHO; Zoned : Residential; 273; 1;",
                                  "ECHO; Crime : None; 273; 2;", "ECHO; Pollution : High; 273; 3;",
                                  "ECHO; Power : Yes; 273; 4;", "ECHO; Sewage : No; 273; 5;",
                                  "ECHO; Water : Yes; 273; 6;"}));
    // Kind 2 puts the same words in slots 3 to 5.
    Lay(state, 10, 10, 99, 2);
    state.Cell(10, 10).sewered = 1;
    EXPECT_EQ(Ask(10, 10), (Lines{"ECHO; Church; 273; 0;", "ECHO; Crime : None; 273; 1;",
                                  "ECHO; Pollution : None; 273; 2;", "ECHO; Power : No; 273; 3;",
                                  "ECHO; Sewage : Yes; 273; 4;", "ECHO; Water : No; 273; 5;"}));
}

TEST_F(QueryTest, RoadsAndRailways) {
    Lay(state, 3, 3, kCodeRoad);
    state.Cell(3, 3).traffic = 42;
    EXPECT_EQ(Ask(3, 3), (Lines{"ECHO; Road; 273; 0;", "ECHO; Crime : None; 273; 1;",
                                "ECHO; Pollution : None; 273; 2;", "ECHO; Cars / Min : 42; 273; 3;"}));
    Lay(state, 4, 4, kCodeRailway);
    EXPECT_EQ(Ask(4, 4), (Lines{"ECHO; Railway; 273; 0;", "ECHO; Crime : None; 273; 1;",
                                "ECHO; Pollution : None; 273; 2;"}));
}

TEST_F(QueryTest, ServiceCostsComeFromThePanelsUpDowns) {
    Lay(state, 10, 10, 101, 3);
    Lay(state, 20, 10, 102, 3);
    Lay(state, 30, 10, 103, 3);
    // Without a panel the stored settings stand in.
    EXPECT_EQ(Ask(10, 10), (Lines{"ECHO; Police Station; 273; 0;", "ECHO; Officers : ; 273; 1;",
                                  "ECHO; Crimes Reported : ; 273; 2;", "ECHO; Arrests : ; 273; 3;",
                                  "ECHO; Anual Cost : £300; 273; 4;"}));
    host.positions = std::array<int, 6>{25, 40, 3, 7, 100, 100};
    EXPECT_EQ(Ask(10, 10)[4], "ECHO; Anual Cost : £120; 273; 4;");
    EXPECT_EQ(Ask(21, 11), (Lines{"ECHO; Fire Station; 273; 0;", "ECHO; Fire Fighters : ; 273; 1;",
                                  "ECHO; Fire Engines : ; 273; 2;", "ECHO; Responce Time : ; 273; 3;",
                                  "ECHO; Anual Cost : £7; 273; 4;"}));
    EXPECT_EQ(Ask(30, 10), (Lines{"ECHO; Hospital; 273; 0;", "ECHO; Beds : ; 273; 1;", "ECHO; Patients : ; 273; 2;",
                                  "ECHO; Doctors : ; 273; 3;", "ECHO; Anual Cost : £21; 273; 4;"}));
}

TEST_F(QueryTest, SchoolsShareTheResidentsAmongThemselves) {
    state.residentialPop = 1000;
    Lay(state, 10, 10, 104, 3);
    Lay(state, 20, 10, 104, 3);
    state.educationFunding = 30;
    EXPECT_EQ(Ask(10, 10), (Lines{"ECHO; School; 273; 0;", "ECHO; Capacity : 500; 273; 1;",
                                  "ECHO; Students : 500; 273; 2;", "ECHO; Teachers : 30; 273; 3;",
                                  "ECHO; Class Size : 16; 273; 4;"}));
    // No teachers: the report still comes, without a class size.
    state.educationFunding = 0;
    const Lines report = Ask(10, 10);
    ASSERT_EQ(report.size(), 5u);
    EXPECT_EQ(report[3], "ECHO; Teachers : 0; 273; 3;");
    EXPECT_EQ(report[4], "ECHO; Class Size : -; 273; 4;");
}

TEST_F(QueryTest, LibrariesAndMuseumsHaveFixedLines) {
    Lay(state, 10, 10, 106, 2);
    Lay(state, 20, 10, 107, 3);
    EXPECT_EQ(Ask(10, 10), (Lines{"ECHO; Library; 273; 0;", "ECHO; Attendance : ; 273; 1;", "ECHO; Books : ; 273; 2;"}));
    EXPECT_EQ(Ask(20, 10),
              (Lines{"ECHO; Museum; 273; 0;", "ECHO; Attendance : ; 273; 1;", "ECHO; Exibits : ; 273; 2;"}));
}

TEST_F(QueryTest, LargeParksAreReportedTogether) {
    state.residentialPop = 1000;
    Lay(state, 10, 10, 109, 2);
    Lay(state, 40, 40, 109, 2);
    const Lines report{"ECHO; Large Park; 273; 0;", "ECHO; Attendance : 50; 273; 1;", "ECHO; Acres : 8; 273; 2;",
                       "ECHO; Employes : 20; 273; 3;"};
    EXPECT_EQ(Ask(10, 10), report);
    EXPECT_EQ(Ask(41, 41), report);
    // A park report on a city without Large Parks must not divide by zero.
    state.ObjectTypes[108].reportKind = 15;
    Lay(state, 10, 10, 108);
    Lay(state, 40, 40, 108);
    EXPECT_EQ(Ask(10, 10), (Lines{"ECHO; Small Park; 273; 0;", "ECHO; Attendance : 0; 273; 1;",
                                  "ECHO; Acres : 0; 273; 2;", "ECHO; Employes : 0; 273; 3;"}));
}

TEST_F(QueryTest, MarinaBoatsAreDrawnOnEveryClick) {
    Lay(state, 10, 10, kCodeMarina, 3);
    Lay(state, 30, 10, kCodeMarina, 3);
    state.Seed(17);
    Draws draws(17);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Ask(10, 10)[1], "ECHO; Boats : " + std::to_string(2 * (draws.Random(5) + 18)) + "; 273; 1;");
}

TEST_F(QueryTest, WaterAndSewageWorksReportWhatIsLeft) {
    Lay(state, 5, 5, 45);
    Lay(state, 10, 10, 46, 2);
    state.waterLeft = 12;
    state.sewageLeft = 33;
    EXPECT_EQ(Ask(5, 5), (Lines{"ECHO; Water Pump; 273; 0;", "ECHO; Capacity : 40; 273; 1;",
                                "ECHO; Remaining : 12; 273; 2;"}));
    EXPECT_EQ(Ask(11, 10), (Lines{"ECHO; Treatment Works; 273; 0;", "ECHO; Capacity : 50; 273; 1;",
                                  "ECHO; Remaining : 33; 273; 2;"}));
}

TEST_F(QueryTest, KindsWithoutALayoutShowTheNameOnly) {
    state.ObjectTypes[12].reportKind = 7;
    Lay(state, 5, 5, kCodeWater);
    EXPECT_EQ(Ask(5, 5), (Lines{"ECHO; Water; 273; 0;"}));
    Lay(state, 6, 6, kCodeEmpty); // kind 0
    EXPECT_EQ(Ask(6, 6), (Lines{"ECHO; Empty Land; 273; 0;"}));
}

TEST_F(QueryTest, CellsOffTheMapOrWithALostAnchorReportNothing) {
    EXPECT_TRUE(Ask(80, 5).empty());
    EXPECT_TRUE(Ask(-1, 5).empty());
    EXPECT_EQ(state.messageHold, 0);
    state.SetCell(3, 3, kCodeCovered);
    state.Cell(3, 3).anchorX = 90;
    EXPECT_TRUE(Ask(3, 3).empty());
}

} // namespace

namespace {

// The line count the window relies on to write below a report matches the lines
// every report kind really writes.
TEST_F(QueryTest, ReportLineCountsMatchEveryKind) {
    for (int kind = 0; kind <= 20; ++kind) {
        state.ObjectTypes[44].reportKind = kind;
        state.ObjectTypes[44].size = 1;
        state.Cell(5, 5).code = 44;
        const Lines lines = Ask(5, 5);
        int slots = 0;
        for (const std::string& line : lines) {
            const auto end = line.rfind(';');
            const auto start = line.rfind("; ", end - 1);
            slots = std::max(slots, std::stoi(line.substr(start + 2, end - start - 2)) + 1);
        }
        EXPECT_EQ(QueryReportLines(kind), slots) << "kind " << kind;
    }
}

// A zone cell's hints name what keeps it from growing, without drawing a number.
TEST_F(QueryTest, GrowthHintsNameWhatAZoneLacks) {
    state.Cell(10, 10).code = 49;
    state.residentialPop = 100; // homes in surplus: little demand
    state.taxRate = 31;
    EXPECT_EQ(GrowthHints(state, 10, 10), (Lines{"Needs power next to it", "Needs a road within 3",
                                                 "Little demand for homes", "Tax above 30 stops growth"}));
    state.Cell(10, 11).powered = 1;
    state.Cell(12, 12).code = kCodeRoad; // diagonal, in reach
    state.commercialPop = 200;           // jobs outnumber homes
    state.taxRate = 30;
    CityState before = state;
    EXPECT_TRUE(GrowthHints(state, 10, 10).empty());
    EXPECT_EQ(state.Random(1000), before.Random(1000));
    // A road in the zone's own row is not found; not a zone: no hints.
    state.Cell(12, 12).code = kCodeEmpty;
    state.Cell(12, 10).code = kCodeRoad;
    EXPECT_EQ(GrowthHints(state, 10, 10), Lines{"Needs a road within 3"});
    EXPECT_TRUE(GrowthHints(state, 12, 10).empty());
}

} // namespace
