// The folder that holds the running program, as the game's paths expect it.
#pragma once

#include <string>

namespace os {

// The directory of the executable, without a trailing separator. Tests and the
// headless driver may point it elsewhere with SetProgramDir.
std::string ExecutableDir();
std::string ProgramDir();
void SetProgramDir(const std::string& dir);

// The program file's own path (ProgramDir + "/" + the program's file name).
std::string ProgramFile();

} // namespace os
