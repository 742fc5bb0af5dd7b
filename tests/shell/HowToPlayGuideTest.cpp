// The How to Play guide takes its numbers from the game's own tables at the moment it is
// written: the rank table, the growth score rows, the yearly running costs at the city's
// settings and the tool table's prices.
#include "FakeCityHost.h"
#include "city/Simulation.h"
#include "shell/HowToPlayGuide.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace city;

namespace {

bool Mentions(const std::vector<std::string>& guide, const std::string& text) {
    for (const std::string& line : guide)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

TEST(HowToPlayGuideTest, NumbersComeFromTheTablesAndFollowTheSettings) {
    CityState city;
    MakeFlatCity(city);
    city.transportFunding = 100;
    city.educationFunding = 100;
    auto guide = HowToPlayGuide(city);
    for (const RankRule& rule : RankRules())
        EXPECT_TRUE(Mentions(guide, RankName(rule.rank) + ": ")) << rule.rank;
    EXPECT_TRUE(Mentions(guide, "Village: a Church, fewer than 2000 people"));
    EXPECT_TRUE(Mentions(guide, "Metropolis: a Church and a Cathedral, more than 200000 people"));
    // Every residential score row, by its object's name, radius and points.
    for (const ScoreRow& row : ScoreRows(Demand::Residential))
        if (row.selector < 4000) {
            const std::string item = city.TypeOf(row.selector)->name + " " + std::to_string(row.radius) + " " +
                                     (row.points > 0 ? "+" : "") + std::to_string(row.points);
            EXPECT_TRUE(Mentions(guide, item)) << item;
        }
    // A road costs 0.7 of the transport funding a year, a school the education funding.
    EXPECT_TRUE(Mentions(guide, "Road \xC2\xA3" "70"));
    EXPECT_TRUE(Mentions(guide, "School \xC2\xA3" "100"));
    EXPECT_TRUE(Mentions(guide, "Church \xC2\xA3" "500"));
    EXPECT_TRUE(Mentions(guide, "at most 30"));
    // Halving the funding halves what the guide says a road costs.
    city.transportFunding = 50;
    guide = HowToPlayGuide(city);
    EXPECT_TRUE(Mentions(guide, "Road \xC2\xA3" "35"));
    EXPECT_FALSE(Mentions(guide, "Road \xC2\xA3" "70"));
}

} // namespace
