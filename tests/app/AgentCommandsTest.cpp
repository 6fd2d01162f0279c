#include "control/AgentCommands.h"

#include "model/ConfigCodec.h"
#include "session/CommandReports.h"
#include "support/SwapWorld.h"

#include <gtest/gtest.h>

using namespace tessarin;
using tessarin::test::SwapWorld;

namespace {

struct Agent {
    SwapWorld world;
    SwitchSequence sequence{world.store, world.swapper, world.log, world.clock};
    bool launched = true;
    int recovered = 0;
    AgentCommands commands{
        {world.store, sequence, [this] { ++recovered; }, [this] { return launched; }, {}, {}, {}}};
};

// The failure class a request ends with; none when it succeeded.
std::optional<control::Failure> failureOf(const std::function<void()>& request) {
    try {
        request();
    } catch (const ControlFailure& f) {
        return f.failure();
    }
    return std::nullopt;
}

} // namespace

TEST(AgentCommands, RepliesAndFailuresAsTessarinctlPrintsThem) {
    Agent a;
    a.world.document("Home", {"Home", "Work"});
    a.world.put(a.world.paths.desktop, "note.txt");
    a.world.put(a.world.folder("Work"), "plan.txt");

    // Status, list and a refused switch are read end to end through tessarinctl; here the rest.
    const SwitchOutcome moved = decodeSwitchOutcome(a.commands.switchTo("Work"));
    EXPECT_EQ(moved.result, SwitchOutcome::Result::switched);
    EXPECT_EQ(moved.leaving, "Home");
    EXPECT_EQ(a.world.desktop(), (std::set<std::string>{"plan.txt"}));
    EXPECT_EQ(decodeSwitchOutcome(a.commands.last()).target, "Home");
    EXPECT_EQ(decodeSwitchOutcome(a.commands.hide()).target, "_Hidden Desktop");
    EXPECT_EQ(decodeSwitchOutcome(a.commands.toggle()).target, "Home");
    EXPECT_EQ(decodeSwitchOutcome(a.commands.next()).target, "Work");
    EXPECT_EQ(decodeSwitchOutcome(a.commands.previous()).target, "Home");
    EXPECT_EQ(decodeSwitchOutcome(a.commands.show()).result, SwitchOutcome::Result::switched);

    EXPECT_EQ(failureOf([&] { a.commands.recover(); }), std::nullopt);
    EXPECT_EQ(a.recovered, 1);
    EXPECT_TRUE(decodeConfig(a.commands.config()).findWorkspace("Work"));

    a.launched = false;
    EXPECT_EQ(failureOf([&] { a.commands.status(); }), control::Failure::busy);
    a.launched = true;

    // A read-only session: the switches' refusal is seen end to end; recovery checks on its own.
    a.sequence.setReadOnly(true);
    EXPECT_EQ(failureOf([&] { a.commands.recover(); }), control::Failure::readOnly);

    // An undecodable document: status and config are refused with the decoder's message.
    tessarin::test::writeFile(a.world.paths.config, "{not json");
    EXPECT_EQ(failureOf([&] { a.commands.status(); }), control::Failure::refused);
    EXPECT_EQ(failureOf([&] { a.commands.config(); }), control::Failure::refused);
}
