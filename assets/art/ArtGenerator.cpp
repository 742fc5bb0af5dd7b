// plazaro_artgen: paints the game's art and writes the resource source and the
// Graphics folder. Run by the build; the output depends on nothing but this code.
#include "ArtCatalog.h"
#include "ArtPainters.h"
#include "AviWriter.h"
#include "BmpWriter.h"
#include "IconWriter.h"
#include "IntroArt.h"
#include "ResourceSourceWriter.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    std::string sourceDir;
    std::string graphicsDir;
    std::string iconDir;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sources") == 0) sourceDir = argv[i + 1];
        else if (std::strcmp(argv[i], "--graphics") == 0) graphicsDir = argv[i + 1];
        else if (std::strcmp(argv[i], "--icons") == 0) iconDir = argv[i + 1];
    }
    if (sourceDir.empty() || graphicsDir.empty()) {
        std::fprintf(stderr, "usage: plazaro_artgen --sources DIR --graphics DIR [--icons DIR]\n");
        return 2;
    }
    const art::ArtSet set = art::GenerateArt();
    std::error_code error;
    std::filesystem::create_directories(sourceDir + "/include", error);
    std::filesystem::create_directories(graphicsDir, error);
    bool ok = art::ResourceSourceWriter::WriteIfChanged(sourceDir + "/PlazaroResources.cpp", art::ResourceSourceWriter::Source(set));
    ok = art::ResourceSourceWriter::WriteIfChanged(sourceDir + "/include/PlazaroResources.h", art::ResourceSourceWriter::Header(set)) && ok;
    for (const auto& file : set.files)
        ok = art::BmpWriter::WriteFile(graphicsDir + "/" + file.name, art::BmpWriter::File(file.image, art::Palette::Game())) && ok;
    // The desktop's icons, in the layout of an icon theme.
    if (!iconDir.empty())
        ok = art::IconWriter::WriteTheme(iconDir, "plazaro", art::PaintIcon()) && ok;
    for (const art::IntroVideo& video : {art::PaintStudioVideo(), art::PaintTitleVideo()})
        ok = art::BmpWriter::WriteFile(graphicsDir + "/" + video.name,
                                       art::AviWriter::File(video.frames, art::Palette::Game().Colours(), video.framesPerSecond)) &&
             ok;
    if (!ok) {
        std::fprintf(stderr, "plazaro_artgen: could not write the output\n");
        return 1;
    }
    return 0;
}
