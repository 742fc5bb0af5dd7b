// The "avivideo" device opens AVI files under an alias, plays them at their frame rate
// by the clock it is given, stops on the last frame (no rewind), pauses, resumes,
// seeks, reports its status, plays the file's sound through the mixer, and refuses
// missing and bad files and bad commands with its own errors.
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/AviVideo.h"
#include "platform/winmm/Mci.h"
#include "platform/winmm/TestAviImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

using namespace winmm;
using namespace testavi;

namespace {

class AviVideoDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        AudioSystem::Instance().Reset();
        AviVideo::Instance().SetClock([this] { return now; });
        dir = std::filesystem::temp_directory_path() / ("plazaro_avi_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "with blanks");
        AudioSystem::Instance().OnMciCommand = [this](const std::string& c) { sent.push_back(c); };
    }
    void TearDown() override {
        AudioSystem::Instance().OnMciCommand = nullptr;
        AudioSystem::Instance().Reset();
        AviVideo::Instance().SetClock(nullptr);
        std::filesystem::remove_all(dir);
    }
    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
    // Three frames at ten a second, each one colour: red, green, blue.
    static AviSpec Clip() {
        AviSpec s;
        for (std::uint32_t colour : {0xFF0000u, 0x00FF00u, 0x0000FFu})
            s.frames.push_back(Dib(4, 3, 24, std::vector<std::uint32_t>(12, colour)));
        return s;
    }
    static std::string Ask(const std::string& command) {
        std::string answer;
        const MCIERROR error = mciSendString(command, &answer);
        return error ? "error " + std::to_string(error) : answer;
    }
    static std::uint32_t Colour() { return AviVideo::Instance().Picture("clip")->pixels[0]; }

    std::uint64_t now = 1000;
    std::filesystem::path dir;
    std::vector<std::string> sent;
};

TEST_F(AviVideoDeviceTest, PlaysByTheClockAndStaysOnTheLastFrame) {
    const std::string path = Write("with blanks/clip.avi", Build(Clip()));
    ASSERT_EQ(mciSendString("open \"" + path + "\" type avivideo alias clip"), 0u);
    EXPECT_EQ(Ask("status clip mode"), "stopped");
    EXPECT_EQ(Ask("status clip length"), "300");
    EXPECT_EQ(Ask("where clip source"), "0 0 4 3");
    EXPECT_EQ(Ask("status clip frame rate"), "10000");
    EXPECT_EQ(mciSendString("window clip handle 77"), 0u);
    EXPECT_EQ(Ask("status clip window handle"), "77");
    EXPECT_EQ(Colour(), 0xFF0000u);

    ASSERT_EQ(mciSendString("play clip"), 0u);
    now += 150;
    EXPECT_EQ(Ask("status clip mode"), "playing");
    EXPECT_EQ(Ask("status clip position"), "150");
    EXPECT_EQ(Colour(), 0x00FF00u);
    now += 10000;
    EXPECT_EQ(Ask("status clip mode"), "stopped");
    EXPECT_EQ(Ask("status clip position"), "300");
    EXPECT_EQ(Colour(), 0x0000FFu);
    // No rewind: playing at the end plays nothing until a seek.
    ASSERT_EQ(mciSendString("play clip"), 0u);
    EXPECT_EQ(Ask("status clip mode"), "stopped");
    ASSERT_EQ(mciSendString("seek clip to start"), 0u);
    EXPECT_EQ(Colour(), 0xFF0000u);

    // Frames as the time format; a range; a pause that holds the picture.
    ASSERT_EQ(mciSendString("set clip time format frames"), 0u);
    EXPECT_EQ(Ask("status clip length"), "3");
    ASSERT_EQ(mciSendString("play clip from 1 to 2"), 0u);
    EXPECT_EQ(Colour(), 0x00FF00u);
    now += 50;
    ASSERT_EQ(mciSendString("pause clip"), 0u);
    now += 5000;
    EXPECT_EQ(Ask("status clip mode"), "paused");
    EXPECT_EQ(Colour(), 0x00FF00u);
    ASSERT_EQ(mciSendString("resume clip"), 0u);
    now += 49;
    EXPECT_EQ(Ask("status clip mode"), "playing");
    now += 1;
    EXPECT_EQ(Ask("status clip mode"), "stopped");
    EXPECT_EQ(Ask("status clip position"), "2");
    EXPECT_EQ(Colour(), 0x0000FFu);

    ASSERT_EQ(mciSendString("close clip"), 0u);
    EXPECT_EQ(Ask("status clip mode"), "error " + std::to_string(MCIERR_INVALID_DEVICE_NAME));
    EXPECT_EQ(AviVideo::Instance().Picture("clip"), nullptr);
    // Every command string reached the observer as it was sent.
    EXPECT_EQ(sent.front(), "open \"" + path + "\" type avivideo alias clip");
    EXPECT_EQ(sent.back(), "status clip mode");
}

