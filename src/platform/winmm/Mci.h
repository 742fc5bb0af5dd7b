// The MCI command-string interface: the "cdaudio" device and the "avivideo" device.
#pragma once

#include "platform/winmm/MmTypes.h"

#include <string>

namespace winmm {

// Sends one command string ("open cdaudio", "play cdaudio from 2 to 3", "status
// cdaudio number of tracks" ...). Answers 0 or an MCIERR_ code; a command that
// answers with text puts it in returnString when one is given. Words are matched
// without regard to case; "wait" and "notify" are accepted and change nothing,
// since every command completes at once.
MCIERROR mciSendString(const std::string& command, std::string* returnString = nullptr);

// A word of a command string in lower case (only ASCII letters change), the form in which
// the devices compare words and keep their aliases.
std::string MciLower(std::string word);

// A short description of an MCI result.
std::string mciGetErrorString(MCIERROR error);

} // namespace winmm
