// The CD controller moves between its states (0 not initialised, 1 stopped,
// 2 playing, 4 paused) exactly as the sub-commands say, sends its fixed command
// strings, answers with its fixed replies, reports failing device commands in
// message boxes and goes on, and sends nothing at the end when it never opened.
#include "audio/CdController.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/os/ProgramDir.h"
#include "platform/ui/Application.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/Mci.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "platform/winmm/TestWaveImage.h"

#include <gtest/gtest.h>

using namespace testwave;
using winmm::AudioSystem;

namespace {

constexpr int kRate = 8000;

class CdControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        AudioSystem::Instance().Reset();
        auto device = std::make_unique<winmm::RecordingAudioDevice>(kRate);
        recorder = device.get();
        AudioSystem::Instance().Install(std::move(device));
        AudioSystem::Instance().OnMciCommand = [this](const std::string& c) { sent.push_back(c); };
        backend.Output = [this](const std::string& line) { boxes.push_back(line); };
        ui::Application::Instance().SetBackend(&backend);
        ui::Application::Instance().Title = "Plazaro";
        dir = FreshDir("cdcontroller");
        os::SetProgramDir(dir.string());
    }
    void TearDown() override {
        ui::Application::Instance().SetBackend(nullptr);
        AudioSystem::Instance().Reset();
        os::SetProgramDir("");
        std::filesystem::remove_all(dir);
    }
    // Three tracks of two seconds, each holding its own number times 1000.
    void MakeDisc() {
        for (int t = 1; t <= 3; ++t)
            WriteFile(dir / "Music" / ("Track0" + std::to_string(t) + ".wav"),
                      Wave16(1, kRate, std::vector<std::int16_t>(2 * kRate, static_cast<std::int16_t>(1000 * t))));
    }
    std::int16_t Heard() { return recorder->Pull(1)[0]; }
    std::vector<std::string> TakeSent() { return std::exchange(sent, {}); }
    std::vector<std::string> TakeBoxes() { return std::exchange(boxes, {}); }

    CdController cd;
    winmm::RecordingAudioDevice* recorder = nullptr;
    headless::HeadlessBackend backend;
    std::vector<std::string> sent, boxes;
    std::filesystem::path dir;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(CdControllerTest, InitWithAndWithoutADisc) {
    EXPECT_EQ(cd.CdState(), 0);
    EXPECT_EQ(cd.CdStatus(), "");
    EXPECT_EQ(cd.CdCommand("INIT"), "CD Audio Not initialised"); // no Music folder
    EXPECT_EQ(cd.CdState(), 0);
    EXPECT_FALSE(cd.CdOpen());
    EXPECT_EQ(TakeSent(), Lines{"open cdaudio"});
    MakeDisc();
    EXPECT_EQ(cd.CdCommand("INIT"), "CD Audio initialised");
    EXPECT_EQ(cd.CdState(), 1);
    EXPECT_TRUE(cd.CdOpen());
    EXPECT_EQ(TakeSent(), (Lines{"open cdaudio", "set cdaudio time format tmsf"}));
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(CdControllerTest, PlayOnlyFromTheStoppedState) {
    MakeDisc();
    cd.CdPlay("from 2");
    EXPECT_EQ(cd.CdState(), 0); // before INIT nothing happens
    EXPECT_TRUE(TakeSent().empty());
    cd.CdCommand("INIT");
    TakeSent();
    cd.CdPlay("from 2");
    EXPECT_EQ(cd.CdState(), 2);
    EXPECT_EQ(TakeSent(), Lines{"play cdaudio from 2"});
    EXPECT_EQ(Heard(), 2000);
    // While a track plays, another play does nothing.
    cd.CdPlay("from 3");
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(Heard(), 2000);
    EXPECT_EQ(cd.CdCommand("STOP"), "CD stopped");
    EXPECT_EQ(TakeSent(), Lines{"stop cdaudio"});
    EXPECT_EQ(cd.CdState(), 1);
    EXPECT_EQ(Heard(), 0);
    cd.CdPlay("from 3");
    EXPECT_EQ(Heard(), 3000);
    TakeSent();
    cd.CdCommand("STOP");
    cd.CdPlay("");
    EXPECT_EQ(TakeSent(), (Lines{"stop cdaudio", "play cdaudio"}));
    cd.CdCommand("STOP");
    cd.CdPlay("from 2 to 3");
    EXPECT_EQ(TakeSent().back(), "play cdaudio from 2 to 3");
    EXPECT_TRUE(TakeBoxes().empty());
    // CdPlay leaves the reply alone.
    EXPECT_EQ(cd.CdStatus(), "CD stopped");
}

TEST_F(CdControllerTest, PauseIsAToggle) {
    MakeDisc();
    cd.CdCommand("INIT");
    EXPECT_EQ(cd.CdCommand("PAUSE"), ""); // stopped: nothing happens
    cd.CdPlay("from 1");
    TakeSent();
    EXPECT_EQ(cd.CdCommand("PAUSE"), "CD paused");
    EXPECT_EQ(cd.CdState(), 4);
    EXPECT_EQ(Heard(), 0);
    EXPECT_EQ(cd.CdCommand("PAUSE"), "CD playing");
    EXPECT_EQ(cd.CdState(), 2);
    EXPECT_EQ(Heard(), 1000);
    EXPECT_EQ(TakeSent(), (Lines{"pause cdaudio", "play cdaudio"}));
    // Paused, a play does nothing; STOP ends the pause.
    cd.CdCommand("PAUSE");
    cd.CdPlay("from 3");
    EXPECT_EQ(cd.CdState(), 4);
    EXPECT_EQ(cd.CdCommand("STOP"), "CD stopped");
    EXPECT_EQ(cd.CdState(), 1);
    CdController fresh;
    EXPECT_EQ(fresh.CdCommand("PAUSE"), "");
    EXPECT_EQ(fresh.CdState(), 0);
}

TEST_F(CdControllerTest, EjectAndInject) {
    MakeDisc();
    cd.CdCommand("INIT");
    cd.CdPlay("from 1");
    TakeSent();
    EXPECT_EQ(cd.CdCommand("EJECT"), "CD door open");
    EXPECT_EQ(cd.CdState(), 1);
    EXPECT_EQ(Heard(), 0);
    EXPECT_EQ(TakeSent(), (Lines{"stop cdaudio", "set cdaudio door open"}));
    EXPECT_EQ(cd.CdCommand("INJECT"), "CD door closed");
    EXPECT_EQ(TakeSent(), Lines{"set cdaudio door closed"});
    EXPECT_EQ(cd.CdState(), 1);
    EXPECT_EQ(Heard(), 0); // nothing plays until a new play
    cd.CdPlay("from 2");
    EXPECT_EQ(Heard(), 2000);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(CdControllerTest, FailingDeviceCommandsShowBoxesAndGoOn) {
    MakeDisc();
    cd.CdCommand("INIT");
    cd.CdCommand("EJECT");
    // The door is open: the play fails, and the state is playing all the same.
    cd.CdPlay("from 1");
    EXPECT_EQ(cd.CdState(), 2);
    EXPECT_EQ(cd.CdCommand("PAUSE"), "CD paused");
    EXPECT_EQ(cd.CdCommand("PAUSE"), "CD playing");
    EXPECT_EQ(TakeBoxes(), (Lines{"box: Plazaro: Error playing CD -> OK", "box: Plazaro: Error pausing -> OK",
                                  "box: Plazaro: Error playing -> OK"}));

    // The device closed behind the controllers' backs: each command fails in its own words.
    winmm::mciSendString("close cdaudio");
    CdController never;
    EXPECT_EQ(never.CdCommand("STOP"), "CD stopped");
    EXPECT_EQ(never.CdState(), 1);
    EXPECT_EQ(never.CdCommand("EJECT"), "CD door open");
    EXPECT_EQ(never.CdCommand("INJECT"), "CD door closed");
    EXPECT_EQ(TakeBoxes(), (Lines{"box: Plazaro: Error stopping CD -> OK", "box: Plazaro: Error stopping CD -> OK",
                                  "box: Plazaro: Can't eject CD -> OK", "box: Plazaro: Can't inject CD -> OK"}));

    EXPECT_EQ(cd.CdCommand("CLOSE"), "CD stopped");
    EXPECT_EQ(TakeBoxes(), (Lines{"box: Plazaro: Error stopping CD -> OK", "box: Plazaro: Error closing CD Audio -> OK"}));
}

TEST_F(CdControllerTest, CloseOnlyWhenOpenedAndOnlyOnce) {
    // Never opened: closing sends nothing at all.
    cd.Close();
    EXPECT_EQ(cd.CdCommand("CLOSE"), "");
    EXPECT_TRUE(TakeSent().empty());
    cd.CdCommand("INIT"); // fails: no Music folder
    TakeSent();
    cd.Close();
    EXPECT_TRUE(TakeSent().empty());

    MakeDisc();
    cd.CdCommand("INIT");
    cd.CdPlay("from 1");
    TakeSent();
    EXPECT_EQ(cd.CdCommand("CLOSE"), "CD stopped");
    EXPECT_EQ(TakeSent(), (Lines{"stop cdaudio", "close cdaudio"}));
    EXPECT_EQ(Heard(), 0);
    // Closed for good until a new INIT: no play reaches the closed device and the
    // program's end does not close it a second time.
    EXPECT_FALSE(cd.CdOpen());
    EXPECT_EQ(cd.CdState(), 0);
    cd.CdPlay("");
    cd.Close();
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(cd.CdCommand("INIT"), "CD Audio initialised");
}

TEST_F(CdControllerTest, TracksAndUnknownCommands) {
    MakeDisc();
    EXPECT_EQ(cd.CdCommand("TRACKS"), "0");
    EXPECT_EQ(TakeBoxes(), Lines{"box: Plazaro: ERROR -> OK"});
    cd.CdCommand("INIT");
    TakeSent();
    EXPECT_EQ(cd.CdCommand("TRACKS"), "3");
    EXPECT_EQ(TakeSent(), (Lines{"status cdaudio time format", "status cdaudio number of tracks"}));
    EXPECT_EQ(TakeBoxes(), Lines{"box: Plazaro: Time format: tmsf\nTracks: 3 -> OK"});

    cd.CdPlay("from 1");
    for (const char* c : {"FOO", "TOP", "stop", "PLAY", ""})
        EXPECT_EQ(cd.CdCommand(c), "Unknown command") << c;
    EXPECT_EQ(cd.CdState(), 2);
    EXPECT_EQ(Heard(), 1000);
}

TEST_F(CdControllerTest, ProcessWideEntryPoints) {
    MakeDisc();
    CdController::Instance().Reset();
    EXPECT_EQ(CdCommand("INIT"), "CD Audio initialised");
    CdPlay("from 3");
    EXPECT_EQ(CdState(), 2);
    EXPECT_EQ(Heard(), 3000);
    CdClose();
    EXPECT_EQ(CdState(), 0);
    EXPECT_EQ(sent.back(), "close cdaudio");
    CdController::Instance().Reset();
}
