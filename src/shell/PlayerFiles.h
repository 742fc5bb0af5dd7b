// The player's own files: the cities folder, autosaves and the names the dialogs suggest.
#pragma once

#include "cityfile/FileStore.h"

#include <optional>
#include <string>
#include <vector>

class CityState;
namespace cityfile {
struct CityFile;
}

namespace playerfiles {

// $XDG_DATA_HOME/plazaro/cities: where saved cities and autosaves live.
std::string CitiesFolder();
// Creates the cities folder when it is not there yet; its path, or nothing (with
// error) when it cannot be made.
std::optional<std::string> EnsureCitiesFolder(std::string& error);
// $XDG_CONFIG_HOME/plazaro/settings.ini.
std::string SettingsFile();
// $XDG_PICTURES_DIR/plazaro.
std::string ScreenshotFolder();

// The file name the Save dialog offers for a city: its name and ".PZ1", with the
// characters a file name cannot hold replaced.
std::string SuggestedFileName(const std::string& cityName);

// The words a save of the city would write, taken from a copy so that nothing in
// the city itself changes; nothing when the city cannot be written.
std::optional<cityfile::CityFile> SnapshotCity(const CityState& city);

// The autosave's names in the cities folder: autosave.PZ1, then autosave-1.PZ1 to
// autosave-3.PZ1 from the newest to the oldest.
constexpr int kAutosaveKept = 3;
std::string AutosaveName(int age);

// Writes the lines as folder/autosave.PZ1, the earlier autosaves moved one place
// down first (the oldest dropped). The new file takes its place only once complete,
// so a failed write leaves the previous autosave readable under both names.
bool WriteAutosave(const std::string& folder, const std::vector<std::string>& lines, std::string& error,
                   const cityfile::WriteHook& hook = {});

} // namespace playerfiles
