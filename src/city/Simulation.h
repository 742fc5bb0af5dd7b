// The monthly and yearly simulation steps: networks, growth, budget, rank, query.
#pragma once

#include "city/CityTypes.h"

#include <string>

class CityState;
class CityHost;

namespace city {

enum class Demand { Residential, Commercial, Industrial };

// Utility networks, traffic and pollution, recomputed every month.
void RecomputeNetworks(CityState& state, CityHost& host);
// The first cell holding the code in map order, or (-1, -1).
TGridPos FindFirst(const CityState& state, int code);

// The development scan that finishes sites and grows zones, once a month.
void DevelopmentScan(CityState& state, CityHost& host);
// The same scan asking the map cell by cell: the yardstick the scan above is checked
// against.
void DevelopmentScanReference(CityState& state, CityHost& host);
// The demand test for a kind of zone; draws random numbers like a growth attempt.
bool DemandTest(CityState& state, Demand kind);
// The console's answer to a demand check: "R Yes", "C No", "I Yes" and so on.
std::string DemandCheck(CityState& state, Demand kind);

// The yearly budget (may stop the clock and show the panel) and the panel's
// figures without any of that (after a new city or a load).
void YearlyBudget(CityState& state, CityHost& host);
void FillBudgetPanel(CityState& state, CityHost& host);

// "Hamlet" ... "Metropolis" for ranks 1 to 6.
std::string RankName(int rank);
// The yearly rank update, ending with the unlock step.
void RankUpdate(CityState& state, CityHost& host);
// Recomputes which of the nine unlockable items are available.
void UnlockStep(CityState& state, CityHost& host);

// The query tool's report of a cell.
void Query(CityState& state, CityHost& host, int x, int y);

} // namespace city
