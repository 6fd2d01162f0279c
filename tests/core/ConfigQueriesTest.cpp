#include "model/Config.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace tessarin;
using Owner = HotKeyAssignment::Owner;
using Kind = HotKeyAssignment::Owner::Kind;

namespace {

Workspace desk(const std::string& name, WorkspaceState state = WorkspaceState::active,
               WorkspaceType type = WorkspaceType::permanent) {
    auto w = Workspace::make(name, type);
    w.state = state;
    return w;
}

Workspace archived(const std::string& name, std::optional<double> at,
                   WorkspaceState state = WorkspaceState::archivedSorted) {
    auto w = desk(name, state);
    if (at)
        w.archivedAt = Date{*at};
    return w;
}

std::vector<std::string> names(const std::vector<Workspace>& list) {
    std::vector<std::string> result;
    for (const auto& w : list)
        result.push_back(w.name);
    return result;
}

using Names = std::vector<std::string>;

} // namespace

TEST(ConfigQueries, ListsFilterAndOrderDesktops) {
    Config config;
    config.workspaces = {
        desk("A"),
        archived("Old undated", std::nullopt, WorkspaceState::archivedUnsorted),
        desk(std::string(Config::blankWorkspaceName)),
        archived("Old 10", 10, WorkspaceState::archivedUnsorted),
        desk("Temp", WorkspaceState::active, WorkspaceType::temporary),
        archived("Old 30", 30),
        archived("Old 10 second", 10),
        desk("B"),
        archived("Old undated second", std::nullopt),
        archived("Old 30 second", 30, WorkspaceState::archivedUnsorted),
    };
    EXPECT_EQ(names(config.liveWorkspaces()), (Names{"A", "Temp", "B"}));
    EXPECT_EQ(names(config.switchableWorkspaces()), (Names{"A", "B"}));
    EXPECT_EQ(names(config.archivedWorkspaces()), (Names{"Old 30", "Old 30 second", "Old 10", "Old 10 second",
                                                         "Old undated", "Old undated second"}));
    EXPECT_EQ(names(config.unsortedWorkspaces()), (Names{"Old 30 second", "Old 10", "Old undated"}));
    EXPECT_TRUE(Config{}.liveWorkspaces().empty());
    EXPECT_TRUE(Config{}.archivedWorkspaces().empty());
}

TEST(ConfigQueries, LookupByNameAndSpace) {
    Config config;
    auto first = desk("Dup");
    first.files = {"first"};
    auto second = desk("Dup");
    second.files = {"second"};
    auto archivedBound = archived("Gone", 1);
    archivedBound.spaceUUID = "S1";
    auto liveBound = desk("Here");
    liveBound.spaceUUID = "S1";
    config.workspaces = {first, second, archivedBound, liveBound};

    EXPECT_FALSE(config.findWorkspace("dup"));
    EXPECT_FALSE(config.findWorkspace(""));
    EXPECT_EQ(config.findWorkspace("Dup"), &config.workspaces[0]);
    EXPECT_EQ(config.workspaceBoundToSpace("S1")->name, "Here");
    EXPECT_FALSE(config.workspaceBoundToSpace("S2"));
}

TEST(ConfigQueries, ExpandTargetPrefersTheRememberedLiveDesktop) {
    struct Case {
        std::optional<std::string> remembered;
        std::vector<Workspace> workspaces;
        std::optional<std::string> expected;
    } cases[] = {
        {"B", {desk("A"), desk("B")}, "B"},
        {"Archived", {desk("A"), archived("Archived", 1)}, "A"},
        {std::string(Config::blankWorkspaceName),
         {desk(std::string(Config::blankWorkspaceName)), desk("A")},
         "A"},
        {std::nullopt,
         {archived("X", 1), desk("Temp", WorkspaceState::active, WorkspaceType::temporary)},
         "Temp"},
        {"A", {archived("A", 1), desk("A")}, "A"},
        {std::nullopt, {archived("X", 1), desk(std::string(Config::blankWorkspaceName))}, std::nullopt},
    };
    for (const auto& c : cases) {
        Config config;
        config.workspaces = c.workspaces;
        config.lastExpandedWorkspace = c.remembered;
        EXPECT_EQ(config.expandTarget(), c.expected) << c.remembered.value_or("(none)");
    }
}

TEST(ConfigQueries, HotKeyAssignments) {
    const HotKeySpec shared{18, 256};
    Config config;
    auto a = desk("A");
    a.hotkey = shared;
    auto gone = archived("Gone", 1);
    gone.hotkey = HotKeySpec{19, 256};
    auto b = desk("B");
    b.hotkey = HotKeySpec{20, 256};
    config.workspaces = {a, gone, b};
    config.settings.floatingDockShortcut = HotKeySpec{1, 1};
    config.settings.cycleNext = shared;
    config.settings.sortNowShortcut = HotKeySpec{2, 2};

    const std::vector<HotKeyAssignment> expected = {
        {Owner::forWorkspace("A"), shared},
        {Owner::forWorkspace("B"), HotKeySpec{20, 256}},
        {Owner::of(Kind::cycleNext), shared},
        {Owner::of(Kind::sortNow), HotKeySpec{2, 2}},
        {Owner::of(Kind::floatingDock), HotKeySpec{1, 1}},
    };
    EXPECT_EQ(config.hotKeyAssignments(), expected);

    // Owners compare the desktop name only for desktops.
    EXPECT_EQ((Owner{Kind::cycleNext, "x"}), Owner::of(Kind::cycleNext));
    EXPECT_NE(Owner::forWorkspace("x"), Owner::forWorkspace("y"));
}

