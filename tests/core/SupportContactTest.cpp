#include "support/SupportContact.h"

#include "support/Instants.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tessarin {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

Config sampleDocument() {
    Config c = makeDefaultConfig();
    c.activeWorkspace = "Work";
    const auto add = [&](const std::string& name, WorkspaceState state) {
        Workspace w = Workspace::make(name, WorkspaceType::temporary);
        w.state = state;
        c.workspaces.push_back(w);
    };
    add("Work", WorkspaceState::active);
    add("Home", WorkspaceState::active);
    add("Old", WorkspaceState::archivedUnsorted);
    add("Older", WorkspaceState::archivedUnsorted);
    add("Done", WorkspaceState::archivedSorted);
    add(std::string(Config::blankWorkspaceName), WorkspaceState::active);
    return c;
}

TEST(SupportContactTest, TheReportsLines) {
    const std::string system = "Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64";
    struct Case {
        const char* what;
        ProductInfo product;
        bool journalPending;
        std::string line1;
        std::string line4;
    } cases[] = {
        {"without version information",
         {std::nullopt, std::nullopt, system, std::nullopt},
         false,
         "Tessarin dev (\u2013) \u00b7 " + system,
         "Journal pending: no"},
        {"with version information and a pending journal",
         {"0.1.0", "417", system, std::nullopt},
         true,
         "Tessarin 0.1.0 (417) \u00b7 " + system,
         "Journal pending: YES \u2014 interrupted swap awaiting recovery"},
    };
    for (const auto& c : cases) {
        const Log log;
        const SupportContact support(c.product, "/home/ada/Tessarin Desktops", log);
        Config doc = sampleDocument();
        doc.schemaVersion = 3; // a newer document read in a read-only session
        const std::string report = support.diagnostics(doc, c.journalPending);
        EXPECT_FALSE(report.ends_with("\n")) << c.what;
        EXPECT_EQ(lines(report),
                  (std::vector<std::string>{
                      c.line1,
                      "Store: /home/ada/Tessarin Desktops",
                      "Desktops: 2 live, 3 archived (2 unsorted) \u00b7 active: \u201cWork\u201d",
                      c.line4,
                      "Config schema: 3 (this app understands 1)",
                      "",
                      "\u2014 Log, this run \u2014",
                      "(no entries)",
                  }))
            << c.what;
    }
}

TEST(SupportContactTest, OnlyTheLast200LogLinesOldestFirst) {
    auto stamp = test::utc(2026, 3, 1, 9, 0).timePoint();
    Log log({}, Log::defaultCapacity, [&] { return stamp += std::chrono::seconds(1); });
    for (int i = 0; i < 250; ++i)
        log.log(i % 2 ? LogCategory::archive : LogCategory::swap, "line %d", i);
    const SupportContact support({"0.1.0", "1", "Linux, kernel 6", std::nullopt}, "/s", log);

    const auto report = lines(support.diagnostics(sampleDocument(), false));
    ASSERT_EQ(report.size(), 7u + 200u);
    EXPECT_EQ(report[7], "2026-03-01T09:00:51Z [swap] line 50");
    EXPECT_EQ(report[8], "2026-03-01T09:00:52Z [archive] line 51");
    EXPECT_EQ(report.back(), "2026-03-01T09:04:10Z [archive] line 249");
}

TEST(SupportContactTest, SystemDescriptionFromOsRelease) {
    struct Case {
        const char* what;
        std::string osRelease;
        std::string expected;
    } cases[] = {
        {"single quotes keep backslashes", "PRETTY_NAME='Fedora \\Linux'\n",
         "Fedora \\Linux, kernel 6.1.0-18-amd64"},
        {"double quotes with escapes, among other keys",
         "NAME=\"Say\"\nPRETTY_NAME=\"Say \\\"hi\\\"\"\nID=x\n", "Say \"hi\", kernel 6.1.0-18-amd64"},
        {"unquoted", "PRETTY_NAME=Alpine\n", "Alpine, kernel 6.1.0-18-amd64"},
        {"no PRETTY_NAME", "NAME=Something\n", "Linux, kernel 6.1.0-18-amd64"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(systemDescription(osReleasePrettyName(c.osRelease), "6.1.0-18-amd64"), c.expected)
            << c.what;
    EXPECT_TRUE(currentSystemDescription().find(", kernel ") != std::string::npos);
}

TEST(SupportContactTest, SupportMail) {
    const Log log;
    const SupportContact without({std::nullopt, std::nullopt, "Linux, kernel 6", std::nullopt}, "/s", log);
    EXPECT_EQ(without.mailBody(), "\n\n\u2014\nTessarin dev \u00b7 Linux, kernel 6");
    EXPECT_FALSE(without.mailUrl());

    const SupportContact with({"0.1.0", "9", "Linux, kernel 6", "help@example.org"}, "/s", log);
    EXPECT_EQ(with.mailUrl(), "mailto:help@example.org?subject=Tessarin%20support&body=%0A%0A%E2%80%94%0A"
                              "Tessarin%200.1.0%20%C2%B7%20Linux%2C%20kernel%206");
}

} // namespace
} // namespace tessarin
