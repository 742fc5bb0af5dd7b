// Line list operations of the read-only memo.
#include "platform/ui/Memo.h"

namespace ui {

void Memo::Insert(std::size_t index, const std::string& line) {
    if (index > lines_.size())
        index = lines_.size();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), line);
    if (OnInsert)
        OnInsert(index, line);
}

void Memo::Delete(std::size_t index) {
    if (index < lines_.size())
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
}

} // namespace ui
