// An install into a temporary prefix: the usual Linux layout, desktop files the
// desktop's own tools accept, the installed game run from another folder to a saved
// city, and a program of its own built on the installed engine package.
#include "SessionRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool HaveTool(const std::string& tool) {
    int status = -1;
    session::Shell("command -v " + tool + " > /dev/null 2>&1", &status);
    return status == 0;
}

std::set<std::string> Tree(const fs::path& root) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        files.insert(fs::relative(entry.path(), root).string());
    return files;
}

class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root = fs::temp_directory_path() / ("plazaro_install_" + std::to_string(::getpid()));
        fs::remove_all(root);
        prefix = root / "prefix";
        fs::create_directories(root / "elsewhere");
        fs::create_directories(root / "home");
        installed = session::Shell(std::string(PLAZARO_CMAKE_COMMAND) + " --install " + Quote(PLAZARO_BUILD_DIR) +
                                       " --prefix " + Quote(prefix) + " > " + Quote(root / "install.log") + " 2>&1",
                                   &installStatus);
        installStatus = fs::exists(prefix / "bin/plazaro") ? installStatus : -1;
    }
    static void TearDownTestSuite() { fs::remove_all(root); }

    void SetUp() override { ASSERT_EQ(installStatus, 0) << ReadFile(root / "install.log"); }

    // The installed game, headless, started in a folder of its own with the player's
    // folders in the test's home.
    std::vector<std::string> RunInstalled(const std::string& arguments, const std::string& input, int& status) {
        std::ofstream(root / "input", std::ios::binary) << input;
        const fs::path home = root / "home";
        return session::Lines(session::Shell(
            "cd " + Quote(root / "elsewhere") + " && env HOME=" + Quote(home) + " XDG_DATA_HOME=" +
                Quote(home / "data") + " XDG_CONFIG_HOME=" + Quote(home / "config") + " " +
                Quote(prefix / "bin/plazaro") + " " + arguments + " < " + Quote(root / "input") + " 2>&1",
            &status));
    }

    static fs::path root;
    static fs::path prefix;
    static std::string installed;
    static int installStatus;
};

fs::path InstallTest::root;
fs::path InstallTest::prefix;
std::string InstallTest::installed;
int InstallTest::installStatus = -1;

TEST_F(InstallTest, TheGameAndTheLibraryLandInTheUsualLayout) {
    EXPECT_TRUE((fs::status(prefix / "bin/plazaro").permissions() & fs::perms::owner_exec) != fs::perms::none);
    for (const char* file :
         {"share/plazaro/City.ini", "share/plazaro/Default.ini", "share/plazaro/Graphics/Back.bmp",
          "share/plazaro/Graphics/Blank.bmp", "share/plazaro/Graphics/title.bmp", "share/plazaro/Sound/BULLDOZE.WAV",
          "share/plazaro/Sound/Money.wav", "share/plazaro/Music/Track01.wav",
          "share/applications/org.plazaro.Plazaro.desktop", "share/metainfo/org.plazaro.Plazaro.metainfo.xml",
          "share/mime/packages/plazaro.xml", "share/man/man6/plazaro.6", "include/velmora/velmora/TKx_DDraw.h",
          "include/velmora/velmora/TKx_Sprite.h", "include/velmora/gfx/TE_DDraw.h",
          "include/velmora/platform/ddraw/DDraw.h", "lib/pkgconfig/velmora.pc", "lib/cmake/Velmora/VelmoraConfig.cmake",
          "lib/cmake/Velmora/VelmoraConfigVersion.cmake", "lib/cmake/Velmora/VelmoraTargets.cmake"})
        EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
    // The data is the build's, byte for byte.
    EXPECT_EQ(ReadFile(prefix / "share/plazaro/City.ini"), ReadFile(fs::path(PLAZARO_PROGRAM_DIR) / "City.ini"));
    EXPECT_EQ(ReadFile(prefix / "share/plazaro/Sound/Money.wav"),
              ReadFile(fs::path(PLAZARO_PROGRAM_DIR) / "Sound/Money.wav"));

    // The library: the development name, the soname and the versioned file.
    EXPECT_EQ(fs::read_symlink(prefix / "lib/libvelmora.so"), "libvelmora.so.1");
    EXPECT_EQ(fs::read_symlink(prefix / "lib/libvelmora.so.1"), "libvelmora.so.1.0.0");
    EXPECT_TRUE(fs::is_regular_file(prefix / "lib/libvelmora.so.1.0.0"));
    if (HaveTool("objdump")) {
        const std::string headers = session::Shell("objdump -p " + Quote(prefix / "lib/libvelmora.so.1.0.0"));
        EXPECT_NE(headers.find("SONAME               libvelmora.so.1\n"), std::string::npos);
    }

    // Icons at every usual size, each a PNG of that size with transparency.
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::string png = ReadFile(prefix / "share/icons/hicolor" / name / "apps/plazaro.png");
        int width = 0, height = 0;
        ASSERT_TRUE(session::PngSize(png, width, height)) << name;
        EXPECT_EQ(width, size);
        EXPECT_EQ(height, size);
        EXPECT_EQ(png[25], 6) << name << ": not RGBA";
    }
    // No build tools, tests or benchmarks among the installed programs.
    std::set<std::string> programs;
    for (const auto& entry : fs::directory_iterator(prefix / "bin"))
        programs.insert(entry.path().filename().string());
    EXPECT_EQ(programs, std::set<std::string>{"plazaro"});
}

