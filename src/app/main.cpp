// The program entry: chooses the backend, creates the main window and runs the loop.
#include "app/HeadlessDriver.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/os/ProgramDir.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "platform/ui/Application.h"
#include "platform/ui/Exception.h"
#include "shell/TMainForm.h"

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
    try {
        return RunHeadless(options);
    } catch (const std::exception& error) {
        std::cout << "error: " << error.what() << std::endl;
        return 1;
    }
}
