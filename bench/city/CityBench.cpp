// The tick in which a month passes on a dense, fully built city, on the same city
// freshly zoned, and a new city; and the networks recomputation of the month alone.
#include "city/Budget.h"
#include "city/CityClock.h"
#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/Networks.h"
#include "city/Placement.h"
#include "city/Simulation.h"

#include "BenchCities.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A window that does nothing: the figures are the simulation's own cost, without the
// interpreter's drawing of the status line or the renderer's frame.
class NullHost : public CityHost {
public:
    int lines = 0;
    std::int64_t monthTime = 0;
    void RunCommand(const std::string&, bool, bool) override { ++lines; }
    bool GameScreenShown() const override { return true; }
    bool ClockEnabled() const override { return true; }
    void SetClockEnabled(bool) override {}
    std::int64_t MonthTime() const override { return monthTime; }
    void SetMonthTime(std::int64_t ms) override { monthTime = ms; }
    int ClockInterval() const override { return 100; }
    int HorzPosition() const override { return 35; }
    void SetHorzPosition(int) override {}
    int VertPosition() const override { return 66; }
    void SetVertPosition(int) override {}
    bool AutoBudgetChecked() const override { return true; }
    void ShowBudget(const BudgetFigures&, bool) override {}
    void SetUnlockItemEnabled(int, bool) override {}
    void DrawFrame() override {}
};

// The dense city with a window and a clock, as each tick's benchmark runs it.
struct DenseCityClock {
    DenseCityClock() { bench::BuildDenseCity(state); }
    CityState state;
    NullHost host;
    CityClock clock{state, host};
};

void BM_MonthTick(benchmark::State& bench) {
    DenseCityClock dense;
    for (auto _ : bench) {
        dense.state.month = 5; // never the turn of the year: that is a tick of its own
        dense.host.monthTime = dense.state.monthLength - 100;
        dense.clock.ClockTimer();
        benchmark::DoNotOptimize(dense.state.CityMap.data());
    }
    int powered = 0, empty = 0;
    for (const TMapCell& c : dense.state.CityMap) {
        powered += c.powered;
        empty += c.code == city::kCodeEmpty;
    }
    bench.counters["pop"] = dense.state.residentialPop + dense.state.commercialPop + dense.state.industrialPop;
    bench.counters["powered"] = powered;
    bench.counters["empty"] = empty;
}
BENCHMARK(BM_MonthTick)->Unit(benchmark::kMicrosecond);

// The first twelve months after zoning, the city restored before each run of them;
// the figure is the time of one month.
void BM_ZonedMonth(benchmark::State& bench) {
    DenseCityClock zoned;
    bench::ZoneDenseCity(zoned.state);
    const CityState start = zoned.state;
    int zones = 0;
    for (const TMapCell& c : start.CityMap)
        zones += (c.code >= 48 && c.code <= 49) || (c.code >= 65 && c.code <= 66) || (c.code >= 82 && c.code <= 83);
    for (auto _ : bench) {
        bench.PauseTiming();
        zoned.state = start;
        zoned.host.lines = 0;
        bench.ResumeTiming();
        for (int m = 0; m < 12; ++m) {
            zoned.host.monthTime = zoned.state.monthLength - 100;
            zoned.clock.ClockTimer();
        }
        benchmark::DoNotOptimize(zoned.state.CityMap.data());
    }
    bench.counters["zones"] = zones;
    bench.counters["pop"] = zoned.state.residentialPop + zoned.state.commercialPop + zoned.state.industrialPop;
    bench.counters["lines"] = zoned.host.lines;
    bench.counters["s/month"] = benchmark::Counter(12.0, benchmark::Counter::kIsIterationInvariantRate |
                                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_ZonedMonth)->Unit(benchmark::kMillisecond);

// The month's recomputation of supplies, traffic and pollution alone, on the dense
// city (0) and on the same city freshly zoned (1); the reference version alongside.
template <void (*Recompute)(CityState&)>
void BM_Networks(benchmark::State& bench) {
    DenseCityClock city;
    if (bench.range(0) == 1)
        bench::ZoneDenseCity(city.state);
    for (auto _ : bench) {
        Recompute(city.state);
        benchmark::DoNotOptimize(city.state.CityMap.data());
    }
}
BENCHMARK(BM_Networks<city::RecomputeNetworksFast>)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Networks<city::RecomputeNetworksReference>)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_YearTick(benchmark::State& bench) {
    DenseCityClock dense;
    for (auto _ : bench) {
        dense.state.month = 12;
        dense.state.year = 1960;
        dense.host.monthTime = dense.state.monthLength - 100;
        dense.clock.ClockTimer();
        benchmark::DoNotOptimize(dense.state.funds);
    }
}
BENCHMARK(BM_YearTick)->Unit(benchmark::kMicrosecond);

void BM_PlainTick(benchmark::State& bench) {
    DenseCityClock dense;
    for (auto _ : bench) {
        dense.host.monthTime = 0;
        dense.clock.ClockTimer();
    }
}
BENCHMARK(BM_PlainTick)->Unit(benchmark::kMicrosecond);

// The new-city procedure without the window's part: landscape, scalars, the budget
// figures, the networks and the unlocks.
void BM_NewCity(benchmark::State& bench) {
    CityState state;
    bench::LoadTypes(state);
    state.BuildViewGrid();
    state.Seed(7);
    NullHost host;
    for (auto _ : bench) {
        state.GenerateLandscape();
        state.funds = 20000;
        state.cityRank = 1;
        state.residentialPop = state.commercialPop = state.industrialPop = 0;
        state.month = 1;
        state.year = 1950;
        state.monthLength = 6000;
        city::FillBudgetPanel(state, host);
        city::RecomputeNetworks(state, host);
        city::UnlockStep(state, host);
        benchmark::DoNotOptimize(state.CityMap.data());
    }
}
BENCHMARK(BM_NewCity)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
