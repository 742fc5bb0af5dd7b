// Case-insensitive resolution of Windows-shaped paths.
#include "platform/os/PathMap.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

namespace os {

std::string AsciiUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

namespace {
bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// Finds the entry of dir whose name equals name ignoring ASCII case.
std::string FindFolded(const std::string& dir, const std::string& name) {
    DIR* d = ::opendir(dir.empty() ? "/" : dir.c_str());
    if (!d)
        return {};
    std::string wanted = AsciiUpper(name);
    std::string found;
    while (dirent* e = ::readdir(d)) {
        std::string entry = e->d_name;
        if (AsciiUpper(entry) == wanted) {
            found = entry;
            break;
        }
    }
    ::closedir(d);
    return found;
}
} // namespace

std::string ResolvePath(const std::string& windowsPath) {
    std::string path = windowsPath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    // Split into components, keeping a leading slash for absolute paths.
    bool absolute = !path.empty() && path[0] == '/';
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '/') {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(current);

    std::string result = absolute ? "" : ".";
    std::string shown = absolute ? "" : "";
    bool stillOnDisk = true;
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        std::string candidate = result + "/" + part;
        if (stillOnDisk && part != "." && part != ".." && !Exists(candidate)) {
            std::string folded = FindFolded(result.empty() ? "/" : result, part);
            if (!folded.empty())
                candidate = result + "/" + folded;
            else
                stillOnDisk = false;
        }
        result = candidate;
    }
    if (!absolute) {
        // Drop the "./" we started relative paths with.
        if (result.rfind("./", 0) == 0)
            result = result.substr(2);
        else if (result == ".")
            result = path.empty() ? "" : ".";
    }
    if (absolute && result.empty())
        result = "/";
    return result;
}

} // namespace os