TEST_F(InstallTest, TheDesktopFilesPassTheDesktopsOwnChecks) {
    const fs::path share = prefix / "share";
    int status = -1;
    ASSERT_TRUE(HaveTool("desktop-file-validate")) << "scripts/setup.sh installs desktop-file-utils";
    std::string out =
        session::Shell("desktop-file-validate " + Quote(share / "applications/org.plazaro.Plazaro.desktop") + " 2>&1", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, "");
    ASSERT_TRUE(HaveTool("appstreamcli")) << "scripts/setup.sh installs appstream";
    out = session::Shell("appstreamcli validate --no-net " + Quote(share / "metainfo/org.plazaro.Plazaro.metainfo.xml") +
                             " 2>&1",
                         &status);
    EXPECT_EQ(status, 0) << out;

    // The city file type: built into a MIME database, *.PZ1 files (any case) are cities,
    // and the desktop entry offers to open them.
    ASSERT_TRUE(HaveTool("update-mime-database")) << "scripts/setup.sh installs shared-mime-info";
    const fs::path mime = root / "mime";
    fs::create_directories(mime / "packages");
    fs::copy_file(share / "mime/packages/plazaro.xml", mime / "packages/plazaro.xml");
    out = session::Shell("update-mime-database " + Quote(mime) + " 2>&1", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(ReadFile(mime / "globs2").find(":application/x-plazaro-city:*.pz1"), std::string::npos)
        << ReadFile(mime / "globs2");
    const std::string entry = ReadFile(share / "applications/org.plazaro.Plazaro.desktop");
    EXPECT_NE(entry.find("\nMimeType=application/x-plazaro-city;\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=plazaro %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=plazaro\n"), std::string::npos);

    // The manual page: well-formed, and it documents every directive the driver takes.
    ASSERT_TRUE(HaveTool("groff"));
    const fs::path page = share / "man/man6/plazaro.6";
    out = session::Shell("groff -man -ww -z " + Quote(page) + " 2>&1", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, "");
    const std::string text = session::Shell("groff -man -Tutf8 -P-cbou " + Quote(page) + " 2>/dev/null");
    const std::string driver = ReadFile(fs::path(PLAZARO_SOURCE_DIR) / "src/app/HeadlessDriver.cpp");
    const std::regex directive("name == \"(:[a-z]+)\"");
    int directives = 0;
    for (auto it = std::sregex_iterator(driver.begin(), driver.end(), directive); it != std::sregex_iterator(); ++it) {
        ++directives;
        EXPECT_NE(text.find("       " + (*it)[1].str()), std::string::npos) << (*it)[1] << " is not in the manual";
    }
    EXPECT_GT(directives, 15);
    for (const char* option : {"--headless", "--seed N", "--dir FOLDER", "--quiet-frames", "--help", "--version"})
        EXPECT_NE(text.find(option), std::string::npos) << option;
}

TEST_F(InstallTest, TheInstalledGameFindsItsDataAndPlaysFromAnotherFolderToASavedCity) {
    const std::set<std::string> before = Tree(prefix);
    const fs::path city = root / "home" / "Lakeside.PZ1";
    int status = -1;
    const std::vector<std::string> out = RunInstalled(
        "--headless --seed 21",
        "GET_LOCATION;\n:new Lakeside\n:press R_Road\n:map 40 40\n:map 41 40\n:tick 65\n:state\n:file " +
            city.string() + "\n:press F_Save\n",
        status);
    EXPECT_EQ(status, 0);
    // The data folder in use is the installed one, found from the program's own place.
    EXPECT_TRUE(session::Has(out, "reply: Location: " + (prefix / "share/plazaro").string()));
    EXPECT_EQ(session::StartingWith(out, "box: Warning"), "");
    // Sounds come from there too.
    EXPECT_TRUE(session::Has(out, "reply: " + (prefix / "share/plazaro").string() + "\\Sound\\ROADS.WAV is being played"));
    EXPECT_TRUE(session::Has(out, "box: Plazaro: Game Saved as " + city.string() + " -> OK"));
    const std::string state = session::StartingWith(out, "state:");
    ASSERT_NE(state.find("name=\"Lakeside\""), std::string::npos) << state;

    const std::vector<std::string> lines = session::Lines(ReadFile(city));
    ASSERT_EQ(lines.size(), 404u);
    EXPECT_EQ(lines[0], "Lakeside;#\r");

    // Opened again from the command line, it is the same city.
    const std::vector<std::string> reopened = RunInstalled("--headless --seed 22 " + Quote(city), ":state\n", status);
    EXPECT_EQ(status, 0);
    const std::string again = session::StartingWith(reopened, "state:");
    const auto figures = [](const std::string& s) { return s.substr(0, s.find(" tool=")); };
    EXPECT_EQ(figures(again), figures(state));

    // --dir still wins over the installed data.
    const std::vector<std::string> overridden =
        RunInstalled("--headless --dir " + Quote(PLAZARO_PROGRAM_DIR), "GET_LOCATION;\n", status);
    EXPECT_TRUE(session::Has(overridden, std::string("reply: Location: ") + PLAZARO_PROGRAM_DIR));

    // The installed tree is only read.
    EXPECT_EQ(Tree(prefix), before);
}

TEST_F(InstallTest, AProgramOfItsOwnBuildsOnTheInstalledEnginePackage) {
    const std::string expected = "palette Velmora: TKx_DDraw TKx_DDSurface TKx_Sound TKx_DInput\n"
                                 "screen 320x240: background 2060C0, sprite F0C020, sprite frame 2060C0\n";
    const fs::path example = fs::path(PLAZARO_SOURCE_DIR) / "examples/velmora-hello";
    const fs::path build = root / "example-build";
    fs::create_directories(root / "pictures");
    int status = -1;
    std::string out = session::Shell(std::string(PLAZARO_CMAKE_COMMAND) + " -S " + Quote(example) + " -B " +
                                         Quote(build) + " -DCMAKE_PREFIX_PATH=" + Quote(prefix) +
                                         " -DCMAKE_CXX_COMPILER=" + Quote(PLAZARO_CXX_COMPILER) + " 2>&1 && " +
                                         PLAZARO_CMAKE_COMMAND + " --build " + Quote(build) + " 2>&1",
                                     &status);
    ASSERT_EQ(status, 0) << out;
    out = session::Shell(Quote(build / "velmora_hello") + " " + Quote(root / "pictures"), &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, expected);

    // The same program through pkg-config, with the library found at run time.
    ASSERT_TRUE(HaveTool("pkg-config"));
    const std::string pkg = "PKG_CONFIG_PATH=" + Quote(prefix / "lib/pkgconfig") + " pkg-config";
    EXPECT_EQ(session::Shell(pkg + " --modversion velmora"), "1.0.0\n");
    out = session::Shell(Quote(PLAZARO_CXX_COMPILER) + " " + Quote(example / "main.cpp") + " -o " +
                             Quote(root / "hello-pc") + " $(" + pkg + " --cflags --libs velmora) 2>&1",
                         &status);
    ASSERT_EQ(status, 0) << out;
    out = session::Shell("LD_LIBRARY_PATH=" + Quote(prefix / "lib") + " " + Quote(root / "hello-pc") + " " +
                             Quote(root / "pictures"),
                         &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, expected);
}

} // namespace
