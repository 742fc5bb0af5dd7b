// The tick of the simulation clock, its status line and the speed command.
#include "city/CityClock.h"

#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/Simulation.h"

namespace city {

std::string MonthName(int month) {
    static const char* const kNames[] = {"Null", "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul",  "Aug", "Sep", "Oct", "Nov", "Dec"};
    // A month read from a damaged city file must not index past the table.
    if (month < 0 || month > 12)
        return {};
    return kNames[month];
}

std::array<std::string, 6> StatusTexts(const CityState& state) {
    // The trailing blanks wipe out the tail of a longer text drawn there before.
    const long long population =
        static_cast<long long>(state.residentialPop) + state.commercialPop + state.industrialPop;
    return {
        MonthName(state.month) + " " + std::to_string(state.year) + "    ",
        "Funds: £" + std::to_string(state.funds) + "        ",
        state.toolName + "            ",
        "Cost: £" + std::to_string(state.toolPrice) + "       ",
        "Status: " + RankName(state.cityRank) + "     ",
        "Pop: " + std::to_string(population) + "     ",
    };
}

std::string SpeedLine(int monthLength) { return "SPEED; " + std::to_string(monthLength) + ";"; }

} // namespace city

using namespace city;

void CityClock::ClockTimer() {
    const int interval = host_.ClockInterval();
    host_.SetMonthTime(host_.MonthTime() + interval);

    if (state_.messageHold > 0)
        state_.messageElapsed += interval;
    if (state_.messageElapsed >= state_.messageHold) {
        state_.messageElapsed = 0;
        state_.messageHold = 0;
    }

    ++state_.animFrame;
    if (state_.animFrame >= 5 || state_.animFrame < 1)
        state_.animFrame = 1;

    if (host_.MonthTime() >= state_.monthLength)
        PassMonth();

    if (state_.messageHold == 0)
        WriteStatusLine();
    host_.DrawFrame();
}

void CityClock::PassMonth() {
    host_.SetMonthTime(0);
    if (state_.month < 13)
        ++state_.month;
    if (state_.month == 13) {
        // The rank update and the budget already see month 1 of the new year.
        state_.month = 1;
        ++state_.year;
        RankUpdate(state_, host_);
        YearlyBudget(state_, host_);
    }
    RecomputeNetworks(state_, host_);
    DevelopmentScan(state_, host_);
}

void CityClock::WriteStatusLine() {
    const auto texts = StatusTexts(state_);
    for (size_t slot = 0; slot < texts.size(); ++slot)
        host_.RunCommand("ECHO; " + texts[slot] + "; 273; " + std::to_string(slot) + ";", false, false);
}
