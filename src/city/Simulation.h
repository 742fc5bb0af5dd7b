// The monthly and yearly simulation steps: networks, growth, budget, rank, query.
#pragma once

#include "city/CityTypes.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CityState;
class CityHost;

namespace city {

enum class Demand { Residential, Commercial, Industrial };

// Utility networks, traffic and pollution, recomputed every month.
void RecomputeNetworks(CityState& state, CityHost& host);
// The first cell holding the code in map order, or (-1, -1).
TGridPos FindFirst(const CityState& state, int code);

// One row of a growth score: points when a cell passing the selector lies within the radius.
struct ScoreRow {
    int selector;
    int radius;
    int points;
};
// The rows of a kind's high-density score, in the order they are tested.
std::span<const ScoreRow> ScoreRows(Demand kind);
// The score a kind starts from at a rank (industry's College bonus not included).
int ScoreBase(Demand kind, int rank);
// Industry's bonus while a College stands anywhere on the map.
constexpr int kCollegeBonus = 6;
// A high-density zone builds level 2 from this score, level 3 from the next.
constexpr int kLevelTwoFrom = 6;
int LevelThreeFrom(Demand kind);
// Zones look this far for a road (outside their own row and column).
constexpr int kRoadReach = 3;
// Above this tax rate the demand test is shut for most attempts.
constexpr int kTaxGate = 30;
// Whether a kind is short of its share (its demand test passes three times in four);
// reads the populations only and draws nothing.
bool DemandShort(const CityState& state, Demand kind);
// Whether one of the four neighbours of a cell has power (the cell's own does not count).
bool PoweredNeighbour(const CityState& state, int x, int y);
// Whether a road lies within the reach of a zone cell.
bool RoadWithinReach(const CityState& state, int x, int y);

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

// One rule of the rank table: the first rule whose conditions hold gives the rank.
struct RankRule {
    int rank;
    bool noChurch;        // no Church on the map
    bool church;          // a Church on the map
    bool cathedral;       // a Cathedral on the map
    std::int64_t below;   // population below this (0: no upper bound)
    std::int64_t above;   // population above this (0: no lower bound)
};
std::span<const RankRule> RankRules();

// "Hamlet" ... "Metropolis" for ranks 1 to 6.
std::string RankName(int rank);
// The yearly rank update, ending with the unlock step.
void RankUpdate(CityState& state, CityHost& host);
// Recomputes which of the nine unlockable items are available.
void UnlockStep(CityState& state, CityHost& host);

// The query tool's report of a cell.
void Query(CityState& state, CityHost& host, int x, int y);
// How many screen lines (from slot 0) the report of a cell of that report kind writes.
int QueryReportLines(int reportKind);
// Why a zone cell is not growing, one reason a line (no power next to it, no road
// within reach, little demand for its kind, tax above the gate); nothing for a cell
// that is not a zone. Reads the city only and draws nothing.
std::vector<std::string> GrowthHints(const CityState& state, int x, int y);

} // namespace city
