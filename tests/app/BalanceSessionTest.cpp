// The balance of the shipped object table, as scripted newcomers meet it over decades
// of play on several maps: a compact city with a church rises to Village at once, Town
// within ten years and City within twenty-five, growing flats and towers where parks
// and services stand; a wide road grid or a city that bought every service falls into
// debt and climbs out within a few years of following the guide's advice; a city of
// heavy industry pays its way. Broad shapes only: the exact figures are in the notes.
#include "NewcomerPlayers.h"

#include <gtest/gtest.h>

namespace {

using newcomer::Game;
using newcomer::YearFigures;

// The first year that began at the rank or above, 0 when none did.
int YearOfRank(const std::vector<YearFigures>& rows, int rank) {
    for (const YearFigures& r : rows)
        if (r.rank >= rank)
            return r.year;
    return 0;
}

TEST(NewcomerBalance, ACompactCityWithAChurchRisesToCityWithinTwentyFiveYears) {
    for (int seed : {1, 2, 3}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Game game(seed);
        newcomer::CompactPlayer player(game);
        const auto rows = player.Play("Compton", 25);
        ASSERT_EQ(rows.size(), 26u);
        EXPECT_TRUE(game.Errors().empty()) << game.Errors().front();
        const int village = YearOfRank(rows, 2);
        const int town = YearOfRank(rows, 3);
        const int city = YearOfRank(rows, 4);
        EXPECT_GE(village, 1951);
        EXPECT_LE(village, 1952);
        // Not a Town at the first turn of the year: the first blocks make a Village.
        EXPECT_GE(town, 1953);
        EXPECT_LE(town, 1960);
        EXPECT_GE(city, 1962);
        EXPECT_LE(city, 1975);
        // The starting funds are spent on the first blocks, and the city pays its way.
        EXPECT_LT(rows[0].funds, 15000);
        for (const YearFigures& r : rows)
            EXPECT_GT(r.funds, 0) << r.year;
        // The high-density blocks among their parks and services grow flats and towers.
        const YearFigures& last = rows.back();
        EXPECT_GT(last.levels[2], 50);
        EXPECT_GT(last.levels[3], 5);
        // Homes balance the jobs of shops and works.
        EXPECT_NEAR(last.r, last.c + last.i, last.pop / 10);
    }
}

TEST(NewcomerBalance, AWideRoadGridFallsIntoDebtAndClimbsOutOnTheGuidesAdvice) {
    for (bool servicesAtOnce : {false, true})
        for (int seed : {1, 2}) {
            SCOPED_TRACE(std::string(servicesAtOnce ? "every service at once" : "roads only") + ", seed " +
                         std::to_string(seed));
            Game game(seed);
            newcomer::GridPlayer player(game, !servicesAtOnce);
            const auto rows = player.Play("Gridley", 12);
            ASSERT_EQ(rows.size(), 13u);
            EXPECT_TRUE(game.Errors().empty()) << game.Errors().front();
            // So many roads cost more than the first people pay in taxes, and buying
            // every service at once surely does.
            if (servicesAtOnce) {
                ASSERT_NE(player.firstDebtYear, 0);
            }
            if (player.firstDebtYear != 0) {
                EXPECT_LE(player.firstDebtYear, 1952);
                ASSERT_NE(player.adviceYear, 0);
            }
            // Taxes at 30 and transport at half pay the debt back within two years;
            // after that the funds never fall below nothing again and the grid grows on.
            const int settled = player.adviceYear ? player.adviceYear + 2 : 1950;
            for (const YearFigures& r : rows) {
                if (player.adviceYear != 0 && r.year >= player.adviceYear) {
                    EXPECT_EQ(r.tax, 30) << r.year;
                    EXPECT_EQ(r.transport, 50) << r.year;
                }
                if (r.year >= settled) {
                    EXPECT_GE(r.funds, 0) << r.year;
                }
            }
            EXPECT_GT(rows.back().funds, 20000);
            EXPECT_GE(rows.back().pop, 2 * rows[static_cast<size_t>(settled - 1950)].pop);
            EXPECT_GE(rows.back().rank, 3);
        }
}

TEST(NewcomerBalance, HeavyIndustryPaysItsWayButHomesLimitIt) {
    Game game(2);
    newcomer::IndustryPlayer player(game);
    const auto rows = player.Play("Smokeby", 20);
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_TRUE(game.Errors().empty()) << game.Errors().front();
    for (const YearFigures& r : rows)
        EXPECT_GT(r.funds, 0) << r.year;
    EXPECT_LE(YearOfRank(rows, 3), 1960);
    const YearFigures& last = rows.back();
    // Works outnumber shops many times over, and a college and the railway lift some
    // of them to factories and heavy works.
    EXPECT_GT(last.i, 3 * last.c);
    EXPECT_GT(last.levels[2] + last.levels[3], 10);
    // Without homes for more workers the works stop hiring: the city stays a Town.
    EXPECT_EQ(last.rank, 3);
    EXPECT_LT(last.pop, 10000);
}

} // namespace
