#include "organise/CleanupTasks.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

const Date day1{1000};
const Date day2{2000};
const Date day3{3000};

Workspace desktop(const std::string& name, WorkspaceState state = WorkspaceState::archivedUnsorted) {
    Workspace w = Workspace::make(name, WorkspaceType::temporary);
    w.state = state;
    return w;
}

CleanupTask task(const char* id, std::vector<std::string> members, Date date) {
    return {Uuid::parse(id).value(), std::move(members), date};
}

const char* idA = "00000000-0000-0000-0000-00000000000A";
const char* idB = "00000000-0000-0000-0000-00000000000B";
const char* idC = "00000000-0000-0000-0000-00000000000C";

// Members and dates of the tasks, ids of the tasks given beforehand kept, new ids masked.
struct Shape {
    std::string id;
    std::vector<std::string> members;
    Date date;
    bool operator==(const Shape&) const = default;
};

std::vector<Shape> shape(const Config& config) {
    std::vector<Shape> result;
    for (const auto& t : config.cleanupTasks) {
        const auto& text = t.id.text();
        const bool known = text == idA || text == idB || text == idC;
        result.push_back({known ? text : "new", t.members, t.date});
    }
    return result;
}

void PrintTo(const Shape& s, std::ostream* os) {
    *os << s.id << " [";
    for (const auto& m : s.members)
        *os << m << ";";
    *os << "] " << s.date.secondsSinceReference;
}

TEST(CleanupTasksTest, OperationsOnTheCalendar) {
    Config base = makeDefaultConfig();
    base.workspaces = {desktop("Photos"), desktop("Taxes"), desktop("Notes"),
                       desktop("Live", WorkspaceState::active),
                       desktop("Sorted", WorkspaceState::archivedSorted)};
    base.cleanupTasks = {task(idA, {"Photos", "Taxes"}, day1), task(idB, {"Notes"}, day2)};

    const Uuid a = *Uuid::parse(idA);
    const Uuid b = *Uuid::parse(idB);
    const Uuid missing = *Uuid::parse(idC);
    struct Case {
        const char* what;
        std::function<void(Config&)> change;
        std::vector<Shape> expected;
    } cases[] = {
        {"add: a member of any task is left alone",
         [](Config& c) { addCleanupTask(c, "Taxes", day3); },
         {{idA, {"Photos", "Taxes"}, day1}, {idB, {"Notes"}, day2}}},
        {"add: same day is not merged",
         [](Config& c) { addCleanupTask(c, "Live", day2); },
         {{idA, {"Photos", "Taxes"}, day1}, {idB, {"Notes"}, day2}, {"new", {"Live"}, day2}}},
        {"set date: joins the first task of that exact date",
         [](Config& c) { setCleanupDate(c, "Photos", day2); },
         {{idA, {"Taxes"}, day1}, {idB, {"Notes", "Photos"}, day2}}},
        {"set date: a new task when no date matches",
         [](Config& c) { setCleanupDate(c, "Notes", day3); },
         {{idA, {"Photos", "Taxes"}, day1}, {"new", {"Notes"}, day3}}},
        {"set date: an instant that is not exactly equal makes its own task",
         [](Config& c) { setCleanupDate(c, "Photos", day2.addingSeconds(1)); },
         {{idA, {"Taxes"}, day1}, {idB, {"Notes"}, day2}, {"new", {"Photos"}, day2.addingSeconds(1)}}},
        {"remove member: empty tasks go",
         [](Config& c) { removeCleanupMember(c, "Notes"); },
         {{idA, {"Photos", "Taxes"}, day1}}},
        {"rename member",
         [](Config& c) { renameCleanupMember(c, "Taxes", "Taxes 2025"); },
         {{idA, {"Photos", "Taxes 2025"}, day1}, {idB, {"Notes"}, day2}}},
        {"reschedule",
         [&](Config& c) { rescheduleCleanupTask(c, b, day3); },
         {{idA, {"Photos", "Taxes"}, day1}, {idB, {"Notes"}, day3}}},
        {"reschedule an unknown id",
         [&](Config& c) { rescheduleCleanupTask(c, missing, day3); },
         {{idA, {"Photos", "Taxes"}, day1}, {idB, {"Notes"}, day2}}},
        {"merge: the target keeps its date",
         [&](Config& c) { mergeCleanupTasks(c, a, b); },
         {{idB, {"Notes", "Photos", "Taxes"}, day2}}},
        {"merge into itself",
         [&](Config& c) { mergeCleanupTasks(c, a, a); },
         {{idA, {"Photos", "Taxes"}, day1}, {idB, {"Notes"}, day2}}},
        {"merge with a missing task",
         [&](Config& c) { mergeCleanupTasks(c, missing, a); },
         {{idA, {"Photos", "Taxes"}, day1}, {idB, {"Notes"}, day2}}},
        {"split one of two members",
         [](Config& c) { splitMember(c, "Photos", day3); },
         {{idA, {"Taxes"}, day1}, {idB, {"Notes"}, day2}, {"new", {"Photos"}, day3}}},
        {"split the only member: the whole task moves",
         [](Config& c) { splitMember(c, "Notes", day3); },
         {{idA, {"Photos", "Taxes"}, day1}, {idB, {"Notes"}, day3}}},
        {"split a name no task lists",
         [](Config& c) { splitMember(c, "Live", day3); },
         {{idA, {"Photos", "Taxes"}, day1}, {idB, {"Notes"}, day2}}},
        {"prune keeps live and unsorted desktops only",
         [](Config& c) {
             c.cleanupTasks.push_back(task(idC, {"Sorted", "Live", "Nobody"}, day3));
             std::erase_if(c.workspaces, [](const Workspace& w) { return w.name == "Notes"; });
             pruneCleanupTasks(c);
         },
         {{idA, {"Photos", "Taxes"}, day1}, {idC, {"Live"}, day3}}},
    };
    for (const auto& c : cases) {
        Config config = base;
        c.change(config);
        EXPECT_EQ(shape(config), c.expected) << c.what;
    }
}

TEST(CleanupTasksTest, OpenTasksAndTheirColours) {
    Config config = makeDefaultConfig();
    config.workspaces = {desktop("Photos"), desktop("Taxes", WorkspaceState::archivedSorted),
                         desktop("Notes")};
    config.cleanupTasks = {task(idA, {"Photos", "Taxes", "Nobody"}, day1), task(idB, {"Taxes"}, day2),
                           task(idC, {"Nobody", "Notes"}, day3)};
    const Config stored = config;

    const auto open = openCleanupTasks(config);
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[0], task(idA, {"Photos"}, day1));
    EXPECT_EQ(open[1], task(idC, {"Notes"}, day3));
    EXPECT_EQ(config, stored) << "the stored document is not changed";

    EXPECT_EQ(taskColorStops(config, config.cleanupTasks[0]),
              (std::vector<std::string>{config.workspaces[0].colorHex, config.workspaces[1].colorHex}));
    EXPECT_EQ(taskColorStops(config, config.cleanupTasks[2]),
              std::vector<std::string>{config.workspaces[2].colorHex});
}

} // namespace
} // namespace tessarin
