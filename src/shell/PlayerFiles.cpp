// Folders of the player's files and the autosave's rotation.
#include "shell/PlayerFiles.h"

#include "city/CityState.h"
#include "cityfile/CityFile.h"
#include "platform/os/UserDirs.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace playerfiles {

std::string CitiesFolder() { return os::DataHome() + "/plazaro/cities"; }

std::optional<std::string> EnsureCitiesFolder(std::string& error) {
    std::string folder = CitiesFolder();
    if (!os::MakeFolders(folder, error))
        return std::nullopt;
    return folder;
}

std::string SettingsFile() { return os::ConfigHome() + "/plazaro/settings.ini"; }

std::string ScreenshotFolder() { return os::PicturesDir() + "/plazaro"; }

std::string SuggestedFileName(const std::string& cityName) {
    std::string name;
    for (char c : cityName) {
        // A slash would name a folder; control characters make names no one can type.
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32)
            name += '_';
        else
            name += c;
    }
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    while (!name.empty() && (name.front() == ' ' || name.front() == '.'))
        name.erase(0, 1);
    if (name.empty())
        name = "City";
    return name + ".PZ1";
}

std::optional<cityfile::CityFile> SnapshotCity(const CityState& city) {
    // Taking the words out sets a negative countdown to 0 in the map: a copy keeps
    // the city that plays on exactly as it was.
    auto copy = std::make_unique<CityState>(city);
    std::string error;
    return cityfile::CaptureCity(*copy, error);
}

std::string AutosaveName(int age) {
    return age == 0 ? std::string("autosave.PZ1") : "autosave-" + std::to_string(age) + ".PZ1";
}

bool WriteAutosave(const std::string& folder, const std::vector<std::string>& lines, std::string& error,
                   const cityfile::WriteHook& hook) {
    namespace fs = std::filesystem;
    auto path = [&](int age) { return folder + "/" + AutosaveName(age); };
    std::error_code ec;
    for (int age = kAutosaveKept - 1; age >= 1; --age)
        if (fs::exists(path(age), ec))
            fs::rename(path(age), path(age + 1), ec);
    // The newest autosave is linked, not moved, to its older name: until the new
    // file replaces it, autosave.PZ1 stays a whole city.
    if (fs::exists(path(0), ec)) {
        fs::remove(path(1), ec);
        if (::link(path(0).c_str(), path(1).c_str()) != 0)
            fs::copy_file(path(0), path(1), fs::copy_options::overwrite_existing, ec);
    }
    return cityfile::WriteLinesAtomically(path(0), lines, error, hook);
}

} // namespace playerfiles
