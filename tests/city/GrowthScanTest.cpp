// The development scan the game runs answers its searches from tables kept beside the
// map; it must leave exactly what the straightforward scan leaves: every word of every
// cell, the populations, the console's score lines and every draw, month after month,
// also when growth changes the very cells that later searches look for.
#include "FakeCityHost.h"

#include "city/Networks.h"
#include "city/Placement.h"
#include "city/Simulation.h"

#include <gtest/gtest.h>

#include <random>

using namespace city;

namespace {

// A seeded city of streets and zones of every kind and density, with services, gifts,
// motorways and railways scattered at random so that each score row is found at some
// distances and missed at others; water with sea-port land on its bank, airport land,
// and a few sites that finish into a road, a motorway or works in the first month.
void ZonedCity(CityState& state, std::uint32_t seed) {
    MakeFlatCity(state, seed);
    std::mt19937 layout(seed);
    auto pick = [&layout](int n) { return static_cast<int>(layout() % static_cast<std::uint32_t>(n)); };
    const int zones[] = {48, 49, 65, 66, 82, 83};
    const int street = 4 + pick(3);
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            TMapCell& c = state.Cell(x, y);
            if (x % street == 0 || y % street == 0) {
                c.code = kCodeRoad;
                c.pendingCode = kCodePowerLine;
            } else if (x >= 66 && x < 72) {
                c.code = kCodeWater;
            } else {
                // Mostly high density, so that score lines are many.
                c.code = zones[static_cast<size_t>(pick(10) < 7 ? 1 + 2 * pick(3) : 2 * pick(3))];
            }
        }
    // Plants enough for the whole street grid.
    state.ObjectTypes[40].value = 5000;
    Lay(state, 1, 1, 37, 4);
    Lay(state, 41, 41, 40, 4);
    const int services[] = {12, 13, 14, 15, 16, 18, 19, 20, 21, 22, 101, 102, 103, 104,
                            106, 107, 108, 109, 110, 111, 45, 46};
    const int count = 10 + pick(20);
    for (int i = 0; i < count; ++i) {
        const int code = services[static_cast<size_t>(pick(static_cast<int>(std::size(services))))];
        const int size = std::min(state.SizeOf(code), 4);
        Lay(state, 1 + pick(60), 1 + pick(74), code, size);
    }
    // A College anywhere helps industry; only some cities have one.
    if (pick(2) == 0)
        Lay(state, 30, 5, 105, 3);
    for (int y = 50; y < 56; ++y)
        for (int x = 50; x < 56; ++x)
            state.Cell(x, y).code = 23;
    for (int y = 20; y < 26; ++y)
        for (int x = 64; x < 66; ++x)
            state.Cell(x, y).code = 30;
    const int finishing[] = {kCodeRoad, kCodeMotorway, 90, 20};
    for (int i = 0; i < 4; ++i) {
        TMapCell& site = state.Cell(10 + 7 * i, 33);
        site.code = 1;
        site.pendingCode = finishing[i];
        site.countdown = 0;
    }
    state.cityRank = 1 + pick(6);
    state.taxRate = static_cast<std::int16_t>(pick(3) == 0 ? 33 : 20);
}

void ExpectSameCity(const CityState& fast, const CityState& reference, int month) {
    ASSERT_EQ(fast.residentialPop, reference.residentialPop) << month;
    ASSERT_EQ(fast.commercialPop, reference.commercialPop) << month;
    ASSERT_EQ(fast.industrialPop, reference.industrialPop) << month;
    for (size_t i = 0; i < fast.CityMap.size(); ++i) {
        const TMapCell& a = fast.CityMap[i];
        const TMapCell& b = reference.CityMap[i];
        const auto words = [](const TMapCell& c) {
            return std::vector<long long>{c.code,    c.anchorX, c.anchorY, c.pendingCode, c.countdown, c.powered,
                                          c.sewered, c.watered, c.traffic, c.crime,       c.pollution};
        };
        ASSERT_EQ(words(a), words(b)) << "month " << month << " cell " << i % kMapSize << ", " << i / kMapSize;
    }
}

TEST(GrowthScanTest, SeededZonedCitiesGrowAsTheStraightforwardScanGrowsThem) {
    for (std::uint32_t seed : {3u, 17u, 29u, 101u, 2024u}) {
        CityState fast;
        ZonedCity(fast, seed);
        CityState reference = fast;
        FakeCityHost fastHost, referenceHost;
        for (int month = 0; month < 40; ++month) {
            RecomputeNetworksFast(fast);
            RecomputeNetworksFast(reference);
            DevelopmentScan(fast, fastHost);
            DevelopmentScanReference(reference, referenceHost);
            ExpectSameCity(fast, reference, month);
            ASSERT_EQ(fastHost.Texts(), referenceHost.Texts()) << "seed " << seed << " month " << month;
            // The same draws were made: the next one agrees.
            CityState fastNext = fast, referenceNext = reference;
            ASSERT_EQ(fastNext.Random(1 << 30), referenceNext.Random(1 << 30)) << month;
        }
        // The cities did grow, and high-density zones reported their scores.
        EXPECT_GT(fast.residentialPop, 0) << seed;
        EXPECT_GT(fast.commercialPop, 0) << seed;
        EXPECT_GT(fast.industrialPop, 0) << seed;
        EXPECT_GT(fastHost.lines.size(), 100u) << seed;
        int grownPorts = 0, grownAirports = 0;
        for (const TMapCell& c : fast.CityMap) {
            grownPorts += c.code == 34;
            grownAirports += c.code == 29;
        }
        EXPECT_GT(grownPorts + grownAirports, 0) << seed;
    }
}

} // namespace
