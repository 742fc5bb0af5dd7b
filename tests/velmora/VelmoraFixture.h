// The package on the software platform: a display and a scene, a recording sound
// output, message boxes recorded instead of shown, and bitmap and wave files in a
// fresh folder.
#pragma once

#include "gfx/Errors.h"
#include "gfx/Surfaces.h"
#include "platform/ddraw/FaultInjector.h"
#include "platform/dinput/DInput.h"
#include "platform/gdi/Bmp.h"
#include "platform/ui/Application.h"
#include "platform/ui/Backend.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "platform/winmm/TestWaveImage.h"
#include "velmora/TKx_DDSurface.h"
#include "velmora/TKx_DDraw.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmoratest {

namespace fs = std::filesystem;
using namespace velmora;
using ddraw::FaultInjector;

// Message boxes and error boxes as texts; every box is answered OK.
class RecordingBackend : public ui::Backend {
public:
    int ShowMessageBox(const std::string&, const std::string& text, unsigned) override {
        boxes.push_back(text);
        return ui::IDOK;
    }
    void ShowErrorBox(const std::string&, const std::string& message) override { boxes.push_back(message); }
    std::optional<std::string> ExecuteFileDialog(const ui::FileDialog&) override { return std::nullopt; }
    std::uint64_t NowMs() override { return now; }
    bool PumpEvents(bool) override { return true; }

    std::vector<std::string> boxes;
    std::uint64_t now = 0;
};

// 565 value of an 0x00RRGGBB colour.
inline std::uint32_t P16(std::uint32_t rgb) {
    return gdi::ColorToPixel(gdi::RGB(gdi::BYTE(rgb >> 16), gdi::BYTE(rgb >> 8), gdi::BYTE(rgb)), 16);
}

// width x height 24-bit bitmap whose pixels come from f(x, y) (0x00RRGGBB).
inline std::vector<std::uint8_t> Bmp24(int width, int height, const std::function<std::uint32_t(int, int)>& f) {
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = f(x, y);
    return gdi::EncodeBmp24(width, height, pixels);
}

constexpr std::uint32_t kPurple = 0x800080;

class VelmoraTest : public ::testing::Test {
protected:
    void SetUp() override {
        ddraw::ResetForTests();
        dinput::ResetForTests();
        gfx::CurrentDisplay = nullptr;
        winmm::AudioSystem::Instance().Reset();
        auto device = std::make_unique<winmm::RecordingAudioDevice>(8000);
        speaker = device.get();
        winmm::AudioSystem::Instance().Install(std::move(device));
        ui::Application::Instance().SetBackend(&backend);
        dir = testwave::FreshDir("velmora");
        backPath = (dir / "Back.bmp").string();
        WriteBackground(640, 480);
        display = std::make_unique<TKx_DDraw>();
        display->Resolution = tr640x480;
        scene = std::make_unique<TKx_DDSurface>();
        scene->TransparentColor = kPurple;
    }
    void TearDown() override {
        scene.reset();
        display.reset();
        gfx::CurrentDisplay = nullptr;
        ui::Application::Instance().SetBackend(nullptr);
        winmm::AudioSystem::Instance().Reset();
        dinput::ResetForTests();
        ddraw::ResetForTests();
        fs::remove_all(dir);
    }
    // Back.bmp: grey with a purple (transparent) square at 100..199. The scene's
    // background must be the size of the screen.
    void WriteBackground(int width, int height) {
        testwave::WriteFile(backPath, Bmp24(width, height, [](int x, int y) {
                                return x >= 100 && x < 200 && y >= 100 && y < 200 ? kPurple : 0x404040u;
                            }));
    }
    // The display with the scene showing Back.bmp.
    void InitWithScene() {
        scene->BackgroundBitmap = backPath;
        display->SetScene(scene.get());
        display->Init();
    }
    // A bitmap file of one colour (purple corners when keyed).
    std::string SolidBitmap(const std::string& name, int size, std::uint32_t colour) {
        std::string path = (dir / name).string();
        testwave::WriteFile(path, Bmp24(size, size, [=](int x, int y) {
                                return (x == 0 && y == 0) ? kPurple : colour;
                            }));
        return path;
    }
    template <typename F> static std::string ErrorOf(F&& f) {
        try {
            f();
        } catch (const gfx::EDDError& e) {
            return std::string("EDDError: ") + e.what();
        } catch (const ui::Exception& e) {
            return std::string("Exception: ") + e.what();
        }
        return "no error";
    }
    static std::string DD(ddraw::HRESULT hr) { return std::to_string(hr) + " " + gfx::GetOleError(hr); }

    RecordingBackend backend;
    winmm::RecordingAudioDevice* speaker = nullptr;
    fs::path dir;
    std::string backPath;
    std::unique_ptr<TKx_DDraw> display;
    std::unique_ptr<TKx_DDSurface> scene;
};

} // namespace velmoratest
