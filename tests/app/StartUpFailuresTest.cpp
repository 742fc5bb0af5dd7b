// Starting the program with a piece of its folder missing, or with folders it cannot
// write: each case shows the engine's or the language's own message, never ends in a
// crash, and the game goes on wherever it can (a new city is played and saved).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    std::vector<std::string> lines;
    bool signalled = false;
    int status = -1;
};

Outcome Play(const fs::path& programDir, const std::string& input) {
    const fs::path inputPath = fs::temp_directory_path() / ("plazaro_startup_in_" + std::to_string(::getpid()));
    std::ofstream(inputPath, std::ios::binary) << input;
    const std::string command = std::string(PLAZARO_PROGRAM_DIR) + "/plazaro --headless --seed 3 --dir " +
                                programDir.string() + " < " + inputPath.string() + " 2>&1";
    Outcome run;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::string all;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            all.append(buffer, n);
        const int rc = ::pclose(pipe);
        // The shell reports a program killed by a signal as 128 + the signal.
        run.signalled = WIFSIGNALED(rc) || (WIFEXITED(rc) && WEXITSTATUS(rc) > 128);
        run.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
        std::istringstream stream(all);
        for (std::string line; std::getline(stream, line);)
            run.lines.push_back(line);
    }
    fs::remove(inputPath);
    return run;
}

std::vector<std::string> Starting(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& l : lines)
        if (l.rfind(prefix, 0) == 0)
            found.push_back(l);
    return found;
}

// A copy of the built program folder made of hard links (or of copies on another file
// system), to take pieces out of.
void CopyProgramFolder(const fs::path& to, bool links) {
    fs::create_directories(to);
    fs::copy(PLAZARO_PROGRAM_DIR, to,
             fs::copy_options::recursive | (links ? fs::copy_options::create_hard_links : fs::copy_options::none));
}

std::string PlayAndSave(const fs::path& saveTo) {
    return ":new Testville\n:press S_Fast\n:tick 250\n:press B_Ok_B\n:file " + saveTo.string() +
           "\n:press F_Save\n:state\n";
}

class StartUpFailures : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("plazaro_startup_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override {
        for (const fs::path& m : mounts)
            ::umount2(m.c_str(), MNT_DETACH);
        fs::remove_all(root);
    }
    // A small tmpfs at the path, read-only when asked; false where the machine does not
    // let the test mount one.
    bool Mount(const fs::path& at, const char* size) {
        fs::create_directories(at);
        const std::string options = std::string("size=") + size;
        if (::mount("tmpfs", at.c_str(), "tmpfs", 0, options.c_str()) != 0)
            return false;
        mounts.push_back(at);
        return true;
    }
    bool MakeReadOnly(const fs::path& at) {
        return ::mount(nullptr, at.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    fs::path root;
    std::vector<fs::path> mounts;
};

} // namespace

// A missing start-up script raises the language's "Can't exec" warning; its default
// button, Abort, ends the program as the player chose, with no error.
TEST_F(StartUpFailures, AMissingStartUpScriptAsksWhetherToGoOn) {
    for (const char* script : {"City.ini", "Default.ini"}) {
        SCOPED_TRACE(script);
        const fs::path dir = root / script;
        CopyProgramFolder(dir, true);
        fs::remove(dir / script);
        const Outcome run = Play(dir, PlayAndSave(root / "Never.PZ1"));
        EXPECT_FALSE(run.signalled);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(Starting(run.lines, "box: "),
                  (std::vector<std::string>{std::string("box: Warning: Can't exec ") + script + " -> Abort"}));
        EXPECT_EQ(Starting(run.lines, "error: "), std::vector<std::string>{});
        EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), "quit"), run.lines.end());
        EXPECT_FALSE(fs::exists(root / "Never.PZ1"));
    }
}

