// Saving and loading the city from the File menu: dialogs, clock and messages.
#include "shell/CityFileCommands.h"

#include "city/Placement.h"
#include "city/Simulation.h"
#include "cityfile/CityFile.h"
#include "platform/os/PathMap.h"
#include "platform/ui/FileDialog.h"
#include "shell/CommandInterpreter.h"
#include "shell/TMainForm.h"

#include <optional>
#include <string>

namespace {

cityfile::WriteHook& SaveFault() {
    static cityfile::WriteHook hook;
    return hook;
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

void TMainForm::F_SaveClick() {
    if (!SaveDialog.Execute())
        return;
    const std::string fileName = SaveDialog.FileName;
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
    if (saved)
        RunCommand("INFO; Game Saved as " + fileName + ";", false, false);
    else
        RunCommand("INFO; Can't save to " + fileName + ";", false, false);
    // The clock runs after a save either way, even when the game was paused before.
    Clock.SetEnabled(true);
}

void TMainForm::F_LoadCityClick() {
    Clock.SetEnabled(false);
    // Cancelling leaves the game paused.
    if (!OpenDialog.Execute())
        return;
    const std::string fileName = OpenDialog.FileName;
    // The whole file is read and checked before anything in the city changes; a
    // file that fails leaves the city as it was, paused, with the reason shown.
    std::string bytes, error;
    if (!cityfile::ReadWholeFile(os::ResolvePath(fileName), kCityFileReadLimit, bytes, error)) {
        RunCommand("INFO; Can't Open " + fileName + ";", false, false);
        return;
    }
    std::optional<cityfile::CityFile> file = cityfile::ParseCityFile(bytes, &CommandInterpreter::ParseFields, error);
    if (!file) {
        RunCommand("INFO; " + fileName + " is not a city file the game can load: " + error + ";", false, false);
        return;
    }
    City.ResetCityCounters();
    cityfile::ApplyCityFile(*file, City);
    StartCityView();
    city::FillBudgetPanel(City, *this);
    city::RecomputeNetworks(City, *this);
    city::RespawnMovers(City, *this);
    city::UnlockStep(City, *this);
    Clock.SetEnabled(true);
}
