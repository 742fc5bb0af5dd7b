// The main window's frame: the first activation shows the title picture and the start
// box once; the start box's branches and double clicks (a Load City that does not
// happen brings the box back); the sound box reads the component once and applies the
// settings only through its Ok; the About box; the menus' first states and every
// shortcut; the CD Audio and Sound Effects items; every city starting at Medium speed.
#include "ShellFixture.h"

#include "shell/TAboutBox.h"
#include "shell/TSoundBox.h"

#include <algorithm>
#include <deque>
#include <fstream>

namespace {

class MainWindow : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        form->AboutBox = std::make_unique<TAboutBox>();
        form->SoundBox = std::make_unique<TSoundBox>(*form);
        // What the player does while a modal box waits: one step per turn of its loop.
        backend.NextEvent = [this] {
            if (steps.empty())
                return false;
            auto step = steps.front();
            steps.pop_front();
            step();
            return true;
        };
    }
    bool Has(const std::string& line) const { return std::find(output.begin(), output.end(), line) != output.end(); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::deque<std::function<void()>> steps;
};

TEST_F(MainWindow, TheFirstActivationShowsTheTitleAndTheStartBoxOnlyOnce) {
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Start_GB.Visible());
    form->FormActivate();
    EXPECT_TRUE(form->Visible());
    const ui::Image& title = form->Title_I;
    EXPECT_TRUE(title.Visible());
    EXPECT_TRUE(title.Stretch);
    EXPECT_EQ(title.PicturePath, "C:\\Plazaro\\Graphics\\title.bmp");
    EXPECT_EQ((std::vector<int>{title.Left, title.Top, title.Width, title.Height}), (std::vector<int>{120, 20, 400, 400}));
    EXPECT_TRUE(form->Start_GB.Visible());
    EXPECT_TRUE(form->S_New_RB.Checked());
    EXPECT_FALSE(form->Panel1.Visible());

    // Closing the About box and activating again neither replays the intro nor shows
    // the start box the player has left.
    form->S_Ok_B.Click();
    EXPECT_FALSE(form->Start_GB.Visible());
    EXPECT_TRUE(form->New_GB.Visible());
    steps.push_back([this] { form->AboutBox->OKButton.Click(); });
    form->H_About->Click();
    form->FormActivate();
    EXPECT_FALSE(form->Start_GB.Visible());
    EXPECT_TRUE(form->New_GB.Visible());
}

TEST_F(MainWindow, TheStartBoxBranchesAndDoubleClicks) {
    form->FormActivate();
    // Load City cancelled with no city open: the start box comes back, paused.
    form->S_Load_RB.Click();
    backend.QueueFile(std::nullopt);
    form->S_Ok_B.Click();
    EXPECT_TRUE(form->Start_GB.Visible());
    EXPECT_FALSE(form->Clock.Enabled());
    // A file that cannot be read: the reason, then the start box again.
    backend.QueueFile(Path("missing.PZ1"));
    form->S_Ok_B.Click();
    EXPECT_TRUE(Has("box: Plazaro: Can't Open " + Path("missing.PZ1") + " -> OK"));
    EXPECT_TRUE(form->Start_GB.Visible());
    WriteFile("junk.PZ1", "not a city\n");
    backend.QueueFile(Path("junk.PZ1"));
    form->S_Load_RB.DoubleClick();
    EXPECT_TRUE(form->Start_GB.Visible());
    EXPECT_FALSE(form->Panel1.Visible());

    // Sound Setup: the start box stays, the sound box is shown modally, and Sound
    // Setup is still chosen after its Ok.
    form->S_Sound_RB.Click();
    bool shownOverStartBox = false;
    steps.push_back([&] {
        shownOverStartBox = form->SoundBox->IsModal() && form->Start_GB.Visible();
        form->SoundBox->SOk_B.Click();
    });
    form->S_Ok_B.Click();
    EXPECT_TRUE(shownOverStartBox);
    EXPECT_FALSE(form->SoundBox->Visible());
    EXPECT_TRUE(form->Start_GB.Visible());
    EXPECT_TRUE(form->S_Sound_RB.Checked());

    // A double click on New City is the File menu's New City.
    form->S_New_RB.DoubleClick();
    EXPECT_FALSE(form->Start_GB.Visible());
    EXPECT_TRUE(form->New_GB.Visible());

    // The city started after Fast was chosen runs, and is marked, at Medium speed.
    form->S_Fast->Click();
    form->N_Ok_B.Click();
    EXPECT_TRUE(form->S_Medium->Checked);
    EXPECT_FALSE(form->S_Fast->Checked);
    EXPECT_EQ(form->City.monthLength, 6000);
    backend.QueueFile(Path("saved.PZ1"));
    form->F_Save->Click();
    ASSERT_TRUE(std::filesystem::exists(Path("saved.PZ1")));

    // In a fresh window, a double click on Load City loads it: the start box goes.
    form = std::make_unique<TMainForm>();
    form->WaveSound = &sound;
    form->CdAudio = &cd;
    form->Display = &screen;
    form->FormActivate();
    form->S_Pause->Click();
    backend.QueueFile(Path("saved.PZ1"));
    form->S_Load_RB.DoubleClick();
    EXPECT_FALSE(form->Start_GB.Visible());
    EXPECT_TRUE(form->Panel1.Visible());
    EXPECT_TRUE(form->S_Medium->Checked);
    EXPECT_FALSE(form->S_Pause->Checked);
    EXPECT_TRUE(form->Clock.Enabled());

    // A load cancelled while a city is open leaves the game, paused, without the box.
    backend.QueueFile(std::nullopt);
    form->F_LoadCity->Click();
    EXPECT_FALSE(form->Start_GB.Visible());
    EXPECT_FALSE(form->Clock.Enabled());

    form->S_Exit_B.Click(); // hidden with the start box: nothing
    EXPECT_FALSE(Quit());
    form->Start_GB.Show();
    form->S_Exit_B.Click();
    EXPECT_TRUE(Quit());
}

