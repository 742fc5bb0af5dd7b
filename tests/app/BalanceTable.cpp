// Prints the yearly figures of the scripted newcomers as tables for the balance notes:
//   balance_table [SEED [YEARS [STRATEGY]]]
// with STRATEGY one of compact, grid, debt, industry (all four when left out). With
// PLAZARO_SCORES set in the environment it also counts the growth scores shown.
#include "NewcomerPlayers.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

using namespace newcomer;

namespace {

void Print(const std::string& which, int seed, int years) {
    Game game(seed);
    std::unique_ptr<Player> player;
    if (which == "compact")
        player = std::make_unique<CompactPlayer>(game);
    else if (which == "grid" || which == "debt")
        player = std::make_unique<GridPlayer>(game, which == "grid");
    else if (which == "industry")
        player = std::make_unique<IndustryPlayer>(game);
    else
        return;
    const auto rows = player->Play("Newton", years);
    std::printf("\n%s, seed %d\n\n| year | pop | R | C | I | funds | rank | level 1 | level 2 | level 3 | tax | "
                "transport |\n|---|---|---|---|---|---|---|---|---|---|---|---|\n",
                which.c_str(), seed);
    for (const auto& r : rows)
        std::printf("| %d | %ld | %ld | %ld | %ld | %ld | %s | %d | %d | %d | %d | %d |\n", r.year, r.pop, r.r, r.c,
                    r.i, r.funds, RankName(r.rank).c_str(), r.levels[1], r.levels[2], r.levels[3], r.tax,
                    r.transport);
    if (std::getenv("PLAZARO_SCORES"))
        for (const auto& [line, n] : game.Scores())
            std::printf("%s shown %d times\n", line.c_str(), n);
    for (const auto& e : game.Errors())
        std::printf("%s\n", e.c_str());
}

} // namespace

int main(int argc, char** argv) {
    // The games' autosaves and settings go to a home of their own, not the player's.
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("plazaro_balance_" + std::to_string(::getpid()));
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    ::setenv("XDG_PICTURES_DIR", (home / "pictures").c_str(), 1);
    const int seed = argc > 1 ? std::atoi(argv[1]) : 1;
    const int years = argc > 2 ? std::atoi(argv[2]) : 40;
    if (argc > 3) {
        Print(argv[3], seed, years);
    } else {
        for (const char* which : {"compact", "grid", "debt", "industry"})
            Print(which, seed, years);
    }
    std::filesystem::remove_all(home);
    return 0;
}
