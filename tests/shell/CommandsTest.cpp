// Each keyword of the command language has its exact effect and reply; unknown
// keywords, bad numbers and out-of-range codes are refused without harm.
#include "ShellFixture.h"

#include "platform/ui/Exception.h"

namespace {

using Commands = ShellTest;

TEST_F(Commands, OnlyTheKeywordIsUpperCased) {
    form->RunCommand("quit;", false, false);
    EXPECT_TRUE(Quit());
    EXPECT_FALSE(form->Clock.Enabled());
}

TEST_F(Commands, AnUnknownKeywordIsNotAccepted) {
    EXPECT_EQ(Console("QUIT"), "Command QUIT not accepted!");
    EXPECT_FALSE(Quit());
    EXPECT_EQ(Console("  bogus; 1;  "), "Command bogus; 1; not accepted!");
}

TEST_F(Commands, BlankLinesDoNothingAtAll) {
    size_t lines = form->C_Memo.Count();
    form->RunCommand("   ", true, true);
    EXPECT_EQ(form->C_Memo.Count(), lines);
    EXPECT_EQ(CommandHistory::Instance().NewestEntry(), "");
}

TEST_F(Commands, NameReportsAndChangesTheCityName) {
    form->City.cityName = "Oldtown";
    EXPECT_EQ(Console("NAME;"), "Name is Oldtown");
    EXPECT_EQ(Console("NAME; Newtown;"), "Oldtown changed to Newtown");
    EXPECT_EQ(form->City.cityName, "Newtown");
    EXPECT_EQ(form->Panel1.Caption, "Newtown");
}

TEST_F(Commands, RInfoReportsATypeAndRefusesCodesOutsideTheTable) {
    form->RunCommand("CODE; 201; 2; 350; 8; 1; 0; 1; Big House;", false, false);
    form->City.ObjectTypes[201].bitmapWidth = 119;
    form->City.ObjectTypes[201].bitmapHeight = 80;
    EXPECT_EQ(Console("R_INFO; 201;"), "Size: 2 Num: 350 P: Yes S: No W: Yes dx: 119 dy: 80Big House");
    EXPECT_EQ(Console("R_INFO; 202;"), "Incorrect Number: 202");
    EXPECT_EQ(Console("R_INFO; -1;"), "Incorrect Number: -1");
}

TEST_F(Commands, CodeStoresFlagsOnlyForExactlyOneAndKeepsPictureFields) {
    form->City.ObjectTypes[40].bitmapWidth = 239;
    form->City.ObjectTypes[40].spritePicture = 7;
    form->RunCommand("CODE; 40; 4; 2100; 6; 2; -1; 1; Nuclear;", false, false);
    const TObjectType& t = form->City.ObjectTypes[40];
    EXPECT_EQ(t.size, 4);
    EXPECT_EQ(t.value, 2100);
    EXPECT_EQ(t.reportKind, 6);
    EXPECT_EQ(t.needsPower, 0);
    EXPECT_EQ(t.needsSewage, 0);
    EXPECT_EQ(t.needsWater, 1);
    EXPECT_EQ(t.name, "Nuclear");
    EXPECT_EQ(t.bitmapWidth, 239);
    EXPECT_EQ(t.spritePicture, 7);
    EXPECT_EQ(Console("CODE; 500; 1; 1; 1; 1; 1; 1; X;"), "Incorrect Number: 500");
    EXPECT_EQ(Console("SPRITE; -3; 170;"), "Incorrect Number: -3");
    form->RunCommand("SPRITE; 37; 171;", false, false);
    EXPECT_EQ(form->City.ObjectTypes[37].spritePicture, 171);
}

TEST_F(Commands, ABadNumberLeavesTheRunWithTheConversionErrorAndKeepsWhatWasDone) {
    size_t lines = form->C_Memo.Count();
    try {
        form->RunCommand("CODE; 30; 2; lots; 2; 0; 0; 0; Port;", true, true);
        FAIL() << "no error";
    } catch (const ui::EConvertError& e) {
        EXPECT_STREQ(e.what(), "'lots' is not a valid integer value");
    }
    EXPECT_EQ(form->City.ObjectTypes[30].size, 2); // stored before the bad field
    EXPECT_EQ(form->C_Memo.Count(), lines);         // no reply
    EXPECT_EQ(CommandHistory::Instance().NewestEntry(), "CODE; 30; 2; lots; 2; 0; 0; 0; Port;");
}

TEST_F(Commands, RandomDrawsFromOneToN) {
    EXPECT_EQ(Console("RANDOM; 0;"), "Num: 1");
    EXPECT_EQ(Console("RANDOM; 1;"), "Num: 1");
    EXPECT_EQ(Console("RANDOM; -5;"), "Num: 1");
    for (int i = 0; i < 50; ++i) {
        int n = std::stoi(Console("RANDOM; 6;").substr(5));
        EXPECT_GE(n, 1);
        EXPECT_LE(n, 6);
    }
}

TEST_F(Commands, PopupPositionAndVideosFlag) {
    EXPECT_EQ(Console("SET_POPUP_POSITION; 270; 400;"), "Position set to 270, 400");
    EXPECT_EQ(form->City.popupX, 270);
    EXPECT_EQ(form->City.popupY, 400);
    EXPECT_EQ(Console("PLAY_VIDEOS;"), "PLAY_VIDEOS: False");
    EXPECT_EQ(Console("PLAY_VIDEOS; 2;"), "");
    EXPECT_EQ(Console("PLAY_VIDEOS;"), "PLAY_VIDEOS: False");
    Console("PLAY_VIDEOS; 1;");
    EXPECT_EQ(Console("PLAY_VIDEOS;"), "PLAY_VIDEOS: True");
}

TEST_F(Commands, SpeedStopsOnlyOnExactlyZeroAndStoresTheLength) {
    EXPECT_EQ(Console("SPEED; 0;"), "Speed = 0");
    EXPECT_FALSE(form->Clock.Enabled());
    EXPECT_EQ(form->City.monthLength, 0);
    EXPECT_EQ(Console("SPEED;"), "Speed = 0");
    EXPECT_TRUE(form->Clock.Enabled());
    form->RunCommand("SPEED; 50; # faster", false, false);
    EXPECT_EQ(form->City.monthLength, 50);
    Console("SPEED; 00;");
    EXPECT_TRUE(form->Clock.Enabled()); // "00" is not "0"
}

TEST_F(Commands, EchoWithAPositionWritesOnTheScreenWithFifteenSpaces) {
    EXPECT_EQ(Console("ECHO; hello;"), "hello");
    EXPECT_TRUE(screen.writes.empty());
    EXPECT_EQ(Console("ECHO; hello; 273; 0;"), "hello" + std::string(15, ' '));
    ASSERT_EQ(screen.writes.size(), 1u);
    EXPECT_EQ(screen.writes[0].x, 273);
    EXPECT_EQ(screen.writes[0].y, 365);
    EXPECT_EQ(screen.writes[0].text_color, 0xC82832u);
    EXPECT_EQ(screen.writes[0].back_color, 0x808080u);
    form->RunCommand("ECHO; Pop: 5; 273; 7;", false, false);
    EXPECT_EQ(screen.writes.back().y, 470);
    EXPECT_EQ(form->Interpreter.ScreenLine(7), "Pop: 5" + std::string(15, ' '));
    EXPECT_EQ(Console("ECHO; x; 273; 8;"), "Incorrect Line: 8");
    EXPECT_EQ(screen.writes.size(), 2u);
}

TEST_F(Commands, TheConsoleKeepsThirtyLinesNewestFirst) {
    for (int i = 1; i <= 31; ++i)
        Console("ECHO; line " + std::to_string(i) + ";");
    EXPECT_EQ(form->C_Memo.Count(), 30u);
    EXPECT_EQ(form->C_Memo.Line(0), "line 31");
    EXPECT_EQ(form->C_Memo.Line(29), "line 2");
}

TEST_F(Commands, SetToolIsRefusedFromTheConsoleButEntersTheHistory) {
    EXPECT_EQ(Console("SET_TOOL; 4; 17; Road; 20; ROADS.WAV;"), "SET_TOOL can't be accessed from the console");
    EXPECT_EQ(CommandHistory::Instance().NewestEntry(), "SET_TOOL; 4; 17; Road; 20; ROADS.WAV;");
    EXPECT_EQ(form->City.toolCode, 9);
}

TEST_F(Commands, SetToolChecksThePriceThenSetsTheToolAndPlaysItsSound) {
    form->City.funds = 150;
    form->RunCommand("SET_TOOL; 6; 23; Air Port; 200; AIRPORT.WAV;", false, false);
    EXPECT_EQ(form->City.toolCode, 9);
    ASSERT_EQ(sound.calls.size(), 1u);
    EXPECT_EQ(sound.calls[0], "Play C:\\Plazaro\\Sound\\money.wav 131075");
    form->RunCommand("SET_TOOL; 6; 30; Sea Port; 150; SEAPORT.WAV;", false, false);
    EXPECT_EQ(form->City.toolCode, 30);
    EXPECT_EQ(form->City.toolName, "Sea Port");
    EXPECT_EQ(form->City.toolPrice, 150);
    EXPECT_EQ(ui::Screen::Instance().CurrentCursor(), 6);
    EXPECT_EQ(sound.calls.back(), "Play C:\\Plazaro\\Sound\\SEAPORT.WAV 131075");
    // The sound line's reply reaches the console although the tool line ran silently.
    EXPECT_EQ(form->C_Memo.Line(0), "Ready");
    form->City.funds = -1;
    form->RunCommand("SET_TOOL; 17; 1000; Query; 0; QUERY.WAV;", false, false);
    EXPECT_EQ(form->City.toolCode, 30);
}

TEST_F(Commands, SoundDispatchesSubCommandsAndRunsTildeReplies) {
    EXPECT_EQ(Console("SOUND; volume; 50;"), "Done");
    EXPECT_EQ(sound.calls.back(), "Exec VOLUME 50");
    EXPECT_EQ(Console("sound; off;"), "Done");
    EXPECT_EQ(sound.calls.back(), "Exec OFF");
    form->O_SoundFX->Enabled = false;
    sound.enabled = false;
    form->RunCommand("SOUND; INIT;", false, false);
    EXPECT_EQ(form->C_Memo.Line(0), "Ready"); // SOUND always echoes
    EXPECT_TRUE(form->O_SoundFX->Enabled);
    EXPECT_FALSE(form->O_SoundFX->Checked);
    sound.commReply = "~WARNING; Can't stop sound;";
    backend.QueueAnswer(ui::IDIGNORE);
    size_t before = form->C_Memo.Count();
    form->RunCommand("SOUND; STOP;", true, false);
    ASSERT_FALSE(output.empty());
    EXPECT_EQ(output.back(), "box: Warning: Can't stop sound -> Ignore");
    // The warning's own reply is echoed; the tilde reply itself is not.
    EXPECT_EQ(form->C_Memo.Count(), before + 1);
    EXPECT_EQ(form->C_Memo.Line(0), "A WARNING occured");
}

TEST_F(Commands, CdRespectsTheMenuItemAndItsInitialisation) {
    form->O_CDAudio->Checked = false;
    EXPECT_EQ(Console("CD; PLAY; 3;"), "CD Audio is turned off");
    EXPECT_TRUE(cd.calls.empty());
    form->O_CDAudio->Checked = true;
    EXPECT_EQ(Console("CD; PLAY; from 2;"), "CD Playing");
    EXPECT_EQ(cd.calls.back(), "Play from 2");
    EXPECT_EQ(Console("CD;STOP;"), "Unknown command");
    EXPECT_EQ(cd.calls.back(), "TOP");
    cd.initReply = "CD Audio Not initialised";
    form->RunCommand("CD; INIT;", false, false);
    EXPECT_EQ(form->C_Memo.Line(0), "CD Audio Not initialised");
    EXPECT_FALSE(form->O_CDAudio->Enabled);
    EXPECT_FALSE(form->O_CDAudio->Checked);
    size_t calls = cd.calls.size();
    EXPECT_EQ(Console("CD; INIT;"), "CD Audio is disabled");
    EXPECT_EQ(cd.calls.size(), calls);
}

TEST_F(Commands, InfoWarningAndErrorShowTheirBoxes) {
    form->RunCommand("INFO; Hello there;", false, false);
    EXPECT_EQ(output.back(), "box: Plazaro: Hello there -> OK");
    backend.QueueAnswer(ui::IDIGNORE);
    EXPECT_EQ(Console("WARNING; Careful;"), "A WARNING occured");
    EXPECT_EQ(output.back(), "box: Warning: Careful -> Ignore");
    EXPECT_FALSE(Quit());
    form->Clock.SetEnabled(true);
    form->RunCommand("ERROR; Fatal;", false, false);
    EXPECT_EQ(output[output.size() - 2], "box: Error: Fatal -> OK");
    EXPECT_EQ(output.back(), "quit");
    EXPECT_EQ(screen.flips, 1);
    EXPECT_FALSE(form->Clock.Enabled());
    EXPECT_TRUE(Quit());
}

TEST_F(Commands, WarningRetryRunsTheNewestHistoryEntryAndAbortQuits) {
    form->RunCommand("NAME; Alpha;", true, true);
    backend.QueueAnswer(ui::IDRETRY);
    form->RunCommand("WARNING; Again?;", true, false);
    EXPECT_EQ(form->C_Memo.Line(0), "A WARNING occured");
    EXPECT_EQ(form->C_Memo.Line(1), "Alpha changed to Alpha");
    backend.QueueAnswer(ui::IDABORT);
    form->RunCommand("WARNING; Stop;", false, false);
    EXPECT_TRUE(Quit());
}

TEST_F(Commands, NewCityShowsTheBoxAndGetLocationSetsTheProgramFolder) {
    EXPECT_EQ(Console("NEWCITY;"), "Starting new game...");
    EXPECT_TRUE(form->New_GB.Visible());
    std::string reply = Console("GET_LOCATION;");
    EXPECT_EQ(reply, "Location: " + form->City.programDir);
    EXPECT_FALSE(form->City.programDir.empty());
    EXPECT_NE(form->City.programDir.back(), '/');
}

TEST_F(Commands, GetCursorRegistersTheCursorUnderItsIndex) {
    Console("GET_CURSOR; 4; ROAD;");
    EXPECT_EQ(ui::Screen::Instance().CursorAt(4).resourceName, "ROAD");
}

TEST_F(Commands, DemandChecksAnswerWithTheirLetter) {
    std::string r = Console("CHECK_RESIDENTIAL;");
    EXPECT_TRUE(r == "R Yes" || r == "R No") << r;
    std::string c = Console("CHECK_COMMERCIAL;");
    EXPECT_TRUE(c == "C Yes" || c == "C No") << c;
    std::string i = Console("CHECK_INDUSTRIAL;");
    EXPECT_TRUE(i == "I Yes" || i == "I No") << i;
}

} // namespace
