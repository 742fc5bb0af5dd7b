// Pictures the widgets show (glyphs, cursors, the title picture), decoded once and kept.
#pragma once

#include "platform/paint/FrameBuffer.h"

#include <map>
#include <memory>
#include <string>

namespace paint {

class ImageCache {
public:
    // A bitmap resource of the program by name (ignoring case); null when there is
    // none or it cannot be decoded.
    const Image* Resource(const std::string& name);
    // A bitmap file by the game's Windows-shaped path; null when it cannot be read.
    const Image* File(const std::string& path);
    // Forgets everything (a test replacing resources or files).
    void Clear() {
        resources_.clear();
        files_.clear();
    }

    static ImageCache& Shared();

private:
    std::map<std::string, std::unique_ptr<Image>> resources_;
    std::map<std::string, std::unique_ptr<Image>> files_;
};

} // namespace paint