// Missing art and sound are reported once by the engine or the wave component with
// their own messages; the city is played and saved all the same.
TEST_F(StartUpFailures, MissingArtSoundAndMusicAreReportedAndTheGameGoesOn) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> remove;
        std::string firstError; // after the program folder; empty: no error at all
    };
    const std::vector<Case> cases = {
        {"Graphics folder", [](const fs::path& d) { fs::remove_all(d / "Graphics"); },
         "error: GetDib: Could not load bitmap{dir}\\Graphics\\Back.bmp."},
        {"Back.bmp", [](const fs::path& d) { fs::remove(d / "Graphics" / "Back.bmp"); },
         "error: GetDib: Could not load bitmap{dir}\\Graphics\\Back.bmp."},
        {"one picture", [](const fs::path& d) { fs::remove(d / "Graphics" / "Curpos2.bmp"); },
         "error: DDGetImageSize: Unable to load bitmap {dir}\\Graphics\\Curpos2.bmp."},
        {"Sound folder", [](const fs::path& d) { fs::remove_all(d / "Sound"); },
         "error: Play: Can't play {dir}\\Sound\\BULLDOZE.WAV."},
        {"Music folder", [](const fs::path& d) { fs::remove_all(d / "Music"); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path dir = root / "pieces";
        fs::remove_all(dir);
        CopyProgramFolder(dir, true);
        c.remove(dir);
        const fs::path saved = root / "Saved.PZ1";
        fs::remove(saved);
        const Outcome run = Play(dir, PlayAndSave(saved) + "CD; INIT;\nCD; PLAY;\n:state\n");
        EXPECT_FALSE(run.signalled);
        EXPECT_EQ(run.status, 0);
        const std::vector<std::string> errors = Starting(run.lines, "error: ");
        if (c.firstError.empty()) {
            EXPECT_EQ(errors, std::vector<std::string>{});
        } else {
            std::string expected = c.firstError;
            expected.replace(expected.find("{dir}"), 5, dir.string());
            ASSERT_FALSE(errors.empty());
            EXPECT_EQ(errors.front(), expected);
        }
        EXPECT_EQ(std::find(run.lines.begin(), run.lines.end(), "quit"), run.lines.end());
        const std::vector<std::string> states = Starting(run.lines, "state: ");
        ASSERT_EQ(states.size(), 2u);
        EXPECT_EQ(states[0].rfind("state: name=\"Testville\" funds=", 0), 0u) << states[0];
        EXPECT_NE(states[0].find(" year=1951 "), std::string::npos) << states[0];
        EXPECT_TRUE(fs::exists(saved));
    }
}

// The program folder is only read: on a read-only file system the game plays as ever.
// A cities folder the game cannot write to, read-only or full, makes the save fail with
// "Can't save to" and leaves no half-written file; the game goes on.
TEST_F(StartUpFailures, ReadOnlyProgramFolderAndUnwritableCitiesFolder) {
    const fs::path program = root / "program", readOnly = root / "readonly", full = root / "full";
    if (!Mount(program, "1g") || !Mount(readOnly, "1m") || !Mount(full, "32k"))
        GTEST_SKIP() << "this machine does not let the test mount a small file system; an injected write "
                        "failure covers the full disk in the city file's tests";
    CopyProgramFolder(program, false);
    ASSERT_TRUE(MakeReadOnly(program));
    ASSERT_TRUE(MakeReadOnly(readOnly));
    {
        // Fill the small one almost to the brim.
        std::ofstream filler(full / "filler", std::ios::binary);
        filler << std::string(24 * 1024, 'x');
    }
    const fs::path good = root / "Good.PZ1";
    const Outcome run = Play(program, PlayAndSave(good) + ":file " + (readOnly / "Town.PZ1").string() +
                                      "\n:press F_Save\n:file " + (full / "Town.PZ1").string() +
                                      "\n:press F_Save\n:tick 5\n:state\n");
    EXPECT_FALSE(run.signalled);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Starting(run.lines, "error: "), std::vector<std::string>{});
    EXPECT_EQ(Starting(run.lines, "box: "),
              (std::vector<std::string>{"box: Plazaro: Game Saved as " + good.string() + " -> OK",
                                        "box: Plazaro: Can't save to " + (readOnly / "Town.PZ1").string() + " -> OK",
                                        "box: Plazaro: Can't save to " + (full / "Town.PZ1").string() + " -> OK"}));
    EXPECT_TRUE(fs::exists(good));
    EXPECT_EQ(fs::directory_iterator(readOnly), fs::directory_iterator());
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(full))
        left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<fs::path>{"filler"});
    EXPECT_EQ(Starting(run.lines, "state: ").size(), 2u);
}
