// A save replaces the old file only once the new one is whole: a write stopped
// half-way, or a program killed half-way, leaves the previous save as it was. The
// whole-file read refuses what cannot be read as a file.
#include "cityfile/FileStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plazaro_filestore_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    std::string Read(const fs::path& path) {
        std::ifstream f(path, std::ios::binary);
        std::ostringstream s;
        s << f.rdbuf();
        return s.str();
    }
    void Write(const fs::path& path, const std::string& text) {
        std::ofstream f(path, std::ios::binary);
        f << text;
    }
    size_t EntriesInDir() {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    static std::vector<std::string> Lines(const std::string& tag) {
        std::vector<std::string> lines;
        for (int i = 0; i < 404; ++i)
            lines.push_back(tag + " line " + std::to_string(i));
        return lines;
    }
    static std::string Text(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& l : lines)
            text += l + "\r\n";
        return text;
    }
    fs::path dir;
};

} // namespace

TEST_F(FileStoreTest, WritesEveryLineWithCrLfAndReplacesTheOldFile) {
    const fs::path path = dir / "City.PZ1";
    Write(path, "an older, longer save that must disappear entirely " + std::string(100000, 'x'));
    std::string error;
    ASSERT_TRUE(cityfile::WriteLinesAtomically(path, Lines("new"), error)) << error;
    EXPECT_EQ(Read(path), Text(Lines("new")));
    EXPECT_EQ(EntriesInDir(), 1u); // no file left beside it
}

TEST_F(FileStoreTest, AnInterruptedWriteLeavesThePreviousFileWhole) {
    const fs::path path = dir / "City.PZ1";
    const std::string previous = Text(Lines("old"));
    Write(path, previous);
    for (int stopAt : {0, 1, 200, 403}) {
        SCOPED_TRACE(stopAt);
        int written = 0;
        std::string error;
        EXPECT_FALSE(cityfile::WriteLinesAtomically(path, Lines("new"), error, [&](int line) {
            if (line == stopAt)
                return false;
            ++written;
            return true;
        }));
        EXPECT_EQ(written, stopAt);
        EXPECT_EQ(error, "the write was interrupted at line " + std::to_string(stopAt + 1));
        EXPECT_EQ(Read(path), previous);
        EXPECT_EQ(EntriesInDir(), 1u); // the half-written file is gone
    }
}

TEST_F(FileStoreTest, AProgramKilledMidWriteLeavesThePreviousFileWhole) {
    const fs::path path = dir / "City.PZ1";
    const std::string previous = Text(Lines("old"));
    Write(path, previous);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string error;
        cityfile::WriteLinesAtomically(path, Lines("new"), error, [](int line) {
            if (line == 250)
                ::_exit(7); // dies with the new file half-written, no clean-up
            return true;
        });
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 7);
    EXPECT_EQ(Read(path), previous);
    // The next save works despite the abandoned file beside it.
    std::string error;
    ASSERT_TRUE(cityfile::WriteLinesAtomically(path, Lines("new"), error)) << error;
    EXPECT_EQ(Read(path), Text(Lines("new")));
}

TEST_F(FileStoreTest, FailuresLeaveTheTargetAlone) {
    std::string error;
    EXPECT_FALSE(cityfile::WriteLinesAtomically(dir / "missing" / "City.PZ1", Lines("new"), error));
    EXPECT_FALSE(fs::exists(dir / "missing"));

    fs::create_directories(dir / "Folder.PZ1");
    EXPECT_FALSE(cityfile::WriteLinesAtomically(dir / "Folder.PZ1", Lines("new"), error));
    EXPECT_TRUE(fs::is_directory(dir / "Folder.PZ1"));
    EXPECT_TRUE(fs::is_empty(dir / "Folder.PZ1"));
    EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(FileStoreTest, ReadOnlyFilesAndFoldersAreNotOverwrittenNorRead) {
    // Permissions do not bind the superuser, so the checks run in a child that gives
    // up its privileges first when the tests run as root.
    const fs::path path = dir / "City.PZ1";
    Write(path, "kept");
    Write(dir / "Secret.PZ1", "secret");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir / "Secret.PZ1", fs::perms::none);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0) {
            if (::chown(dir.c_str(), 65534, 65534) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(10);
        }
        std::string error, bytes;
        if (cityfile::WriteLinesAtomically(path, Lines("new"), error))
            ::_exit(11); // a read-only file was replaced
        if (cityfile::ReadWholeFile(dir / "Secret.PZ1", 100, bytes, error))
            ::_exit(12); // a file without read permission was read
        ::chmod(dir.c_str(), 0500);
        if (cityfile::WriteLinesAtomically(dir / "New.PZ1", Lines("new"), error))
            ::_exit(13); // a file was made in a folder without write permission
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(Read(path), "kept");
    EXPECT_FALSE(fs::exists(dir / "New.PZ1"));
}

TEST_F(FileStoreTest, KeepsThePermissionsOfTheFileItReplacesAndWritesThroughLinks) {
    const fs::path path = dir / "City.PZ1";
    Write(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::string error;
    ASSERT_TRUE(cityfile::WriteLinesAtomically(path, Lines("new"), error)) << error;
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const mode_t mask = ::umask(022);
    ASSERT_TRUE(cityfile::WriteLinesAtomically(dir / "Fresh.PZ1", Lines("new"), error)) << error;
    ::umask(mask);
    EXPECT_EQ(fs::status(dir / "Fresh.PZ1").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);

    fs::create_symlink(path, dir / "Link.PZ1");
    ASSERT_TRUE(cityfile::WriteLinesAtomically(dir / "Link.PZ1", Lines("linked"), error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "Link.PZ1"));
    EXPECT_EQ(Read(path), Text(Lines("linked")));
}

TEST_F(FileStoreTest, ReadsWholeFilesAndRefusesWhatIsNoFile) {
    std::string bytes, error;
    Write(dir / "a", std::string("ab\0\r\ncd", 7));
    ASSERT_TRUE(cityfile::ReadWholeFile(dir / "a", 100, bytes, error));
    EXPECT_EQ(bytes, std::string("ab\0\r\ncd", 7));

    // A large file is read only a little past the limit.
    Write(dir / "big", std::string(300000, 'z'));
    ASSERT_TRUE(cityfile::ReadWholeFile(dir / "big", 1000, bytes, error));
    EXPECT_EQ(bytes.size(), 1001u);

    EXPECT_FALSE(cityfile::ReadWholeFile(dir / "none", 100, bytes, error));
    fs::create_directories(dir / "folder");
    EXPECT_FALSE(cityfile::ReadWholeFile(dir / "folder", 100, bytes, error));
    EXPECT_EQ(error, "it is a folder");
}
