// A recording stand-in for the window: command lines, clock, scroll bars, budget panel, frames.
// One fake host serves every simulation test.
#pragma once

#include "city/Budget.h"
#include "city/CityHost.h"
#include "city/CityState.h"

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

// Records everything the simulation asks of its window, in order, in one event list
// ("run: LINE", "clock: on", "budget: shown", "unlock 6: off", "frame"), and keeps
// the state a real window would: the clock's Tag, the scroll bars clamped to their
// ranges, the Auto Budget check mark, the budget panel's six up-downs and its
// visibility, the state of the nine unlockable items.
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
    int budgetShows = 0; // budgets shown with the panel made visible
    int budgetFills = 0; // every filling of the panel, shown or not
    bool budgetVisible = false;
    BudgetFigures lastBudget;
    // The panel's positions; empty means a host without a panel.
    std::optional<std::array<int, 6>> positions;
    std::array<int, city::kUnlockCount> unlockItems{}; // -1 unset, 0 off, 1 on

    FakeCityHost() { unlockItems.fill(-1); }

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
    // The positions asked for, and the ones the bars would take.
    int horzAsked = -1, vertAsked = -1;
    void SetHorzPosition(int position) override {
        horzAsked = position;
        horz = std::clamp(position, 0, 70);
    }
    int VertPosition() const override { return vert; }
    void SetVertPosition(int position) override {
        vertAsked = position;
        vert = std::clamp(position, 0, 141);
    }
    bool AutoBudgetChecked() const override { return autoBudget; }
    void ShowBudget(const BudgetFigures& figures, bool show) override {
        ++budgetFills;
        lastBudget = figures;
        // The panel's up-downs follow the stored settings, as the real panel's do.
        if (positions)
            *positions = figures.settings;
        if (show) {
            budgetVisible = true;
            ++budgetShows;
            events.push_back("budget: shown " + figures.yearCaption);
        }
    }
    void HideBudget() override { budgetVisible = false; }
    std::optional<int> BudgetPosition(int index) const override {
        if (!positions || index < 0 || index > 5)
            return std::nullopt;
        return (*positions)[static_cast<size_t>(index)];
    }
    void SetUnlockItemEnabled(int unlock, bool enabled) override {
        unlockItems.at(static_cast<size_t>(unlock)) = enabled ? 1 : 0;
        events.push_back("unlock " + std::to_string(unlock) + (enabled ? ": on" : ": off"));
    }
    void DrawFrame() override {
        ++frames;
        events.push_back("frame");
    }

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

