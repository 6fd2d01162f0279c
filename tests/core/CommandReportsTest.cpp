#include "session/CommandReports.h"

#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using tessarin::test::World;

TEST(CommandReports, StatusFromTheStoreAndBackThroughJson) {
    World w;
    w.document("Work", {"Home", "Work"});
    mutateConfig(w.store, [](Config& c) {
        c.updateWorkspace("Home", [](Workspace& ws) {
            ws.state = WorkspaceState::archivedUnsorted;
            ws.archivedAt = Date{100};
        });
    });
    StatusReport report = makeStatusReport(w.store, false);
    EXPECT_EQ(report.active, "Work");
    EXPECT_EQ(report.live, (std::vector<std::string>{"Work"}));
    EXPECT_EQ(report.archived, (std::vector<std::string>{"Home"}));
    EXPECT_FALSE(report.hidden);
    EXPECT_FALSE(report.journalPending);

    tessarin::test::writeFile(w.paths.journal, "{broken");
    report = makeStatusReport(w.store, true);
    EXPECT_TRUE(report.journalPending); // unreadable still counts as pending
    EXPECT_TRUE(report.readOnly);

    EXPECT_EQ(
        encodeStatusReport(report),
        R"({"active":"Work","live":["Work"],"archived":["Home"],"hidden":false,"journalPending":true,"readOnly":true})");
    EXPECT_EQ(decodeStatusReport(encodeStatusReport(report)), report);
    const StatusReport listed = decodeStatusReport(encodeListReport(report));
    EXPECT_EQ(listed.live, report.live);
    EXPECT_TRUE(listed.archived.empty());
}

TEST(CommandReports, SwitchOutcomesRoundTrip) {
    std::vector<SwitchOutcome> outcomes(4);
    outcomes[0] = {SwitchOutcome::Result::switched, "A", "B", {"x", "y"}, "", 12};
    outcomes[1] = {SwitchOutcome::Result::failed, "A", "Nope", {}, "There is no desktop called “Nope”.", 3};
    outcomes[2] = {SwitchOutcome::Result::readOnly, "", "B", {}, "", 0};
    outcomes[3] = {};
    for (const auto& o : outcomes) {
        const SwitchOutcome back = decodeSwitchOutcome(encodeSwitchOutcome(o));
        EXPECT_EQ(back.result, o.result);
        EXPECT_EQ(back.leaving, o.leaving);
        EXPECT_EQ(back.target, o.target);
        EXPECT_EQ(back.skips, o.skips);
        EXPECT_EQ(back.error, o.error);
        EXPECT_EQ(back.milliseconds, o.milliseconds);
    }
    for (const char* bad : {"", "[]", "{\"result\":\"exploded\"}", "{\"result\":\"switched\",\"skips\":3}"})
        EXPECT_THROW(decodeSwitchOutcome(bad), std::invalid_argument) << bad;
    EXPECT_THROW(decodeStatusReport("{\"live\":\"Home\"}"), std::invalid_argument);
}
