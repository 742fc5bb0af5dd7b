// Scripts run their lines silently, up to 54 characters each, may nest, end on a
// bad number, and a missing script raises the "Can't exec" warning.
#include "ShellFixture.h"

#include "platform/ui/Exception.h"

namespace {

using Scripts = ShellTest;

TEST_F(Scripts, LinesRunSilentlyAndTheExecReplyComesAfterThem) {
    WriteFile("a.ini", "# comment line\r\nNAME; Scriptville;\r\n\r\n   \r\nSOUND; ON;\r\nSPEED; 50; # faster\r\n");
    form->RunCommand("EXEC; a.ini;", true, true);
    EXPECT_EQ(form->City.cityName, "Scriptville");
    EXPECT_EQ(form->City.monthLength, 50);
    // Only the forced echo of SOUND and the EXEC reply reach the console, in order.
    EXPECT_EQ(form->C_Memo.Line(0), "Execing a.ini");
    EXPECT_EQ(form->C_Memo.Line(1), "Done");
    EXPECT_EQ(form->C_Memo.Line(2), "");
}

TEST_F(Scripts, NamesAreFoundWhateverTheirCase) {
    WriteFile("City.ini", "NAME; Cased;\n");
    form->RunCommand("EXEC; CITY.INI;", false, false);
    EXPECT_EQ(form->City.cityName, "Cased");
}

TEST_F(Scripts, OnlyTheFirstFiftyFourCharactersOfALineCount) {
    std::string longName(60, 'n');
    WriteFile("long.ini", "NAME; " + longName + ";\nECHO; next; 273; 1;\n");
    form->RunCommand("EXEC; long.ini;", false, false);
    // "NAME; " and 48 more characters; the last is lost with the missing ";".
    EXPECT_EQ(form->City.cityName, std::string(47, 'n'));
    EXPECT_EQ(form->Interpreter.ScreenLine(1), "next" + std::string(15, ' '));
}

TEST_F(Scripts, ScriptsNestAndShareTheirFields) {
    WriteFile("outer.ini", "EXEC; inner.ini;\nNAME; Outer;\n");
    WriteFile("inner.ini", "NAME; Inner;\nSPEED; 2000;\n");
    form->RunCommand("EXEC; outer.ini;", true, false);
    EXPECT_EQ(form->City.cityName, "Outer");
    EXPECT_EQ(form->City.monthLength, 2000);
    EXPECT_EQ(form->C_Memo.Line(0), "Execing outer.ini");
}

TEST_F(Scripts, AScriptThatRunsItselfIsStopped) {
    WriteFile("self.ini", "EXEC; self.ini;\nSPEED; 7;\n");
    form->RunCommand("EXEC; self.ini;", true, false);
    EXPECT_EQ(form->City.monthLength, 7);
    int boxes = 0;
    for (const std::string& line : output)
        boxes += line.rfind("box: Plazaro: Scripts nested too deeply", 0) == 0;
    EXPECT_EQ(boxes, 1);
    EXPECT_FALSE(Quit());
}

TEST_F(Scripts, AScriptThatRunsItselfThreeTimesIsStoppedAsSoon) {
    // Three runs a level would be 3^16 runs within the depth: a hang without a bound.
    WriteFile("thrice.ini", "EXEC; thrice.ini;\nEXEC; thrice.ini;\nEXEC; thrice.ini;\nSPEED; 9;\n");
    form->RunCommand("EXEC; thrice.ini;", true, false);
    form->RunCommand("EXEC; thrice.ini;", true, false);
    EXPECT_EQ(form->City.monthLength, 9);
    int boxes = 0;
    for (const std::string& line : output)
        boxes += line.rfind("box: Plazaro: Scripts nested too deeply", 0) == 0;
    EXPECT_EQ(boxes, 2); // once for each command
    EXPECT_FALSE(Quit());
}

TEST_F(Scripts, ABadNumberEndsEveryRunningScript) {
    WriteFile("bad.ini", "SPEED; 300;\nSPEED; fast;\nNAME; After;\n");
    WriteFile("caller.ini", "EXEC; bad.ini;\nNAME; Caller;\n");
    EXPECT_THROW(form->RunCommand("EXEC; caller.ini;", false, false), ui::EConvertError);
    EXPECT_EQ(form->City.monthLength, 300);
    EXPECT_EQ(form->City.cityName, "");
}

TEST_F(Scripts, BinaryAndHugeLinesDoNotStallAScript) {
    std::string text = "NAME; Before;\n";
    text += std::string(5000, '\x01') + "\n";
    for (int i = 0; i < 256; ++i)
        text += static_cast<char>(i);
    text += "\nSPEED; 1234;\n";
    WriteFile("junk.ini", text);
    form->RunCommand("EXEC; junk.ini;", false, false);
    EXPECT_EQ(form->City.monthLength, 1234);
}

TEST_F(Scripts, AMissingScriptRaisesTheWarningAndEachAnswerIsHonoured) {
    backend.QueueAnswer(ui::IDIGNORE);
    EXPECT_EQ(Console("EXEC; missing.ini;"), "");
    EXPECT_EQ(output.back(), "box: Warning: Can't exec missing.ini -> Ignore");
    EXPECT_FALSE(Quit());

    // Retry runs the newest history entry: the EXEC line itself, typed at the console.
    WriteFile("later.ini", "NAME; Later;\n");
    backend.QueueAnswer(ui::IDRETRY);
    backend.QueueAnswer(ui::IDIGNORE);
    form->RunCommand("EXEC; missing.ini;", true, true);
    EXPECT_EQ(output[output.size() - 2], "box: Warning: Can't exec missing.ini -> Retry");
    EXPECT_EQ(output.back(), "box: Warning: Can't exec missing.ini -> Ignore");

    form->RunCommand("EXEC; missing.ini;", false, false); // unanswered: Abort
    EXPECT_EQ(output[output.size() - 2], "box: Warning: Can't exec missing.ini -> Abort");
    EXPECT_TRUE(Quit());
}

TEST_F(Scripts, AFolderIsNotAScript) {
    std::filesystem::create_directory(dir / "folder.ini");
    backend.QueueAnswer(ui::IDIGNORE);
    form->RunCommand("EXEC; folder.ini;", false, false);
    EXPECT_EQ(output.back(), "box: Warning: Can't exec folder.ini -> Ignore");
}

} // namespace
