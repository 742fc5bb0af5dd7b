// The yearly budget: property tax in, running costs out, and the panel's figures.
#include "city/Budget.h"

#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/CodeCounts.h"
#include "city/Simulation.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace city {

namespace {

std::int32_t Saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The fractional lines are worked out in double precision and truncated once; a
// value beyond the 32-bit range is held at its edge instead of wrapping.
std::int32_t TruncateOnce(double v) {
    if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v); // truncates toward zero
}

} // namespace

std::array<int, 6> StoredBudgetSettings(const CityState& state) {
    return {state.taxRate, state.policeFunding, state.fireFunding, state.hospitalFunding, state.educationFunding,
            state.transportFunding};
}

std::array<int, 6> BudgetPositions(const CityState& state, const CityHost& host) {
    std::array<int, 6> positions = StoredBudgetSettings(state);
    for (int i = 0; i < kBudgetLineCount; ++i)
        if (std::optional<int> p = host.BudgetPosition(i))
            positions[static_cast<size_t>(i)] = *p;
    return positions;
}

BudgetFigures ComputeBudget(const CityState& state, const std::array<int, 6>& positions) {
    BudgetFigures f;
    const CodeCounts count(state);
    // The population is summed in 64 bits: three large counters must not wrap.
    const std::int64_t population = static_cast<std::int64_t>(state.residentialPop) + state.commercialPop +
                                    state.industrialPop;
    const int tax = positions[kBudgetTax];
    const int police = positions[kBudgetPolice];
    const int fire = positions[kBudgetFire];
    const int hospital = positions[kBudgetHospital];
    const int education = positions[kBudgetEducation];
    const int transport = positions[kBudgetTransport];

    // An odd rate loses its half: 24 and 25 raise the same tax.
    f.amounts[kBudgetTax] = Saturate(static_cast<std::int64_t>(tax / 2) * population);
    f.amounts[kBudgetPolice] = Saturate(static_cast<std::int64_t>(count[101]) * police * 3);
    f.amounts[kBudgetFire] = TruncateOnce(static_cast<double>(count[102]) * 2.5 * fire);
    f.amounts[kBudgetHospital] = Saturate(static_cast<std::int64_t>(count[103]) * hospital * 3);
    {
        const double places = static_cast<double>(count[104]) + count[105] * 1.5;
        f.amounts[kBudgetEducation] = TruncateOnce(places * education);
    }
    {
        const double track = count[17] * 0.7 + count[20] * 0.6;
        f.amounts[kBudgetTransport] = TruncateOnce(track * transport);
    }
    std::int64_t gross = 0;
    for (int i = kBudgetPolice; i < kBudgetLineCount; ++i)
        gross += f.amounts[static_cast<size_t>(i)];
    f.gross = Saturate(gross);
    f.net = Saturate(static_cast<std::int64_t>(f.amounts[kBudgetTax]) - gross);

    f.cityName = state.cityName;
    f.yearCaption = std::to_string(state.year) + " Budget";
    f.settings = StoredBudgetSettings(state);
    return f;
}

void YearlyBudget(CityState& state, CityHost& host) {
    const BudgetFigures figures = ComputeBudget(state, BudgetPositions(state, host));
    const bool autoBudget = host.AutoBudgetChecked();
    // The panel is filled (and set to the stored settings) either way; without Auto
    // Budget the game waits for the player's OK.
    host.SetClockEnabled(autoBudget);
    host.ShowBudget(figures, !autoBudget);
    if (autoBudget)
        host.HideBudget();
    // The money moves at once, before the player has seen the panel.
    state.funds = Saturate(static_cast<std::int64_t>(state.funds) + figures.net);
}

void FillBudgetPanel(CityState& state, CityHost& host) {
    host.ShowBudget(ComputeBudget(state, BudgetPositions(state, host)), false);
}

} // namespace city
