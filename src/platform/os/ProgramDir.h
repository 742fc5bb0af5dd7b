// The folder that holds the running program, as the game's paths expect it.
#pragma once

#include <string>

namespace os {

// The directory of the executable, without a trailing separator. Tests and the
// headless driver may point it elsewhere with SetProgramDir.
std::string ExecutableDir();
std::string ProgramDir();
void SetProgramDir(const std::string& dir);

// The folder of a program's data, for a program in executableDir: that folder itself
// when it holds the marker file (a build folder, where everything lies beside the
// program), otherwise executableDir/installedRelative when the marker is there (an
// installed program, whose data lies in its share folder), otherwise executableDir.
std::string FindDataDir(const std::string& executableDir, const std::string& marker,
                        const std::string& installedRelative);

// The program file's own path (ProgramDir + "/" + the program's file name).
std::string ProgramFile();

} // namespace os
