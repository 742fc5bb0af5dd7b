// The program's resources: named blobs compiled into the executable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace os {

struct Resource {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// Resources are looked up by name, ignoring ASCII case, as the original platform
// did. Generated resource files register their entries before the program starts.
class ResourceTable {
public:
    static void Add(std::string_view name, const std::uint8_t* data, std::size_t size);
    // nullptr when there is no resource of that name.
    static const Resource* Find(std::string_view name);
    static void Remove(std::string_view name);
    static std::size_t Count();
};

} // namespace os
