#include "freedesktop/TrashFileService.h"

#include "support/Files.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QUrl>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

// Points HOME and XDG_DATA_HOME into a throwaway folder (Qt reads both at each call) for the life of the
// object, so the Trash is $folder/data/Trash.
struct ThrowawayTrash {
    ThrowawayTrash() {
        env.set("HOME", (home.path() / "home").c_str());
        env.set("XDG_DATA_HOME", (home.path() / "data").c_str());
        fs::create_directories(home.path() / "home");
    }

    test::TempDir home;
    test::ScopedEnv env;
    fs::path files() const { return home.path() / "data" / "Trash" / "files"; }
    fs::path info() const { return home.path() / "data" / "Trash" / "info"; }
};

struct TrashInfo {
    fs::path originalPath;
    std::string deletionDate;
};

// The entries of the Trash by their name in files/, read from their .trashinfo files.
std::map<std::string, TrashInfo> trashEntries(const ThrowawayTrash& trash) {
    std::map<std::string, TrashInfo> entries;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(trash.info(), ec)) {
        const std::string text = test::readFile(e.path());
        EXPECT_TRUE(text.starts_with("[Trash Info]\n")) << text;
        TrashInfo info;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("Path=")) {
                EXPECT_EQ(line.find(' '), std::string::npos) << "the path is URL-escaped: " << line;
                info.originalPath =
                    QUrl::fromPercentEncoding(QByteArray::fromStdString(line.substr(5))).toStdString();
            } else if (line.starts_with("DeletionDate="))
                info.deletionDate = line.substr(13);
        }
        auto name = e.path().filename().string();
        name.resize(name.size() - std::string(".trashinfo").size());
        EXPECT_TRUE(fs::exists(trash.files() / name)) << name;
        entries[name] = info;
    }
    return entries;
}

std::string localDeletionDate(std::time_t t) {
    std::tm parts{};
    ::localtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    return text;
}

TEST(TrashFileServiceTest, TrashedItemsCanBePutBackByAFileManager) {
    ThrowawayTrash trash;
    const fs::path home = trash.home.path() / "home";
    const auto before = std::time(nullptr);
    struct Case {
        fs::path item;
        bool folder;
    } cases[] = {
        {home / "Tessarin Desktops" / "Scratch", true},
        {home / "Tessarin Desktops" / "Archive" / "Scratch", true},
        {home / "report 100%.pdf", false},
    };
    TrashFileService service;
    for (const auto& c : cases) {
        if (c.folder)
            test::writeFile(c.item / "inside.txt", c.item.string());
        else
            test::writeFile(c.item, c.item.string());
        service.trashItem(c.item);
        EXPECT_FALSE(fs::exists(c.item)) << c.item;
    }
    const auto after = std::time(nullptr);
    // Nothing there: refused, so that the archiver can tell a missing folder from a trashed one.
    EXPECT_THROW(service.trashItem(home / "Tessarin Desktops" / "Vanished"), std::runtime_error);

    const auto entries = trashEntries(trash);
    ASSERT_EQ(entries.size(), std::size(cases));
    std::map<fs::path, std::string> byOrigin;
    for (const auto& [name, info] : entries) {
        byOrigin[info.originalPath] = name;
        EXPECT_TRUE(info.deletionDate >= localDeletionDate(before) &&
                    info.deletionDate <= localDeletionDate(after))
            << info.deletionDate;
    }
    std::set<std::string> names;
    for (const auto& c : cases) {
        ASSERT_TRUE(byOrigin.contains(c.item)) << c.item << " has no entry naming it";
        const fs::path inTrash = trash.files() / byOrigin[c.item];
        const fs::path content = c.folder ? inTrash / "inside.txt" : inTrash;
        EXPECT_EQ(test::readFile(content), c.item.string()) << "the entry holds the item itself";
        names.insert(byOrigin[c.item]);
    }
    EXPECT_EQ(names.size(), std::size(cases)) << "items of the same name get names of their own";
    EXPECT_TRUE(names.contains("Scratch")) << "the first one keeps its name";
}

TEST(TrashFileServiceTest, ATrashThatCantBeMadeLeavesTheItemWhereItWas) {
    ThrowawayTrash trash;
    // The data folder lies under a file, so no Trash can be made there.
    test::writeFile(trash.home.path() / "blocker", "a file");
    trash.env.set("XDG_DATA_HOME", (trash.home.path() / "blocker" / "data").c_str());
    const fs::path item = trash.home.path() / "home" / "Desktop" / "Scratch";
    test::writeFile(item, "keep me");
    // Work from a folder of our own: it must stay empty.
    test::TempDir workingFolder;
    const fs::path previous = fs::current_path();
    fs::current_path(workingFolder.path());

    TrashFileService service;
    EXPECT_THROW(service.trashItem(item), std::runtime_error);
    fs::current_path(previous);

    EXPECT_EQ(test::readFile(item), "keep me");
    EXPECT_TRUE(fs::is_empty(workingFolder.path())) << "nothing was left in the current folder";
}

// In a child process with a mount namespace of its own: a fresh volume (tmpfs) at `mountPoint`, an item
// trashed there, and its .trashinfo copied to `result`. Exits 0, 77 when no volume can be mounted here,
// anything else on failure.
[[noreturn]] void trashOnAnotherVolume(const fs::path& mountPoint, const fs::path& result) {
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWNS) != 0) {
        // Not root: become root of a user namespace of our own, which may mount.
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            ::_exit(77);
        const auto write = [](const char* file, const std::string& text) {
            const int fd = ::open(file, O_WRONLY);
            const bool ok =
                fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
            if (fd >= 0)
                ::close(fd);
            return ok;
        };
        if (!write("/proc/self/setgroups", "deny") ||
            !write("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !write("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            ::_exit(77);
    }
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tessarin-test", mountPoint.c_str(), "tmpfs", 0, "size=4m") != 0)
        ::_exit(77);
    const fs::path item = mountPoint / "Tessarin Desktops" / "Old 100%";
    test::writeFile(item / "inside.txt", "kept");
    try {
        TrashFileService().trashItem(item);
    } catch (...) {
        ::_exit(2);
    }
    const fs::path info =
        mountPoint / (".Trash-" + std::to_string(::getuid())) / "info" / "Old 100%.trashinfo";
    if (!fs::exists(info) || fs::exists(item))
        ::_exit(3);
    test::writeFile(result, test::readFile(info));
    ::_exit(0);
}

TEST(TrashFileServiceTest, TheTrashOfAnotherVolumeRecordsPathsFromItsTop) {
    ThrowawayTrash trash; // the home Trash, on the volume of the temporary folder
    const fs::path mountPoint = trash.home.path() / "volume";
    const fs::path result = trash.home.path() / "trashinfo";
    fs::create_directories(mountPoint);
    const pid_t child = ::fork();
    if (child == 0)
        trashOnAnotherVolume(mountPoint, result);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no volume can be mounted here";
    ASSERT_EQ(WEXITSTATUS(status), 0);
    const std::string info = test::readFile(result);
    EXPECT_NE(info.find("\nPath=Tessarin%20Desktops/Old%20100%25\n"), std::string::npos) << info;
    EXPECT_TRUE(trashEntries(trash).empty()) << "nothing went to the home Trash";
}

} // namespace
} // namespace tessarin
