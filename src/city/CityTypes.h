// The records of the city: map cells, object types and movers.
#pragma once

#include <cstdint>
#include <string>

// One cell of the map. Only code, anchorX, anchorY, pendingCode and countdown are
// saved; the other words are rebuilt every month.
struct TMapCell {
    std::int32_t code = 0;
    std::int32_t anchorX = 0;
    std::int32_t anchorY = 0;
    std::int32_t pendingCode = 0;
    std::int32_t countdown = 0;
    std::uint8_t powered = 0;
    std::uint8_t sewered = 0;
    std::uint8_t watered = 0;
    std::int32_t traffic = 0;
    std::int32_t crime = 0;
    std::int32_t pollution = 0;
};

// What an object code stands for, filled by the start-up scripts' CODE lines.
struct TObjectType {
    std::int32_t size = 0;
    std::int32_t value = 0;
    std::int32_t reportKind = 0;
    std::uint8_t needsPower = 0;
    std::uint8_t needsSewage = 0;
    std::uint8_t needsWater = 0;
    std::int32_t bitmapWidth = 0;
    std::int32_t bitmapHeight = 0;
    std::int32_t spritePicture = 0;
    std::string name;
};

// A train or a boat.
struct TMover {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint8_t active = 0;
    std::int32_t stepTicks = 0;
    std::int32_t tick = 0;
    std::int16_t kind = 0;
    std::int32_t basePicture = 0;
    std::int32_t direction = 0;
};

struct TGridPos {
    std::int32_t x = -1;
    std::int32_t y = -1;
};

namespace city {

constexpr int kMapSize = 80;
constexpr int kObjectCodes = 202; // codes 0 to 201
constexpr int kMovers = 50;       // slot 0 is never used
constexpr int kViewRows = 162;
constexpr int kViewCols = 80;

// Object codes with a meaning of their own.
constexpr int kCodeEmpty = 9;
constexpr int kCodeCleared = 10;
constexpr int kCodeTrees = 11;
constexpr int kCodeWater = 12;
constexpr int kCodeRoad = 17;
constexpr int kCodeMotorway = 18;
constexpr int kCodeRailway = 20;
constexpr int kCodeStation = 21;
constexpr int kCodeSubStation = 22;
constexpr int kCodePowerLine = 36;
constexpr int kCodeMarina = 110;
constexpr int kCodeCovered = 250;
constexpr int kToolQuery = 1000;
constexpr int kToolCentre = 1100;

// Selectors of the cell test: classes of codes numbered above the code range.
constexpr int kSelOnMap = 4081;
constexpr int kSelResidential = 4082;
constexpr int kSelCommercial = 4083;
constexpr int kSelIndustrial = 4084;
constexpr int kSelAirport = 4085;
constexpr int kSelSeaPort = 4086;
constexpr int kSelBuiltUp = 4087;
constexpr int kSelPowered = 4088;
constexpr int kSelBuiltOrLine = 4089;

// Whether a code counts as built up for the cell test 4087 (land, water, roads,
// railways, zones and parks do not); a power line on the cell counts as well.
constexpr bool IsBuiltUpCode(int code) {
    switch (code) {
    case 9: case 10: case 11: case 12: case 17: case 18: case 20: case 30:
    case 48: case 49: case 65: case 66: case 82: case 83: case 108: case 109:
        return false;
    default:
        return true;
    }
}

// Index of each unlockable item in CityState::unlocks.
enum Unlock { kUnlockNuclear, kUnlockWind, kUnlockSolar, kUnlockUVTreatment, kUnlockMicroWave,
              kUnlockYourHouse, kUnlockFountain, kUnlockCityHall, kUnlockStatue, kUnlockCount };

} // namespace city
