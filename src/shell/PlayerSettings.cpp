// Reading, writing, applying and collecting the player's settings.
#include "shell/PlayerSettings.h"

#include "platform/os/UserDirs.h"
#include "platform/ui/Exception.h"
#include "shell/InterpreterPorts.h"
#include "shell/TMainForm.h"
#include "shell/TSoundBox.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// One step of the volume bar on both channels, as the sound box counts it.
constexpr std::uint32_t kVolumeStep = 0x11111111;

std::string Trim(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return {};
    std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

std::optional<bool> ParseFlag(const std::string& value) {
    if (value == "1" || value == "true" || value == "on" || value == "yes")
        return true;
    if (value == "0" || value == "false" || value == "off" || value == "no")
        return false;
    return std::nullopt;
}

std::optional<int> ParseNumber(const std::string& value, int low, int high) {
    int number = 0;
    if (!ui::TryStrToInt(value, number) || number < low || number > high)
        return std::nullopt;
    return number;
}

} // namespace

PlayerSettings PlayerSettings::Parse(const std::string& text, std::string& warning) {
    PlayerSettings s;
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';')
            continue;
        auto equals = trimmed.find('=');
        std::string key = equals == std::string::npos ? trimmed : Trim(trimmed.substr(0, equals));
        std::string value = equals == std::string::npos ? std::string() : Trim(trimmed.substr(equals + 1));
        bool good = equals != std::string::npos;
        auto flag = [&](std::optional<bool>& into) {
            if (auto v = ParseFlag(value))
                into = v;
            else
                good = false;
        };
        if (!good) {
        } else if (key == "volume") {
            s.volume = ParseNumber(value, 0, 15);
            good = s.volume.has_value();
        } else if (key == "sound") {
            flag(s.sound);
        } else if (key == "cd_audio") {
            flag(s.cdAudio);
        } else if (key == "auto_budget") {
            flag(s.autoBudget);
        } else if (key == "autosave") {
            flag(s.autosave);
        } else if (key == "window_scale") {
            s.windowScale = ParseNumber(value, 0, 16);
            good = s.windowScale.has_value();
        } else if (key == "full_screen") {
            flag(s.fullScreen);
        } else if (key == "open_folder" && !value.empty() && value[0] == '/') {
            s.openFolder = value;
        } else if (key == "save_folder" && !value.empty() && value[0] == '/') {
            s.saveFolder = value;
        } else {
            good = false;
        }
        if (!good && warning.empty())
            warning = "line " + std::to_string(lineNumber) + " ignored: " + trimmed;
    }
    return s;
}

std::string PlayerSettings::Format() const {
    std::ostringstream out;
    out << "# Plazaro's settings, written by the game; unknown lines are ignored.\n";
    auto flag = [&](const char* key, const std::optional<bool>& v) {
        if (v)
            out << key << " = " << (*v ? 1 : 0) << '\n';
    };
    if (volume)
        out << "volume = " << *volume << '\n';
    flag("sound", sound);
    flag("cd_audio", cdAudio);
    flag("auto_budget", autoBudget);
    flag("autosave", autosave);
    if (windowScale)
        out << "window_scale = " << *windowScale << '\n';
    flag("full_screen", fullScreen);
    if (!openFolder.empty())
        out << "open_folder = " << openFolder << '\n';
    if (!saveFolder.empty())
        out << "save_folder = " << saveFolder << '\n';
    return out.str();
}

PlayerSettings PlayerSettings::Load(const std::string& path, std::string& warning) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return {};
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    // A settings file is a few hundred bytes: anything past 64 KiB is not ours.
    if (!in || !(text << in.rdbuf()) || text.str().size() > 65536) {
        warning = "can't read " + path;
        return {};
    }
    std::string lineWarning;
    PlayerSettings s = Parse(text.str(), lineWarning);
    if (!lineWarning.empty())
        warning = path + ": " + lineWarning;
    return s;
}

bool PlayerSettings::Store(const std::string& path, std::string& error) const {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (!folder.empty() && !os::MakeFolders(folder, error))
        return false;
    return os::WriteFileAtomically(path, Format(), error);
}

void PlayerSettings::ApplyTo(TMainForm& form) const {
    WaveSoundPort* wave = form.WaveSound;
    if (wave && wave->Initialized()) {
        if (volume) {
            wave->SetVolume(static_cast<std::uint32_t>(*volume) * kVolumeStep);
            if (form.SoundBox)
                form.SoundBox->Volume_TB.SetPosition(*volume);
        }
        if (sound) {
            wave->SetEnabled(*sound);
            form.O_SoundFX->Checked = *sound;
            if (form.SoundBox)
                form.SoundBox->EnableSound_CB.Checked = *sound;
        }
    }
    // Unchecking CD Audio before any track plays needs no "CD; STOP;".
    if (cdAudio && form.O_CDAudio->Enabled)
        form.O_CDAudio->Checked = *cdAudio;
    if (autoBudget)
        form.O_A_Budget->Checked = *autoBudget;
    if (autosave)
        form.O_Autosave->Checked = *autosave;
    if (!openFolder.empty())
        form.OpenDialog.InitialDir = openFolder;
    if (!saveFolder.empty())
        form.SaveDialog.InitialDir = saveFolder;
}

void PlayerSettings::CollectFrom(const TMainForm& form) {
    WaveSoundPort* wave = form.WaveSound;
    if (wave && wave->Initialized()) {
        volume = static_cast<int>(wave->GetVolume() / kVolumeStep);
        sound = wave->Enabled();
    }
    cdAudio = form.O_CDAudio->Checked;
    autoBudget = form.O_A_Budget->Checked;
    autosave = form.O_Autosave->Checked;
    openFolder = form.OpenDialog.InitialDir;
    saveFolder = form.SaveDialog.InitialDir;
}
