// The simulation clock: one tick every 100 ms, a month when enough time has gathered.
#pragma once

#include <array>
#include <string>

class CityState;
class CityHost;

namespace city {

// Month lengths of the speed menu, in milliseconds of ticks per game month.
constexpr int kSpeedPause = 0;
constexpr int kSpeedSlow = 10000;
constexpr int kSpeedMedium = 6000;
constexpr int kSpeedFast = 2000;

// "Null", "Jan" ... "Dec" for months 0 to 12; empty for any other number.
std::string MonthName(int month);

// The six texts of the status line, slots 0 to 5.
std::array<std::string, 6> StatusTexts(const CityState& state);

// The line a speed menu item hands to the interpreter ("SPEED; 0;", "SPEED; 6000;"...).
std::string SpeedLine(int monthLength);

} // namespace city

// The handler of the clock's timer.
class CityClock {
public:
    CityClock(CityState& state, CityHost& host) : state_(state), host_(host) {}

    // One tick: month time, the message hold, the animation frame, the month (and the
    // year) when due, the status line, and a frame of the map.
    void ClockTimer();

private:
    void PassMonth();
    void WriteStatusLine();

    CityState& state_;
    CityHost& host_;
};