TEST_F(MainWindow, TheSoundBoxReadsTheComponentOnceAndAppliesOnlyThroughOk) {
    sound.volume = 0x77777777;
    sound.enabled = false;
    auto box = std::make_unique<TSoundBox>(*form);
    EXPECT_EQ(box->Caption, "Sound");
    EXPECT_EQ((std::vector<int>{box->Width, box->Height}), (std::vector<int>{204, 155}));
    EXPECT_EQ(box->Volume_TB.Position(), 7);
    EXPECT_EQ(box->Volume_TB.Max(), 15);
    EXPECT_FALSE(box->EnableSound_CB.Checked);
    EXPECT_TRUE(box->Volume_TB.Enabled());
    // Truncated to a step; read once, so a later change of the component is not shown.
    sound.volume = 0x12345678;
    EXPECT_EQ(TSoundBox(*form).Volume_TB.Position(), 1);
    EXPECT_EQ(box->Volume_TB.Position(), 7);

    // Escape does not close it; the settings change only with Ok.
    form->SoundBox = std::move(box);
    bool openAfterEscape = false;
    steps.push_back([this] { form->SoundBox->KeyPress(ui::VK_ESCAPE, 0); });
    steps.push_back([&] {
        openAfterEscape = form->SoundBox->IsModal();
        form->SoundBox->Volume_TB.SetPosition(15);
        form->SoundBox->EnableSound_CB.Click();
    });
    steps.push_back([this] {
        EXPECT_EQ(sound.volume, 0x12345678u);
        form->SoundBox->SOk_B.Click();
    });
    EXPECT_EQ(form->SoundBox->ShowModal(), ui::IDOK);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(sound.volume, 0xFFFFFFFFu);
    EXPECT_EQ(sound.calls.back(), "Exec ON");
    EXPECT_EQ(form->C_Memo.Line(0), "Done"); // the reply shows: run with echo
    // Unchecked: "SOUND; OFF;" at the step chosen.
    steps.push_back([this] {
        form->SoundBox->Volume_TB.SetPosition(0);
        form->SoundBox->EnableSound_CB.Click();
        form->SoundBox->SOk_B.Click();
    });
    form->SoundBox->ShowModal();
    EXPECT_EQ(sound.volume, 0u);
    EXPECT_EQ(sound.calls.back(), "Exec OFF");

    // Without an initialised component both controls are disabled and Ok only closes.
    sound.initialized = false;
    sound.calls.clear();
    form->SoundBox = std::make_unique<TSoundBox>(*form);
    EXPECT_FALSE(form->SoundBox->Volume_TB.Enabled());
    EXPECT_FALSE(form->SoundBox->EnableSound_CB.Enabled());
    steps.push_back([this] { form->SoundBox->SOk_B.Click(); });
    EXPECT_EQ(form->SoundBox->ShowModal(), ui::IDOK);
    EXPECT_TRUE(sound.calls.empty());
    EXPECT_EQ(sound.volume, 0u);
}

TEST_F(MainWindow, TheAboutBoxNamesTheProductAndCloses) {
    TAboutBox& about = *form->AboutBox;
    EXPECT_EQ(about.Caption, "About Plazaro");
    EXPECT_EQ(about.ProductName.Caption, "Plazaro");
    EXPECT_EQ(about.ProductName.FontColor, 0xFF0000u); // blue, as a Windows colour
    EXPECT_EQ(about.Version.Caption, "Version: 1.1");
    EXPECT_FALSE(about.Comments1.Caption.empty());
    EXPECT_FALSE(about.Comments2.Caption.empty());
    EXPECT_EQ(about.ThanksLabel.Caption, "Special Thanks to");
    EXPECT_GT(about.ThanksList.Count(), 0u);
    EXPECT_TRUE(about.OKButton.Default);
    EXPECT_EQ(about.Left, (640 - about.Width) / 2);
    steps.push_back([&] { about.KeyPress(ui::VK_ESCAPE, 0); });
    EXPECT_EQ(about.ShowModal(), ui::IDCANCEL);
    steps.push_back([&] { about.OKButton.Click(); });
    EXPECT_EQ(about.ShowModal(), ui::IDOK);
    EXPECT_FALSE(about.Visible());
}

