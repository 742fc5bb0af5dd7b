// Finds the program's own folder; an override lets tests run against asset folders.
#include "platform/os/ProgramDir.h"

#include <filesystem>
#include <system_error>

namespace os {
namespace {
std::string& OverrideDir() {
    static std::string dir;
    return dir;
}
} // namespace

std::string ExecutableDir() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path(ec).string();
    return exe.parent_path().string();
}

std::string ProgramDir() {
    if (!OverrideDir().empty())
        return OverrideDir();
    return ExecutableDir();
}

void SetProgramDir(const std::string& dir) {
    std::string d = dir;
    while (d.size() > 1 && (d.back() == '/' || d.back() == '\\'))
        d.pop_back();
    OverrideDir() = d;
}

std::string FindDataDir(const std::string& executableDir, const std::string& marker,
                        const std::string& installedRelative) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file(fs::path(executableDir) / marker, ec))
        return executableDir;
    const fs::path installed = (fs::path(executableDir) / installedRelative).lexically_normal();
    if (!installedRelative.empty() && fs::is_regular_file(installed / marker, ec)) {
        std::string dir = installed.string();
        while (dir.size() > 1 && dir.back() == '/')
            dir.pop_back();
        return dir;
    }
    return executableDir;
}

std::string ProgramFile() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::string name = ec ? std::string("plazaro") : exe.filename().string();
    return ProgramDir() + "/" + name;
}

} // namespace os
