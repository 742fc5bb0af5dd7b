// Helpers shared by the city file's tests: random cities, file texts and state dumps.
#pragma once

#include "city/CityState.h"
#include "cityfile/CityFile.h"
#include "shell/CommandInterpreter.h"

#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace cftest {

// The command language's own parser, as the game hands it to the reader.
inline const cityfile::FieldSplitter kSplit = &CommandInterpreter::ParseFields;

// A city whose every saved word is drawn at random within what the game holds, and
// whose unsaved words are noise. Cells with x % 7 == 0 are never covered, so every
// covered cell can point at one of them.
inline void FillRandomCity(CityState& city, std::uint32_t seed) {
    std::mt19937 gen(seed);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    city.cityName = "Town " + std::to_string(seed);
    city.month = any(1, 12);
    city.year = any(-5000, 100000);
    city.funds = any(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    city.cityRank = any(1, 6);
    city.residentialPop = any(-100, 2000000000);
    city.commercialPop = any(0, 70000);
    city.industrialPop = any(std::numeric_limits<int>::min(), 10);
    city.taxRate = static_cast<std::int16_t>(any(-32768, 32767));
    city.policeFunding = static_cast<std::int16_t>(any(-1, 100));
    city.fireFunding = static_cast<std::int16_t>(any(0, 100));
    city.hospitalFunding = static_cast<std::int16_t>(any(-32768, 0));
    city.educationFunding = static_cast<std::int16_t>(any(0, 32767));
    city.transportFunding = static_cast<std::int16_t>(any(0, 100));
    city.monthLength = any(0, 20000);
    city.toolCode = any(0, 201);
    for (int y = 0; y < city::kMapSize; ++y)
        for (int x = 0; x < city::kMapSize; ++x) {
            TMapCell& c = city.Cell(x, y);
            const bool covered = x % 7 != 0 && any(0, 9) == 0;
            c.code = covered ? city::kCodeCovered : any(0, 201);
            if (covered) {
                c.anchorX = 7 * any(0, 11);
                c.anchorY = any(0, 79);
            } else {
                c.anchorX = any(0, 255);
                c.anchorY = any(0, 255);
            }
            c.pendingCode = any(0, 3) == 0 ? any(130, 100000) : any(0, 129);
            c.countdown = any(0, 3) == 0 ? any(-1000, 1000) : any(0, 130);
            c.powered = static_cast<std::uint8_t>(any(0, 1));
            c.sewered = static_cast<std::uint8_t>(any(0, 1));
            c.watered = static_cast<std::uint8_t>(any(0, 1));
            c.traffic = any(0, 999);
            c.crime = any(0, 999);
            c.pollution = any(0, 999);
        }
}

// The lines joined as a file holds them.
inline std::string Join(const std::vector<std::string>& lines, const std::string& lineBreak = "\r\n") {
    std::string text;
    for (const std::string& line : lines)
        text += line + lineBreak;
    return text;
}

// Every word of the state a load could touch, as text, to show that nothing changed.
inline std::string Dump(const CityState& city) {
    std::ostringstream s;
    s << city.cityName << '|' << city.month << ' ' << city.year << ' ' << city.funds << ' ' << city.cityRank << ' '
      << city.residentialPop << ' ' << city.commercialPop << ' ' << city.industrialPop << ' ' << city.taxRate << ' '
      << city.policeFunding << ' ' << city.fireFunding << ' ' << city.hospitalFunding << ' ' << city.educationFunding
      << ' ' << city.transportFunding << ' ' << city.monthLength << ' ' << city.toolName << ' ' << city.toolCode
      << ' ' << city.toolPrice << ' ' << city.messageHold << ' ' << city.messageElapsed << ' ' << city.dragStartX
      << '\n';
    for (int u : city.unlocks)
        s << u << ' ';
    for (const TMapCell& c : city.CityMap)
        s << c.code << ',' << c.anchorX << ',' << c.anchorY << ',' << c.pendingCode << ',' << c.countdown << ','
          << int(c.powered) << int(c.sewered) << int(c.watered) << ',' << c.traffic << ',' << c.crime << ','
          << c.pollution << ';';
    for (const TMover& m : city.Movers)
        s << m.x << ',' << m.y << ',' << int(m.active) << ',' << m.kind << ',' << m.direction << ';';
    return s.str();
}

} // namespace cftest
