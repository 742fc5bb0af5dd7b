// The yearly budget's figures and the arithmetic that produces them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class CityState;
class CityHost;

// Everything the budget panel shows after a budget has been worked out.
struct BudgetFigures {
    std::string cityName;
    // The caption of the year label: the year followed by " Budget".
    std::string yearCaption;
    // Property Taxes, Police Stations, Fire Stations, Hospitals, Education, Transport.
    std::array<std::int32_t, 6> amounts{};
    // Running costs, and taxes less running costs.
    std::int32_t gross = 0;
    std::int32_t net = 0;
    // The stored settings the six up-downs are set to: tax rate, then the five fundings.
    std::array<int, 6> settings{};
};

namespace city {

// Index of each line in BudgetFigures::amounts and of each setting.
enum BudgetLine { kBudgetTax, kBudgetPolice, kBudgetFire, kBudgetHospital, kBudgetEducation,
                  kBudgetTransport, kBudgetLineCount };

// The six settings in panel order as the state stores them.
std::array<int, 6> StoredBudgetSettings(const CityState& state);

// The six positions the amounts are worked out from: the panel's up-downs where the
// host has a panel, the stored settings otherwise.
std::array<int, 6> BudgetPositions(const CityState& state, const CityHost& host);

// Works out the six amounts, the gross and the net from the given positions.
BudgetFigures ComputeBudget(const CityState& state, const std::array<int, 6>& positions);

} // namespace city
