// The intro through the headless driver: with "PLAY_VIDEOS; 1;" the first activation
// plays the studio's video for 1600 ms and the title's for 3400 ms (virtual time), then
// closes both and shows the start box; a key press or a click skips the rest, other
// input waits for the intro to end; a bad or missing video is reported with the
// device's error and start-up goes on.
#include "SessionRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

using session::Has;

// The lines between two marks (exclusive).
std::vector<std::string> Between(const std::vector<std::string>& out, const std::string& from, const std::string& to) {
    auto a = std::find(out.begin(), out.end(), "mark: " + from);
    auto b = std::find(out.begin(), out.end(), "mark: " + to);
    if (a == out.end() || b == out.end() || b < a)
        return {"(marks missing)"};
    return std::vector<std::string>(a + 1, b);
}

std::vector<std::string> Mci(const std::vector<std::string>& lines) {
    std::vector<std::string> mci;
    for (const auto& line : lines)
        if (line.rfind("mci: ", 0) == 0 && line.find("cdaudio") == std::string::npos)
            mci.push_back(line);
    return mci;
}

// "mci: open "DIR\Graphics\NAME" type avivideo alias ALIAS", with the folder cut out.
std::string WithoutFolder(std::string line) {
    auto open = line.find('"'), graphics = line.find("\\Graphics\\");
    if (open != std::string::npos && graphics != std::string::npos)
        line.erase(open + 1, graphics - open - 1);
    return line;
}

TEST(IntroSession, BothVideosPlayForTheirWaitsThenTheStartBoxComes) {
    const std::vector<std::string> out = session::RunPlazaro(":mark start\n:wait 1599\n:mark 1599\n:wait 1\n:mark 1600\n"
                                                             ":wait 3399\n:mark 4999\n:wait 1\n:mark 5000\n"
                                                             ":new Harbour\n:state\n",
                                                             3);
    // The studio's video opens and plays before anything is read.
    auto start = std::find(out.begin(), out.end(), "mark: start");
    std::vector<std::string> before = Mci(std::vector<std::string>(out.begin(), start));
    for (auto& line : before)
        line = WithoutFolder(line);
    const std::vector<std::string> first = {"mci: open \"\\Graphics\\qor.avi\" type avivideo alias Qor_Video",
                                            "mci: window Qor_Video handle " + before.at(1).substr(before.at(1).rfind(' ') + 1),
                                            "mci: play Qor_Video"};
    EXPECT_EQ(before, first);
    EXPECT_EQ(Mci(Between(out, "start", "1599")), std::vector<std::string>{});
    std::vector<std::string> second = Mci(Between(out, "1599", "1600"));
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(WithoutFolder(second[0]), "mci: open \"\\Graphics\\city_title.avi\" type avivideo alias Plazo_Video");
    EXPECT_EQ(second[2], "mci: play Plazo_Video");
    EXPECT_EQ(Mci(Between(out, "1600", "4999")), std::vector<std::string>{});
    EXPECT_EQ(Mci(Between(out, "4999", "5000")),
              (std::vector<std::string>{"mci: close Qor_Video", "mci: close Plazo_Video"}));
    // The start box is there: the new city starts.
    EXPECT_EQ(session::StartingWith(out, "state:").rfind("state: name=\"Harbour\"", 0), 0u);
    EXPECT_FALSE(Has(out, "error:"));

    // One long wait lets the whole intro pass inside it.
    const std::vector<std::string> once = session::RunPlazaro(":wait 60000\n:mark done\n", 3);
    auto done = std::find(once.begin(), once.end(), "mark: done");
    ASSERT_NE(done, once.end());
    EXPECT_EQ(Mci(std::vector<std::string>(once.begin(), done)).size(), 8u);
}

TEST(IntroSession, AKeyOrAClickSkipsTheRestAndOtherInputWaitsForTheEnd) {
    for (const std::string skip : {":key Escape", ":click 300 300"}) {
        SCOPED_TRACE(skip);
        const std::vector<std::string> out =
            session::RunPlazaro(":wait 2000\n:mark skip\n" + skip + "\n:mark skipped\n:wait 10000\n:new Quay\n:state\n", 3);
        // Skipped during the second video: both close at once, nothing more plays.
        EXPECT_EQ(Mci(Between(out, "skip", "skipped")),
                  (std::vector<std::string>{"mci: close Qor_Video", "mci: close Plazo_Video"}));
        EXPECT_EQ(Mci(out).size(), 8u);
        EXPECT_EQ(session::StartingWith(out, "state:").rfind("state: name=\"Quay\"", 0), 0u);
    }
    // A new city asked for during the first video: the intro ends, then the city starts
    // and the start box is gone (its Exit does nothing once hidden).
    const std::vector<std::string> out = session::RunPlazaro(":new Early\n:state\n:press S_Exit_B\n", 3);
    EXPECT_EQ(Mci(out).size(), 4u); // the first video's open, window, play and close
    EXPECT_EQ(session::StartingWith(out, "state:").rfind("state: name=\"Early\"", 0), 0u);
    EXPECT_FALSE(Has(out, "quit"));
}

TEST(IntroSession, BadAndMissingVideosAreReportedAndStartUpGoesOn) {
    namespace fs = std::filesystem;
    const fs::path program = PLAZARO_PROGRAM_DIR;
    const fs::path dir = fs::temp_directory_path() / ("plazaro_intro_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "Graphics");
    for (const auto& entry : fs::directory_iterator(program))
        if (entry.path().filename() != "Graphics")
            fs::create_symlink(entry.path(), dir / entry.path().filename());
    for (const auto& entry : fs::directory_iterator(program / "Graphics"))
        if (entry.path().extension() != ".avi")
            fs::create_symlink(entry.path(), dir / "Graphics" / entry.path().filename());
    // The studio's video cut short; the title's video missing.
    std::ifstream whole(program / "Graphics" / "qor.avi", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), {});
    std::ofstream(dir / "Graphics" / "qor.avi", std::ios::binary) << bytes.substr(0, bytes.size() / 2);

    const std::vector<std::string> out = session::RunPlazaro(":new Harbour\n:state\n", 3, "--dir " + dir.string());
    fs::remove_all(dir);
    std::vector<std::string> shown;
    for (const auto& line : out)
        if ((line.rfind("mci: ", 0) == 0 && line.find("cdaudio") == std::string::npos) || line.rfind("error:", 0) == 0)
            shown.push_back(WithoutFolder(line));
    const std::vector<std::string> expected = {
        "mci: open \"\\Graphics\\qor.avi\" type avivideo alias Qor_Video",
        "error: The file is not a video this device can play, or it is damaged.",
        "mci: open \"\\Graphics\\city_title.avi\" type avivideo alias Plazo_Video",
        "error: The file is not found.",
    };
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(session::StartingWith(out, "state:").rfind("state: name=\"Harbour\"", 0), 0u);
}

} // namespace
