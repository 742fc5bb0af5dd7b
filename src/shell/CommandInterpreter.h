// The command language: parsing lines into fields and running the 23 commands.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class TMainForm;

class CommandInterpreter {
public:
    static constexpr int kFields = 10;        // args[0] stays empty; 1 to 9 are used
    static constexpr int kScriptLineLength = 54;
    static constexpr int kMaxScriptDepth = 16;
    // Scripts one command may run in all, nested ones included: a script that runs
    // itself more than once would otherwise take exponential time within the depth.
    static constexpr int kMaxScriptRuns = 256;
    static constexpr int kConsoleLines = 30;
    static constexpr int kScreenLines = 8;

    explicit CommandInterpreter(TMainForm& form) : form_(form) {}

    // Parses and runs one line; the reply reaches the console when echo is on.
    // A field that is not a whole number raises ui::EConvertError out of here.
    void RunCommand(const std::string& line, bool echo, bool recordHistory);

    // Fills args from the line; the number of the last field begun, or -1 when the
    // line is empty. Shared with the city file reader.
    int ParseCommand(const std::string& line);
    // The same rules on a private set of fields, for callers that must not touch args.
    static int ParseFields(const std::string& line, std::array<std::string, kFields>& fields);

    // The fields of the last line parsed, by any caller.
    std::array<std::string, kFields> args;

    // The texts last written by "ECHO" on each of the eight screen lines.
    const std::string& ScreenLine(int slot) const { return screenLines_.at(static_cast<size_t>(slot)); }

    // Writes a text on the screen line of the given slot at x, as "ECHO" writes it (the
    // text followed by 15 spaces), without running a command line.
    void WriteScreenLine(int x, int slot, const std::string& text);

    // Removes leading and trailing blanks and control characters.
    static std::string Trim(const std::string& text);

private:
    // The reply of a known keyword; nothing for a keyword the language lacks.
    std::optional<std::string> Run(const std::string& keyword, bool& echo);
    std::string RunScript(const std::string& fileName);
    std::string RunSound(bool& echo);
    std::string RunCd();
    void EchoReply(const std::string& reply);

    TMainForm& form_;
    std::array<std::string, kScreenLines> screenLines_{};
    int scriptDepth_ = 0;
    int scriptRuns_ = 0;
    bool scriptRefused_ = false;
};
