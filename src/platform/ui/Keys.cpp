// Key names understood by shortcuts and the headless driver.
#include "platform/ui/Keys.h"

#include <cstring>
#include <strings.h>

namespace ui {

std::uint16_t KeyFromName(const char* name) {
    struct Named {
        const char* name;
        std::uint16_t key;
    };
    static const Named kNames[] = {
        {"Enter", VK_RETURN}, {"Return", VK_RETURN}, {"Up", VK_UP},        {"Down", VK_DOWN},
        {"Left", VK_LEFT},    {"Right", VK_RIGHT},   {"Escape", VK_ESCAPE}, {"Esc", VK_ESCAPE},
        {"Tab", VK_TAB},      {"Back", VK_BACK},     {"Backspace", VK_BACK}, {"Space", VK_SPACE},
        {"Home", VK_HOME},    {"End", VK_END},       {"PageUp", VK_PRIOR},  {"PageDown", VK_NEXT},
        {"Delete", VK_DELETE}, {"Insert", VK_INSERT},
    };
    if (!name || !*name)
        return VK_NONE;
    for (const Named& n : kNames)
        if (strcasecmp(n.name, name) == 0)
            return n.key;
    if ((name[0] == 'F' || name[0] == 'f') && name[1] >= '1' && name[1] <= '9') {
        int number = name[1] - '0';
        if (name[2] >= '0' && name[2] <= '9' && name[3] == 0)
            number = number * 10 + (name[2] - '0');
        else if (name[2] != 0)
            return VK_NONE;
        if (number >= 1 && number <= 24)
            return static_cast<std::uint16_t>(VK_F1 + number - 1);
        return VK_NONE;
    }
    if (std::strlen(name) == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return static_cast<std::uint16_t>(c);
    }
    return VK_NONE;
}

} // namespace ui
