// Where the player's folders are, read from the environment as the desktop sets it.
#include "platform/os/UserDirs.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace os {

namespace {

// An environment variable that names an absolute folder; relative ones are ignored,
// as the desktop's conventions ask.
std::string AbsoluteFromEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value && value[0] == '/')
        return value;
    return {};
}

// The value of a line KEY="..." in user-dirs.dirs, with $HOME expanded.
std::string UserDirsEntry(const std::string& key) {
    std::ifstream in(ConfigHome() + "/user-dirs.dirs");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key + "=", 0) != 0)
            continue;
        std::string value = line.substr(key.size() + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = HomeDir() + value.substr(5);
        if (!value.empty() && value[0] == '/')
            return value;
    }
    return {};
}

} // namespace

std::string HomeDir() {
    if (std::string home = AbsoluteFromEnv("HOME"); !home.empty())
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/')
        return entry->pw_dir;
    return "/tmp";
}

std::string DataHome() {
    std::string dir = AbsoluteFromEnv("XDG_DATA_HOME");
    return dir.empty() ? HomeDir() + "/.local/share" : dir;
}

std::string ConfigHome() {
    std::string dir = AbsoluteFromEnv("XDG_CONFIG_HOME");
    return dir.empty() ? HomeDir() + "/.config" : dir;
}

std::string PicturesDir() {
    if (std::string dir = AbsoluteFromEnv("XDG_PICTURES_DIR"); !dir.empty())
        return dir;
    if (std::string dir = UserDirsEntry("XDG_PICTURES_DIR"); !dir.empty())
        return dir;
    return HomeDir() + "/Pictures";
}

std::string NewScreenshotPath(const std::string& folder) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string path = folder + "/plazaro-" + stamp + ".png";
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec); ++n)
        path = folder + "/plazaro-" + stamp + "-" + std::to_string(n) + ".png";
    return path;
}

bool MakeFolders(const std::string& path, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (std::filesystem::is_directory(path))
        return true;
    error = ec ? ec.message() : "not a folder";
    return false;
}

bool WriteFileAtomically(const std::string& path, const std::string& contents, std::string& error) {
    const std::string temp = path + ".new-" + std::to_string(::getpid());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < contents.size()) {
        ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = std::strerror(errno);
            ::close(fd);
            ::unlink(temp.c_str());
            return false;
        }
        done += std::size_t(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        error = std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace os
