// The city file reader: any bytes are read and checked; a file that passes is applied
// to a fresh city, which then goes through what loading and the first months do, and
// must save back to a file that reads as the same city.
#include "../tests/city/FakeCityHost.h"
#include "city/Placement.h"
#include "city/Simulation.h"
#include "cityfile/CityFile.h"
#include "shell/CommandInterpreter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    std::optional<cityfile::CityFile> file = cityfile::ParseCityFile(bytes, &CommandInterpreter::ParseFields, error);
    if (!file) {
        if (error.empty())
            std::abort(); // a refusal always says why
        return 0;
    }
    CityState city;
    city.Seed(1);
    FakeCityHost host;
    city.ResetCityCounters();
    cityfile::ApplyCityFile(*file, city);
    city::FillBudgetPanel(city, host);
    city::RecomputeNetworks(city, host);
    city::RespawnMovers(city, host);
    city::UnlockStep(city, host);
    city::DevelopmentScan(city, host);
    city::RankUpdate(city, host);
    city::YearlyBudget(city, host);
    city::RecomputeNetworks(city, host);

    std::optional<cityfile::CityFile> saved = cityfile::CaptureCity(city, error);
    if (!saved)
        return 0; // a city the writer cannot put in a file is refused with a reason
    std::string text;
    for (const std::string& line : cityfile::FormatCityFile(*saved))
        text += line + "\r\n";
    std::optional<cityfile::CityFile> again = cityfile::ParseCityFile(text, &CommandInterpreter::ParseFields, error);
    if (!again || !(*again == *saved))
        std::abort(); // what the game saves, it must read back unchanged
    return 0;
}
