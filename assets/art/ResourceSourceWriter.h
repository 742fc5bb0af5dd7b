// Turns the generated bitmaps into a C++ source file that registers them as the
// program's resources, and the header that declares the registration function.
#pragma once

#include "ArtCatalog.h"

#include <string>

namespace art {

class ResourceSourceWriter {
public:
    static std::string Source(const ArtSet& set);
    static std::string Header(const ArtSet& set);
    // Writes the text unless the file already holds exactly it, so an unchanged
    // generation does not make the build recompile the resources.
    static bool WriteIfChanged(const std::string& path, const std::string& text);
};

} // namespace art
