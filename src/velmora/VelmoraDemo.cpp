// velmora_demo: a small program on the component library. It sets up a 640 x 480
// display with a background scene, animates a three-image sprite across it, binds
// keys to commands and feeds the keyboard a few presses, plays a wave file through
// the sound component, and writes the screen as a PNG file.
//
//   velmora_demo [--out PATH] [--frames N] [--dir FOLDER]
//
// It runs without a window: the screen is the platform's virtual screen and sound
// goes to a recording output device.
#include "gfx/Errors.h"
#include "platform/ddraw/DDraw.h"
#include "platform/dinput/DInput.h"
#include "platform/gdi/Bmp.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "velmora/ComponentPalette.h"
#include "velmora/TKx_DDSurface.h"
#include "velmora/TKx_DDraw.h"
#include "velmora/TKx_DInput.h"
#include "velmora/TKx_Sound.h"
#include "velmora/TKx_Sprite.h"
#include "velmora/Velmora.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace velmora;

namespace {

constexpr int kWidth = 640, kHeight = 480, kSpriteSize = 32;
constexpr std::uint32_t kPurple = 0x800080; // transparent in every picture

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::uint8_t> Picture(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
    std::vector<std::uint32_t> rgb(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rgb[std::size_t(y) * std::size_t(width) + std::size_t(x)] = pixel(x, y);
    return gdi::EncodeBmp24(width, height, rgb);
}

// A sky fading into grass.
std::uint32_t Landscape(int x, int y) {
    if (y > 360)
        return 0x206020 + std::uint32_t(((x / 16 + y / 16) & 1) * 0x001000);
    std::uint32_t blue = 0x60 + std::uint32_t(y * 0x9F / 360);
    return 0x3060 * 0x100u + blue;
}

// A ball of a given radius on a transparent square.
std::function<std::uint32_t(int, int)> Ball(int radius, std::uint32_t colour) {
    return [=](int x, int y) {
        int dx = x - kSpriteSize / 2, dy = y - kSpriteSize / 2;
        return dx * dx + dy * dy <= radius * radius ? colour : kPurple;
    };
}

// A short 8-bit mono chirp at 11025 Hz.
std::vector<std::uint8_t> Chirp() {
    const std::uint32_t rate = 11025, samples = rate / 4;
    auto le32 = [](std::vector<std::uint8_t>& v, std::uint32_t x) {
        for (int i = 0; i < 4; ++i)
            v.push_back(std::uint8_t(x >> (8 * i)));
    };
    std::vector<std::uint8_t> wave{'R', 'I', 'F', 'F'};
    le32(wave, 36 + samples);
    for (char c : std::string("WAVEfmt "))
        wave.push_back(std::uint8_t(c));
    le32(wave, 16);
    for (std::uint8_t b : {1, 0, 1, 0})
        wave.push_back(b); // PCM, mono
    le32(wave, rate);
    le32(wave, rate);
    for (std::uint8_t b : {1, 0, 8, 0})
        wave.push_back(b); // block align 1, 8 bits
    for (char c : std::string("data"))
        wave.push_back(std::uint8_t(c));
    le32(wave, samples);
    for (std::uint32_t i = 0; i < samples; ++i) {
        double t = double(i) / rate;
        wave.push_back(std::uint8_t(128 + 100 * std::sin(2 * M_PI * (440 + 1200 * t) * t)));
    }
    return wave;
}

} // namespace

int main(int argc, char** argv) {
    std::string out = "velmora_demo.png";
    int frames = 24;
    fs::path dir = fs::temp_directory_path() / "velmora_demo";
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string arg = argv[i];
        if (arg == "--out")
            out = argv[i + 1];
        else if (arg == "--frames")
            frames = std::max(1, std::atoi(argv[i + 1]));
        else if (arg == "--dir")
            dir = argv[i + 1];
    }
    try {
        fs::create_directories(dir);
        WriteBytes(dir / "back.bmp", Picture(kWidth, kHeight, Landscape));
        const std::uint32_t colours[] = {0xF0C020, 0xF08020, 0xF04020};
        for (int i = 0; i < 3; ++i)
            WriteBytes(dir / ("ball" + std::to_string(i + 1) + ".bmp"),
                       Picture(kSpriteSize, kSpriteSize, Ball(10 + 3 * i, colours[i])));
        WriteBytes(dir / "chirp.wav", Chirp());

        auto device = std::make_unique<winmm::RecordingAudioDevice>();
        winmm::RecordingAudioDevice* speaker = device.get();
        winmm::AudioSystem::Instance().Install(std::move(device));

        Register();
        std::cout << "palette " << kPaletteName << ":";
        for (const std::string& name : ComponentPalette::Page(kPaletteName))
            std::cout << " " << name;
        std::cout << "\n";

        TKx_DDraw display;
        TKx_DDSurface scene;
        TKx_Sprite ball;
        gdi::POINT position{20, 320};
        scene.BackgroundBitmap = (dir / "back.bmp").string();
        scene.TransparentColor = kPurple;
        scene.OnDrawScene = [&](ui::Component*, ddraw::IDirectDrawSurface7* back) {
            ball.BlitFast(back, position, gdi::RECT{0, 0, kSpriteSize, kSpriteSize}, nullptr);
        };
        display.Resolution = tr640x480;
        display.BitsPerPixel = 16;
        display.SetScene(&scene);
        display.Init();
        for (int i = 1; i <= 3; ++i)
            ball.AddImage(nullptr, (dir / ("ball" + std::to_string(i) + ".bmp")).string(), kPurple);
        std::cout << display.GetVersion() << ": " << display.ScreenRect.right << "x" << display.ScreenRect.bottom
                  << " at " << display.BitsPerPixel << " bits\n";

        TKx_Sound sound;
        sound.Init();
        TKx_DInput keyboard;
        std::cout << "bind: " << keyboard.Bind("right", "MOVE_RIGHT") << "\n";
        std::cout << "bind: " << keyboard.Bind("Space", "JUMP") << "\n";
        std::cout << "bind: " << keyboard.Bind("esc", "QUIT") << "\n";
        keyboard.DIKeyDown = [&](ui::Component*, int key) {
            std::string command = keyboard.GetCommand(key);
            if (command == "MOVE_RIGHT") {
                position.x += 24;
            } else if (command == "JUMP") {
                position.y -= 40;
                sound.LoadWaveFile((dir / "chirp.wav").string());
                sound.PlayBuffer(false);
                std::vector<std::int16_t> heard = speaker->Pull(1024);
                int peak = 0;
                for (std::int16_t s : heard)
                    peak = std::max(peak, std::abs(int(s)));
                std::cout << "sound: chirp.wav, " << sound.BufferBytes << " bytes, peak " << peak << "\n";
            }
        };

        for (int frame = 0; frame < frames; ++frame) {
            dinput::ReleaseAllKeys();
            dinput::SetKeyState(dinput::DIK_RIGHT, frame % 2 == 0);
            dinput::SetKeyState(dinput::DIK_SPACE, frame == frames / 2);
            keyboard.UpdateInputState();
            display.Flip();
            std::cout << "frame " << frame << ": image " << ball.Frame << " at " << position.x << "," << position.y
                      << "\n";
        }
        std::string error;
        if (!ddraw::SaveVirtualScreenPng(out, &error)) {
            std::cerr << "velmora_demo: " << error << "\n";
            return 1;
        }
        std::cout << "screen: " << out << "\n";
    } catch (const std::exception& e) {
        std::cerr << "velmora_demo: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
