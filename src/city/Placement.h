// Placement: cell tests, building objects of every footprint, searches and movers.
#pragma once

#include "city/CityTypes.h"

class CityState;
class CityHost;

namespace city {

// True when the cell may be built on (requirement 0) or passes the cell test r.
bool IsFree(const CityState& state, int x, int y, int requirement);
// Lays an object with (x, y) as its anchor; false (and nothing changed) when refused.
bool PlaceObject(CityState& state, int x, int y, int requirement, int footprint, int code);
// First cell of the square of that radius passing the test, skipping the centre's
// own row and column; (-1, -1) when none.
TGridPos FindNear(const CityState& state, int x, int y, int radius, int selector);
// The cell test of the neighbour in direction 1 to 4; false for other directions.
bool IsCellToward(const CityState& state, int x, int y, int selector, int direction);
// Creates a train (kind code 20) or a boat (12) near the cell; true when created.
bool SpawnMover(CityState& state, CityHost& host, int x, int y, int kindCode);
// A train near every station and a boat near every marina, in map order.
void RespawnMovers(CityState& state, CityHost& host);

} // namespace city
