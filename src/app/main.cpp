// The program entry: chooses the backend, creates the main window and runs the loop.
#include "app/HeadlessDriver.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/os/ProgramDir.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "platform/ui/Application.h"
#include "platform/ui/Exception.h"
#include "shell/TMainForm.h"
#include "view/MapRenderer.h"
#include "shell/PlayerFiles.h"
#include "shell/PlayerSettings.h"
#include "shell/TAboutBox.h"
#include "shell/TSoundBox.h"

#ifdef PLAZARO_HAS_WINDOW
#include "platform/backend/sdl/SdlAudioDevice.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/ui/Screen.h"
#endif
#ifdef PLAZARO_HAS_RESOURCES
#include "PlazaroResources.h"
#endif

#include <cstring>
#include <iostream>
#include <optional>
#include <unistd.h>

namespace {

struct Options {
    bool headless = false;
    std::optional<std::uint32_t> seed;
    std::string dir;
    bool quietFrames = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--seed" && i + 1 < argc) {
            int seed = 0;
            if (!ui::TryStrToInt(argv[++i], seed))
                return false;
            options.seed = static_cast<std::uint32_t>(seed);
        } else if (arg == "--dir" && i + 1 < argc) {
            options.dir = argv[++i];
        } else if (arg == "--quiet-frames") {
            options.quietFrames = true;
        } else {
            return false;
        }
    }
    return true;
}

int RunHeadless(const Options& options) {
    auto& app = ui::Application::Instance();
    headless::HeadlessBackend backend;
    backend.Output = [](const std::string& line) { std::cout << line << '\n' << std::flush; };
    app.SetBackend(&backend);
    app.Title = "Plazaro";

    TMainForm form;
    // Long scripted runs: frames move the trains and boats but draw nothing until a
    // screenshot asks for the map.
    if (options.quietFrames)
        form.Renderer->ComposeFrames = false;
    if (options.seed)
        form.SeedRandom(*options.seed);
    HeadlessDriver driver(form, backend, std::cin, std::cout);
    // One waveform device that records instead of playing: every sound handed to
    // the platform and every CD command string is reported.
    auto& audio = winmm::AudioSystem::Instance();
    audio.Install(std::make_unique<winmm::RecordingAudioDevice>());
    audio.OnPlaySound = [&driver](const std::string& path) {
        driver.Print("sound: " + winmm::RelativeToProgramDir(path));
    };
    audio.OnMciCommand = [&driver](const std::string& command) { driver.Print("mci: " + command); };
    form.C_Memo.OnInsert = [&driver](std::size_t index, const std::string& line) {
        if (index == 0)
            driver.Print("reply: " + line);
    };
    backend.NextEvent = [&driver] { return driver.HandleNextLine(); };

    app.HandleEvent([&] { form.FormCreate(); });
    if (!app.Terminated())
        app.HandleEvent([&] { form.FormActivate(); });
    app.Run();
    audio.OnPlaySound = nullptr;
    audio.OnMciCommand = nullptr;
    app.SetBackend(nullptr);
    return 0;
}

#ifdef PLAZARO_HAS_WINDOW
// Real play: the same start-up as the headless run, in a window with sound.
int RunWindow(const Options& options) {
    auto& app = ui::Application::Instance();
    sdl::SdlBackend backend;
    auto& screen = ui::Screen::Instance();
    if (!backend.Open("Plazaro", screen.Width, screen.Height)) {
        std::cerr << "plazaro: no window can be opened (" << backend.Error()
                  << "); run with --headless to play without one\n";
        return 1;
    }
    app.SetBackend(&backend);
    app.Title = "Plazaro";
    // No sound card is no reason to stop: the device says so and the game goes on.
    winmm::AudioSystem::Instance().Install(std::make_unique<sdl::SdlAudioDevice>());

    TMainForm form;
    if (options.seed)
        form.SeedRandom(*options.seed);
    backend.Desktop().SetMainForm(&form);
    app.HandleEvent([&] { form.FormCreate(); });
    // The boxes exist once the start-up made them; they are drawn whenever they show.
    if (form.AboutBox)
        backend.Desktop().AddForm(form.AboutBox.get());
    if (form.SoundBox)
        backend.Desktop().AddForm(form.SoundBox.get());
    // The player's settings come after the start-up scripts, so the player's choice
    // wins; from here on every change is written back at once.
    std::string warning;
    PlayerSettings settings = PlayerSettings::Load(playerfiles::SettingsFile(), warning);
    if (!warning.empty())
        std::cerr << "plazaro: settings: " << warning << "\n";
    settings.ApplyTo(form);
    backend.ApplyWindowSettings(settings.windowScale.value_or(0), settings.fullScreen.value_or(false));
    auto storeSettings = [&] {
        settings.CollectFrom(form);
        settings.windowScale = backend.WindowScale();
        settings.fullScreen = backend.Fullscreen();
        std::string error;
        if (!settings.Store(playerfiles::SettingsFile(), error))
            std::cerr << "plazaro: can't write " << playerfiles::SettingsFile() << ": " << error << "\n";
    };
    form.OnSettingsChanged = storeSettings;
    backend.OnWindowChanged = storeSettings;
    backend.screenshotFolder = playerfiles::ScreenshotFolder();
    backend.OnNotice = [&form](const std::string& line) {
        form.C_Memo.Insert(0, line);
        std::cout << line << std::endl;
    };
    if (!app.Terminated())
        app.HandleEvent([&] { form.FormActivate(); });
    backend.Present(true);
    app.Run();
    form.OnSettingsChanged = nullptr;
    backend.OnWindowChanged = nullptr;
    backend.OnNotice = nullptr;
    app.SetBackend(nullptr);
    winmm::AudioSystem::Instance().Reset();
    return 0;
}
#endif

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: plazaro [--headless] [--seed N] [--dir PROGRAM_DIR] [--quiet-frames]\n";
        return 2;
    }
    // The game builds every path from the program folder, and the start-up scripts
    // are opened from the current folder, which is the program folder.
    if (!options.dir.empty())
        os::SetProgramDir(options.dir);
    if (::chdir(os::ProgramDir().c_str()) != 0) {
        std::cerr << "plazaro: can't enter the program folder " << os::ProgramDir() << "\n";
        return 2;
    }
#ifdef PLAZARO_HAS_RESOURCES
    // The pictures, cursors and button glyphs built into the program.
    RegisterPlazaroResources();
#endif
    try {
        if (options.headless)
            return RunHeadless(options);
#ifdef PLAZARO_HAS_WINDOW
        return RunWindow(options);
#else
        std::cerr << "plazaro: this build has no window; run with --headless\n";
        return 1;
#endif
    } catch (const std::exception& error) {
        std::cout << "error: " << error.what() << std::endl;
        return 1;
    }
}
