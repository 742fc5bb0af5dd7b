// The whole state of the city: map, object types, scalars, view lookup, movers.
#pragma once

#include "city/CityTypes.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>

// Plain data that the simulation, the renderer and the city file read and write
// directly; the operations here are the ones every part of the game shares.
class CityState {
public:
    CityState();

    // --- the map and the object type table
    std::array<TMapCell, city::kMapSize * city::kMapSize> CityMap{};
    std::array<TObjectType, city::kObjectCodes> ObjectTypes{};

    TMapCell& Cell(int x, int y) { return CityMap[static_cast<size_t>(y * city::kMapSize + x)]; }
    const TMapCell& Cell(int x, int y) const { return CityMap[static_cast<size_t>(y * city::kMapSize + x)]; }
    static bool OnMap(int x, int y) { return x >= 0 && x < city::kMapSize && y >= 0 && y < city::kMapSize; }
    // The object type of a code, or nullptr for codes outside 0 to 201.
    const TObjectType* TypeOf(int code) const {
        return code >= 0 && code < city::kObjectCodes ? &ObjectTypes[static_cast<size_t>(code)] : nullptr;
    }
    // The size of a code's footprint; 0 for codes without a type.
    int SizeOf(int code) const {
        const TObjectType* t = TypeOf(code);
        return t ? t->size : 0;
    }

    // --- scalars of the city
    std::int32_t funds = 0;
    std::int32_t cityRank = 1;
    std::int32_t residentialPop = 0, commercialPop = 0, industrialPop = 0;
    std::int32_t month = 1;
    std::int32_t year = 1950;
    std::int32_t monthLength = 6000;
    std::int32_t powerCapacity = 0, sewageCapacity = 0, waterCapacity = 0;
    std::int32_t powerLeft = 0, sewageLeft = 0, waterLeft = 0;
    std::string cityName;
    std::string toolName = "Bulldoze";
    std::int32_t toolPrice = 10;
    std::int32_t toolCode = 9;
    std::array<std::uint8_t, city::kUnlockCount> unlocks{};
    std::int16_t taxRate = 25;
    std::int16_t policeFunding = 100, fireFunding = 100, hospitalFunding = 100, educationFunding = 100,
                 transportFunding = 100;
    std::int32_t messageElapsed = 0, messageHold = 0;
    std::int32_t animFrame = 1;
    std::array<std::array<TGridPos, 7>, 7> roadRing{};
    std::int32_t popupX = 0, popupY = 0;
    std::uint8_t playVideos = 0;
    std::string programDir;

    // --- cursor and drag state
    std::int32_t cursorX = 0, cursorY = 0;
    std::int32_t cursorScreenX = 0, cursorScreenY = 0;
    std::uint8_t cursorValid = 0;
    std::int32_t dragStartX = -1, dragStartY = 0, dragEndX = 0, dragEndY = 0;

    // --- view lookup and movers
    // Addressed as one flat array: index = view row * 80 + view column.
    std::array<TGridPos, city::kViewRows * city::kViewCols> ViewGrid{};
    TGridPos ViewAt(int row, int col) const;
    std::array<TMover, city::kMovers> Movers{};

    // --- shared operations
    // Sets code and clears the anchor, pending code, countdown and supply flags;
    // traffic, crime and pollution stay. Off-map coordinates are ignored.
    void SetCell(int x, int y, int code);
    // The cell test with a code or a class selector; false off the map.
    bool IsCell(int x, int y, int selector) const;
    int CountCells(int selector) const;
    // The reset run before a new city or a load.
    void ResetCityCounters();
    // Builds the staggered view lookup once at start-up.
    void BuildViewGrid();
    // Steps 1 to 3 of a new city: reset, every cell empty land, river and woods.
    void GenerateLandscape();

    // --- the one random generator of the game
    // A whole number from 1 to n; 1 when n <= 0.
    int Random(int n);
    void Seed(std::uint32_t seed) { generator_.seed(seed); }

private:
    std::mt19937 generator_;
};