// The object types the start-up scripts give the game, as far as the tests need
// them: footprints follow the pictures' widths, values are round numbers.
inline void FillTestTypes(CityState& state) {
    auto set = [&](int code, int size, int value, int kind, const char* name) {
        TObjectType& t = state.ObjectTypes[static_cast<size_t>(code)];
        t.size = size;
        t.value = value;
        t.reportKind = kind;
        t.name = name;
    };
    for (int code = 0; code < city::kObjectCodes; ++code)
        state.ObjectTypes[static_cast<size_t>(code)] = TObjectType{};
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
    set(15, 1, 0, 2, "Statue");
    set(16, 2, 0, 2, "Your House");
    set(17, 1, 0, 4, "Road");
    set(18, 1, 0, 4, "Motor Way");
    set(19, 2, 0, 5, "Bus Station");
    set(20, 1, 0, 3, "Railway");
    set(21, 2, 0, 5, "Station");
    set(22, 1, 0, 5, "Sub-Station");
    set(23, 1, 0, 1, "Airport");
    set(26, 2, 0, 2, "Terminal");
    set(28, 2, 0, 2, "Hangar");
    set(29, 5, 0, 2, "Runway");
    set(30, 1, 0, 1, "Sea Port");
    set(31, 2, 0, 2, "Warehouse");
    set(32, 2, 0, 2, "Crane");
    set(34, 6, 0, 2, "Quay");
    set(37, 4, 60, 6, "Coal Power Plant");
    set(38, 4, 60, 6, "Oil Power Plant");
    set(39, 4, 45, 6, "Gas Power Plant");
    set(40, 4, 150, 6, "Nuclear Power Plant");
    set(41, 1, 20, 6, "Wind Turbine");
    set(42, 3, 30, 6, "Solar Power Plant");
    set(43, 2, 90, 6, "MicroWave Power Plant");
    set(45, 1, 40, 17, "Water Pump");
    set(46, 2, 50, 18, "Treatment Works");
    set(47, 3, 80, 18, "U.V Treatment");
    set(48, 1, 0, 1, "Residential Low");
    set(49, 1, 0, 1, "Residential High");
    for (int code = 50; code <= 54; ++code)
        set(code, 1, 20, 8, "House");
    for (int code = 55; code <= 59; ++code)
        set(code, 2, 120, 8, "Flats");
    for (int code = 60; code <= 64; ++code)
        set(code, 3, 400, 8, "Apartments");
    set(65, 1, 0, 1, "Commercial Low");
    set(66, 1, 0, 1, "Commercial High");
    for (int code = 67; code <= 71; ++code)
        set(code, 1, 15, 8, "Shop");
    for (int code = 72; code <= 76; ++code)
        set(code, 2, 90, 8, "Stores");
    for (int code = 77; code <= 81; ++code)
        set(code, 3, 300, 8, "Offices");
    set(82, 1, 0, 1, "Industrial Low");
    set(83, 1, 0, 1, "Industrial High");
    for (int code = 84; code <= 88; ++code)
        set(code, 1, 25, 8, "Workshop");
    for (int code = 89; code <= 93; ++code)
        set(code, 2, 110, 8, "Works");
    for (int code = 94; code <= 98; ++code)
        set(code, 3, 350, 8, "Factory");
    set(99, 2, 0, 2, "Church");
    set(100, 3, 0, 2, "Cathedral");
    set(101, 3, 0, 9, "Police Station");
    set(102, 3, 0, 10, "Fire Station");
    set(103, 3, 0, 11, "Hospital");
    set(104, 3, 500, 12, "School");
    set(105, 3, 900, 12, "College");
    set(106, 2, 0, 13, "Library");
    set(107, 3, 0, 14, "Museum");
    set(108, 1, 0, 2, "Small Park");
    set(109, 2, 0, 15, "Large Park");
    set(110, 3, 0, 16, "Marina");
    set(111, 4, 0, 2, "Stadium");
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

// A map of empty land with the types above and a fixed seed.
inline void MakeFlatCity(CityState& state, std::uint32_t seed = 99) {
    FillTestTypes(state);
    state.ResetCityCounters();
    for (TMapCell& c : state.CityMap) {
        c = TMapCell{};
        c.code = city::kCodeEmpty;
    }
    state.funds = 20000;
    state.month = 1;
    state.year = 1950;
    state.cityRank = 1;
    state.residentialPop = state.commercialPop = state.industrialPop = 0;
    state.cityName = "Testville";
    state.Seed(seed);
}

// Lays an n x n object with (x, y) as its anchor, as placement leaves it.
inline void Lay(CityState& state, int x, int y, int code, int n = 1) {
    for (int yy = y; yy < y + n; ++yy)
        for (int xx = x; xx < x + n; ++xx) {
            state.SetCell(xx, yy, city::kCodeCovered);
            state.Cell(xx, yy).anchorX = x;
            state.Cell(xx, yy).anchorY = y;
        }
    state.SetCell(x, y, code);
}

// The game's draws as the design fixes them (one 32-bit Mersenne Twister, n <= 0
// gives 1), so that a test can foresee what a seeded city will draw.
class Draws {
public:
    explicit Draws(std::uint32_t seed) : gen_(seed) {}
    int Random(int n) { return n <= 0 ? 1 : static_cast<int>(gen_() % static_cast<std::uint32_t>(n)) + 1; }

private:
    std::mt19937 gen_;
};

// The first seed whose opening draws make the predicate true.
template <typename Predicate> std::uint32_t SeedWhere(Predicate predicate) {
    for (std::uint32_t seed = 1; seed < 100000; ++seed) {
        Draws draws(seed);
        if (predicate(draws))
            return seed;
    }
    throw std::logic_error("no seed found");
}
