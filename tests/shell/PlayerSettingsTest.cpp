// The settings file: what it remembers comes back after the start-up, a bad line or an
// unreadable file never stops the game (the rest still applies), applying runs no
// command line, and the file is replaced whole.
#include "ShellFixture.h"

#include "shell/PlayerSettings.h"
#include "shell/TSoundBox.h"

#include <fstream>
#include <sstream>

using PlayerSettingsTest = ShellTest;

TEST(PlayerSettings, ReadsWhatItWritesAndSkipsBadLinesWithOneWarning) {
    PlayerSettings s;
    s.volume = 7;
    s.sound = false;
    s.cdAudio = false;
    s.autoBudget = true;
    s.autosave = false;
    s.windowScale = 2;
    s.fullScreen = true;
    s.openFolder = "/home/p/cities";
    s.saveFolder = "/home/p/my cities";
    std::string warning;
    EXPECT_EQ(PlayerSettings::Parse(s.Format(), warning), s);
    EXPECT_EQ(warning, "");

    // Unknown keys, values out of range or of the wrong kind, relative folders and
    // lines without '=' are skipped; the good lines around them still count.
    const PlayerSettings mixed = PlayerSettings::Parse("volume = 16\n"
                                                       "  auto_budget=yes \n"
                                                       "colour = blue\n"
                                                       "autosave = maybe\n"
                                                       "save_folder = relative/path\n"
                                                       "# a comment\n"
                                                       "\n"
                                                       "just words\n"
                                                       "window_scale = 3\r\n",
                                                       warning);
    EXPECT_EQ(warning, "line 1 ignored: volume = 16");
    EXPECT_FALSE(mixed.volume);
    EXPECT_EQ(mixed.autoBudget, true);
    EXPECT_FALSE(mixed.autosave);
    EXPECT_EQ(mixed.saveFolder, "");
    EXPECT_EQ(mixed.windowScale, 3);
}

TEST_F(PlayerSettingsTest, AppliedSettingsWinOverTheStartAndAreCollectedBack) {
    // The sound box as the start-up makes it, after the scripts.
    form->SoundBox = std::make_unique<TSoundBox>(*form);
    const std::size_t repliesBefore = form->C_Memo.Count();
    PlayerSettings s;
    s.volume = 5;
    s.sound = false;
    s.cdAudio = false;
    s.autoBudget = true;
    s.autosave = false;
    s.openFolder = dir.string();
    s.ApplyTo(*form);
    EXPECT_EQ(sound.volume, 5u * 0x11111111u);
    EXPECT_FALSE(sound.enabled);
    EXPECT_FALSE(form->O_SoundFX->Checked);
    EXPECT_EQ(form->SoundBox->Volume_TB.Position(), 5);
    EXPECT_FALSE(form->SoundBox->EnableSound_CB.Checked);
    EXPECT_FALSE(form->O_CDAudio->Checked);
    EXPECT_TRUE(form->O_A_Budget->Checked);
    EXPECT_FALSE(form->O_Autosave->Checked);
    EXPECT_EQ(form->OpenDialog.InitialDir, dir.string());
    // No command line ran: nothing reached the console, the CD or the sound component.
    EXPECT_EQ(form->C_Memo.Count(), repliesBefore);
    EXPECT_TRUE(cd.calls.empty() || cd.calls.back() != "STOP");
    EXPECT_TRUE(output.empty());

    // The player's later choices are what is collected and written.
    int changes = 0;
    form->OnSettingsChanged = [&] { ++changes; };
    form->O_Autosave->Click();
    form->O_A_Budget->Click();
    EXPECT_EQ(changes, 2);
    PlayerSettings back;
    back.CollectFrom(*form);
    EXPECT_EQ(back.autosave, true);
    EXPECT_EQ(back.autoBudget, false);
    EXPECT_EQ(back.volume, 5);
    EXPECT_EQ(back.sound, false);
    EXPECT_EQ(back.openFolder, dir.string());
}

TEST_F(PlayerSettingsTest, TheFileIsWrittenWholeAndAMissingOrUnreadableOneMeansDefaults) {
    const std::string path = (dir / "config" / "plazaro" / "settings.ini").string();
    std::string warning;
    EXPECT_EQ(PlayerSettings::Load(path, warning), PlayerSettings{});
    EXPECT_EQ(warning, "");
    PlayerSettings s;
    s.autosave = false;
    s.volume = 12;
    std::string error;
    ASSERT_TRUE(s.Store(path, error)) << error;
    EXPECT_EQ(PlayerSettings::Load(path, warning), s);
    // No half-written file is left beside it.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir / "config" / "plazaro"))
        ++files;
    EXPECT_EQ(files, 1);
    // A folder where the file should be cannot be read: the defaults, and a warning.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    EXPECT_EQ(PlayerSettings::Load(path, warning), PlayerSettings{});
    EXPECT_NE(warning, "");
    // Nor can it be replaced: the store says so instead of pretending.
    EXPECT_FALSE(s.Store(path, error));
}
