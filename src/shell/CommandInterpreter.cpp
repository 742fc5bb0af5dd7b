// Parsing and running lines of the command language.
#include "shell/CommandInterpreter.h"

#include "city/Simulation.h"
#include "platform/os/PathMap.h"
#include "platform/os/ProgramDir.h"
#include "platform/ui/Application.h"
#include "platform/ui/Exception.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/Screen.h"
#include "shell/CommandHistory.h"
#include "shell/InterpreterPorts.h"
#include "shell/TMainForm.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr std::uint32_t kEchoTextColor = 50 | (40 << 8) | (200 << 16); // RGB(50, 40, 200)
constexpr std::uint32_t kEchoBackColor = 128 | (128 << 8) | (128 << 16);
constexpr unsigned kPlayFlags = 0x20003; // file name, asynchronous, no default sound

int Number(const std::string& field) { return ui::StrToInt(field); }

bool IsTrimmed(unsigned char c) { return c <= ' '; }

} // namespace

void CommandInterpreter::WriteScreenLine(int x, int slot, const std::string& line) {
    if (slot < 0 || slot >= kScreenLines)
        return;
    std::string text = line + std::string(15, ' ');
    screenLines_[static_cast<size_t>(slot)] = text;
    if (form_.Display)
        form_.Display->WriteXY(x, 365 + 15 * slot, text, kEchoTextColor, kEchoBackColor);
}

