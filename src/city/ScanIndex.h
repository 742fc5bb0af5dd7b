// What the development scan looks up, kept as bit rows per selector and counts per code.
#pragma once

#include "city/CityTypes.h"

#include <array>
#include <cstdint>

class CityState;

namespace city {

// The growth attempts ask, for every zone cell, whether a road and each of the score
// table's selectors lies near it, and how many cells of a few codes the map holds.
// Asking the map cell by cell costs up to a thousand cell tests a question; here each
// selector keeps one bit per cell, a row of the map in two words, so a square is a few
// word tests per row. The answers equal FindNear and CountCells exactly, as long as
// the scan reports every rectangle in which it may have changed cells (Refresh) before
// the next question. Selectors outside the kept set are answered by the map itself.
class ScanIndex {
public:
    explicit ScanIndex(const CityState& state) : state_(state) {}

    // Whether FindNear (x, y, radius, selector) finds a cell.
    bool Near(int x, int y, int radius, int selector);
    // CountCells (selector).
    int Count(int selector);
    // Takes in the cells of the rectangle (clipped to the map) as they are now.
    void Refresh(int x0, int y0, int x1, int y1);

private:
    // One map row: bit c of the row is column c.
    struct RowBits {
        std::uint64_t low = 0;  // columns 0 to 63
        std::uint64_t high = 0; // columns 64 to 79
    };
    static constexpr int kSlots = 24;
    static int SlotOfSelector(int selector);
    // The slots a cell of this code belongs to: its own code and its class, -1 for none.
    static void SlotsOfCode(int code, int& plain, int& family);

    // The index is built at its first question, so a month without growth pays nothing.
    void Build();
    void Toggle(int x, int y, int code, int delta);
    void MarkOccupied(int slot, int y);

    const CityState& state_;
    bool built_ = false;
    std::array<std::array<RowBits, kMapSize>, kSlots> rows_{};
    std::array<int, kSlots> slotCounts_{};
    // The rows holding any cell of a slot: bit y of the two words is row y.
    std::array<RowBits, kSlots> occupied_{};
    std::array<int, kObjectCodes> codeCounts_{};
    // The codes as the index last saw them.
    std::array<std::int32_t, kMapSize * kMapSize> codes_{};
};

} // namespace city
