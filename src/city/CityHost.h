// The narrow seam through which the simulation reaches the window that shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct BudgetFigures;

// The simulation knows nothing of widgets, timers or surfaces: it asks its host to
// run command lines and to carry out the few effects on the window that the game
// needs. The shell implements it; tests use a recording fake.
class CityHost {
public:
    virtual ~CityHost() = default;

    // Runs one line of the command language.
    virtual void RunCommand(const std::string& line, bool echo, bool recordHistory) = 0;

    // True while a city is on screen (the city name bar is shown).
    virtual bool GameScreenShown() const = 0;

    // The simulation clock: on/off, and the month time kept in its Tag.
    virtual bool ClockEnabled() const = 0;
    virtual void SetClockEnabled(bool enabled) = 0;
    virtual std::int64_t MonthTime() const = 0;
    virtual void SetMonthTime(std::int64_t ms) = 0;
    virtual int ClockInterval() const = 0;

    // The view's scroll bar positions (Horz_SB, Vert_SB).
    virtual int HorzPosition() const = 0;
    virtual void SetHorzPosition(int position) = 0;
    virtual int VertPosition() const = 0;
    virtual void SetVertPosition(int position) = 0;

    // The "Auto Budget" item's check mark.
    virtual bool AutoBudgetChecked() const = 0;
    // Shows the yearly budget's figures on the budget panel; with show, the panel
    // is also made visible (the yearly budget), otherwise only filled.
    virtual void ShowBudget(const BudgetFigures& figures, bool show) = 0;
    // Hides the budget panel (a yearly budget run with Auto Budget checked).
    virtual void HideBudget() {}
    // The position of UpDown1 to UpDown6 (index 0 to 5); a host without a budget
    // panel answers nothing and the stored settings stand in.
    virtual std::optional<int> BudgetPosition(int index) const {
        (void)index;
        return std::nullopt;
    }

    // Enables or disables the palette item of one unlock (city::Unlock index).
    virtual void SetUnlockItemEnabled(int unlock, bool enabled) = 0;

    // Draws one frame of the map and shows it.
    virtual void DrawFrame() = 0;
};
