// Browsing and recording of typed command lines.
#include "shell/CommandHistory.h"

CommandHistory& CommandHistory::Instance() {
    static CommandHistory history;
    return history;
}

std::string CommandHistory::ResetHistory() {
    // Entry 9 is not cleared: the reset runs once, at start-up, when the ring is
    // still empty, and the next recorded line pushes entry 9 out anyway.
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
