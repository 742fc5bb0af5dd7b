// Scripted newcomers: plain strategies a new player might follow, each played year by
// year against the headless program, which they read between years (the state line and
// the map) to decide what to build next, as a player looks at the screen.
#pragma once

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace newcomer {

// One running program in headless mode, spoken to line by line through two pipes.
class Game {
public:
    explicit Game(int seed) {
        // A program that ends early must fail the test, not kill it on the next write.
        std::signal(SIGPIPE, SIG_IGN);
        int toChild[2], fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(toChild[0], 0);
            ::dup2(fromChild[1], 1);
            ::close(toChild[1]);
            ::close(fromChild[0]);
            const std::string program = std::string(PLAZARO_PROGRAM_DIR) + "/plazaro";
            const std::string seedText = std::to_string(seed);
            ::execl(program.c_str(), program.c_str(), "--headless", "--seed", seedText.c_str(), "--quiet-frames",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        in_ = ::fdopen(toChild[1], "w");
        out_ = ::fdopen(fromChild[0], "r");
    }
    ~Game() {
        if (in_)
            std::fclose(in_); // end of input ends the program
        if (out_) {
            char buffer[4096];
            while (std::fread(buffer, 1, sizeof buffer, out_) > 0) {
            }
            std::fclose(out_);
        }
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
        std::filesystem::remove(DumpPath());
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    bool Running() const { return in_ && out_; }

    // Sends the lines and returns what the program printed for them.
    std::vector<std::string> Send(const std::string& lines) {
        std::vector<std::string> printed;
        if (!Running())
            return printed;
        const std::string mark = "sync " + std::to_string(++syncs_);
        std::fputs((lines + "\n:mark " + mark + "\n").c_str(), in_);
        std::fflush(in_);
        std::string line;
        for (int c; (c = std::fgetc(out_)) != EOF;) {
            if (c != '\n') {
                line += static_cast<char>(c);
                continue;
            }
            if (line == "mark: " + mark)
                return printed;
            if (line.rfind("error:", 0) == 0)
                errors_.push_back(line);
            if (line.rfind("reply: ", 0) == 0 && line.size() > 9 && line[8] == ':')
                ++scores_[line.substr(7)];
            printed.push_back(line);
            line.clear();
        }
        errors_.push_back("the program ended early");
        return printed;
    }

    // The numbers of the state line (funds, month, year, rank, pop, R, C, I, tax, fundings).
    std::map<std::string, long> State() {
        std::map<std::string, long> numbers;
        static const std::regex number(R"((\w+)=(-?\d+))");
        for (const std::string& l : Send(":state"))
            if (l.rfind("state: ", 0) == 0)
                for (auto it = std::sregex_iterator(l.begin(), l.end(), number); it != std::sregex_iterator(); ++it)
                    numbers[(*it)[1]] = std::stol((*it)[2]);
        return numbers;
    }

    // Every cell's code and pending code, read from a dump of the city.
    struct Cells {
        std::array<int, 6400> code{}, pending{};
        long powerLeft = 0;
        int Code(int x, int y) const { return x < 0 || y < 0 || x > 79 || y > 79 ? -1 : code[y * 80 + x]; }
    };
    Cells Map() {
        Cells cells;
        Send(":dump " + DumpPath());
        std::ifstream f(DumpPath());
        std::string line;
        while (std::getline(f, line)) {
            if (line.rfind("powerLeft=", 0) == 0)
                cells.powerLeft = std::stol(line.substr(10));
            std::istringstream s(line);
            int x, y, code, ax, ay, pending;
            if (!std::isdigit(static_cast<unsigned char>(line[0])) || !(s >> x >> y >> code >> ax >> ay >> pending))
                continue;
            if (x >= 0 && x < 80 && y >= 0 && y < 80) {
                cells.code[y * 80 + x] = code;
                cells.pending[y * 80 + x] = pending;
            }
        }
        return cells;
    }

    const std::vector<std::string>& Errors() const { return errors_; }
    // How often each growth score line ("R: 12") was shown on the console.
    const std::map<std::string, int>& Scores() const { return scores_; }

private:
    std::string DumpPath() const {
        return (std::filesystem::temp_directory_path() / ("plazaro_player_" + std::to_string(::getpid()) + "_" +
                                                          std::to_string(pid_) + ".txt"))
            .string();
    }

    pid_t pid_ = -1;
    FILE* in_ = nullptr;
    FILE* out_ = nullptr;
    int syncs_ = 0;
    std::vector<std::string> errors_;
    std::map<std::string, int> scores_;
};

// A zone building's level (1 to 3) from its code, 0 for anything else.
inline int LevelOf(int code) {
    for (int base : {50, 67, 84})
        if (code >= base && code < base + 15)
            return (code - base) / 5 + 1;
    return 0;
}

// One year's figures, read at its start (January).
struct YearFigures {
    int year = 0;
    long funds = 0, pop = 0, r = 0, c = 0, i = 0;
    int rank = 0, tax = 0, transport = 0;
    std::array<int, 4> levels{}; // buildings (sites counted as what they become) by level 1 to 3
    long powerLeft = 0;          // cells the plants could still serve
};

inline std::string RankName(int rank) {
    static const char* names[] = {"", "Hamlet", "Village", "Town", "City", "Capitol", "Metropolis"};
    return rank >= 1 && rank <= 6 ? names[rank] : "";
}

// The moves shared by every strategy: tools, lines, areas, a power line along a road.
class Player {
public:
    explicit Player(Game& game) : game_(game) {}
    virtual ~Player() = default;

    // Plays the given number of years and returns the figures at the start of each
    // year, the first row before anything has grown.
    std::vector<YearFigures> Play(const std::string& name, int years) {
        std::vector<YearFigures> rows;
        game_.Send(":new " + name + "\n:press S_Fast");
        Start();
        Flush();
        rows.push_back(Figures());
        for (int n = 0; n < years; ++n) {
            PassYear();
            rows.push_back(Figures());
            Year(rows.back());
            Flush();
        }
        return rows;
    }

protected:
    // The first moves, with the starting funds.
    virtual void Start() = 0;
    // What the player does after reading a new year's figures.
    virtual void Year(const YearFigures& now) = 0;
    // A year of the clock; the year's budget is confirmed as it stands unless Auto
    // Budget runs it.
    virtual void PassYear() { Send(":tick 240"); }

    void Send(const std::string& line) {
        if (!dry_)
            pending_ += line + "\n";
    }
    // What the moves would cost, worked out without making them: the player reads the
    // prices before building.
    template <typename Moves>
    long CostOf(Moves moves) {
        dry_ = true;
        const long before = cost_;
        moves();
        dry_ = false;
        const long cost = cost_ - before;
        cost_ = before;
        return cost;
    }
    void Flush() {
        if (!pending_.empty())
            game_.Send(pending_);
        pending_.clear();
    }
    void Tool(const std::string& item) { Send(":press " + item); }
    void Click(int x, int y) { Send(":map " + std::to_string(x) + " " + std::to_string(y)); }
    void Drag(int x0, int y0, int x1, int y1) {
        Send(":map " + std::to_string(x0) + " " + std::to_string(y0) + " shift");
        Send(":map " + std::to_string(x1) + " " + std::to_string(y1) + " shift");
    }
    // A road from (x0, y0) to (x1, y1) along a row or a column, a power line over each
    // of its cells.
    void PoweredRoad(int x0, int y0, int x1, int y1) {
        cost_ += 30L * ((x1 - x0 + 1) * (y1 - y0 + 1));
        Tool("R_Road");
        Drag(x0, y0, x1, y1);
        Tool("P_PowerLine");
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                Click(x, y);
    }
    void Zone(const std::string& tool, int x0, int y0, int x1, int y1) {
        cost_ += (tool[2] == 'H' ? 20L : 10L) * ((x1 - x0 + 1) * (y1 - y0 + 1));
        Tool(tool);
        Drag(x0, y0, x1, y1);
    }
    void Place(const std::string& tool, int x, int y) {
        static const std::map<std::string, long> prices = {
            {"P_Coal", 4000},     {"R_Church", 500},    {"R_Cathedral", 1000}, {"R_SmallPark", 30},
            {"R_LargePark", 200}, {"E_School", 400},    {"E_Library", 500},    {"E_College", 1000},
            {"S_Hospital", 1000}, {"S_Police", 1000},   {"S_Fire", 1000}};
        const auto price = prices.find(tool);
        cost_ += price == prices.end() ? 0 : price->second;
        Tool(tool);
        Click(x, y);
    }

    YearFigures Figures() {
        Flush();
        auto s = game_.State();
        YearFigures f;
        f.year = static_cast<int>(s["year"]);
        f.funds = s["funds"];
        f.pop = s["pop"];
        f.r = s["R"];
        f.c = s["C"];
        f.i = s["I"];
        f.rank = static_cast<int>(s["rank"]);
        f.tax = static_cast<int>(s["tax"]);
        f.transport = static_cast<int>(s["transport"]);
        const Game::Cells cells = game_.Map();
        f.powerLeft = cells.powerLeft;
        for (int k = 0; k < 6400; ++k) {
            const int code = cells.code[static_cast<size_t>(k)];
            const int level = LevelOf(code >= 1 && code <= 3 ? cells.pending[static_cast<size_t>(k)] : code);
            if (level > 0)
                ++f.levels[static_cast<size_t>(level)];
        }
        return f;
    }

    // True when no cell of the rectangle is water (the river leaves columns 0 to 20
    // dry whatever the seed; further east the player looks at the map).
    bool Dry(int x0, int y0, int x1, int y1) {
        if (x1 > 79 || y1 > 79)
            return false;
        if (x1 <= 20)
            return true;
        if (!river_) {
            Flush();
            river_ = std::make_unique<Game::Cells>(game_.Map());
        }
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (river_->Code(x, y) == 12)
                    return false;
        return true;
    }

    Game& game_;

private:
    std::string pending_;
    std::unique_ptr<Game::Cells> river_; // the map as first read: the river does not move
    bool dry_ = false;
    long cost_ = 0;
};

// Streets of the compact plan: a spine road down column 4, with a street every seven
// rows and six rows of zones between two streets, first west of the river (columns 5
// to 19), then carried on east up to the river. Plants, the church and the cathedral
// stand west of the spine in columns 0 to 3. The first blocks are zoned in low density;
// once the city is a Town, new blocks are high density with parks and services among
// them, one block a year while the money lasts.
class CompactPlayer : public Player {
public:
    explicit CompactPlayer(Game& game) : Player(game) {}

protected:
    static constexpr int kTop = 3;
    static int StreetRow(int block) { return kTop + 7 * block; }

    void Start() override {
        Tool("O_A_Budget");
        Civic("P_Coal", 4);
        Civic("R_Church", 2);
        PoweredRoad(4, 0, 4, kTop);
        PoweredRoad(5, kTop, 19, kTop);
        NextBlock(false);
        NextBlock(false);
    }

    // A building west of the spine, below the last one; false when the column is full.
    bool Civic(const std::string& tool, int size) {
        if (band_ + size > 80)
            return false;
        Place(tool, 0, band_);
        band_ += size;
        return true;
    }

    // A block of streets in the rows below the street at row top, from column x0 to
    // x1: the spine carries on, the street at the bottom, and the zones between in
    // units of fifteen columns: homes, a column of parks, shops, then works or, in
    // high density, a school and a hospital.
    void Block(int top, int x0, int x1, bool high) {
        const int bottom = top + 7;
        if (x0 == 5)
            PoweredRoad(4, top + 1, 4, bottom);
        PoweredRoad(x0, bottom, x1, bottom);
        for (int unit = 5; unit <= x1; unit += 15) {
            auto zone = [&](const std::string& tool, int from, int to) {
                from = std::max(from + unit, x0);
                to = std::min(to + unit, x1);
                if (from <= to)
                    Zone(tool, from, top + 1, to, bottom - 1);
            };
            auto whole = [&](int from, int to) { return unit + from >= x0 && unit + to <= x1; };
            zone(high ? "R_HDensity" : "R_LDensity", 0, high ? 5 : 7);
            if (high && whole(6, 7)) {
                Place("R_LargePark", unit + 6, top + 1);
                Place("E_Library", unit + 6, top + 4);
                Place("R_SmallPark", unit + 6, top + 3);
                Place("R_SmallPark", unit + 7, top + 6);
            }
            zone(high ? "C_HDensity" : "C_LDensity", 8, 11);
            if (high && whole(12, 14)) {
                Place("E_School", unit + 12, top + 1);
                Place("S_Hospital", unit + 12, top + 4);
            } else {
                zone("I_LDensity", 12, 14);
            }
        }
    }

    // The next block: first down the west of the river bank (columns 5 to 19), then
    // the same streets carried on east up to two cells short of the river.
    bool NextBlock(bool high) {
        if (StreetRow(west_ + 1) <= 79) {
            Block(StreetRow(west_++), 5, 19, high);
            ++blocks_;
            return true;
        }
        while (StreetRow(east_ + 1) <= 79) {
            const int top = StreetRow(east_++);
            int x1 = 19;
            while (x1 < 79 && Dry(x1 + 1, top, x1 + 3, top + 7))
                ++x1;
            if (x1 >= 24) {
                PoweredRoad(20, top, x1, top);
                Block(top, 20, x1, high);
                ++blocks_;
                return true;
            }
        }
        return false;
    }

    void Year(const YearFigures& now) override {
        long funds = now.funds;
        auto buy = [&](long price) {
            if (funds < price)
                return false;
            funds -= price;
            return true;
        };
        // Another plant when the last one's power is nearly all used.
        if (now.powerLeft < 150 && buy(4000))
            Civic("P_Coal", 4);
        if (now.rank >= 3 && !cathedral_ && buy(1000) && Civic("R_Cathedral", 3))
            cathedral_ = true;
        // A block of streets a year, in high density with its services once a Town.
        const bool high = now.rank >= 3;
        const int west = west_, east = east_, blocks = blocks_;
        const long cost = CostOf([&] { NextBlock(high); });
        west_ = west, east_ = east, blocks_ = blocks;
        if (buy(cost + 1000))
            NextBlock(high);
    }

    int band_ = 0;
    int blocks_ = 0;
    int west_ = 0;
    int east_ = 0;
    bool cathedral_ = false;
};

// A wide grid: roads every four cells both ways over the dry land west of the river,
// laid as far as the money goes, with power lines on every road and low-density zones
// in the squares between them (two of homes to one of shops and one of works), Auto
// Budget on; the grid grows south each year while the funds allow. The second kind of
// player also buys every service at once and confirms each year's budget itself. Both
// follow the guide once a year begins in debt.
class GridPlayer : public Player {
public:
    GridPlayer(Game& game, bool autoBudget) : Player(game), autoBudget_(autoBudget) {}

    int firstDebtYear = 0; // the first year that began in debt, 0 while never

    int adviceYear = 0; // the year the player raised taxes, 0 while never

protected:
    void Start() override {
        if (autoBudget_)
            Tool("O_A_Budget");
        Place("P_Coal", 0, 0);
        Place("P_Coal", 0, 4);
        Place("R_Church", 0, 8);
        long funds = 20000 - 8500;
        if (!autoBudget_) {
            // This player also buys every service at once, and pays their upkeep from
            // the first year.
            Place("S_Police", 0, 10);
            Place("S_Fire", 0, 13);
            Place("S_Hospital", 0, 16);
            Place("E_School", 0, 19);
            funds -= 3400;
            plants_ = 4; // the plants that come later stand below the services
        }
        for (int n = 0; n < 4; ++n)
            Row(funds);
    }

    // One more row of squares: the road above them (and the first grid road along
    // row 0), the short roads between them, power lines on all, and the zones.
    void Row(long& funds) {
        const long cost = CostOf([&] { RowMoves(); });
        if (cost > funds)
            return;
        funds -= cost;
        RowMoves();
        ++rows_;
    }
    void RowMoves() {
        const int top = 4 * rows_;
        if (top + 4 > 79)
            return;
        int x1 = 4;
        while (x1 + 4 <= 79 && Dry(x1, top, x1 + 4, top + 4))
            x1 += 4;
        if (rows_ == 0)
            PoweredRoad(4, 0, x1, 0);
        PoweredRoad(4, top + 4, x1, top + 4);
        for (int x = 4, square = 0; x <= x1; x += 4, ++square) {
            PoweredRoad(x, top + 1, x, top + 3);
            if (x + 4 > x1)
                break;
            static const char* kinds[] = {"R_LDensity", "C_LDensity", "R_LDensity", "I_LDensity"};
            Zone(kinds[(square + rows_) % 4], x + 1, top + 1, x + 3, top + 3);
        }
    }

    // A year of the clock. Without Auto Budget the year stops on the budget panel and
    // the player reads it: in debt, it follows the guide (taxes up to 30, transport
    // funding down to half, Auto Budget on); otherwise it confirms the budget as it
    // stands. A player in debt with Auto Budget on first turns it off to see the panel.
    void PassYear() override {
        if (autoBudget_ && inDebt_ && adviceYear == 0) {
            Tool("O_A_Budget");
            autoBudget_ = false;
        }
        Send(":tick 240");
        if (autoBudget_)
            return;
        const YearFigures now = Figures();
        if (now.funds < 0 && adviceYear == 0) {
            adviceYear = now.year;
            Send(":set UpDown1 30");
            Send(":set UpDown6 50");
            Send(":press B_Ok_B");
            Tool("O_A_Budget");
            autoBudget_ = true;
            return;
        }
        Send(":press B_Ok_B");
    }

    void Year(const YearFigures& now) override {
        inDebt_ = now.funds < 0;
        if (inDebt_ && firstDebtYear == 0)
            firstDebtYear = now.year;
        long funds = now.funds;
        // A plant when the power runs short, west of the grid below the church.
        if (now.powerLeft < 100 && funds > 4000 && plants_ < 17) {
            Place("P_Coal", 0, 10 + 4 * plants_++);
            funds -= 4000;
        }
        funds -= 2000; // kept in hand
        Row(funds);
    }

    bool autoBudget_;
    bool inDebt_ = false;
    int rows_ = 0;
    int plants_ = 0;
};

// Heavy industry: two coal plants and more as the power runs short, a railway beside
// the works and a college for them, streets every seven rows with wide bands of
// high-density works and homes in low density; a church, then a block a year while the
// money lasts.
class IndustryPlayer : public CompactPlayer {
public:
    explicit IndustryPlayer(Game& game) : CompactPlayer(game) {}

protected:
    void Start() override {
        Tool("O_A_Budget");
        Civic("P_Coal", 4);
        Civic("P_Coal", 4);
        Civic("R_Church", 2);
        PoweredRoad(4, 0, 4, kTop);
        PoweredRoad(5, kTop, 19, kTop);
        Works();
        Works();
    }

    // A block of works: homes near the spine, works in high density east of them,
    // a few shops, and the railway along the east edge.
    void Works() {
        const int top = StreetRow(west_);
        const int bottom = top + 7;
        if (bottom > 79)
            return;
        PoweredRoad(4, top + 1, 4, bottom);
        PoweredRoad(5, bottom, 19, bottom);
        Zone("R_LDensity", 5, top + 1, 10, bottom - 1);
        Zone("C_LDensity", 11, top + 1, 12, bottom - 1);
        Zone("I_HDensity", 13, top + 1, 18, bottom - 1);
        Tool("R_Rail");
        Drag(19, top + 1, 19, bottom - 1);
        ++west_;
        ++blocks_;
    }

    void Year(const YearFigures& now) override {
        long funds = now.funds;
        if (!college_ && now.rank >= 2 && funds > 3000 && Civic("E_College", 4)) {
            college_ = true;
            funds -= 1000;
        }
        if (now.powerLeft < 150 && funds > 6000 && Civic("P_Coal", 4))
            funds -= 4000;
        if (now.rank >= 3 && !cathedral_ && funds > 2000 && Civic("R_Cathedral", 3)) {
            cathedral_ = true;
            funds -= 1000;
        }
        if (funds > 2500)
            Works();
    }

    bool college_ = false;
};

} // namespace newcomer
