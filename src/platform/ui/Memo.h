// A read-only multi-line list of text lines.
#pragma once

#include "platform/ui/Control.h"

#include <string>
#include <vector>

namespace ui {

class Memo : public Control {
public:
    using Control::Control;

    // Tells whoever watches (the driver, a view) about a line inserted at an index.
    std::function<void(std::size_t index, const std::string& line)> OnInsert;

    std::size_t Count() const { return lines_.size(); }
    const std::string& Line(std::size_t index) const { return lines_.at(index); }
    const std::vector<std::string>& Lines() const { return lines_; }
    // Inserts before index (index == Count appends).
    void Insert(std::size_t index, const std::string& line);
    void Delete(std::size_t index);
    void Clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

} // namespace ui
