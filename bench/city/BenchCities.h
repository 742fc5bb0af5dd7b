// The cities the benchmarks measure: a dense, fully built city and the same city zoned.
#pragma once

class CityState;

namespace bench {

// The object types of the shipped start-up script: its CODE lines, read field by field.
void LoadTypes(CityState& state);
// Every block of 4 x 4 cells between roads is built: grown homes, shops and works,
// plants, pumps and treatment works, services, stations, a railway across the middle,
// and power lines along every road.
void BuildDenseCity(CityState& state);
// The dense city with its homes, shops and works turned back into zoned land, as
// right after a player has zoned a large area.
void ZoneDenseCity(CityState& state);

} // namespace bench
