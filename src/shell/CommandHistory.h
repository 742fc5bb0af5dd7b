// The ring of the ten most recent lines typed at the console.
#pragma once

#include <array>
#include <string>

// Entry 0 is the newest. The browse position stands for the entry the console's
// input box is taken to show, so Up and Down move from there.
class CommandHistory {
public:
    static constexpr int kEntries = 10;

    // The one history of the program.
    static CommandHistory& Instance();

    // Empties entries 0 to 8 and the browse position; returns the line the
    // start-up runs to greet the player.
    std::string ResetHistory();
    // Drops entry 9, moves the others one place older, stores the line as entry 0.
    void AddToHistory(const std::string& line);
    // Up: one entry older, stopping at 9 (or 8 while 9 is still empty).
    std::string OlderEntry();
    // Down: one entry newer, stopping at 0.
    std::string NewerEntry();
    std::string NewestEntry() const { return entries_[0]; }

    int BrowsePosition() const { return position_; }
    const std::string& Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }

private:
    std::array<std::string, kEntries> entries_;
    int position_ = 0;
};
