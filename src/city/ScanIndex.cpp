// Bit rows per selector and counts per code for the development scan's questions.
#include "city/ScanIndex.h"

#include "city/CityState.h"
#include "city/Placement.h"

#include <algorithm>
#include <bit>

namespace city {

namespace {

// The selectors of the road test and of the three score tables; the order is the slot.
constexpr int kKept[] = {kCodeRoad, kSelIndustrial, 12, 14, 16, 19, 21, 22, 18, 103, 104, 105,
                         106, 107, 108, 109, 110, 111, 13, 15, kSelAirport, 101, 102, 20};

constexpr int kIndustrialSlot = 1;
constexpr int kAirportSlot = 20;

constexpr std::array<std::int8_t, kObjectCodes> PlainSlots() {
    std::array<std::int8_t, kObjectCodes> slots{};
    for (auto& s : slots)
        s = -1;
    for (int i = 0; i < static_cast<int>(std::size(kKept)); ++i)
        if (kKept[i] >= 0 && kKept[i] < kObjectCodes)
            slots[static_cast<size_t>(kKept[i])] = static_cast<std::int8_t>(i);
    return slots;
}

constexpr std::array<std::int8_t, kObjectCodes> kPlainSlots = PlainSlots();

// Bits first to last (inclusive) of a 64-bit word, both within 0 to 63.
std::uint64_t Span(int first, int last) {
    const std::uint64_t upTo = last >= 63 ? ~std::uint64_t{0} : (std::uint64_t{1} << (last + 1)) - 1;
    return upTo & ~((std::uint64_t{1} << first) - 1);
}

} // namespace

int ScanIndex::SlotOfSelector(int selector) {
    if (selector >= 0 && selector < kObjectCodes)
        return kPlainSlots[static_cast<size_t>(selector)];
    if (selector == kSelIndustrial)
        return kIndustrialSlot;
    if (selector == kSelAirport)
        return kAirportSlot;
    return -1;
}

void ScanIndex::SlotsOfCode(int code, int& plain, int& family) {
    plain = code >= 0 && code < kObjectCodes ? kPlainSlots[static_cast<size_t>(code)] : -1;
    family = code >= 82 && code <= 98 ? kIndustrialSlot : code >= 23 && code <= 29 ? kAirportSlot : -1;
}

void ScanIndex::Toggle(int x, int y, int code, int delta) {
    if (code >= 0 && code < kObjectCodes)
        codeCounts_[static_cast<size_t>(code)] += delta;
    int slots[2];
    SlotsOfCode(code, slots[0], slots[1]);
    for (int slot : slots) {
        if (slot < 0)
            continue;
        RowBits& row = rows_[static_cast<size_t>(slot)][static_cast<size_t>(y)];
        std::uint64_t& word = x < 64 ? row.low : row.high;
        word ^= std::uint64_t{1} << (x & 63);
        slotCounts_[static_cast<size_t>(slot)] += delta;
        MarkOccupied(slot, y);
    }
}

void ScanIndex::MarkOccupied(int slot, int y) {
    const RowBits& row = rows_[static_cast<size_t>(slot)][static_cast<size_t>(y)];
    std::uint64_t& word = y < 64 ? occupied_[static_cast<size_t>(slot)].low : occupied_[static_cast<size_t>(slot)].high;
    const std::uint64_t bit = std::uint64_t{1} << (y & 63);
    word = (row.low | row.high) != 0 ? word | bit : word & ~bit;
}

void ScanIndex::Build() {
    built_ = true;
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const std::int32_t code = state_.Cell(x, y).code;
            codes_[static_cast<size_t>(y * kMapSize + x)] = code;
            if (code < 0 || code >= kObjectCodes)
                continue;
            ++codeCounts_[static_cast<size_t>(code)];
            const std::uint64_t bit = std::uint64_t{1} << (x & 63);
            auto mark = [&](int slot) {
                RowBits& row = rows_[static_cast<size_t>(slot)][static_cast<size_t>(y)];
                (x < 64 ? row.low : row.high) |= bit;
                ++slotCounts_[static_cast<size_t>(slot)];
            };
            if (const int plain = kPlainSlots[static_cast<size_t>(code)]; plain >= 0)
                mark(plain);
            if (code >= 82 && code <= 98)
                mark(kIndustrialSlot);
            else if (code >= 23 && code <= 29)
                mark(kAirportSlot);
        }
    for (int slot = 0; slot < kSlots; ++slot)
        for (int y = 0; y < kMapSize; ++y)
            MarkOccupied(slot, y);
}

void ScanIndex::Refresh(int x0, int y0, int x1, int y1) {
    if (!built_)
        return;
    x0 = std::max(x0, 0), y0 = std::max(y0, 0);
    x1 = std::min(x1, kMapSize - 1), y1 = std::min(y1, kMapSize - 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            std::int32_t& seen = codes_[static_cast<size_t>(y * kMapSize + x)];
            const std::int32_t now = state_.Cell(x, y).code;
            if (seen == now)
                continue;
            Toggle(x, y, seen, -1);
            Toggle(x, y, now, 1);
            seen = now;
        }
}

bool ScanIndex::Near(int x, int y, int radius, int selector) {
    const int slot = SlotOfSelector(selector);
    if (slot < 0)
        return FindNear(state_, x, y, radius, selector).x >= 0;
    if (!built_)
        Build();
    if (slotCounts_[static_cast<size_t>(slot)] == 0)
        return false;
    // The square clipped to the map; the centre's own column is left out of the mask
    // and its own row out of the rows.
    const int c0 = std::max(x - radius, 0), c1 = std::min(x + radius, kMapSize - 1);
    const int r0 = std::max(y - radius, 0), r1 = std::min(y + radius, kMapSize - 1);
    if (c0 > c1 || r0 > r1)
        return false;
    std::uint64_t low = c0 < 64 ? Span(c0, std::min(c1, 63)) : 0;
    std::uint64_t high = c1 >= 64 ? Span(std::max(c0, 64) - 64, c1 - 64) : 0;
    if (x >= 0 && x < 64)
        low &= ~(std::uint64_t{1} << x);
    else if (x >= 64 && x < kMapSize)
        high &= ~(std::uint64_t{1} << (x - 64));
    // Only the rows holding any cell of the selector are looked at.
    RowBits span{r0 < 64 ? Span(r0, std::min(r1, 63)) : 0, r1 >= 64 ? Span(std::max(r0, 64) - 64, r1 - 64) : 0};
    if (y >= 0 && y < 64)
        span.low &= ~(std::uint64_t{1} << y);
    else if (y >= 64 && y < kMapSize)
        span.high &= ~(std::uint64_t{1} << (y - 64));
    const RowBits& occupied = occupied_[static_cast<size_t>(slot)];
    const auto& rows = rows_[static_cast<size_t>(slot)];
    auto anyIn = [&](std::uint64_t rowSet, int first) {
        for (; rowSet != 0; rowSet &= rowSet - 1) {
            const RowBits& row = rows[static_cast<size_t>(first + std::countr_zero(rowSet))];
            if (((row.low & low) | (row.high & high)) != 0)
                return true;
        }
        return false;
    };
    return anyIn(occupied.low & span.low, 0) || anyIn(occupied.high & span.high, 64);
}

int ScanIndex::Count(int selector) {
    if (selector < 0 || selector >= kObjectCodes)
        return state_.CountCells(selector);
    if (!built_)
        Build();
    return codeCounts_[static_cast<size_t>(selector)];
}

} // namespace city
