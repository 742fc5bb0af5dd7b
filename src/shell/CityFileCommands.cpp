// Saving and loading the city from the File menu: dialogs, clock and messages.
#include "shell/CityFileCommands.h"

#include "city/Placement.h"
#include "city/Simulation.h"
#include "cityfile/CityFile.h"
#include "platform/os/PathMap.h"
#include "platform/os/UserDirs.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Application.h"
#include "platform/ui/MessageBoxFlags.h"
#include "shell/CommandInterpreter.h"
#include "shell/PlayerFiles.h"
#include "shell/TMainForm.h"

#include <filesystem>
#include <optional>
#include <string>

namespace {

cityfile::WriteHook& SaveFault() {
    static cityfile::WriteHook hook;
    return hook;
}

// The folder a dialog opens in: the one the player last used with it while it still
// exists, else the cities folder (made on first use).
std::string DialogFolder(ui::FileDialog& dialog) {
    // The places the dialog offers a button for.
    dialog.Places = {{"Home", os::HomeDir()}, {"Cities", playerfiles::CitiesFolder()}};
    std::error_code ec;
    if (!dialog.InitialDir.empty() && std::filesystem::is_directory(dialog.InitialDir, ec))
        return dialog.InitialDir;
    std::string error;
    return playerfiles::EnsureCitiesFolder(error).value_or(playerfiles::CitiesFolder());
}

std::string FolderOf(const std::string& path) {
    std::string folder = std::filesystem::path(os::ResolvePath(path)).parent_path().string();
    return folder.empty() ? "." : folder;
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty())
        return false;
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec))
        return true;
    return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

} // namespace

void SetUpSaveDialog(ui::FileDialog& dialog) {
    dialog.kind = ui::FileDialog::Kind::Save;
    dialog.Title = "Plazaro";
    dialog.Filter = "CityFile|*.PZ1";
    dialog.DefaultExt = "*.PZ1";
    dialog.Options = ui::ofPathMustExist | ui::ofNoReadOnlyReturn | ui::ofNoNetworkButton;
}

void SetUpOpenDialog(ui::FileDialog& dialog) {
    dialog.kind = ui::FileDialog::Kind::Open;
    dialog.Title = "Load City";
    dialog.Filter = "City File|*.PZ1";
    dialog.DefaultExt = "*.PZ1";
    dialog.Options = ui::ofPathMustExist | ui::ofFileMustExist | ui::ofNoNetworkButton;
}

void SetCitySaveFault(cityfile::WriteHook hook) { SaveFault() = std::move(hook); }

void TMainForm::F_SaveClick() { SaveCity(); }

bool TMainForm::SaveCity() {
    // The dialog offers the city's own name: a second city is never written over the
    // first one's file just because that file was the last one used.
    SaveDialog.InitialDir = DialogFolder(SaveDialog);
    SaveDialog.FileName = playerfiles::SuggestedFileName(City.cityName);
    if (!SaveDialog.Execute())
        return false;
    const std::string fileName = SaveDialog.FileName;
    SaveDialog.InitialDir = FolderOf(fileName);
    SettingsChanged();
    // Another file of that name is only replaced when the player says so.
    std::error_code ec;
    if (std::filesystem::exists(os::ResolvePath(fileName), ec) && !SameFile(os::ResolvePath(fileName), cityFilePath_)) {
        const std::string shown = std::filesystem::path(fileName).filename().string();
        if (ui::Application::Instance().MessageBox(shown + " already exists. Do you want to replace it?", "Plazaro",
                                                   ui::MB_YESNO | ui::MB_ICONWARNING | ui::MB_DEFBUTTON2) != ui::IDYES)
            return false;
    }
    // No month may run while the city is being written out.
    Clock.SetEnabled(false);
    std::string error;
    bool saved = false;
    if (std::optional<cityfile::CityFile> file = cityfile::CaptureCity(City, error))
        saved = cityfile::WriteLinesAtomically(os::ResolvePath(fileName), cityfile::FormatCityFile(*file), error,
                                               SaveFault());
    // A failed save only tells the player: the city they could not save is still
    // here to be saved elsewhere, so the game must not end over it. "INFO" shows the
    // text with a single OK; "WARNING" would offer Abort (ending the game after all)
    // and Retry (which runs the console's newest line, not the save).
    if (saved) {
        SaveHistory(os::ResolvePath(fileName));
        MarkCitySaved(os::ResolvePath(fileName));
        RunCommand("INFO; Game Saved as " + fileName + ";", false, false);
    } else {
        RunCommand("INFO; Can't save to " + fileName + ";", false, false);
    }
    // The clock runs after a save either way, even when the game was paused before.
    Clock.SetEnabled(true);
    return saved;
}

