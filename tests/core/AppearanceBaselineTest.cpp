// The light/dark mode per desktop: the session flips only when the desktop's wish differs from what
// is in force, and the user's own mode comes back when a desktop without a wish is shown.
#include "session/AppearanceBaseline.h"

#include <gtest/gtest.h>

using namespace tessarin;

namespace {

// The session's scheme as a value, with the flips asked of it.
struct Session : AppearanceSwitch {
    bool dark = false;
    std::vector<bool> flips;
    bool currentIsDark() override { return dark; }
    void setDark(bool d) override {
        flips.push_back(d);
        dark = d;
    }
};

Config desktops() {
    Config c = makeDefaultConfig();
    for (const auto& [name, mode] : {std::pair{"Plain", AppearanceMode::system},
                                     {"Night", AppearanceMode::dark},
                                     {"Late", AppearanceMode::dark},
                                     {"Day", AppearanceMode::light}}) {
        Workspace w = Workspace::make(name);
        w.preferredAppearance = mode;
        c.workspaces.push_back(w);
    }
    return c;
}

} // namespace

TEST(AppearanceBaseline, FlipsOnceAndGivesTheUsersModeBack) {
    struct Case {
        std::string name;
        bool userDark;                     // the session's mode before the first switch
        std::vector<std::string> switches; // desktops shown in turn
        std::vector<bool> flips;           // what the session was asked to become
        std::optional<AppearanceMode> baseline;
    } cases[] = {
        {"dark then none", false, {"Night", "Plain"}, {true, false}, std::nullopt},
        {"two dark in a row", false, {"Night", "Late"}, {true}, AppearanceMode::light},
        {"dark, light, none on a dark session", true, {"Night", "Day", "Plain"}, {false, true}, std::nullopt},
        {"a wish already granted", true, {"Late", "Plain"}, {}, std::nullopt},
        {"an unknown desktop restores", false, {"Night", "Gone"}, {true, false}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Session session;
        session.dark = c.userDark;
        AppearanceBaseline appearance(session);
        const Config document = desktops();
        for (const auto& name : c.switches)
            appearance.apply(document, name);
        EXPECT_EQ(session.flips, c.flips);
        EXPECT_EQ(appearance.baseline(), c.baseline);
    }
}

TEST(AppearanceBaseline, AChangeByHandMeanwhileIsNotUndone) {
    // The user turns the session light by hand while a dark desktop is shown: back on a plain desktop
    // the session already has the user's mode, so nothing flips and nothing is remembered any more.
    Session session;
    AppearanceBaseline appearance(session);
    const Config document = desktops();
    appearance.apply(document, "Night");
    session.dark = false;
    appearance.apply(document, "Plain");
    EXPECT_EQ(session.flips, (std::vector<bool>{true}));
    EXPECT_FALSE(appearance.baseline());
}
