// The parser splits a line into fields on ";", always drops the character after a
// ";", ends at "#", and drops the last character of every trimmed field.
#include "shell/CommandInterpreter.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::array<std::string, CommandInterpreter::kFields>;

Fields Parse(const std::string& line, int* count = nullptr) {
    Fields f;
    int n = CommandInterpreter::ParseFields(line, f);
    if (count)
        *count = n;
    return f;
}

TEST(ParseCommand, SplitsAToolLineIntoItsSixFields) {
    int n = 0;
    Fields f = Parse("SET_TOOL; 4; 17; Road; 20; ROADS.WAV;", &n);
    EXPECT_EQ(n, 6);
    EXPECT_EQ(f[1], "SET_TOOL");
    EXPECT_EQ(f[2], "4");
    EXPECT_EQ(f[3], "17");
    EXPECT_EQ(f[4], "Road");
    EXPECT_EQ(f[5], "20");
    EXPECT_EQ(f[6], "ROADS.WAV");
    EXPECT_EQ(f[7], "");
    EXPECT_EQ(f[0], "");
}

TEST(ParseCommand, EmptyAndBlankLinesAreEmpty) {
    EXPECT_EQ(Parse("").at(1), "");
    int n = 0;
    Parse("   \t \r\n", &n);
    EXPECT_EQ(n, -1);
    Parse("", &n);
    EXPECT_EQ(n, -1);
}

TEST(ParseCommand, ALastFieldWithoutItsSemicolonLosesItsLastCharacter) {
    EXPECT_EQ(Parse("QUIT").at(1), "QUI");
    EXPECT_EQ(Parse("NAME; Newtown").at(2), "Newtow");
}

TEST(ParseCommand, TheCharacterAfterASemicolonIsDroppedWhateverItIs) {
    Fields f = Parse("SOUND;PLAY;");
    EXPECT_EQ(f[1], "SOUND");
    EXPECT_EQ(f[2], "LAY");
    EXPECT_EQ(Parse("CD;STOP;").at(2), "TOP");
}

TEST(ParseCommand, AnEmptyFieldKeepsItsTrailingSpace) {
    Fields f = Parse("ECHO; Officers : ; 273; 1;");
    EXPECT_EQ(f[2], "Officers : ");
    EXPECT_EQ(f[3], "273");
    EXPECT_EQ(f[4], "1");
}

TEST(ParseCommand, AHashEndsTheLine) {
    Fields f = Parse("SPEED; 50; # faster");
    EXPECT_EQ(f[1], "SPEED");
    EXPECT_EQ(f[2], "50");
    EXPECT_EQ(f[3], "");
    Fields comment = Parse("# a comment; with; fields;");
    EXPECT_EQ(comment[1], "");
    EXPECT_EQ(comment[2], "");
}

TEST(ParseCommand, TwoSemicolonsInARowSwallowTheFollowingCharacter) {
    Fields f = Parse("A;;B;C;");
    EXPECT_EQ(f[1], "A");
    EXPECT_EQ(f[2], "");
    EXPECT_EQ(f[3], "");
    EXPECT_EQ(f[4], "");
}

TEST(ParseCommand, FieldsBeyondTheNinthAreCountedButNotKept) {
    int n = 0;
    Fields f = Parse("A; 2; 3; 4; 5; 6; 7; 8; 9; 10; 11; 12;", &n);
    EXPECT_EQ(n, 12);
    EXPECT_EQ(f[9], "9");
    EXPECT_EQ(f.size(), 10u);
}

TEST(ParseCommand, SurvivesLongAndBinaryLines) {
    std::string line(100000, 'x');
    for (size_t i = 0; i < line.size(); i += 7)
        line[i] = ';';
    int n = 0;
    Parse(line, &n);
    EXPECT_GT(n, 9);
    std::string binary;
    for (int i = 0; i < 512; ++i)
        binary += static_cast<char>(i % 256);
    Fields f = Parse(binary, &n);
    EXPECT_GE(n, 1);
}

TEST(ParseCommand, TrimRemovesBlanksAndControlCharactersOnly) {
    EXPECT_EQ(CommandInterpreter::Trim(" \t\x01 ab c \r\n"), "ab c");
    EXPECT_EQ(CommandInterpreter::Trim("\xA3" "5 "), "\xA3" "5");
}

} // namespace
