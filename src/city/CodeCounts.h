// How many cells hold each object code, counted in one pass over the map.
#pragma once

#include "city/CityState.h"

#include <array>

namespace city {

// The yearly steps need the counts of many codes at once; one pass gives them all,
// equal to CountCells of each code.
class CodeCounts {
public:
    explicit CodeCounts(const CityState& state) {
        for (const TMapCell& c : state.CityMap)
            if (c.code >= 0 && c.code < kObjectCodes)
                ++counts_[static_cast<size_t>(c.code)];
    }
    int operator[](int code) const {
        return code >= 0 && code < kObjectCodes ? counts_[static_cast<size_t>(code)] : 0;
    }

private:
    std::array<int, kObjectCodes> counts_{};
};

} // namespace city
