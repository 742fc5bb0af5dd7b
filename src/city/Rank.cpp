// The city's rank, its promotion message, and the items unlocked by year and rank.
#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/CodeCounts.h"
#include "city/Simulation.h"

#include <cstdint>

namespace city {

std::string RankName(int rank) {
    switch (rank) {
    case 1: return "Hamlet";
    case 2: return "Village";
    case 3: return "Town";
    case 4: return "City";
    case 5: return "Capitol";
    case 6: return "Metropolis";
    default: return "";
    }
}

namespace {

constexpr RankRule kRankRules[] = {
    {1, true, false, false, 500, 0},       {2, false, true, false, 2000, 0},
    {3, false, true, false, 10000, 0},     {4, false, true, true, 40000, 0},
    {5, false, true, true, 90000, 0},      {6, false, true, true, 0, 200000},
};

} // namespace

std::span<const RankRule> RankRules() { return kRankRules; }

void RankUpdate(CityState& state, CityHost& host) {
    const CodeCounts count(state);
    const int churches = count[99];
    const int cathedrals = count[100];
    // Summed in 64 bits so that three large populations cannot wrap into a small one.
    const std::int64_t p = static_cast<std::int64_t>(state.residentialPop) + state.commercialPop + state.industrialPop;
    const int old = state.cityRank;

    // The first rule that applies; between 90000 and 200000 nothing does, and a city
    // without a Church stays where it is once it has 500 people.
    for (const RankRule& rule : RankRules()) {
        if ((rule.noChurch && churches != 0) || (rule.church && churches == 0) || (rule.cathedral && cathedrals == 0))
            continue;
        if ((rule.below != 0 && p >= rule.below) || (rule.above != 0 && p <= rule.above))
            continue;
        state.cityRank = rule.rank;
        break;
    }

    // Only a rise is announced; the box is modal but the game goes on behind it.
    if (state.cityRank > old)
        host.RunCommand("INFO; Congratulations your " + RankName(old) + " is now a " + RankName(state.cityRank) + ";",
                        true, false);
    UnlockStep(state, host);
}

void UnlockStep(CityState& state, CityHost& host) {
    const CodeCounts count(state);
    state.unlocks.fill(0);
    state.unlocks[kUnlockNuclear] = state.year > 1955;
    state.unlocks[kUnlockWind] = state.year > 1985;
    state.unlocks[kUnlockSolar] = state.year > 1990;
    state.unlocks[kUnlockUVTreatment] = state.year > 1995;
    state.unlocks[kUnlockMicroWave] = state.year > 2015;
    // Each gift is given once: it is offered only while none stands on the map.
    state.unlocks[kUnlockYourHouse] = count[16] == 0 && state.cityRank >= 2;
    state.unlocks[kUnlockFountain] = count[14] == 0 && state.cityRank >= 3;
    state.unlocks[kUnlockCityHall] = count[13] == 0 && state.cityRank >= 4;
    state.unlocks[kUnlockStatue] = count[15] == 0 && state.cityRank >= 5;
    for (int i = 0; i < kUnlockCount; ++i)
        host.SetUnlockItemEnabled(i, state.unlocks[static_cast<size_t>(i)] != 0);
}

} // namespace city
