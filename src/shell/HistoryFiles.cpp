// The history's companion file, read and written with the city file beside it.
#include "cityfile/FileStore.h"
#include "shell/GraphsWindow.h"
#include "shell/TMainForm.h"

#include <filesystem>

namespace {

// Far more than a century of months takes.
constexpr std::size_t kHistoryReadLimit = 16u << 20;

} // namespace

void TMainForm::LoadHistory(const std::string& cityPath) {
    const std::string path = CityHistory::CompanionPath(cityPath);
    std::error_code ec;
    // A city saved before the game kept its history has none: it starts here.
    if (!std::filesystem::exists(path, ec))
        return;
    std::string bytes, error;
    std::optional<CityHistory> read;
    if (cityfile::ReadWholeFile(path, kHistoryReadLimit, bytes, error)) {
        if (bytes.size() > kHistoryReadLimit)
            error = "it is too large";
        else
            read = CityHistory::Parse(bytes, error);
    }
    // A history that runs past the city's own month belongs to another save of it.
    if (read && !read->Samples().empty()) {
        const HistorySample& last = read->Samples().back();
        if (last.year > City.year || (last.year == City.year && last.month > City.month)) {
            error = "it runs past the city's date";
            read.reset();
        }
    }
    if (!read) {
        C_Memo.Insert(0, "History not loaded: " + error);
        return;
    }
    History = *read;
    History.Record(City);
    Graphs->Refresh(true);
}

bool TMainForm::SaveHistory(const std::string& cityPath) {
    const std::string path = CityHistory::CompanionPath(cityPath);
    // The month the city is saved in ends the history with the figures saved.
    History.Record(City);
    std::string error;
    if (cityfile::WriteLinesAtomically(path, History.Lines(), error))
        return true;
    // An older history beside the new city file would no longer match it.
    std::error_code ec;
    std::filesystem::remove(path, ec);
    C_Memo.Insert(0, "History not saved: " + error);
    return false;
}
