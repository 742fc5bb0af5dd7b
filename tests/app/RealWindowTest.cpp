// The real program in a real X server: the pointer and the keyboard of the X server go
// through the start box, the New City box, a road tool with a shift-click line, a save
// through the dialog, Alt+Enter there and back, and F12; the saved file, the window's
// size and pixels of the X screen show that each step did what the player meant.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// Runs a shell command and gives its standard output.
std::string Output(const std::string& command) {
    std::string all;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            all.append(buffer, n);
        ::pclose(pipe);
    }
    return all;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return done();
}

// An X server of its own: Xvfb picks a free display number and tells it through a pipe.
class XServer {
public:
    XServer() {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        const auto end = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < end && ::poll(&p, 1, 200) >= 0) {
            char c;
            if (p.revents & (POLLIN | POLLHUP)) {
                if (::read(fds[0], &c, 1) != 1 || c == '\n')
                    break;
                number += c;
            }
        }
        ::close(fds[0]);
        if (!number.empty())
            display_ = ":" + number;
    }
    ~XServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "xdotool", "import", "identify"})
            if (Output(std::string("command -v ") + tool).empty())
                GTEST_SKIP() << tool << " is not installed: no real X server to test in";
        server_ = std::make_unique<XServer>();
        if (server_->Display().empty())
            GTEST_SKIP() << "Xvfb could not start an X server here";
        home_ = fs::temp_directory_path() / ("plazaro_xhome_" + std::to_string(::getpid()));
        fs::remove_all(home_);
        fs::create_directories(home_ / "config" / "plazaro");
        // A window of one frame's size, centred on the 1280 x 1024 screen, so that
        // full screen visibly changes it.
        std::ofstream(home_ / "config" / "plazaro" / "settings.ini") << "window_scale = 1\n";
        env_ = "DISPLAY=" + server_->Display() + " HOME=" + home_.string() + " XDG_DATA_HOME=" +
               (home_ / "data").string() + " XDG_CONFIG_HOME=" + (home_ / "config").string() +
               " XDG_PICTURES_DIR=" + (home_ / "pictures").string() + " SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ";
        program_ = ::fork();
        if (program_ == 0) {
            ::setenv("DISPLAY", server_->Display().c_str(), 1);
            ::setenv("HOME", home_.c_str(), 1);
            ::setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
            ::setenv("XDG_PICTURES_DIR", (home_ / "pictures").c_str(), 1);
            ::setenv("SDL_VIDEODRIVER", "x11", 1);
            ::setenv("SDL_AUDIODRIVER", "dummy", 1);
            const std::string program = std::string(PLAZARO_PROGRAM_DIR) + "/plazaro";
            ::execl(program.c_str(), program.c_str(), "--seed", "1", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ASSERT_TRUE(WaitUntil([&] { return !Window().empty(); })) << "the window never appeared";
        ASSERT_TRUE(WaitUntil([&] { return Geometry() == "640x500"; })) << Geometry();
        const std::string at = Output(Xdo("getwindowgeometry " + Window()));
        ASSERT_EQ(std::sscanf(at.substr(at.find("Position: ")).c_str(), "Position: %d,%d", &x0_, &y0_), 2) << at;
        // No window manager runs to give the new window the keyboard: the test does.
        std::system(Xdo("windowfocus --sync " + Window()).c_str());
    }
    void TearDown() override {
        if (program_ > 0) {
            ::kill(program_, SIGKILL);
            ::waitpid(program_, nullptr, 0);
        }
        server_.reset();
        if (!home_.empty())
            fs::remove_all(home_);
    }

    std::string Xdo(const std::string& args) const { return env_ + "xdotool " + args + " 2>/dev/null"; }
    std::string Window() const {
        std::string id = Output(Xdo("search --name '^Plazaro$'"));
        return id.substr(0, id.find('\n'));
    }
    std::string Geometry() const {
        std::string g = Output(Xdo("getwindowgeometry " + Window()));
        auto at = g.find("Geometry: ");
        return at == std::string::npos ? std::string() : g.substr(at + 10, g.find('\n', at) - at - 10);
    }
    // A click at a pixel of the game's frame (the menu bar's top left is 0, 0).
    void Click(int fx, int fy, const std::string& before = "", const std::string& after = "") {
        std::system(Xdo("mousemove " + std::to_string(x0_ + fx) + " " + std::to_string(y0_ + fy) + " " + before +
                        " click 1 " + after)
                        .c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    void Keys(const std::string& keys) {
        std::system(Xdo("key --delay 60 " + keys).c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    // The X screen's pixel at (x, y) as 0xRRGGBB.
    unsigned Pixel(int x, int y) const {
        std::string text = Output(env_ + "import -window root -crop 1x1+" + std::to_string(x) + "+" + std::to_string(y) +
                                  " -depth 8 rgb:- 2>/dev/null");
        if (text.size() < 3)
            return 0xFFFFFFFFu;
        return (unsigned(std::uint8_t(text[0])) << 16) | (unsigned(std::uint8_t(text[1])) << 8) |
               unsigned(std::uint8_t(text[2]));
    }

    std::unique_ptr<XServer> server_;
    fs::path home_;
    std::string env_;
    pid_t program_ = -1;
    int x0_ = 0, y0_ = 0;
};

std::vector<std::string> Lines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

} // namespace

TEST_F(RealWindow, APlayerFoundsSavesAndTogglesFullScreenWithTheRealPointerAndKeys) {
    // The start box's Ok (New City is chosen), then the New City box: a triple click
    // selects the name, typing replaces it, Ok.
    const unsigned outside = Pixel(x0_ - 10, y0_ - 10);
    // The intro plays first: the start box's silver face shows when it is over.
    ASSERT_TRUE(WaitUntil([&] { return Pixel(x0_ + 250, y0_ + 20 + 140 + 80) == 0xC0C0C0; }, 20000));
    Click(243 + 8 + 30, 20 + 140 + 96 + 10);
    Click(243 + 16 + 40, 20 + 140 + 24 + 8, "", "click 1 click 1");
    std::system(Xdo("type --delay 60 Xtown").c_str());
    Click(243 + 40 + 30, 20 + 140 + 92 + 10);
    // The road tool from the palette's Road menu, and a line of road by two shift-clicks.
    Click(18, 408);
    Click(316, 413);
    Click(150, 150, "keydown shift", "");
    Click(350, 150, "", "keyup shift");
    // Ctrl+S: the dialog offers the city's own name in the cities folder; Enter saves,
    // Enter closes the "Game Saved" box.
    Keys("ctrl+s");
    Keys("Return");
    Keys("Return");
    const fs::path saved = home_ / "data" / "plazaro" / "cities" / "Xtown.PZ1";
    if (const char* shots = std::getenv("PLAZARO_TEST_SHOTS"))
        std::system((env_ + "import -window root " + shots + "/saved.png").c_str());
    ASSERT_TRUE(WaitUntil([&] { return Lines(saved).size() == 404; }))
        << saved << " not written; the cities folder holds: " << Output("ls " + saved.parent_path().string());
    const std::vector<std::string> lines = Lines(saved);
    EXPECT_EQ(lines[0], "Xtown;#");
    // Funds (line 2, third field) below 20000, and road cells (code 17, hex 11) on the map.
    unsigned funds = 0;
    std::sscanf(lines[1].c_str(), "%*x; %*x; %x;", &funds);
    EXPECT_LT(funds, 20000u);
    int roads = 0;
    for (int row = 4; row < 84; ++row)
        for (std::size_t x = 0; x + 1 < lines[row].size() && x < 160; x += 2)
            roads += lines[row].compare(x, 2, "11") == 0;
    EXPECT_GE(roads, 5);

    // Alt+Enter: the window covers the screen and the picture is re-fitted (the menu
    // bar's grey reaches the screen's top left corner at scale 2); again: back as it was.
    const unsigned menuBar = Pixel(x0_ + 2, y0_ + 2);
    EXPECT_NE(menuBar, outside);
    Keys("alt+Return");
    ASSERT_TRUE(WaitUntil([&] { return Geometry() == "1280x1024"; })) << Geometry();
    EXPECT_TRUE(WaitUntil([&] { return Pixel(2, 14) == menuBar && Pixel(1278, 14) == menuBar; }));
    Keys("alt+Return");
    ASSERT_TRUE(WaitUntil([&] { return Geometry() == "640x500"; })) << Geometry();
    EXPECT_TRUE(WaitUntil([&] { return Pixel(2, 14) == outside && Pixel(x0_ + 2, y0_ + 2) == menuBar; }));

    // F12: a picture of the window at its own size in the pictures folder.
    Keys("F12");
    const fs::path pictures = home_ / "pictures" / "plazaro";
    ASSERT_TRUE(WaitUntil([&] {
        std::error_code ec;
        return fs::is_directory(pictures, ec) && fs::directory_iterator(pictures) != fs::directory_iterator();
    }));
    const fs::path shot = fs::directory_iterator(pictures)->path();
    EXPECT_EQ(shot.filename().string().rfind("plazaro-", 0), 0u);
    EXPECT_EQ(Output("identify -format '%wx%h' " + shot.string()), "640x500");

    // The settings file remembers the window: one frame's size, not full screen.
    std::string settings;
    EXPECT_TRUE(WaitUntil([&] {
        std::ifstream in(home_ / "config" / "plazaro" / "settings.ini");
        std::ostringstream text;
        text << in.rdbuf();
        settings = text.str();
        return settings.find("full_screen = 0") != std::string::npos;
    })) << settings;
    EXPECT_NE(settings.find("window_scale = 1"), std::string::npos) << settings;
}
