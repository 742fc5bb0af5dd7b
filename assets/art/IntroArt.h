// The two intro videos: the studio's name and the title building itself up.
#pragma once

#include "BmpWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct IntroVideo {
    std::string name; // the file's name in the Graphics folder
    int framesPerSecond = 15;
    std::vector<IndexedImage> frames; // in the game's palette
};

// "qor.avi": 420 x 60, 24 frames at 15 a second (1.6 s).
IntroVideo PaintStudioVideo();
// "city_title.avi": 250 x 250, 51 frames at 15 a second (3.4 s).
IntroVideo PaintTitleVideo();

} // namespace art
