// Name-to-bytes table of the program's resources.
#include "platform/os/ResourceTable.h"

#include "platform/os/PathMap.h"

#include <map>

namespace os {
namespace {
std::map<std::string, Resource>& Table() {
    static std::map<std::string, Resource> table;
    return table;
}
} // namespace

void ResourceTable::Add(std::string_view name, const std::uint8_t* data, std::size_t size) {
    Table()[AsciiUpper(std::string(name))] = Resource{data, size};
}

const Resource* ResourceTable::Find(std::string_view name) {
    auto it = Table().find(AsciiUpper(std::string(name)));
    return it == Table().end() ? nullptr : &it->second;
}

void ResourceTable::Remove(std::string_view name) { Table().erase(AsciiUpper(std::string(name))); }

std::size_t ResourceTable::Count() { return Table().size(); }

} // namespace os
