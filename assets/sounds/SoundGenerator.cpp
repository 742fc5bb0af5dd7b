// The build's sound generator: writes every effect into <program folder>/Sound and
// the tracks of the virtual disc into <program folder>/Music. Same output every run.
#include "MusicComposer.h"
#include "SoundEffects.h"
#include "WaveWriter.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(root / "Sound", ec);
    std::filesystem::create_directories(root / "Music", ec);

    std::uint32_t seed = 1;
    for (const auto& effect : SoundEffects::All()) {
        auto path = (root / "Sound" / effect.fileName).string();
        if (!WaveWriter::Write(path, SoundEffects::kRate, 1, SoundEffects::Render(effect, seed++))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    for (const auto& track : MusicComposer::Tracks()) {
        auto path = (root / "Music" / track.fileName).string();
        if (!WaveWriter::Write(path, MusicComposer::kRate, 1, MusicComposer::Compose(track, 48.0))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
