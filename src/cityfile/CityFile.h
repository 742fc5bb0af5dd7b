// The city file: the saved words of a city, their 404 lines of text and back.
#pragma once

#include "city/CityTypes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CityState;

namespace cityfile {

constexpr int kLineCount = 404;
// A line longer than this (before its line break) is not part of a city file.
constexpr int kLineLimit = 163;
// One map row: two hexadecimal digits for each of the 80 cells.
constexpr int kRowDigits = 2 * city::kMapSize;
// Values from here on are never written for a pending code (they are saved as 0).
constexpr int kPendingLimit = 130;
// A countdown above this marks a mover standing on the cell and is saved as 0.
constexpr int kCountdownLimit = 130;
// The years a loaded city may start from: the clock adds one a year to a 32-bit year,
// so a city must leave it room to count for as long as anyone plays.
constexpr int kYearLimit = 1000000;
// The first line of each block of 80 map rows (code, anchorX, anchorY, pendingCode,
// countdown), counted from 1.
constexpr int kCodeLine = 5, kAnchorXLine = 85, kAnchorYLine = 165, kPendingLine = 245, kCountdownLine = 325;

// The five saved words of one map cell.
struct SavedCell {
    std::int32_t code = 0;
    std::int32_t anchorX = 0;
    std::int32_t anchorY = 0;
    std::int32_t pendingCode = 0;
    std::int32_t countdown = 0;
    bool operator==(const SavedCell&) const = default;
};

// Everything a city file holds, already checked when it came from a file. Loading
// fills one of these from the whole file before the city is touched.
struct CityFile {
    std::string cityName;
    std::int32_t month = 1, year = 1950, funds = 0, cityRank = 1;
    std::int32_t residentialPop = 0, commercialPop = 0, industrialPop = 0;
    std::int16_t taxRate = 25;
    std::int16_t policeFunding = 100, fireFunding = 100, hospitalFunding = 100, educationFunding = 100,
                 transportFunding = 100;
    // Row-major, as CityState::CityMap.
    std::array<SavedCell, city::kMapSize * city::kMapSize> cells{};

    SavedCell& Cell(int x, int y) { return cells[static_cast<size_t>(y * city::kMapSize + x)]; }
    const SavedCell& Cell(int x, int y) const { return cells[static_cast<size_t>(y * city::kMapSize + x)]; }
    bool operator==(const CityFile&) const = default;
};

// Splits one line into fields 1 to 9 (fields[0] stays empty) by the rules of the
// command language, returning the number of the last field begun or -1 for an empty
// line. The shell hands in the interpreter's own parser.
using FieldSplitter = std::function<int(const std::string& line, std::array<std::string, 10>& fields)>;

// Takes the saved words out of the state. A pending code of 130 or more and a
// countdown above 130 are saved as 0; a negative countdown is first set to 0 in the
// map itself. Nothing when a word cannot be written in two digits or the name
// cannot stand on one line; error then says which.
std::optional<CityFile> CaptureCity(CityState& state, std::string& error);

// The 404 lines of the file, without line breaks.
std::vector<std::string> FormatCityFile(const CityFile& file);

// Reads a whole file's bytes (CR LF or LF line breaks). Nothing when the text is
// not a city file the game can hold; error then names the first fault found.
std::optional<CityFile> ParseCityFile(const std::string& bytes, const FieldSplitter& split, std::string& error);

// Checks the values of a city the game relies on: codes, anchors, month, rank and the
// words a file never holds. Empty when all is well, else the first fault.
std::string CheckCityFile(const CityFile& file);

// Checks the covered cells against the object table the start-up scripts filled: each
// must lie in the square of the object standing at its anchor, or bulldozing and
// drawing would act on an object that is not there. Empty when all is well.
std::string CheckFootprints(const CityFile& file, const CityState& types);

// Stores a loaded city into the state: the saved words only; the caller resets and
// rebuilds the rest.
void ApplyCityFile(const CityFile& file, CityState& state);

// A number as the file writes it: upper-case hexadecimal with at least minDigits
// digits; a negative number as its 32-bit two's complement.
std::string Hex(std::int32_t value, int minDigits);

// The runtime's conversion of "0x" followed by the text: hexadecimal digits of either
// case whose value fits 32 bits, read as a two's complement number.
std::optional<std::int32_t> ParseHex(const std::string& digits);

} // namespace cityfile