TEST_F(AviVideoDeviceTest, RefusesMissingAndBadFilesAndBadCommandsWithItsErrors) {
    AviSpec codec = Clip();
    codec.compression = 2;
    AviSpec wide = Clip();
    wide.mainWidth = 2;
    AviSpec rate = Clip();
    rate.rate = 0;
    AviSpec cut = Clip();
    const Bytes whole = Build(cut);
    struct Case {
        std::string file;
        MCIERROR error;
    };
    const Case files[] = {
        {(dir / "missing.avi").string(), MCIERR_FILE_NOT_FOUND},
        {Write("codec.avi", Build(codec)), MCIERR_AVI_NOCOMPRESSOR},
        {Write("wide.avi", Build(wide)), MCIERR_AVI_FRAMETOOLARGE},
        {Write("rate.avi", Build(rate)), MCIERR_AVI_BADSIZE},
        {Write("cut.avi", Bytes(whole.begin(), whole.begin() + 100)), MCIERR_INVALID_FILE},
        {Write("text.avi", Bytes{'h', 'e', 'l', 'l', 'o'}), MCIERR_INVALID_FILE},
    };
    std::set<std::string> texts;
    for (const Case& c : files) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(mciSendString("open " + c.file + " type avivideo alias clip"), c.error);
        EXPECT_FALSE(AviVideo::Instance().IsOpen("clip"));
        texts.insert(mciGetErrorString(c.error));
    }
    // Each refusal has a text of its own.
    EXPECT_EQ(texts.size(), 5u);

    const std::string good = Write("good.avi", Build(Clip()));
    ASSERT_EQ(mciSendString("open " + good + " type avivideo alias clip"), 0u);
    EXPECT_EQ(mciSendString("open " + good + " type avivideo alias CLIP"), MCIERR_DUPLICATE_ALIAS);
    EXPECT_EQ(mciSendString("open " + good + " type avivideo alias"), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(mciSendString("open " + good + " type avivideo alias other loudly"), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(mciSendString("open " + good + " type mpegvideo alias other"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(mciSendString("play clip from x"), MCIERR_BAD_INTEGER);
    EXPECT_EQ(mciSendString("play clip from 301"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(mciSendString("play clip from 200 to 100"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(mciSendString("play clip backwards"), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(mciSendString("set clip time format tmsf"), MCIERR_BAD_TIME_FORMAT);
    EXPECT_EQ(mciSendString("status clip colour"), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(mciSendString("seek clip to 1000"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(mciSendString("rewind clip"), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(mciSendString("play nothing"), MCIERR_INVALID_DEVICE_NAME);
    // The refusals changed nothing.
    EXPECT_EQ(Ask("status clip mode"), "stopped");
    EXPECT_EQ(Ask("status clip position"), "0");
}

TEST_F(AviVideoDeviceTest, TheFilesSoundPlaysOnTheMixerWithThePictures) {
    AviSpec s = Clip();
    s.sound = true;
    s.soundChunks = {Bytes(4800, 0x10)}; // 0.3 s of 16-bit mono at 8000 a second
    const std::string path = Write("sound.avi", Build(s));
    Mixer& mixer = AudioSystem::Instance().GetMixer();
    ASSERT_EQ(mciSendString("open " + path + " type avivideo alias clip"), 0u);
    EXPECT_EQ(Ask("status clip audio"), "on");
    EXPECT_EQ(mixer.ActiveVoices(), 0u);
    ASSERT_EQ(mciSendString("play clip"), 0u);
    EXPECT_EQ(mixer.ActiveVoices(), 1u);
    ASSERT_EQ(mciSendString("stop clip"), 0u);
    EXPECT_EQ(mixer.ActiveVoices(), 0u);
    ASSERT_EQ(mciSendString("play clip"), 0u);
    ASSERT_EQ(mciSendString("close clip"), 0u);
    EXPECT_EQ(mixer.ActiveVoices(), 0u);
}

} // namespace
