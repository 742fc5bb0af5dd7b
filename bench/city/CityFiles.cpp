// Writes the benchmarks' cities as city files, so that the whole game can load them:
// dense.PZ1 (built up) and zoned.PZ1 (the same blocks freshly zoned).
#include "BenchCities.h"

#include "city/CityState.h"
#include "cityfile/CityFile.h"

#include <fstream>
#include <iostream>
#include <string>

namespace {

bool Write(CityState& state, const std::string& name, const std::string& path) {
    state.cityName = name;
    std::string error;
    const auto file = cityfile::CaptureCity(state, error);
    if (!file) {
        std::cerr << path << ": " << error << '\n';
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : cityfile::FormatCityFile(*file))
        out << line << "\r\n";
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: bench_city_files DIRECTORY\n";
        return 2;
    }
    const std::string dir = argv[1];
    CityState dense;
    bench::BuildDenseCity(dense);
    CityState zoned = dense;
    bench::ZoneDenseCity(zoned);
    return Write(dense, "Dense", dir + "/dense.PZ1") && Write(zoned, "Zoned", dir + "/zoned.PZ1") ? 0 : 1;
}
