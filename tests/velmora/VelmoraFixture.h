// The package on the software platform: a display and a scene, a recording sound
// output, message boxes recorded instead of shown, and bitmap and wave files in a
// fresh folder.
#pragma once

#include "gfx/EngineTestSupport.h"
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
using enginetest::Bmp24;
using enginetest::ErrorOf;
using enginetest::P16;

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
    static std::string DD(ddraw::HRESULT hr) { return std::to_string(hr) + " " + gfx::GetOleError(hr); }

    RecordingBackend backend;
    winmm::RecordingAudioDevice* speaker = nullptr;
    fs::path dir;
    std::string backPath;
    std::unique_ptr<TKx_DDraw> display;
    std::unique_ptr<TKx_DDSurface> scene;
};

} // namespace velmoratest
