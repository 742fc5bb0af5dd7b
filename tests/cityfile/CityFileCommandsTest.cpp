// Save and Load City from the File menu: the dialogs' answers, the clock, the
// messages, and the rule that a failed save or load tells the player, keeps the game
// running and leaves both the city and the previous save exactly as they were.
#include "CityFileTestSupport.h"

#include "cityfile/FileStore.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/Screen.h"
#include "shell/CityFileCommands.h"
#include "shell/CommandHistory.h"
#include "shell/TMainForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class CityFileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& app = ui::Application::Instance();
        app.SetBackend(&backend);
        app.ResetTerminated();
        backend.Output = [this](const std::string& line) { output.push_back(line); };
        ui::Screen::Instance().Reset();
        CommandHistory::Instance().ResetHistory();
        dir = fs::temp_directory_path() / ("plazaro_cityfile_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        form = std::make_unique<TMainForm>();
        form->SeedRandom(4);
        form->City.programDir = dir.string();
        NewCity("Riverside");
    }
    void TearDown() override {
        SetCitySaveFault({});
        form.reset();
        fs::remove_all(dir);
        ui::Application::Instance().SetBackend(nullptr);
        ui::Application::Instance().ResetTerminated();
    }

    void NewCity(const std::string& name) {
        form->N_Name_E.SetText(name);
        form->N_Ok_BClick();
    }
    void Save(const std::optional<std::string>& answer) {
        backend.QueueFile(answer);
        form->F_Save->Click();
    }
    void Load(const std::optional<std::string>& answer) {
        // The city on screen is given up: "No" to saving its changes first.
        if (form->HasUnsavedChanges())
            backend.QueueAnswer(ui::IDNO);
        backend.QueueFile(answer);
        form->F_LoadCity->Click();
    }
    std::string File(const std::string& name) const { return (dir / name).string(); }
    std::string Read(const std::string& path) const {
        std::ifstream f(path, std::ios::binary);
        std::ostringstream s;
        s << f.rdbuf();
        return s.str();
    }
    void Write(const std::string& path, const std::string& text) const {
        std::ofstream f(path, std::ios::binary);
        f << text;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> boxes;
        for (const std::string& line : output)
            if (line.rfind("box: ", 0) == 0)
                boxes.push_back(line);
        return boxes;
    }
    bool Quit() const { return ui::Application::Instance().Terminated(); }

    headless::HeadlessBackend backend;
    std::vector<std::string> output;
    std::unique_ptr<TMainForm> form;
    fs::path dir;
};

} // namespace

TEST_F(CityFileCommandsTest, SaveThenLoadGivesTheCityBackAndRestartsPlay) {
    CityState& city = form->City;
    city.funds = -1000;
    city.year = 2016;
    city.month = 7;
    city.cityRank = 5;
    city.taxRate = 30;
    city.SetCell(10, 10, city::kCodeStation);
    city.SetCell(12, 12, city::kCodeRailway);
    const std::string path = File("River.PZ1");
    Save(path);
    ASSERT_EQ(Boxes(), std::vector<std::string>{"box: Plazaro: Game Saved as " + path + " -> OK"});
    const std::string text = Read(path);
    EXPECT_EQ(text.substr(0, 34), "Riverside;#\r\n7; 7E0; FFFFFC18; 5;#");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 404);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 404);

    NewCity("Elsewhere");
    city.monthLength = 2000;
    Load(path);
    EXPECT_EQ(Boxes().size(), 1u); // no message for a good load
    // Every saved word is back: the city now writes the very same lines.
    std::string error;
    std::optional<cityfile::CityFile> now = cityfile::CaptureCity(city, error);
    ASSERT_TRUE(now) << error;
    std::vector<std::string> lines = cityfile::FormatCityFile(*now);
    EXPECT_EQ(cftest::Join(lines), text);
    EXPECT_EQ(city.Cell(10, 10).code, city::kCodeStation);
    // The game is back on: 6000 ms a month, the clock running, the name shown, a
    // train at the station, the year's and the rank's unlocks.
    EXPECT_EQ(city.monthLength, 6000);
    EXPECT_TRUE(form->Clock.Enabled());
    EXPECT_EQ(form->Panel1.Caption, "Riverside");
    EXPECT_TRUE(form->Panel1.Visible());
    int trains = 0;
    for (const TMover& m : city.Movers)
        trains += m.active && m.kind == 1;
    EXPECT_EQ(trains, 1);
    EXPECT_EQ(city.unlocks[city::kUnlockMicroWave], 1);
    EXPECT_EQ(city.unlocks[city::kUnlockStatue], 1);
    EXPECT_FALSE(Quit());
}

