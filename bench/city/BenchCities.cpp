// The benchmarks' cities, built cell by cell with the shared placement.
#include "BenchCities.h"

#include "city/CityState.h"
#include "city/Placement.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

void LoadTypes(CityState& state) {
    std::ifstream in(PLAZARO_SCRIPT_DIR "/City.ini");
    if (!in)
        throw std::runtime_error("City.ini not found");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("CODE; ", 0) != 0)
            continue;
        std::vector<std::string> f;
        size_t at = 0;
        while (at < line.size()) {
            size_t end = line.find(';', at);
            if (end == std::string::npos)
                break;
            f.push_back(line.substr(at, end - at));
            at = end + 2;
        }
        if (f.size() < 9)
            continue;
        const int code = std::stoi(f[1]);
        if (code < 0 || code >= city::kObjectCodes)
            continue;
        TObjectType& t = state.ObjectTypes[static_cast<size_t>(code)];
        t.size = std::stoi(f[2]);
        t.value = std::stoi(f[3]);
        t.reportKind = std::stoi(f[4]);
        t.needsPower = std::stoi(f[5]) == 1;
        t.needsSewage = std::stoi(f[6]) == 1;
        t.needsWater = std::stoi(f[7]) == 1;
        t.name = f[8];
    }
}

void BuildDenseCity(CityState& state) {
    LoadTypes(state);
    state.BuildViewGrid();
    state.ResetCityCounters();
    for (TMapCell& c : state.CityMap)
        c = TMapCell{};
    for (TMapCell& c : state.CityMap)
        c.code = city::kCodeEmpty;
    for (int y = 0; y < city::kMapSize; ++y)
        for (int x = 0; x < city::kMapSize; ++x)
            if (x % 5 == 0 || y % 5 == 0) {
                state.Cell(x, y).code = y == 40 ? city::kCodeRailway : city::kCodeRoad;
                state.Cell(x, y).pendingCode = city::kCodePowerLine;
            }
    // Service blocks, in turn: each entry is a list of (dx, dy, code) laid inside a block.
    struct Piece {
        int dx, dy, code;
    };
    const std::vector<std::vector<Piece>> services = {
        {{0, 0, 37}},                                        // coal
        {{0, 0, 43}, {2, 0, 46}, {0, 2, 45}, {1, 2, 45}, {2, 2, 19}}, // microwave, treatment, pumps, bus
        {{0, 0, 40}},                                        // nuclear
        {{0, 0, 101}, {3, 0, 108}, {3, 1, 22}, {0, 3, 45}},   // police, park, sub-station, pump
        {{0, 0, 102}, {3, 0, 45}, {3, 1, 45}, {0, 3, 108}},   // fire
        {{0, 0, 103}, {3, 0, 45}, {0, 3, 45}},               // hospital
        {{0, 0, 104}, {3, 0, 45}, {3, 3, 108}},              // school
        {{0, 0, 105}},                                       // college
        {{0, 0, 106}, {2, 0, 109}, {0, 2, 21}, {2, 2, 99}},  // library, large park, station, church
        {{0, 0, 107}, {3, 3, 45}},                           // museum
        {{0, 0, 100}, {3, 0, 41}},                           // cathedral, wind
        {{0, 0, 38}},                                        // oil
        {{0, 0, 42}, {3, 0, 45}, {3, 3, 47}},                // solar, U.V. (3 x 3 does not fit: skipped)
        {{0, 0, 39}},                                        // gas
        {{0, 0, 111}},                                       // stadium
        {{0, 0, 47}, {3, 0, 45}},                            // U.V. treatment
    };
    int serviceTurn = 0;
    for (int by = 0; by < 16; ++by)
        for (int bx = 0; bx < 16; ++bx) {
            const int x0 = bx * 5 + 1, y0 = by * 5 + 1;
            const int kind = (bx * 7 + by * 3) % 8;
            const int variant = (bx + by) % 5;
            auto place = [&](int dx, int dy, int code) {
                city::PlaceObject(state, x0 + dx, y0 + dy, 0, state.SizeOf(code), code);
            };
            switch (kind) {
            case 0: case 1: case 2: // high-density homes, 2 x 2 and 3 x 3
                if (kind == 2) {
                    place(0, 0, 60 + variant);
                    for (int d = 0; d < 4; ++d) {
                        place(3, d, 50 + (variant + d) % 5);
                        if (d < 3)
                            place(d, 3, 50 + (variant + d + 1) % 5);
                    }
                } else {
                    for (int d = 0; d < 4; ++d)
                        place((d % 2) * 2, (d / 2) * 2, 55 + (variant + d) % 5);
                }
                break;
            case 3: case 4: // shops and offices
                for (int d = 0; d < 4; ++d)
                    place((d % 2) * 2, (d / 2) * 2, 72 + (variant + d) % 5);
                break;
            case 5: // works
                for (int d = 0; d < 4; ++d)
                    place((d % 2) * 2, (d / 2) * 2, 89 + (variant + d) % 5);
                break;
            case 6: // low-density mix
                for (int d = 0; d < 16; ++d)
                    place(d % 4, d / 4, (d % 3 == 0 ? 50 : d % 3 == 1 ? 67 : 84) + (variant + d) % 5);
                break;
            default:
                for (const Piece& p : services[static_cast<size_t>(serviceTurn % services.size())])
                    place(p.dx, p.dy, p.code);
                ++serviceTurn;
                break;
            }
        }
    state.residentialPop = state.commercialPop = state.industrialPop = 0;
    for (int y = 0; y < city::kMapSize; ++y)
        for (int x = 0; x < city::kMapSize; ++x) {
            const int code = state.Cell(x, y).code;
            const TObjectType* t = state.TypeOf(code);
            if (!t)
                continue;
            if (code >= 50 && code <= 64)
                state.residentialPop += t->value;
            else if (code >= 67 && code <= 81)
                state.commercialPop += t->value;
            else if (code >= 84 && code <= 98)
                state.industrialPop += t->value;
        }
    state.funds = 20000;
    state.cityRank = 3;
    state.month = 5;
    state.year = 1960;
    state.monthLength = 6000;
    state.Seed(42);
}

// Every block that held homes, shops or works is zoned again (low density where the
// low-density mix stood, high density elsewhere); the roads, plants, services and
// the railway stay, and nobody lives there yet.
void ZoneDenseCity(CityState& state) {
    std::vector<int> zoned(state.CityMap.size(), 0);
    for (int y = 0; y < city::kMapSize; ++y)
        for (int x = 0; x < city::kMapSize; ++x) {
            const TMapCell& c = state.Cell(x, y);
            const int code = c.code == city::kCodeCovered ? state.Cell(c.anchorX, c.anchorY).code : c.code;
            const int base = code >= 50 && code <= 64 ? 48 : code >= 67 && code <= 81 ? 65 : code >= 84 && code <= 98 ? 82 : 0;
            if (base == 0)
                continue;
            const int bx = (x - 1) / 5, by = (y - 1) / 5;
            const bool low = (bx * 7 + by * 3) % 8 == 6;
            zoned[static_cast<size_t>(y * city::kMapSize + x)] = base + (low ? 0 : 1);
        }
    for (int y = 0; y < city::kMapSize; ++y)
        for (int x = 0; x < city::kMapSize; ++x)
            if (const int zone = zoned[static_cast<size_t>(y * city::kMapSize + x)])
                state.SetCell(x, y, zone);
    state.residentialPop = state.commercialPop = state.industrialPop = 0;
}

} // namespace bench