std::string CommandInterpreter::Trim(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsTrimmed(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && IsTrimmed(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

int CommandInterpreter::ParseFields(const std::string& line, std::array<std::string, kFields>& fields) {
    for (auto& f : fields)
        f.clear();
    const std::string s = Trim(line);
    if (s.empty())
        return -1;
    // Collect each field with the character that ended it; a tenth and later field
    // is counted but not kept.
    std::array<std::string, kFields> collected;
    int f = 1;
    collected[1] += s[0];
    for (size_t i = 1; i < s.size(); ++i) {
        char previous = s[i - 1];
        if (previous == '#')
            break;
        if (previous == ';') {
            ++f; // the character after a ";" is always dropped
            continue;
        }
        if (f < kFields)
            collected[static_cast<size_t>(f)] += s[i];
    }
    for (int i = 1; i < kFields && i <= f; ++i) {
        std::string field = Trim(collected[static_cast<size_t>(i)]);
        if (!field.empty())
            field.pop_back();
        fields[static_cast<size_t>(i)] = field;
    }
    return f;
}

int CommandInterpreter::ParseCommand(const std::string& line) { return ParseFields(line, args); }

void CommandInterpreter::EchoReply(const std::string& reply) {
    ui::Memo& memo = form_.C_Memo;
    if (memo.Count() >= kConsoleLines)
        memo.Delete(kConsoleLines - 1);
    memo.Insert(0, reply);
}

void CommandInterpreter::RunCommand(const std::string& line, bool echo, bool recordHistory) {
    const std::string trimmed = Trim(line);
    if (ParseCommand(trimmed) == -1)
        return;
    std::string keyword = os::AsciiUpper(args[1]);
    args[1] = keyword;
    if (recordHistory)
        CommandHistory::Instance().AddToHistory(trimmed);
    std::optional<std::string> reply = Run(keyword, echo);
    if (!reply)
        reply = "Command " + trimmed + " not accepted!";
    if (echo)
        EchoReply(*reply);
}

std::optional<std::string> CommandInterpreter::Run(const std::string& keyword, bool& echo) {
    CityState& city = form_.City;
    auto& app = ui::Application::Instance();
    // Every command copies the fields it needs before it runs a nested line, which
    // refills the one shared set of fields.
    const std::string f2 = args[2], f3 = args[3];

    if (keyword == "ERROR") {
        form_.Clock.SetEnabled(false);
        if (form_.Display && form_.Display->HasDirectDraw())
            form_.Display->FlipToGDISurface();
        app.MessageBox(f2, "Error", ui::MB_OK | ui::MB_ICONERROR);
        app.Terminate();
        return "";
    }
    if (keyword == "QUIT") {
        form_.Clock.SetEnabled(false);
        app.Terminate();
        return "";
    }
    if (keyword == "CD") {
        echo = true;
        return RunCd();
    }
    if (keyword == "CHECK_COMMERCIAL")
        return city::DemandCheck(city, city::Demand::Commercial);
    if (keyword == "CHECK_INDUSTRIAL")
        return city::DemandCheck(city, city::Demand::Industrial);
    if (keyword == "CHECK_RESIDENTIAL")
        return city::DemandCheck(city, city::Demand::Residential);
    if (keyword == "CODE") {
        int code = Number(f2);
        if (code < 0 || code >= city::kObjectCodes)
            return "Incorrect Number: " + f2;
        // Fields are stored one by one, as they are converted.
        TObjectType& type = city.ObjectTypes[static_cast<size_t>(code)];
        type.size = Number(args[3]);
        type.value = Number(args[4]);
        type.reportKind = Number(args[5]);
        type.needsPower = Number(args[6]) == 1;
        type.needsSewage = Number(args[7]) == 1;
        type.needsWater = Number(args[8]) == 1;
        type.name = args[9];
        return "";
    }
    if (keyword == "ECHO") {
        if (f3.empty())
            return f2;
        int x = Number(f3);
        int slot = Number(args[4]);
        if (slot < 0 || slot >= kScreenLines)
            return "Incorrect Line: " + args[4];
        WriteScreenLine(x, slot, f2);
        return screenLines_[static_cast<size_t>(slot)];
    }
    if (keyword == "EXEC")
        return RunScript(f2);
    if (keyword == "GET_CURSOR") {
        int index = Number(f2);
        ui::Screen::Instance().SetCursorAt(index, ui::Screen::LoadCursorResource(f3));
        return "";
    }
    if (keyword == "GET_LOCATION") {
        city.programDir = os::ProgramDir();
        return "Location: " + city.programDir;
    }
    if (keyword == "INFO") {
        app.MessageBox(f2, "Plazaro", ui::MB_OK | ui::MB_ICONINFORMATION);
        return "";
    }
    if (keyword == "NAME") {
        if (f2.empty())
            return "Name is " + city.cityName;
        std::string reply = city.cityName + " changed to " + f2;
        city.cityName = f2;
        form_.Panel1.Caption = f2;
        return reply;
    }
    if (keyword == "NEWCITY") {
        form_.New_GB.Show();
        // The name box has the keyboard with its text selected: typing replaces it.
        form_.ActiveControl = &form_.N_Name_E;
        form_.N_Name_E.SelectAll();
        return "Starting new game...";
    }
    if (keyword == "PLAY_VIDEOS") {
        if (f2.empty())
            return std::string(city.playVideos ? "PLAY_VIDEOS: True" : "PLAY_VIDEOS: False");
        city.playVideos = Number(f2) == 1;
        return "";
    }
    if (keyword == "R_INFO") {
        int code = Number(f2);
        if (code >= city::kObjectCodes || code < 0)
            return "Incorrect Number: " + f2;
        const TObjectType& t = city.ObjectTypes[static_cast<size_t>(code)];
        return "Size: " + std::to_string(t.size) + " Num: " + std::to_string(t.value) +
               (t.needsPower ? " P: Yes" : " P: No") + (t.needsSewage ? " S: Yes" : " S: No") +
               (t.needsWater ? " W: Yes" : " W: No") + " dx: " + std::to_string(t.bitmapWidth) +
               " dy: " + std::to_string(t.bitmapHeight) + t.name;
    }
    if (keyword == "RANDOM")
        return "Num: " + std::to_string(city.Random(Number(f2)));
    if (keyword == "SET_POPUP_POSITION") {
        city.popupX = Number(f2);
        city.popupY = Number(f3);
        return "Position set to " + f2 + ", " + f3;
    }
    if (keyword == "SET_TOOL") {
        if (echo)
            return "SET_TOOL can't be accessed from the console";
        const std::string f4 = args[4], f5 = args[5], f6 = args[6];
        if (Number(f5) > city.funds) {
            RunCommand("SOUND; PLAY; money.wav;", true, false);
            return "";
        }
        int cursor = Number(f2);
        int code = Number(f3);
        int price = Number(f5);
        ui::Screen::Instance().SetCurrentCursor(cursor);
        city.toolCode = code;
        city.toolName = f4;
        city.toolPrice = price;
        RunCommand("SOUND; PLAY; " + f6 + ";", true, false);
        return "";
    }
    if (keyword == "SOUND") {
        echo = true;
        return RunSound(echo);
    }
    if (keyword == "SPEED") {
        form_.Clock.SetEnabled(f2 != "0");
        if (!f2.empty())
            city.monthLength = Number(f2);
        return "Speed = " + std::to_string(city.monthLength);
    }
    if (keyword == "SPRITE") {
        int code = Number(f2);
        if (code < 0 || code >= city::kObjectCodes)
            return "Incorrect Number: " + f2;
        city.ObjectTypes[static_cast<size_t>(code)].spritePicture = Number(f3);
        return "";
    }
    if (keyword == "WARNING") {
        int answer = app.MessageBox(f2, "Warning", ui::MB_ABORTRETRYIGNORE | ui::MB_ICONWARNING);
        if (answer == ui::IDABORT)
            app.Terminate();
        else if (answer == ui::IDRETRY)
            RunCommand(CommandHistory::Instance().NewestEntry(), echo, false);
        return "A WARNING occured";
    }
    return std::nullopt;
}

std::string CommandInterpreter::RunCd() {
    const std::string sub = os::AsciiUpper(args[2]);
    const std::string options = args[3];
    ui::MenuItem& item = *form_.O_CDAudio;
    if (!item.Enabled)
        return "CD Audio is disabled";
    if (!item.Checked)
        return "CD Audio is turned off";
    CdAudioPort* cd = form_.CdAudio;
    if (sub == "PLAY") {
        if (cd)
            cd->Play(options);
        return std::string(cd && cd->State() == 2 ? "CD Playing" : "");
    }
    if (sub == "INIT") {
        if (cd && cd->Command("INIT") == "CD Audio initialised") {
            item.Checked = true;
            item.Enabled = true;
            return "CD Audio initialised";
        }
        item.Checked = false;
        item.Enabled = false;
        return "CD Audio Not initialised";
    }
    return cd ? cd->Command(sub) : "";
}

std::string CommandInterpreter::RunSound(bool& echo) {
    const std::string sub = os::AsciiUpper(args[2]);
    const std::string f3 = args[3];
    WaveSoundPort* sound = form_.WaveSound;
    std::string reply;
    if (!sound)
        return "";
    if (sub == "INIT") {
        sound->Init(0, 0, 0);
        form_.O_SoundFX->Checked = sound->Enabled();
        form_.O_SoundFX->Enabled = sound->Initialized();
        reply = sound->Status();
    } else if (sub == "PLAY") {
        sound->Play(form_.City.programDir + "\\Sound\\" + f3, false, kPlayFlags);
        reply = sound->Status();
    } else if (f3.empty()) {
        reply = sound->Exec_Comm(sub);
    } else {
        reply = sound->Exec_Comm(sub, Number(f3));
    }
    if (!reply.empty() && reply[0] == '~') {
        // A reply that begins with "~" is itself a line: a warning box, usually.
        echo = false;
        RunCommand(reply.substr(1), true, false);
    }
    return reply;
}

std::string CommandInterpreter::RunScript(const std::string& fileName) {
    if (scriptDepth_ == 0) {
        scriptRuns_ = 0;
        scriptRefused_ = false;
    }
    if (scriptDepth_ >= kMaxScriptDepth || scriptRuns_ >= kMaxScriptRuns) {
        // A script that runs itself would never end; past this depth, or this many
        // scripts, it is refused. The player hears of it once; the lines after the
        // refused one still run.
        if (!scriptRefused_) {
            scriptRefused_ = true;
            ui::Application::Instance().MessageBox("Scripts nested too deeply: " + fileName, "Plazaro",
                                                   ui::MB_OK | ui::MB_ICONINFORMATION);
        }
        return "";
    }
    ++scriptRuns_;
    const std::string path = os::ResolvePath(fileName);
    struct stat st;
    bool regular = !fileName.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    std::unique_ptr<FILE, int (*)(FILE*)> file(regular ? std::fopen(path.c_str(), "rb") : nullptr, &std::fclose);
    if (!file) {
        RunCommand("WARNING; Can't exec " + fileName + ";", true, false);
        return "";
    }
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } guard(scriptDepth_);
    std::string reply = "Execing " + fileName;
    // Each line is read up to its line feed; only its first 54 characters count and
    // the rest of a longer line is skipped.
    for (;;) {
        std::string line;
        int c;
        bool any = false;
        while ((c = std::fgetc(file.get())) != EOF) {
            any = true;
            if (c == '\n')
                break;
            if (line.size() < static_cast<size_t>(kScriptLineLength))
                line += static_cast<char>(c);
        }
        if (!any)
            break;
        RunCommand(line, false, false);
    }
    return reply;
}