void TMainForm::F_LoadCityClick() {
    if (!AskToSaveChanges())
        return;
    Clock.SetEnabled(false);
    OpenDialog.InitialDir = DialogFolder(OpenDialog);
    OpenDialog.FileName.clear();
    // With no city open, a load that does not happen brings the start box back: the
    // player is never left with an empty window.
    auto notLoaded = [this] {
        if (!GameScreenShown())
            Start_GB.Show();
    };
    // Cancelling leaves the game paused.
    if (!OpenDialog.Execute()) {
        notLoaded();
        return;
    }
    const std::string fileName = OpenDialog.FileName;
    OpenDialog.InitialDir = FolderOf(fileName);
    SettingsChanged();
    if (!LoadCity(fileName))
        notLoaded();
}

bool TMainForm::LoadCity(const std::string& fileName) {
    Clock.SetEnabled(false);
    // The whole file is read and checked before anything in the city changes; a
    // file that fails leaves the city as it was, paused, with the reason shown.
    std::string bytes, error;
    if (!cityfile::ReadWholeFile(os::ResolvePath(fileName), kCityFileReadLimit, bytes, error)) {
        RunCommand("INFO; Can't Open " + fileName + ";", false, false);
        return false;
    }
    std::optional<cityfile::CityFile> file = cityfile::ParseCityFile(bytes, &CommandInterpreter::ParseFields, error);
    if (file)
        error = cityfile::CheckFootprints(*file, City);
    if (!file || !error.empty()) {
        RunCommand("INFO; " + fileName + " is not a city file the game can load: " + error + ";", false, false);
        return false;
    }
    // A double click on the start box's Load City loads without the Ok that hides it.
    Start_GB.Hide();
    City.ResetCityCounters();
    cityfile::ApplyCityFile(*file, City);
    StartCityView();
    LoadHistory(os::ResolvePath(fileName));
    city::FillBudgetPanel(City, *this);
    city::RecomputeNetworks(City, *this);
    city::RespawnMovers(City, *this);
    city::UnlockStep(City, *this);
    MarkCitySaved(os::ResolvePath(fileName));
    Clock.SetEnabled(true);
    return true;
}

bool TMainForm::HasUnsavedChanges() const {
    if (!GameScreenShown())
        return false;
    std::optional<cityfile::CityFile> now = playerfiles::SnapshotCity(City);
    return !now || !savedCity_ || !(*now == *savedCity_);
}

void TMainForm::MarkCitySaved(const std::string& path) {
    cityFilePath_ = path;
    std::optional<cityfile::CityFile> now = playerfiles::SnapshotCity(City);
    savedCity_ = now ? std::make_shared<const cityfile::CityFile>(*now) : nullptr;
}

bool TMainForm::AskToSaveChanges() {
    if (!HasUnsavedChanges())
        return true;
    int answer = ui::Application::Instance().MessageBox("Save changes to " + City.cityName + "?", "Plazaro",
                                                        ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION);
    if (answer == ui::IDNO)
        return true;
    if (answer != ui::IDYES)
        return false;
    // A save the player cancelled or that failed keeps the city open.
    return SaveCity();
}

void TMainForm::Autosave() {
    if (!O_Autosave->Checked)
        return;
    std::string error;
    std::optional<std::string> folder = playerfiles::EnsureCitiesFolder(error);
    std::optional<cityfile::CityFile> file = playerfiles::SnapshotCity(City);
    if (!file)
        error = "the city cannot be written";
    // A failed autosave never stops play: one line in the console says so.
    if (!folder || !file ||
        !playerfiles::WriteAutosave(*folder, cityfile::FormatCityFile(*file), error, SaveFault()))
        C_Memo.Insert(0, "Autosave failed: " + error);
}