TEST_F(CityFileCommandsTest, CancellingEitherDialogChangesNothingButTheLoadPauses) {
    const std::string before = cftest::Dump(form->City);
    form->RunCommand("SPEED; 0;", false, false); // paused
    Save(std::nullopt);
    EXPECT_FALSE(form->Clock.Enabled());
    form->RunCommand("SPEED; 6000;", false, false);
    Save(std::nullopt);
    EXPECT_TRUE(form->Clock.Enabled());
    EXPECT_TRUE(fs::is_empty(dir));

    Load(std::nullopt);
    EXPECT_FALSE(form->Clock.Enabled()); // cancelling the load leaves the game paused
    EXPECT_TRUE(Boxes().empty());
    form->City.monthLength = 6000;
    EXPECT_EQ(cftest::Dump(form->City), before);
}

TEST_F(CityFileCommandsTest, SavingRunsTheClockAfterwardsEvenWhenPausedBefore) {
    form->RunCommand("SPEED; 0;", false, false);
    bool clockDuringWrite = true;
    SetCitySaveFault([&](int) {
        clockDuringWrite = form->Clock.Enabled();
        return true;
    });
    Save(File("Paused.PZ1"));
    EXPECT_FALSE(clockDuringWrite);
    EXPECT_TRUE(form->Clock.Enabled());
    EXPECT_TRUE(fs::exists(File("Paused.PZ1")));
}

TEST_F(CityFileCommandsTest, TheDialogsAddTheDefaultExtensionAndALoadTakesTheBulldozer) {
    auto* saveDialog = form->Find<ui::FileDialog>("SaveDialog");
    auto* openDialog = form->Find<ui::FileDialog>("OpenDialog");
    ASSERT_TRUE(saveDialog && openDialog);
    EXPECT_EQ(saveDialog->Title, "Plazaro");
    EXPECT_EQ(openDialog->Title, "Load City");
    Save(File("mycity"));
    EXPECT_EQ(Boxes().back(), "box: Plazaro: Game Saved as " + File("mycity.PZ1") + " -> OK");
    EXPECT_TRUE(fs::exists(File("mycity.PZ1")));
    form->City.cityName = "Changed";
    form->RunCommand("SET_TOOL; 4; 17; Road; 20; ROADS.WAV;", false, false);
    ASSERT_EQ(form->City.toolName, "Road");
    Load(File("mycity"));
    EXPECT_EQ(form->City.cityName, "Riverside");
    EXPECT_EQ(form->City.toolName, "Bulldoze"); // a load starts with the bulldozer
    EXPECT_EQ(form->City.toolCode, 9);
}

TEST_F(CityFileCommandsTest, AFailedSaveTellsThePlayerAndTheGameGoesOn) {
    const std::string before = cftest::Dump(form->City);
    const std::string path = File("nowhere/City.PZ1");
    Save(path);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"box: Plazaro: Can't save to " + path + " -> OK"});
    EXPECT_FALSE(Quit());
    EXPECT_TRUE(form->Clock.Enabled());
    EXPECT_EQ(cftest::Dump(form->City), before);
    // The game can still be saved elsewhere.
    Save(File("Here.PZ1"));
    EXPECT_EQ(Boxes().back(), "box: Plazaro: Game Saved as " + File("Here.PZ1") + " -> OK");
}

TEST_F(CityFileCommandsTest, ASaveStoppedHalfWayKeepsThePreviousSave) {
    const std::string path = File("City.PZ1");
    Save(path);
    const std::string previous = Read(path);
    form->City.funds = 123456;
    form->City.cityName = "Renamed";
    SetCitySaveFault([](int line) { return line < 300; });
    Save(path);
    EXPECT_EQ(Boxes().back(), "box: Plazaro: Can't save to " + path + " -> OK");
    EXPECT_EQ(Read(path), previous);
    // The city file and the history saved beside it, and no half-written file.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    EXPECT_TRUE(fs::exists(path + ".HIS"));
    EXPECT_FALSE(Quit());
    SetCitySaveFault({});
    Save(path);
    EXPECT_NE(Read(path), previous);
    Load(path);
    EXPECT_EQ(form->City.cityName, "Renamed");
}

