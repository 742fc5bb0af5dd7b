// The overview map: the whole 80 x 80 map of a dense, fully built city drawn under each
// overlay with the view's outline, the fast way the Map window uses and the reference.
#include "../city/BenchCities.h"
#include "city/CityState.h"
#include "shell/OverviewMap.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const CityState& DenseCity() {
    static CityState* city = [] {
        auto* c = new CityState;
        bench::LoadTypes(*c);
        bench::BuildDenseCity(*c);
        // Figures on every other cell, so every overlay has levels to colour.
        for (int i = 0; i < static_cast<int>(c->CityMap.size()); ++i) {
            TMapCell& cell = c->CityMap[static_cast<std::size_t>(i)];
            cell.powered = static_cast<std::uint8_t>(i % 2);
            cell.watered = static_cast<std::uint8_t>(i % 3 == 0);
            cell.sewered = static_cast<std::uint8_t>(i % 5 == 0);
            cell.traffic = i % 400;
            cell.pollution = i % 40;
            cell.crime = i % 35;
        }
        return c;
    }();
    return *city;
}

void BM_OverviewMap(benchmark::State& state) {
    const CityState& city = DenseCity();
    const overview::OverviewMap map;
    std::vector<std::uint32_t> pixels;
    const auto overlay = static_cast<overview::Overlay>(state.range(0));
    for (auto _ : state) {
        map.Draw(city, overlay, 35, 66, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetLabel(overview::OverlayName(overlay));
}
BENCHMARK(BM_OverviewMap)->DenseRange(0, overview::kOverlayCount - 1)->Unit(benchmark::kMicrosecond);

void BM_OverviewMapReference(benchmark::State& state) {
    const CityState& city = DenseCity();
    std::vector<std::uint32_t> pixels;
    for (auto _ : state) {
        overview::OverviewMap::DrawReference(city, overview::Overlay::Power, 35, 66, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_OverviewMapReference)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