TEST_F(MainWindow, TheMenusStartAsDescribedAndEveryShortcutActs) {
    // First states.
    for (ui::MenuItem* item : {form->S_Pause, form->S_Slow, form->S_Fast, form->O_A_Budget, form->W_Console})
        EXPECT_FALSE(item->Checked) << item->Name;
    for (ui::MenuItem* item : {form->S_Medium, form->O_CDAudio, form->W_Tools})
        EXPECT_TRUE(item->Checked) << item->Name;
    EXPECT_FALSE(form->O_SoundFX->Enabled);
    EXPECT_FALSE(form->O_SoundFX->Checked);
    EXPECT_EQ(form->S_Slow->Caption, "&Slow ");
    form->FormActivate();

    // F3 before a city: the mark goes, the palette stays hidden; a new city shows the
    // palette with the mark off; the next F3 sets the mark and keeps it shown.
    form->KeyPress(ui::VK_F3, 0);
    EXPECT_FALSE(form->W_Tools->Checked);
    EXPECT_FALSE(form->Tools_GB.Visible());
    // Ctrl+N: the File menu's New City.
    form->KeyPress('N', ui::ssCtrl);
    EXPECT_FALSE(form->Start_GB.Visible());
    EXPECT_TRUE(form->New_GB.Visible());
    form->N_Ok_B.Click();
    EXPECT_TRUE(form->Tools_GB.Visible());
    EXPECT_FALSE(form->W_Tools->Checked);
    form->KeyPress(ui::VK_F3, 0);
    EXPECT_TRUE(form->W_Tools->Checked);
    EXPECT_TRUE(form->Tools_GB.Visible());
    form->KeyPress(ui::VK_F3, 0);
    EXPECT_FALSE(form->Tools_GB.Visible());

    // Alt+F1 to Alt+F4: one mark at a time, the speed line echoed.
    const std::pair<ui::MenuItem*, int> speeds[] = {
        {form->S_Pause, 0}, {form->S_Slow, 10000}, {form->S_Medium, 6000}, {form->S_Fast, 2000}};
    for (int i = 0; i < 4; ++i) {
        form->KeyPress(std::uint16_t(ui::VK_F1 + i), ui::ssAlt);
        for (const auto& [item, length] : speeds)
            EXPECT_EQ(item->Checked, item == speeds[i].first) << i << " " << item->Name;
        EXPECT_EQ(form->C_Memo.Line(0), "Speed = " + std::to_string(speeds[i].second));
        EXPECT_EQ(form->Clock.Enabled(), i != 0);
    }

    // F2: the console.
    form->KeyPress(ui::VK_F2, 0);
    EXPECT_TRUE(form->Console_P.Visible());
    form->KeyPress(ui::VK_F2, 0);
    EXPECT_FALSE(form->Console_P.Visible());

    // Ctrl+S saves through its dialog; Ctrl+L loads through its own.
    form->City.funds = 4321;
    backend.QueueFile(Path("short.PZ1"));
    form->KeyPress('S', ui::ssCtrl);
    EXPECT_TRUE(Has("box: Plazaro: Game Saved as " + Path("short.PZ1") + " -> OK"));
    form->City.funds = 1;
    backend.QueueAnswer(ui::IDNO); // the changes since the save are not kept
    backend.QueueFile(Path("short.PZ1"));
    form->KeyPress('L', ui::ssCtrl);
    EXPECT_EQ(form->City.funds, 4321);
    // A plain letter is no shortcut.
    form->KeyPress('N', 0);
    EXPECT_FALSE(form->New_GB.Visible());
}

TEST_F(MainWindow, CdAudioAndSoundEffectsItemsActOnlyWhileEnabled) {
    // CD Audio on: turning it off stops the disc; on again plays nothing by itself.
    cd.state = 2;
    form->O_CDAudio->Click();
    EXPECT_FALSE(form->O_CDAudio->Checked);
    EXPECT_EQ(cd.calls, std::vector<std::string>{"STOP"});
    form->O_CDAudio->Click();
    EXPECT_TRUE(form->O_CDAudio->Checked);
    EXPECT_EQ(cd.calls.size(), 1u);
    EXPECT_EQ(cd.state, 1);
    form->O_CDAudio->Enabled = false;
    form->O_CDAudio->Click();
    EXPECT_TRUE(form->O_CDAudio->Checked);
    EXPECT_EQ(cd.calls.size(), 1u);

    // Sound Effects: disabled until "SOUND; INIT;" finds the component initialised.
    form->O_SoundFX->Click();
    EXPECT_FALSE(form->O_SoundFX->Checked);
    EXPECT_TRUE(sound.enabled);
    form->RunCommand("SOUND; INIT;", false, false);
    EXPECT_TRUE(form->O_SoundFX->Enabled);
    EXPECT_TRUE(form->O_SoundFX->Checked);
    form->O_SoundFX->Click();
    EXPECT_FALSE(form->O_SoundFX->Checked);
    EXPECT_FALSE(sound.enabled);
    form->O_SoundFX->Click();
    EXPECT_TRUE(sound.enabled);
}

} // namespace
