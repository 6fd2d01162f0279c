// The naming rules of desktops, with their exact texts. Every place that takes a name (the settings
// model, rules, adoption, the command line) passes it through these; they check only that it was refused.
#include "settings/NamingRules.h"

#include <gtest/gtest.h>

using namespace tessarin;

TEST(NamingRules, RefusalsInTheirOrder) {
    const std::string blankName = "A desktop needs a name.";
    const std::string controls = "Desktop names can't contain tabs, line breaks or other control characters.";
    const std::string utf8 = "Desktop names must be UTF-8 text.";
    const std::string underscore = "Names can't start with \u201c_\u201d (reserved).";
    const std::string dot = "Names can't start with \u201c.\u201d (hidden folders).";
    const auto ownFolder = [](const std::string& n) {
        return "\u201c" + n + "\u201d is part of the desktops folder itself \u2014 pick another name.";
    };
    struct Case {
        std::string name;
        std::string typed;  // typedDesktopNameRefusal with room for 20 bytes; empty: allowed
        std::string stored; // desktopNameRefusal, for names read from a document or a folder
        std::string store;  // storeFolderRefusal
    } cases[] = {
        {"Work", "", "", ""},
        {"ARCHIVES", "", "", ""},
        {"caf\u00e9 \u2615", "", "", ""},
        {"", blankName, "", ""},
        {"   ", blankName, "", ""},
        {"\u00a0\u200b", blankName, "", ""},
        {"\u3000\t", blankName, "", ""},
        {"Tab\tName", controls, "", ""},
        {"Next\u0085Line", controls, "", ""},
        {"Line\u2028Break", controls, "", ""},
        {"Bad\xff", utf8, "", ""},
        {"Half\xc3", utf8, "", ""},
        {"Bad\xff\t", utf8, "", ""}, // not UTF-8 comes first
        {"_x", underscore, underscore, ""},
        {".x", dot, dot, ""},
        {".pinned", dot, dot, ownFolder(".pinned")},
        {".STORE", dot, dot, ownFolder(".STORE")},
        {"archive", ownFolder("archive"), ownFolder("archive"), ownFolder("archive")},
        {"Projects/2026", "Names can't contain \u201c/\u201d.", "Names can't contain \u201c/\u201d.", ""},
        {"twenty-one bytes long",
         "That name is too long for a desktop: its folder name can have at most 20 bytes here (this one has "
         "21).",
         "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(typedDesktopNameRefusal(c.name, 20).value_or(""), c.typed);
        // The rules after the typing ones apply to names that were never typed too.
        if (c.typed != blankName && c.typed != controls && c.typed != utf8 && !c.typed.starts_with("That")) {
            EXPECT_EQ(desktopNameRefusal(c.name).value_or(""), c.stored);
        }
        EXPECT_EQ(storeFolderRefusal(c.name).value_or(""), c.store);
    }
}

TEST(NamingRules, TrimmingAndUniqueNames) {
    struct Case {
        std::string typed, trimmed;
    } cases[] = {{"  Work  ", "Work"},
                 {"\u00a0Projects\u2003", "Projects"},
                 {"a b", "a b"},
                 {"\u3000", ""},
                 {"Bad\xff ", "Bad\xff "}};
    for (const auto& c : cases)
        EXPECT_EQ(trimmedName(c.typed), c.trimmed) << c.typed;

    Config config;
    config.workspaces = {Workspace::make("Screenshots"), Workspace::make("Screenshots 2")};
    EXPECT_EQ(uniqueWorkspaceName(config, "Screenshots"), "Screenshots 3");
    EXPECT_EQ(uniqueWorkspaceName(config, "Notes"), "Notes");
}
