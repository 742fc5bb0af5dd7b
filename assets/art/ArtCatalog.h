// The list of everything the art generator makes: the 201 map pictures with their
// sizes, the tool cursors and button glyphs, and the files of the Graphics folder.
#pragma once

#include "BmpWriter.h"
#include "Canvas.h"

#include <string>
#include <vector>

namespace art {

constexpr int kPictureCount = 201;

// Size of picture P<code>. footprint is the n of the n x n diamond the picture is
// aligned to (0 for the sheets that are never drawn whole: the network strips, the
// motorway sheet and the single tree).
struct PictureShape {
    int code = 0;
    int footprint = 1;
    int width = 59;
    int height = 31;
};

PictureShape PictureShapeFor(int code);
Canvas PaintPicture(int code);

// The 19 tool groups in palette order: resource name of the cursor and name of the button.
struct ToolGroup {
    const char* cursorName;
    const char* buttonName;
};
const std::vector<ToolGroup>& ToolGroups();

// The pixel of a tool cursor that points at the map.
constexpr int kCursorHotspotX = 0;
constexpr int kCursorHotspotY = 0;
constexpr int kCursorSize = 32;
constexpr int kGlyphSize = 24;

struct ArtItem {
    std::string name; // resource name ("P001", "ROAD", "GLYPH_Road_SB") or file name ("Back.bmp")
    IndexedImage image;
};

struct ArtSet {
    std::vector<ArtItem> resources; // built into the program
    std::vector<ArtItem> files;     // written to the Graphics folder
};

ArtSet GenerateArt();

IndexedImage ToImage(const Canvas& canvas);

} // namespace art
