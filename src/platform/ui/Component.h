// The base of every named part of a window: widgets, menu items, dialogs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ui {

class Component {
public:
    explicit Component(std::string name = {}) : Name(std::move(name)) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    std::string Name;
    std::int64_t Tag = 0;

    // A click as the player makes it: widgets that are disabled or hidden ignore it.
    virtual void Click() {}
};

} // namespace ui
