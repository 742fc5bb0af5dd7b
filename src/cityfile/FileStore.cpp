// Whole-file reads and all-or-nothing file replacement on POSIX file systems.
#include "cityfile/FileStore.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cityfile {

namespace {

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

// Writes all of the bytes, going on after a partial write or an interrupted call.
bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions a file newly created by the program would get.
mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& error) {
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SystemError("open");
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
        ::close(fd);
        return false;
    }
    char buffer[65536];
    while (bytes.size() <= limit) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = SystemError("read");
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    if (bytes.size() > limit + 1)
        bytes.resize(limit + 1);
    ::close(fd);
    return true;
}

bool WriteLinesAtomically(const std::string& path, const std::vector<std::string>& lines, std::string& error,
                          const WriteHook& hook) {
    // Saving over a link replaces the file it points at, not the link.
    std::string target = path;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    mode_t mode = NewFileMode();
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            error = "the name belongs to something that is not a file";
            return false;
        }
        // A file the player may not write stays as it is, as it would if it were
        // opened for writing in place.
        if (::access(target.c_str(), W_OK) != 0) {
            error = SystemError("access");
            return false;
        }
        mode = info.st_mode & 07777;
    }

    std::string temp = target + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = SystemError("create");
        return false;
    }
    auto fail = [&](const std::string& why) {
        error = why;
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    };
    if (::fchmod(fd, mode) != 0)
        return fail(SystemError("chmod"));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (hook && !hook(static_cast<int>(i)))
            return fail("the write was interrupted at line " + std::to_string(i + 1));
        const std::string& line = lines[i];
        if (!WriteAll(fd, line.data(), line.size()) || !WriteAll(fd, "\r\n", 2))
            return fail(SystemError("write"));
    }
    if (::fsync(fd) != 0)
        return fail(SystemError("fsync"));
    if (::close(fd) != 0) {
        error = SystemError("close");
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        error = SystemError("rename");
        ::unlink(temp.c_str());
        return false;
    }
    // The new name must reach the disk too, or a crash could bring the old file back.
    int dir = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace cityfile
