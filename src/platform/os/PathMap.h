// Maps the game's Windows-shaped paths onto the host file system.
#pragma once

#include <string>

namespace os {

// Turns backslashes into slashes and resolves every component case-insensitively
// against what exists on disk, as the original platform's file system did. A
// component that matches nothing is kept as written, so the result can still name
// a file about to be created. An exact match wins over a case-folded one.
std::string ResolvePath(const std::string& windowsPath);

// Upper-cases ASCII letters only; the game's texts are byte strings.
std::string AsciiUpper(std::string text);

} // namespace os
