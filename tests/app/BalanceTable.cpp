// Prints the yearly figures of the scripted newcomers as tables, for the balance notes.
#include "NewcomerPlayers.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace newcomer;

int main(int argc, char** argv) {
    const std::string which = argc > 1 ? argv[1] : "compact";
    const int seed = argc > 2 ? std::atoi(argv[2]) : 1;
    const int years = argc > 3 ? std::atoi(argv[3]) : 40;
    Game game(seed);
    std::unique_ptr<Player> player;
    if (which == "compact")
        player = std::make_unique<CompactPlayer>(game);
    else if (which == "grid")
        player = std::make_unique<GridPlayer>(game, true);
    else if (which == "debt")
        player = std::make_unique<GridPlayer>(game, false);
    else if (which == "industry")
        player = std::make_unique<IndustryPlayer>(game);
    else
        return 2;
    const auto rows = player->Play("Newton", years);
    std::printf("| year | pop | R | C | I | funds | rank | L1 | L2 | L3 | tax | transport | power left |\n|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& r : rows)
        std::printf("| %d | %ld | %ld | %ld | %ld | %ld | %s | %d | %d | %d | %d | %d | %ld |\n", r.year, r.pop, r.r, r.c, r.i, r.funds,
                    RankName(r.rank).c_str(), r.levels[1], r.levels[2], r.levels[3], r.tax, r.transport, r.powerLeft);
    if (std::getenv("SCORES"))
        for (const auto& [k, n] : game.Scores())
            std::printf("%s %d\n", k.c_str(), n);
    if (argc > 4)
        game.Send(":dump " + std::string(argv[4]));
    for (const auto& e : game.Errors())
        std::printf("%s\n", e.c_str());
    return 0;
}
