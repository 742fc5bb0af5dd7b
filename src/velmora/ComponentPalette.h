// The component palette: the class names registered on each of its pages, in the
// order they were registered.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class ComponentPalette {
public:
    // Adds the classes to the page; a class already on the page is not added twice.
    static void RegisterComponents(const std::string& page, const std::vector<std::string>& classNames);
    // The classes on a page (empty for a page nobody registered on).
    static std::vector<std::string> Page(const std::string& page);
    static std::vector<std::string> Pages();
    static void Clear();
};

} // namespace velmora
