// Runs the program headless on a session's input and reads what it printed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace session {

// The program's output lines for the input; status, when asked, gets its exit status.
inline std::vector<std::string> RunPlazaro(const std::string& input, int seed, const std::string& options = "",
                                           int* status = nullptr) {
    static int runs = 0;
    const std::filesystem::path inputPath =
        std::filesystem::temp_directory_path() /
        ("plazaro_session_" + std::to_string(::getpid()) + "_" + std::to_string(++runs));
    std::ofstream(inputPath, std::ios::binary) << input;
    const std::string command = std::string(PLAZARO_PROGRAM_DIR) + "/plazaro --headless --seed " +
                                std::to_string(seed) + " " + options + " < " + inputPath.string();
    std::vector<std::string> lines;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::string all;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            all.append(buffer, n);
        int rc = ::pclose(pipe);
        if (status)
            *status = WEXITSTATUS(rc);
        std::istringstream stream(all);
        for (std::string line; std::getline(stream, line);)
            lines.push_back(line);
    }
    std::filesystem::remove(inputPath);
    return lines;
}

// Runs a shell command; returns what it wrote on standard output and, when asked, its
// exit status (standard error goes where the command line sends it).
inline std::string Shell(const std::string& command, int* status = nullptr) {
    std::string all;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            all.append(buffer, n);
        const int rc = ::pclose(pipe);
        if (status)
            *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    } else if (status) {
        *status = -1;
    }
    return all;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

inline bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The first line that begins with the prefix, or an empty text.
inline std::string StartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0)
            return line;
    return {};
}

// The "state:" lines, in order.
inline std::vector<std::string> States(const std::vector<std::string>& lines) {
    std::vector<std::string> states;
    for (const std::string& line : lines)
        if (line.rfind("state:", 0) == 0)
            states.push_back(line);
    return states;
}

// Width and height from a PNG file's header; false when it is not a PNG.
inline bool PngSize(const std::string& png, int& width, int& height) {
    if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || png.compare(12, 4, "IHDR") != 0)
        return false;
    auto word = [&](size_t at) {
        return (int(std::uint8_t(png[at])) << 24) | (int(std::uint8_t(png[at + 1])) << 16) |
               (int(std::uint8_t(png[at + 2])) << 8) | int(std::uint8_t(png[at + 3]));
    };
    width = word(16);
    height = word(20);
    return true;
}

} // namespace session
