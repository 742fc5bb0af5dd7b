// The program entry: chooses the backend, creates the main window and runs the loop.
#include "app/HeadlessDriver.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/os/ProgramDir.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "platform/ui/Application.h"
#include "platform/ui/Exception.h"
#include "shell/DragPreview.h"
#include "shell/TMainForm.h"
#include "view/MapRenderer.h"
#include "gfx/TE_DDSurface.h"
#include "shell/PlayerFiles.h"
#include "shell/PlayerSettings.h"
#include "shell/TAboutBox.h"
#include "shell/THowToPlayBox.h"
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
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

struct Options {
    bool headless = false;
    std::optional<std::uint32_t> seed;
    std::string dir;
    bool quietFrames = false;
    // A city file to open as soon as the program has started, as Load City would.
    std::string cityFile;
    bool help = false;
    bool version = false;
};

constexpr const char* kUsage =
    "usage: plazaro [OPTION]... [CITY.PZ1]\n"
    "Found a city, lay roads and zones, and watch it grow.\n"
    "\n"
    "  CITY.PZ1          open this saved city at once (no intro, no start box)\n"
    "  --headless        run without a window, driven by lines on standard input\n"
    "  --seed N          seed the random generator (0 to 4294967295) for a replayable game\n"
    "  --dir FOLDER      take the start-up scripts, Graphics, Sound and Music from FOLDER\n"
    "  --quiet-frames    headless: leave the map undrawn on each tick\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n"
    "\n"
    "See plazaro(6) for the headless driver's directives.\n";

// A seed is a whole 32-bit number written in decimal: anything else (a sign, hex, a
// value past 4294967295, trailing text) is refused rather than silently cut.
bool ParseSeed(const std::string& text, std::uint32_t& seed) {
    if (text.empty() || text.size() > 10)
        return false;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + std::uint64_t(c - '0');
    }
    if (value > 0xFFFFFFFFu)
        return false;
    seed = static_cast<std::uint32_t>(value);
    return true;
}

// Reads the command line; on a mistake, error holds what to tell the user.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = "option " + arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--seed") {
            std::string text;
            if (!value(text))
                return false;
            std::uint32_t seed = 0;
            if (!ParseSeed(text, seed)) {
                error = "the seed '" + text + "' is not a whole number from 0 to 4294967295";
                return false;
            }
            options.seed = seed;
        } else if (arg == "--dir") {
            if (!value(options.dir))
                return false;
        } else if (arg == "--quiet-frames") {
            options.quietFrames = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else if (options.cityFile.empty()) {
            options.cityFile = arg;
        } else {
            error = "only one city file can be opened (" + options.cityFile + ", " + arg + ")";
            return false;
        }
    }
    return true;
}

int RunHeadless(const Options& options) {
    auto& app = ui::Application::Instance();
    headless::HeadlessBackend backend;
    // Flushed with the driver's own lines, before it reads the next input line.
    backend.Output = [](const std::string& line) { std::cout << line << '\n'; };
    app.SetBackend(&backend);
    app.Title = "Plazaro";

    TMainForm form;
    // Long scripted runs: frames move the trains and boats but draw nothing until a
    // screenshot asks for the map, and the status lines are drawn only then too.
    if (options.quietFrames) {
        form.Renderer->ComposeFrames = false;
        form.DDScene->DeferText = true;
    }
    if (options.seed)
        form.SeedRandom(*options.seed);
    form.StartCityFile = options.cityFile;
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

    int status = 0;
    std::unique_ptr<TMainForm> formOwner;
    try {
        formOwner = std::make_unique<TMainForm>();
        TMainForm& form = *formOwner;
        if (options.seed)
            form.SeedRandom(*options.seed);
        form.StartCityFile = options.cityFile;
        backend.Desktop().SetMainForm(&form);
        form.Preview->InstallOn(backend.Desktop());
        app.HandleEvent([&] { form.FormCreate(); });
        // The boxes exist once the start-up made them; they are drawn whenever they show.
        if (form.AboutBox)
            backend.Desktop().AddForm(form.AboutBox.get());
        if (form.HowToPlayBox)
            backend.Desktop().AddForm(form.HowToPlayBox.get());
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
        // The window's last size is remembered too.
        storeSettings();
        form.OnSettingsChanged = nullptr;
        backend.OnWindowChanged = nullptr;
        backend.OnNotice = nullptr;
    } catch (const std::exception& error) {
        // An error that reaches the entry is printed and shown in the standard error
        // box in the window, over what is left of the game, before the program ends.
        if (formOwner)
            formOwner->OnSettingsChanged = nullptr;
        backend.OnWindowChanged = nullptr;
        backend.OnNotice = nullptr;
        std::cout << "error: " << error.what() << std::endl;
        app.ResetTerminated();
        app.ShowException(error);
        status = 1;
    }
    formOwner.reset();
    app.SetBackend(nullptr);
    winmm::AudioSystem::Instance().Reset();
    return status;
}
#endif

} // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::cerr << "plazaro: " << error << "\nTry 'plazaro --help' for more information.\n";
        return 2;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    if (options.version) {
        std::cout << "plazaro " PLAZARO_VERSION "\n";
        return 0;
    }
    // The city file is named from the folder the program was started in, which is
    // left below.
    if (!options.cityFile.empty()) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(options.cityFile, ec);
        if (!ec)
            options.cityFile = absolute.string();
    }
    // The game builds every path from the program folder, and the start-up scripts
    // are opened from the current folder, which is the program folder: beside the
    // program in a build, the share folder once installed, or the one named.
    if (!options.dir.empty())
        os::SetProgramDir(options.dir);
    else
        os::SetProgramDir(os::FindDataDir(os::ExecutableDir(), "City.ini", PLAZARO_INSTALLED_DATA_DIR));
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
