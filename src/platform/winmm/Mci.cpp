// Parsing of MCI command strings: the "cdaudio" device and the "avivideo" device.
#include "platform/winmm/Mci.h"

#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/AviVideo.h"
#include "platform/winmm/CdDrive.h"

#include <vector>

namespace winmm {

std::string MciLower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

namespace {

MCIERROR Dispatch(const std::vector<std::string>& words, std::string& answer) {
    if (words.empty())
        return MCIERR_MISSING_COMMAND_STRING;
    const std::string verb = MciLower(words[0]);
    if (words.size() < 2)
        return MCIERR_MISSING_PARAMETER;
    std::vector<std::string> afterVerb(words.begin() + 1, words.end());
    AviVideo& video = AviVideo::Instance();
    if (video.Handles(verb, afterVerb))
        return video.Command(verb, afterVerb, answer);
    if (MciLower(words[1]) != "cdaudio")
        return MCIERR_INVALID_DEVICE_NAME;
    std::vector<std::string> rest(words.begin() + 2, words.end());
    std::vector<std::string> lower;
    for (const auto& w : rest)
        lower.push_back(MciLower(w));
    CdDrive& drive = CdDrive::Instance();

    if (verb == "open") {
        for (const auto& w : lower)
            if (w != "shareable")
                return MCIERR_UNRECOGNIZED_KEYWORD;
        return drive.Open();
    }
    if (verb == "close" || verb == "pause" || verb == "resume" || verb == "stop") {
        if (!rest.empty())
            return MCIERR_UNRECOGNIZED_KEYWORD;
        if (verb == "close")
            return drive.Close();
        if (verb == "pause")
            return drive.Pause();
        if (verb == "resume")
            return drive.Resume();
        return drive.Stop();
    }
    if (verb == "play") {
        const std::string* from = nullptr;
        const std::string* to = nullptr;
        for (std::size_t i = 0; i < rest.size(); i += 2) {
            if (i + 1 >= rest.size())
                return MCIERR_MISSING_PARAMETER;
            if (lower[i] == "from" && !from)
                from = &rest[i + 1];
            else if (lower[i] == "to" && !to)
                to = &rest[i + 1];
            else
                return MCIERR_UNRECOGNIZED_KEYWORD;
        }
        return drive.Play(from, to);
    }
    if (verb == "seek") {
        if (rest.size() == 2 && lower[0] == "to")
            return drive.Seek(rest[1]);
        return rest.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
    }
    if (verb == "set") {
        if (rest.size() == 3 && lower[0] == "time" && lower[1] == "format")
            return drive.SetTimeFormat(lower[2]);
        if (rest.size() == 2 && lower[0] == "door" && (lower[1] == "open" || lower[1] == "closed"))
            return drive.SetDoor(lower[1] == "open");
        return rest.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
    }
    if (verb == "status") {
        if (rest.empty())
            return MCIERR_MISSING_PARAMETER;
        return drive.Status(rest, answer);
    }
    return MCIERR_UNRECOGNIZED_COMMAND;
}

} // namespace

MCIERROR mciSendString(const std::string& command, std::string* returnString) {
    AudioSystem& audio = AudioSystem::Instance();
    if (audio.OnMciCommand)
        audio.OnMciCommand(command);
    // Words are separated by blanks; a word in double quotes (a file name with
    // blanks) is one word.
    std::vector<std::string> words;
    for (std::size_t i = 0; i < command.size();) {
        if (command[i] == ' ' || command[i] == '\t') {
            ++i;
            continue;
        }
        std::string w;
        if (command[i] == '"') {
            std::size_t close = command.find('"', i + 1);
            if (close == std::string::npos)
                close = command.size();
            w = command.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            std::size_t end = command.find_first_of(" \t", i);
            if (end == std::string::npos)
                end = command.size();
            w = command.substr(i, end - i);
            i = end;
            std::string l = MciLower(w);
            if (l == "wait" || l == "notify")
                continue;
        }
        words.push_back(w);
    }
    std::string answer;
    MCIERROR result = Dispatch(words, answer);
    if (returnString)
        *returnString = result == 0 ? answer : std::string();
    return result;
}

std::string mciGetErrorString(MCIERROR error) {
    switch (error) {
    case 0:
        return "Done.";
    case MCIERR_INVALID_DEVICE_ID:
        return "No such device number.";
    case MCIERR_UNRECOGNIZED_KEYWORD:
        return "A word of the command is not understood.";
    case MCIERR_UNRECOGNIZED_COMMAND:
        return "The command is not understood.";
    case MCIERR_HARDWARE:
        return "The drive failed.";
    case MCIERR_INVALID_DEVICE_NAME:
        return "No such device, or it is not open.";
    case MCIERR_MISSING_COMMAND_STRING:
        return "The command is empty.";
    case MCIERR_BAD_INTEGER:
        return "A number of the command is not a whole number.";
    case MCIERR_MISSING_PARAMETER:
        return "The command lacks a value.";
    case MCIERR_DEVICE_NOT_READY:
        return "The drive holds no disc or its door is open.";
    case MCIERR_OUTOFRANGE:
        return "A position is outside the disc.";
    case MCIERR_BAD_TIME_FORMAT:
        return "No such time format.";
    case MCIERR_FILE_NOT_FOUND:
        return "The file is not found.";
    case MCIERR_DUPLICATE_ALIAS:
        return "The alias is already in use.";
    case MCIERR_INVALID_FILE:
        return "The file is not a video this device can play, or it is damaged.";
    case MCIERR_FILE_READ:
        return "The file cannot be read.";
    case MCIERR_AVI_NOCOMPRESSOR:
        return "The video's frames are stored in a format this device cannot decode.";
    case MCIERR_AVI_BADSIZE:
        return "A size in the video is out of range.";
    case MCIERR_AVI_FRAMETOOLARGE:
        return "A frame of the video is larger than its picture.";
    default:
        return "Unknown error.";
    }
}

} // namespace winmm
