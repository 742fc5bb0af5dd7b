// The monthly recomputation of supplies, traffic and pollution, in two versions.
#pragma once

class CityState;

namespace city {

// The straightforward version: every rule applied cell by cell with the shared cell
// tests. It is the yardstick the fast version is checked against.
void RecomputeNetworksReference(CityState& state);
// The version the game runs: the same results from flat tables and running sums.
void RecomputeNetworksFast(CityState& state);

} // namespace city
