// A recording stand-in for the window: command lines, clock, scroll bars, panels, frames.
#pragma once

#include "city/Budget.h"
#include "city/CityHost.h"
#include "city/CityState.h"

#include <algorithm>
#include <string>
#include <vector>

// Records everything the simulation asks of its window, in order, in one event list
// ("run: LINE", "clock: on", "budget: shown", "unlock 6: off", "frame"), and keeps
// the state a real window would: the clock's Tag, the scroll bars clamped to their
// ranges, the Auto Budget check mark.
class FakeCityHost : public CityHost {
public:
    struct Line {
        std::string text;
        bool echo;
        bool recordHistory;
    };

    std::vector<Line> lines;
    std::vector<std::string> events;
    bool shown = true;
    bool clockOn = true;
    std::int64_t monthTime = 0;
    int horz = 35, vert = 66;
    bool autoBudget = false;
    int frames = 0;
    int budgetShows = 0;

    void RunCommand(const std::string& line, bool echo, bool recordHistory) override {
        lines.push_back({line, echo, recordHistory});
        events.push_back("run: " + line);
    }
    bool GameScreenShown() const override { return shown; }
    bool ClockEnabled() const override { return clockOn; }
    void SetClockEnabled(bool enabled) override {
        clockOn = enabled;
        events.push_back(enabled ? "clock: on" : "clock: off");
    }
    std::int64_t MonthTime() const override { return monthTime; }
    void SetMonthTime(std::int64_t ms) override { monthTime = ms; }
    int ClockInterval() const override { return 100; }
    int HorzPosition() const override { return horz; }
    void SetHorzPosition(int position) override { horz = std::clamp(position, 0, 70); }
    int VertPosition() const override { return vert; }
    void SetVertPosition(int position) override { vert = std::clamp(position, 0, 141); }
    bool AutoBudgetChecked() const override { return autoBudget; }
    void ShowBudget(const BudgetFigures& figures, bool show) override {
        lastBudget = figures;
        if (show) {
            ++budgetShows;
            events.push_back("budget: shown " + figures.yearCaption);
        }
    }
    void SetUnlockItemEnabled(int unlock, bool enabled) override {
        events.push_back("unlock " + std::to_string(unlock) + (enabled ? ": on" : ": off"));
    }
    void DrawFrame() override {
        ++frames;
        events.push_back("frame");
    }

    BudgetFigures lastBudget;

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const Line& l : lines)
            out.push_back(l.text);
        return out;
    }
    int Count(const std::string& text) const {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const Line& l) { return l.text == text; }));
    }
    void Clear() {
        lines.clear();
        events.clear();
    }
};

// The object types the start-up scripts give the game, as far as these tests need
// them: footprints follow the pictures' widths, values are round numbers.
inline void FillTestTypes(CityState& state) {
    auto set = [&](int code, int size, int value, int reportKind, const char* name) {
        TObjectType& t = state.ObjectTypes[static_cast<size_t>(code)];
        t.size = size;
        t.value = value;
        t.reportKind = reportKind;
        t.name = name;
    };
    for (int code = 1; code < city::kObjectCodes; ++code)
        set(code, 1, 0, 2, "Object");
    set(1, 1, 0, 0, "Construction");
    set(2, 2, 0, 0, "Construction");
    set(3, 3, 0, 0, "Construction");
    set(9, 1, 0, 0, "Empty Land");
    set(10, 1, 0, 0, "Cleared Land");
    set(11, 1, 0, 0, "Trees");
    set(12, 1, 0, 0, "Water");
    set(13, 3, 0, 2, "City Hall");
    set(14, 2, 0, 2, "Fountain");
    set(16, 2, 0, 2, "Your House");
    set(17, 1, 0, 4, "Road");
    set(18, 1, 0, 4, "Motor Way");
    set(19, 2, 0, 5, "Bus Station");
    set(20, 1, 0, 3, "Railway");
    set(21, 2, 0, 5, "Station");
    set(22, 1, 0, 5, "Sub-Station");
    set(29, 5, 0, 2, "Runway");
    set(34, 6, 0, 2, "Quay");
    for (int code = 37; code <= 40; ++code)
        set(code, 4, 60, 6, "Power Plant");
    set(37, 4, 60, 6, "Coal Power Plant");
    set(45, 1, 40, 17, "Water Pump");
    set(48, 1, 0, 1, "R Low Density");
    set(49, 1, 0, 1, "R High Density");
    for (int code = 50; code <= 54; ++code)
        set(code, 1, 20, 8, "House");
    for (int code = 55; code <= 59; ++code)
        set(code, 2, 120, 8, "Flats");
    for (int code = 60; code <= 64; ++code)
        set(code, 3, 400, 8, "Apartments");
    set(65, 1, 0, 1, "C Low Density");
    set(66, 1, 0, 1, "C High Density");
    for (int code = 67; code <= 71; ++code)
        set(code, 1, 15, 8, "Shop");
    for (int code = 77; code <= 81; ++code)
        set(code, 3, 300, 8, "Offices");
    set(82, 1, 0, 1, "I Low Density");
    set(83, 1, 0, 1, "I High Density");
    for (int code = 84; code <= 88; ++code)
        set(code, 1, 25, 8, "Workshop");
    for (int code = 94; code <= 98; ++code)
        set(code, 3, 350, 8, "Factory");
    set(99, 2, 0, 2, "Church");
    set(100, 3, 0, 2, "Cathedral");
    set(101, 3, 0, 9, "Police Station");
    set(108, 1, 0, 2, "Small Park");
    set(110, 3, 0, 16, "Marina");
    state.ObjectTypes[0] = TObjectType{};
}

// A city of empty land with the test types, the view lookup built and the funds set.
inline void MakeEmptyCity(CityState& state, int funds = 20000) {
    FillTestTypes(state);
    state.BuildViewGrid();
    state.ResetCityCounters();
    for (TMapCell& c : state.CityMap)
        c = TMapCell{};
    for (TMapCell& c : state.CityMap)
        c.code = city::kCodeEmpty;
    state.funds = funds;
    state.month = 1;
    state.year = 1950;
    state.monthLength = 6000;
    state.Seed(1234);
}
