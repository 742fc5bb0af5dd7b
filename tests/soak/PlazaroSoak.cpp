// The soak: one long game of random but legal player actions through the headless
// driver, with the city's invariants checked after every game year. It stops at the
// first broken invariant, naming the seed, the year and the action before it.
//
//   plazaro_soak --seed S --years N [--dir PROGRAM_DIR] [--year-seconds T] [--log PATH]
//
// Every action line is also written to the log (flushed), so a crash leaves the action
// that caused it as the log's last line.
#include "app/HeadlessDriver.h"
#include "city/CityState.h"
#include "cityfile/CityFile.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/os/ProgramDir.h"
#include "platform/ui/Application.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "shell/BudgetPanel.h"
#include "shell/TMainForm.h"
#include "view/MapRenderer.h"
#include "PlazaroResources.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_SANITIZED 1
#endif
#endif

namespace fs = std::filesystem;

namespace {

// What the alarm's handler prints: set before every action.
char gLastAction[512] = "start-up";
std::uint32_t gSeed = 0;
int gYear = 0;

void OnAlarm(int) {
    char text[800];
    int n = std::snprintf(text, sizeof text, "soak: FAIL seed=%u year=%d: hang: the year took too long; last action: %s\n",
                          gSeed, gYear, gLastAction);
    if (n > 0)
        (void)!::write(2, text, std::size_t(n));
    ::_exit(3);
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// The menu items of the tool palette, and its buttons.
const std::vector<std::string> kToolItems = {
    "C_HDensity", "C_LDensity", "E_College", "E_Fire", "E_Library", "E_Museum", "E_Police", "E_School",
    "G_CityHall", "G_Fountain", "G_Statue", "G_YourHouse", "I_HDensity", "I_LDensity", "L_Lake", "L_Trees",
    "P_Air", "P_Coal", "P_Gas", "P_MicroWave", "P_Nuclear", "P_Oil", "P_PowerLine", "P_Sea", "P_Solar", "P_Wind",
    "R_BusStation", "R_Cathedral", "R_Church", "R_HDensity", "R_LDensity", "R_LargePark", "R_Marina", "R_MotorWay",
    "R_Rail", "R_Road", "R_SmallPark", "R_Stadium", "R_Station", "R_SubStation", "S_Fire", "S_Hospital",
    "S_Police", "S_Treatment", "S_UVTreatment"};
const std::vector<std::string> kToolButtons = {
    "Bulldoze_SB", "Centre_SB", "Commercial_SB", "Education_SB", "Emergancy_SB", "Gifts_SB", "Industrial_SB",
    "Landscape_SB", "Pipes_SB", "Ports_SB", "Power_SB", "Query_SB", "Rail_SB", "Recreation_SB", "Religion_SB",
    "Residential_SB", "Road_SB", "Services_SB", "Sewage_SB"};
const std::vector<std::string> kSpeeds = {"S_Slow", "S_Medium", "S_Fast", "S_Pause"};

class Soak {
public:
    Soak(std::uint32_t seed, fs::path work, std::ostream& log)
        : random_(seed), seed_(seed), work_(std::move(work)), log_(log) {}

    int Run(int years, int yearSeconds) {
        auto& app = ui::Application::Instance();
        headless::HeadlessBackend backend;
        backend.Output = [this](const std::string& line) { Output(line); };
        app.SetBackend(&backend);
        app.Title = "Plazaro";
        std::istringstream noInput;
        std::ostringstream driverOut;
        {
            TMainForm form;
            form.Renderer->ComposeFrames = false;
            form.SeedRandom(seed_);
            HeadlessDriver driver(form, backend, noInput, driverOut);
            auto& audio = winmm::AudioSystem::Instance();
            audio.Install(std::make_unique<winmm::RecordingAudioDevice>());
            form.C_Memo.OnInsert = [this](std::size_t index, const std::string& line) {
                if (index == 0)
                    Output("reply: " + line);
            };
            // A wait of the program's own (the intro's videos) lets virtual time pass as
            // a player would sit through it; the soak's actions come from Act alone.
            backend.NextEvent = [&backend] {
                backend.Advance(100);
                return true;
            };
            form_ = &form;
            driver_ = &driver;
            driverOut_ = &driverOut;
            app.HandleEvent([&] { form.FormCreate(); });
            app.HandleEvent([&] { form.FormActivate(); });
            Act(std::string(":new Soak") + (random_() % 2 ? " hard" : ""));
            BuildTown();
            const auto start = std::chrono::steady_clock::now();
            long baseline = 0;
            for (int y = 1; y <= years && failure_.empty(); ++y) {
                gYear = form.City.year;
                ::alarm(unsigned(yearSeconds));
                PlayOneYear();
                ::alarm(0);
                if (!failure_.empty())
                    break;
                CheckYear();
                const long rss = ResidentKiB();
                peakKiB_ = std::max(peakKiB_, rss);
                // The first years fill the caches, the console and the movers; after
                // them the process must not keep growing.
                if (y == 3)
                    baseline = rss;
#ifndef SOAK_SANITIZED
                if (baseline && rss > baseline + 32 * 1024)
                    Fail("memory grew from " + std::to_string(baseline) + " KiB to " + std::to_string(rss) + " KiB");
#endif
                ++yearsPlayed_;
            }
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("soak: seed=%u years=%d actions=%ld seconds=%.1f peak_rss_kib=%ld final_year=%d pop=%lld\n",
                        seed_, yearsPlayed_, actions_, seconds, peakKiB_, form.City.year,
                        static_cast<long long>(form.City.residentialPop) + form.City.commercialPop +
                            form.City.industrialPop);
            audio.OnPlaySound = nullptr;
            audio.OnMciCommand = nullptr;
            form.C_Memo.OnInsert = nullptr;
            form_ = nullptr;
        }
        app.SetBackend(nullptr);
        winmm::AudioSystem::Instance().Reset();
        if (!failure_.empty()) {
            std::fprintf(stderr, "soak: FAIL seed=%u year=%d: %s; action: %s\n", seed_, gYear, failure_.c_str(),
                         failedAction_.c_str());
            return 1;
        }
        return 0;
    }

private:
    int Pick(int from, int to) { return from + int(random_() % std::uint32_t(to - from + 1)); }
    template <typename T> const T& OneOf(const std::vector<T>& items) { return items[random_() % items.size()]; }

    void Output(const std::string& line) {
        if (line.rfind("error: ", 0) == 0)
            Fail("unexpected error box \"" + line + "\"");
        else if (line == "quit")
            Fail("the game quit");
        else if (line.rfind("box: ", 0) == 0)
            boxes_.push_back(line);
    }

    void Fail(const std::string& why) {
        if (failure_.empty()) {
            failure_ = why;
            failedAction_ = gLastAction;
        }
    }

    // Runs one driver line as the player's action.
    void Act(const std::string& line) {
        std::snprintf(gLastAction, sizeof gLastAction, "#%ld %s", actions_, line.c_str());
        log_ << line << '\n' << std::flush;
        ++actions_;
        driver_->HandleLine(line);
        if (ui::Application::Instance().Terminated())
            Fail("the application was asked to quit");
        driverOut_->str("");
    }

    std::string Map(int x, int y, bool shift = false) {
        return ":map " + std::to_string(x) + " " + std::to_string(y) + (shift ? " shift" : "");
    }

    // The opening a player makes so that there is a town to play with: two coal plants,
    // a spine road with streets, power lines over them and the blocks between zoned for
    // works, shops and homes (columns 0 to 19 are land whatever the seed).
    void BuildTown() {
        Act(":press P_Coal");
        Act(Map(0, 10));
        Act(":press P_Coal");
        Act(Map(0, 20));
        const std::vector<int> rows = {3, 10, 17, 24, 31, 38}, gaps = {4, 11, 18, 25, 32};
        Act(":press R_Road");
        Act(Map(4, 3, true));
        Act(Map(4, 38, true));
        for (int r : rows) {
            Act(Map(5, r, true));
            Act(Map(19, r, true));
        }
        Act(":press P_PowerLine");
        for (int y = 3; y <= 38; ++y)
            Act(Map(4, y));
        for (int r : rows)
            for (int x = 5; x <= 19; ++x)
                Act(Map(x, r));
        const struct {
            const char* tool;
            int from, to;
        } kinds[] = {{"I_LDensity", 5, 7}, {"C_LDensity", 8, 11}, {"R_LDensity", 12, 19}};
        for (const auto& k : kinds) {
            Act(std::string(":press ") + k.tool);
            for (int g : gaps) {
                Act(Map(k.from, g, true));
                Act(Map(k.to, g + 5, true));
            }
        }
    }

    // Random actions, each followed by a few ticks, until the year turns.
    void PlayOneYear() {
        const int year = form_->City.year;
        for (int guard = 0; form_->City.year == year && failure_.empty(); ++guard) {
            if (guard > 20000) {
                Fail("the year did not turn after 20000 actions");
                return;
            }
            RandomAction();
            if (!form_->Clock.Enabled()) {
                // The yearly budget and a pause stop the clock; the player goes on.
                if (form_->Budget->Budget_P.Visible())
                    Act(":press B_Ok_B");
                else
                    Act(":press " + OneOf(std::vector<std::string>{"S_Slow", "S_Medium", "S_Fast"}));
            }
            Act(":tick " + std::to_string(Pick(1, 40)));
        }
    }

    void RandomAction() {
        const int roll = Pick(1, 100);
        if (roll <= 12) {
            Act(":press " + OneOf(kToolItems));
        } else if (roll <= 16) {
            Act(":press " + OneOf(kToolButtons));
        } else if (roll <= 40) {
            Act(":map " + std::to_string(Pick(-3, 82)) + " " + std::to_string(Pick(-3, 82)));
        } else if (roll <= 48) { // a drag: shift-click twice
            const int x = Pick(0, 79), y = Pick(0, 79);
            Act(":map " + std::to_string(x) + " " + std::to_string(y) + " shift");
            Act(":map " + std::to_string(std::clamp(x + Pick(-8, 8), -2, 81)) + " " +
                std::to_string(std::clamp(y + Pick(-8, 8), -2, 81)) + " shift");
        } else if (roll <= 55) {
            Act(":click " + std::to_string(Pick(-20, 820)) + " " + std::to_string(Pick(-20, 580)) +
                (Pick(0, 3) == 0 ? " shift" : ""));
        } else if (roll <= 60) {
            Act(":press Bulldoze_SB");
            Act(":map " + std::to_string(Pick(0, 79)) + " " + std::to_string(Pick(0, 79)));
        } else if (roll <= 64) {
            Act(":set UpDown" + std::to_string(Pick(1, 6)) + " " + std::to_string(Pick(-5, 130)));
        } else if (roll <= 65) {
            Act(":press O_A_Budget");
        } else if (roll <= 68) {
            Act(":press " + OneOf(kSpeeds));
        } else if (roll <= 80) {
            Act(ConsoleLine());
        } else if (roll <= 82) {
            Act(":key " + OneOf(std::vector<std::string>{"Up", "Down", "Left", "Right"}));
        } else if (roll <= 84) {
            SaveAndLoad(false);
        } else if (roll <= 86) {
            SaveAndLoad(true);
        }
        // The rest: the player only watches.
    }

    // A line typed into the console: the language's commands with fitting numbers,
    // and lines the language does not know. "ERROR", "WARNING" and "QUIT" end or may
    // end the game, "EXEC" runs files and "CODE" and "SET_TOOL" rewrite the tables the
    // invariants count with, so the soak leaves them to the tests.
    std::string ConsoleLine() {
        const std::string n = std::to_string(Pick(-5, 300));
        switch (Pick(0, 11)) {
        case 0: return "ECHO; Soak " + n + "; " + std::to_string(Pick(0, 9)) + "; " + std::to_string(Pick(0, 1)) + ";";
        case 1: return "NAME; Soak " + n + ";";
        case 2: return "SPEED; " + std::to_string(Pick(100, 12000)) + ";";
        case 3: return "SOUND; " + OneOf(std::vector<std::string>{"PLAY; Money.wav;", "ON;", "OFF;", "INIT;", "STOP;",
                                                                    "VOLUME; " + n + ";", "STATUS;"});
        case 4: return "CD; " + OneOf(std::vector<std::string>{"INIT;", "PLAY;", "STOP;", "PAUSE;", "NEXT;"});
        case 5: return OneOf(std::vector<std::string>{"CHECK_RESIDENTIAL;", "CHECK_COMMERCIAL;", "CHECK_INDUSTRIAL;"});
        case 6: return "RANDOM; " + n + ";";
        case 7: return "GET_LOCATION;";
        case 8: return "SET_POPUP_POSITION; " + n + "; " + std::to_string(Pick(0, 400)) + ";";
        case 9: return "INFO; Soak " + n + ";";
        case 10: return "R_INFO; " + std::to_string(Pick(0, 201)) + ";";
        default: {
            std::string junk;
            for (int i = Pick(1, 30); i > 0; --i)
                junk += char(Pick(32, 126));
            return junk[0] == ':' || junk[0] == '/' ? "x" + junk : junk;
        }
        }
    }

    // Save through the File menu; the soak's files are its own, so the file is removed
    // first rather than answering whether to replace it.
    void Save(const fs::path& path) {
        fs::remove(path);
        Act(":file " + path.string());
        Act(":press F_Save");
    }
    // Load through the File menu, not saving the changes of the city left behind.
    void Load(const fs::path& path) {
        if (form_->HasUnsavedChanges())
            Act(":answer No");
        Act(":file " + path.string());
        Act(":press F_LoadCity");
    }

    // Saves through the File menu and loads the file back, or a damaged copy of it.
    // A damaged copy that loads is replaced by the good file again, since its figures
    // no longer match its map.
    void SaveAndLoad(bool damaged) {
        const fs::path good = work_ / "Soak.PZ1";
        Save(good);
        if (!damaged) {
            Load(good);
            return;
        }
        std::string bytes = ReadBytes(good);
        if (bytes.empty()) {
            Fail("the saved file is empty");
            return;
        }
        switch (Pick(0, 3)) {
        case 0: bytes.resize(std::size_t(Pick(0, int(bytes.size()) - 1))); break;
        case 1:
            for (int i = Pick(1, 8); i > 0; --i)
                bytes[std::size_t(Pick(0, int(bytes.size()) - 1))] = char(Pick(0, 255));
            break;
        case 2: bytes.insert(std::size_t(Pick(0, int(bytes.size()))), "FF; 7FFFFFFF;#\r\n"); break;
        default: {
            // A map digit changed: an anchor, a code or a countdown the file never holds.
            const std::size_t at = bytes.find("#\r\n", std::size_t(Pick(200, int(bytes.size()) - 400)));
            if (at != std::string::npos && at + 3 + 6 < bytes.size())
                bytes[at + 3 + std::size_t(Pick(0, 5))] = "0123456789ABCDEF"[Pick(0, 15)];
        }
        }
        const fs::path broken = work_ / "Broken.PZ1";
        std::ofstream(broken, std::ios::binary) << bytes;
        Load(broken);
        CheckAnchors();
        Load(good);
    }

    void CheckYear() {
        CheckAnchors();
        CheckPopulations();
        CheckSaveLoadSave();
    }

    // Every covered cell points at an anchor on the map whose square covers it.
    void CheckAnchors() {
        const CityState& c = form_->City;
        for (int y = 0; y < city::kMapSize && failure_.empty(); ++y)
            for (int x = 0; x < city::kMapSize; ++x) {
                const TMapCell& m = c.Cell(x, y);
                if (m.code != city::kCodeCovered)
                    continue;
                const std::string where = "covered cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                if (!CityState::OnMap(m.anchorX, m.anchorY)) {
                    Fail(where + " points off the map");
                    return;
                }
                const int code = c.Cell(m.anchorX, m.anchorY).code;
                const TObjectType* type = c.TypeOf(code);
                const int size = type ? type->size : 0;
                if (size < 2 || size > 4 || x < m.anchorX || y < m.anchorY || x >= m.anchorX + size ||
                    y >= m.anchorY + size) {
                    Fail(where + " points at (" + std::to_string(m.anchorX) + ", " + std::to_string(m.anchorY) +
                         ") holding code " + std::to_string(code) + " of size " + std::to_string(size));
                    return;
                }
            }
    }

    // The three populations are the values of the buildings standing in each class
    // plus the buildings their construction sites will become.
    void CheckPopulations() {
        const CityState& c = form_->City;
        std::int64_t sum[3] = {0, 0, 0};
        auto classOf = [](int code) { return code >= 48 && code <= 64 ? 0 : code >= 65 && code <= 81 ? 1 : code >= 82 && code <= 98 ? 2 : -1; };
        for (int y = 0; y < city::kMapSize; ++y)
            for (int x = 0; x < city::kMapSize; ++x) {
                const TMapCell& m = c.Cell(x, y);
                const int counted = m.code >= 1 && m.code <= 3 ? m.pendingCode : m.code;
                const int k = classOf(counted);
                if (k >= 0)
                    if (const TObjectType* type = c.TypeOf(counted))
                        sum[k] += type->value;
            }
        const std::int64_t have[3] = {c.residentialPop, c.commercialPop, c.industrialPop};
        const char* names[3] = {"residential", "commercial", "industrial"};
        for (int k = 0; k < 3; ++k)
            if (sum[k] != have[k])
                Fail(std::string(names[k]) + " population is " + std::to_string(have[k]) +
                     " where the map's buildings and sites add up to " + std::to_string(sum[k]));
    }

    // Save, load and save again give the same bytes and the same city.
    void CheckSaveLoadSave() {
        const fs::path first = work_ / "First.PZ1", second = work_ / "Second.PZ1";
        const bool clockWasOn = form_->Clock.Enabled();
        std::string error;
        const std::optional<cityfile::CityFile> before = cityfile::CaptureCity(form_->City, error);
        boxes_.clear();
        Save(first);
        Load(first);
        Save(second);
        const std::optional<cityfile::CityFile> after = cityfile::CaptureCity(form_->City, error);
        if (!before || !after)
            Fail("the city cannot be put in a file: " + error);
        else if (!(*before == *after))
            Fail("the loaded city differs from the saved one");
        else if (ReadBytes(first) != ReadBytes(second))
            Fail("saving the loaded city gave other bytes than the first save");
        else if (boxes_.size() != 2 || boxes_[0].find("Game Saved as") == std::string::npos ||
                 boxes_[1].find("Game Saved as") == std::string::npos)
            Fail("saving and loading showed other boxes than two saves: " + (boxes_.empty() ? "" : boxes_.back()));
        // A save leaves the clock running; the year goes on as the player had it.
        if (!clockWasOn && form_->Budget->Budget_P.Visible())
            Act(":press B_Ok_B");
    }

    std::mt19937 random_;
    std::uint32_t seed_;
    fs::path work_;
    std::ostream& log_;
    TMainForm* form_ = nullptr;
    HeadlessDriver* driver_ = nullptr;
    std::ostringstream* driverOut_ = nullptr;
    std::vector<std::string> boxes_;
    std::string failure_;
    std::string failedAction_;
    long actions_ = 0;
    long peakKiB_ = 0;
    int yearsPlayed_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    std::uint32_t seed = 1;
    int years = 20, yearSeconds = 120;
    std::string dir = PLAZARO_PROGRAM_DIR, logPath;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i], value = argv[i + 1];
        if (option == "--seed")
            seed = std::uint32_t(std::stoul(value));
        else if (option == "--years")
            years = std::stoi(value);
        else if (option == "--dir")
            dir = value;
        else if (option == "--year-seconds")
            yearSeconds = std::stoi(value);
        else if (option == "--log")
            logPath = value;
        else {
            std::fprintf(stderr, "usage: plazaro_soak --seed S --years N [--dir DIR] [--year-seconds T] [--log PATH]\n");
            return 2;
        }
    }
    gSeed = seed;
    const fs::path work = fs::temp_directory_path() / ("plazaro_soak_" + std::to_string(::getpid()));
    fs::create_directories(work);
    // The player's folders (autosaves, settings) are the soak's own.
    ::setenv("XDG_DATA_HOME", (work / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    if (logPath.empty())
        logPath = (work / "actions.log").string();
    std::ofstream log(logPath);
    os::SetProgramDir(dir);
    if (::chdir(os::ProgramDir().c_str()) != 0) {
        std::fprintf(stderr, "soak: can't enter %s\n", dir.c_str());
        return 2;
    }
    RegisterPlazaroResources();
    std::signal(SIGALRM, OnAlarm);
    Soak soak(seed, work, log);
    const int result = soak.Run(years, yearSeconds);
    if (result == 0)
        fs::remove_all(work);
    else
        std::fprintf(stderr, "soak: the actions are in %s\n", logPath.c_str());
    return result;
}