TEST(ConfigMutations, UpdateAndBindTouchOnlyTheFirstMatch) {
    Config config;
    config.workspaces = {desk("A"), desk("B"), desk("B")};
    config.workspaces[0].spaceUUID = "S1";
    config.workspaces[2].spaceUUID = "S1";

    config.updateWorkspace("B", [](Workspace& w) { w.files.push_back("x"); });
    config.updateWorkspace("Nobody", [](Workspace&) { ADD_FAILURE() << "called for a missing desktop"; });
    EXPECT_EQ(config.workspaces[1].files, Names{"x"});
    EXPECT_TRUE(config.workspaces[2].files.empty());

    config.bindWorkspace("B", "S1");
    EXPECT_FALSE(config.workspaces[0].spaceUUID);
    EXPECT_EQ(config.workspaces[1].spaceUUID, std::optional<std::string>("S1"));
    EXPECT_FALSE(config.workspaces[2].spaceUUID);

    config.bindWorkspace("A", "S2");
    config.bindWorkspace("B", std::nullopt);
    EXPECT_EQ(config.workspaces[0].spaceUUID, std::optional<std::string>("S2"));
    EXPECT_FALSE(config.workspaces[1].spaceUUID);

    // Binding to a missing desktop still takes the Space away from its holder.
    config.bindWorkspace("Nobody", "S2");
    EXPECT_FALSE(config.workspaces[0].spaceUUID);
}

TEST(ConfigMutations, RenamesAndDrainRoutes) {
    Config config;
    config.workspaces = {desk("A"), desk("B"), desk("C")};
    config.workspaces[0].drainTarget = "Old";
    config.workspaces[0].timerDrains = true;
    config.workspaces[1].drainTarget = "Other";
    config.workspaces[1].timerDrains = true;
    config.workspaces[2].drainTarget = "Old";
    config.settings.customFilters = {CustomFilter{Uuid::random(), true, "p", "Old"},
                                     CustomFilter{Uuid::random(), true, "q", "Other"}};

    const Config before = config;
    config.renameDrainTarget("Old", "Old");
    config.renameCustomFilterCollection("Old", "Old");
    EXPECT_EQ(config, before);

    config.renameDrainTarget("Old", "New");
    config.renameCustomFilterCollection("Old", "New");
    EXPECT_EQ(config.workspaces[0].drainTarget, std::optional<std::string>("New"));
    EXPECT_EQ(config.workspaces[1].drainTarget, std::optional<std::string>("Other"));
    EXPECT_EQ(config.workspaces[2].drainTarget, std::optional<std::string>("New"));
    EXPECT_EQ(config.settings.customFilters[0].collection, "New");
    EXPECT_EQ(config.settings.customFilters[1].collection, "Other");

    config.clearDrainRoutes("New");
    EXPECT_FALSE(config.workspaces[0].drainTarget);
    EXPECT_FALSE(config.workspaces[0].timerDrains);
    EXPECT_FALSE(config.workspaces[2].drainTarget);
    EXPECT_EQ(config.workspaces[1].drainTarget, std::optional<std::string>("Other"));
    EXPECT_TRUE(config.workspaces[1].timerDrains);
}

TEST(ConfigModel, CueOpacityStaysInItsRange) {
    // Above the icons a cue lets at most 0.8 through, below them up to 1; never less than 0.05.
    struct Case {
        double opacity;
        bool aboveIcons;
        double expected;
    } cases[] = {{0.95, true, 0.8}, {0.95, false, 0.95}, {0.01, false, 0.05},        {1.5, false, 1.0},
                 {-3, true, 0.05},  {0.8, true, 0.8},    {std::nan(""), false, 0.05}};
    for (const auto& c : cases)
        EXPECT_EQ(DesktopCue::clampOpacity(c.opacity, c.aboveIcons), c.expected) << c.opacity;
}

TEST(IconPositions, KeepsInsertionOrderThroughReplaceAndErase) {
    IconPositions positions;
    for (int i = 0; i < 30; ++i)
        positions.set("n" + std::to_string(29 - i), IconPosition{i, i});
    positions.set("n29", IconPosition{-1, -1});
    EXPECT_TRUE(positions.erase("n20"));
    EXPECT_FALSE(positions.erase("n20"));
    positions.set("n20", IconPosition{7, 7});
    ASSERT_EQ(positions.size(), 30u);
    EXPECT_EQ(positions.begin()->first, "n29");
    EXPECT_EQ(*positions.find("n29"), (IconPosition{-1, -1}));
    EXPECT_EQ((positions.end() - 1)->first, "n20");
    for (int i = 0; i < 30; ++i)
        EXPECT_TRUE(positions.contains("n" + std::to_string(i))) << i;
    EXPECT_EQ(*positions.find("n0"), (IconPosition{29, 29}));

    const IconPositions forward{{"a", {1, 2}}, {"b", {3, 4}}};
    const IconPositions backward{{"b", {3, 4}}, {"a", {1, 2}}};
    const IconPositions different{{"b", {3, 4}}, {"a", {1, 3}}};
    EXPECT_EQ(forward, backward);
    EXPECT_NE(forward, different);
    EXPECT_NE(forward, IconPositions{});
}
