// The palette's pages.
#include "velmora/ComponentPalette.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {
std::vector<std::pair<std::string, std::vector<std::string>>>& Table() {
    static std::vector<std::pair<std::string, std::vector<std::string>>> table;
    return table;
}
} // namespace

void ComponentPalette::RegisterComponents(const std::string& page, const std::vector<std::string>& classNames) {
    auto& table = Table();
    auto it = std::find_if(table.begin(), table.end(), [&](const auto& entry) { return entry.first == page; });
    if (it == table.end()) {
        table.emplace_back(page, std::vector<std::string>{});
        it = table.end() - 1;
    }
    for (const std::string& name : classNames)
        if (std::find(it->second.begin(), it->second.end(), name) == it->second.end())
            it->second.push_back(name);
}

std::vector<std::string> ComponentPalette::Page(const std::string& page) {
    for (const auto& entry : Table())
        if (entry.first == page)
            return entry.second;
    return {};
}

std::vector<std::string> ComponentPalette::Pages() {
    std::vector<std::string> pages;
    for (const auto& entry : Table())
        pages.push_back(entry.first);
    return pages;
}

void ComponentPalette::Clear() { Table().clear(); }

} // namespace velmora
