#include "store/Paths.h"

#include "support/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <map>

using namespace tessarin;
namespace fs = std::filesystem;

TEST(Paths, UserDirsDesktopEntry) {
    const fs::path home = "/home/ada";
    struct Case {
        const char* text;
        const char* expected; // nullptr: the file does not set a usable Desktop
    } cases[] = {
        {"# comment\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n",
         "/home/ada/Schreibtisch"},
        {"  XDG_DESKTOP_DIR = \"$HOME/My Desk\"", "/home/ada/My Desk"},
        {"XDG_DESKTOP_DIR=\"/srv/desk\"", "/srv/desk"},
        {"XDG_DESKTOP_DIR=\"$HOME/with \\\"quote\\\" and \\\\slash\"",
         "/home/ada/with \"quote\" and \\slash"},
        {"XDG_DESKTOP_DIR=\"$HOME/\"", "/home/ada"},
        {"XDG_DESKTOP_DIR=\"$HOME\"", "/home/ada"},
        {"XDG_DESKTOP_DIR=\"$HOMEWORK/x\"", nullptr},
        {"XDG_DESKTOP_DIR=\"relative/path\"", nullptr},
        {"XDG_DESKTOP_DIR=$HOME/Desktop", nullptr},
        {"XDG_DESKTOP_DIR=\"$HOME/unterminated", nullptr},
        {"#XDG_DESKTOP_DIR=\"$HOME/Commented\"", nullptr},
        {"XDG_DESKTOP_DIR=\"$HOME/First\"\nXDG_DESKTOP_DIR=\"$HOME/Second\"", "/home/ada/Second"},
    };
    for (const auto& c : cases) {
        const auto got = parseUserDirsDesktop(c.text, home);
        if (c.expected)
            EXPECT_EQ(got.value_or("<none>"), fs::path(c.expected)) << c.text;
        else
            EXPECT_FALSE(got) << c.text << " gave " << got->string();
    }
}

TEST(Paths, CurrentUserLocationsFromEnvironment) {
    test::TempDir tmp;
    const fs::path home = tmp / "home";
    const fs::path configHome = tmp / "cfg";
    test::writeFile(configHome / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");

    std::map<std::string, std::string> env{{"HOME", home.string()}, {"XDG_CONFIG_HOME", configHome.string()}};
    auto lookup = [&env](const std::string& name) -> std::optional<std::string> {
        auto it = env.find(name);
        return it == env.end() ? std::nullopt : std::optional(it->second);
    };
    Paths p = Paths::forEnvironment(lookup);
    EXPECT_EQ(p.desktop, home / "Bureau");
    EXPECT_EQ(p.root, home / "Tessarin Desktops");
    EXPECT_EQ(p.config, home / "Tessarin Desktops/.store/config.json");
    EXPECT_EQ(p.journal, home / "Tessarin Desktops/.store/journal.json");
    EXPECT_EQ(p.pinnedStash, home / "Tessarin Desktops/.pinned");
    EXPECT_EQ(p.defaultArchiveRoot, home / "Tessarin Desktops/Archive");

    // Without a user-dirs.dirs the Desktop is $HOME/Desktop; a relative XDG_CONFIG_HOME is ignored.
    env["XDG_CONFIG_HOME"] = "relative";
    EXPECT_EQ(Paths::forEnvironment(lookup).desktop, home / "Desktop");
    env.erase("XDG_CONFIG_HOME");
    test::writeFile(home / ".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Escritorio\"\n");
    EXPECT_EQ(Paths::forEnvironment(lookup).desktop, home / "Escritorio");
}
