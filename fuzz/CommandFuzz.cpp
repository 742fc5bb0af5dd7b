// The command language: every line of the input is parsed, then the input is run
// through the main window's interpreter on the headless backend, either line by line
// as the console types it (even first byte) or as a whole script run by "EXEC"
// (odd first byte). An error a line raises ends in the standard error box, as in play.
#include "FuzzSupport.h"

#include "platform/ui/Screen.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "shell/CommandHistory.h"
#include "shell/CommandInterpreter.h"
#include "shell/TMainForm.h"

#include <memory>
#include <sstream>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::Backend();
    std::filesystem::current_path(fuzzsupport::Scratch());
    winmm::AudioSystem::Instance().Install(std::make_unique<winmm::RecordingAudioDevice>());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 4096)
        return 0;
    const bool asScript = data[0] & 1;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);

    auto& app = ui::Application::Instance();
    app.ResetTerminated();
    ui::Screen::Instance().Reset();
    CommandHistory::Instance().ResetHistory();
    auto form = std::make_unique<TMainForm>();
    form->SeedRandom(1);
    form->City.programDir = fuzzsupport::Scratch().string();
    for (const std::string& line : lines)
        form->Interpreter.ParseCommand(line);
    if (asScript) {
        fuzzsupport::WriteFile("fuzz.ini", data + 1, size - 1);
        app.HandleEvent([&] { form->RunCommand("EXEC; fuzz.ini;", true, true); });
    } else {
        for (const std::string& line : lines) {
            app.HandleEvent([&] { form->RunCommand(line, true, true); });
            if (app.Terminated())
                break;
        }
    }
    form.reset();
    app.ResetTerminated();
    return 0;
}