TEST_F(CityFileCommandsTest, BadFilesAreRefusedWithTheCityUntouched) {
    // A good file to spoil, written by the game itself.
    const std::string good = File("Good.PZ1");
    Save(good);
    const std::string text = Read(good);
    form->City.funds = 4242;
    form->City.Cell(3, 3).traffic = 77;
    form->City.Movers[5] = TMover{1, 2, 1, 3, 0, 1, 114, 2};
    std::vector<std::string> goodLines;
    {
        std::istringstream s(text);
        for (std::string l; std::getline(s, l);)
            goodLines.push_back(l.substr(0, l.size() - 1));
    }
    auto withLine = [&](int line, const std::string& content) {
        std::vector<std::string> lines = goodLines;
        lines[static_cast<size_t>(line - 1)] = content;
        return cftest::Join(lines);
    };
    const std::string cutShort =
        cftest::Join(std::vector<std::string>(goodLines.begin(), goodLines.begin() + 100)) + "0909";
    struct Case {
        const char* what;
        std::string name;
        std::optional<std::string> content; // nothing: the name is made some other way
        std::string message;
    };
    fs::create_directories(dir / "Folder.PZ1");
    const std::string notCity = " is not a city file the game can load: ";
    std::vector<Case> cases = {
        {"empty", "Empty.PZ1", "", notCity + "the file is empty"},
        {"short", "Short.PZ1", cutShort, notCity + "the file ends after line 101 of 404"},
        {"long line", "Long.PZ1", withLine(9, std::string(170, '0') + ";#"),
         notCity + "line 9 is longer than 163 characters"},
        {"binary", "Binary.PZ1", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), notCity + "line 2 holds bytes that are not text"},
        {"non-hex", "NonHex.PZ1", withLine(3, "12; QQ; 0;#"), notCity + "line 3: '0xQQ' is not a valid integer value"},
        {"month 13", "Month.PZ1", withLine(2, "D; 7A0; 2710; 1;#"), notCity + "line 2: month 13 is outside 1 to 12"},
        {"rank 9", "Rank.PZ1", withLine(2, "1; 7A0; 2710; 9;#"), notCity + "line 2: rank 9 is outside 1 to 6"},
        {"code 202", "Code.PZ1", withLine(5, "CA" + std::string(158, '0') + ";#"),
         notCity + "line 5: cell (0, 0) has code 202, which is no object"},
        // (0, 0) covered and pointing at itself, a covered cell.
        {"anchor", "Anchor.PZ1", withLine(5, "FA" + std::string(158, '0') + ";#"),
         notCity + "line 85: cell (0, 0) points at (0, 0), which is not the anchor of an object"},
        {"directory", "Folder.PZ1", std::nullopt, ""},
        {"missing", "Missing.PZ1", std::nullopt, ""},
    };
    if (::geteuid() != 0) { // the superuser reads any file
        Write(File("Locked.PZ1"), text);
        fs::permissions(File("Locked.PZ1"), fs::perms::none);
        cases.push_back({"no permission", "Locked.PZ1", std::nullopt, ""});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = File(c.name);
        if (c.content)
            Write(path, *c.content);
        form->RunCommand("SPEED; 6000;", false, false);
        const std::string before = cftest::Dump(form->City);
        output.clear();
        Load(path);
        const std::string expected = c.message.empty() ? "Can't Open " + path : path + c.message;
        // The changed city is given up first ("No" to saving it), then the file is refused.
        EXPECT_EQ(Boxes(), (std::vector<std::string>{"box: Plazaro: Save changes to Riverside? -> No",
                                                     "box: Plazaro: " + expected + " -> OK"}));
        EXPECT_EQ(cftest::Dump(form->City), before);
        EXPECT_FALSE(form->Clock.Enabled());
        EXPECT_FALSE(Quit());
    }
}
