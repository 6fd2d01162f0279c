// Each plain setting by name: a value written through its key reads back through the same key, and
// lands in the field of that name and nowhere else.
#include "settings/SettingKeys.h"

#include "model/ConfigCodec.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using test::World;

namespace {

// Another value the key accepts than `current`.
std::string otherValue(const SettingKey& key, const std::string& current, const World& w) {
    if (key.accepted() == "true or false")
        return current == "true" ? "false" : "true";
    if (key.accepted().starts_with("one of ")) {
        const std::string list = key.accepted().substr(7);
        for (std::size_t start = 0; start < list.size();) {
            const auto end = std::min(list.find(", ", start), list.size());
            const std::string name = list.substr(start, end - start);
            if (name != current)
                return name;
            start = end + 2;
        }
    }
    if (key.accepted().starts_with("a whole number"))
        return "615";
    if (key.accepted().starts_with("a number"))
        return "0.25";
    if (key.name() == "appearance.accentHex")
        return "#123ABC";
    if (key.name() == "archiveRoot")
        return (w.home / "Elsewhere").string();
    if (key.name() == "screenshotsWorkspace")
        return "Home";
    return "Snap";
}

// The fields of the stored settings that differ, by name ("appearance.mode" for a record's field).
std::set<std::string> changedFields(const AppSettings& a, const AppSettings& b) {
    const Json x = encodeSettings(a);
    const Json y = encodeSettings(b);
    std::set<std::string> changed;
    for (const auto& [name, value] : y.items()) {
        if (x.contains(name) && x.at(name) == value)
            continue;
        if (value.is_object() && x.contains(name)) {
            for (const auto& [inner, v] : value.items())
                if (!x.at(name).contains(inner) || x.at(name).at(inner) != v)
                    changed.insert(name + "." + inner);
        } else {
            changed.insert(name);
        }
    }
    for (const auto& [name, value] : x.items())
        if (!y.contains(name))
            changed.insert(name);
    return changed;
}

} // namespace

TEST(SettingKeys, EachKeyWritesItsOwnFieldAndReadsItBack) {
    const auto keys = settingKeys();
    ASSERT_GE(keys.size(), 60u);
    for (const auto& key : keys) {
        SCOPED_TRACE(key.name());
        if (key.accepted().starts_with("true (it is always on)"))
            continue; // reading turns it on again: there is no other value to store
        World w;
        w.desktops({});
        std::filesystem::create_directories(w.home / "Elsewhere");
        const Config before = w.load();
        const std::string value = otherValue(key, key.get(before), w);
        ASSERT_NE(value, key.get(before));
        EXPECT_EQ(key.set(w.model, value), SettingKey::SetResult::stored) << w.error();
        const Config after = w.load();
        EXPECT_EQ(key.get(after), value);
        EXPECT_EQ(findSettingKey(key.name())->get(after), value);

        auto changed = changedFields(before.settings, after.settings);
        if (key.name().starts_with("switch")) {
            // Look, speed and intensity are stamped together with what they decide.
            EXPECT_TRUE(changed.contains(key.name()));
        } else if (key.name() == "filterScreenshots") {
            EXPECT_EQ(changed, (std::set<std::string>{"filterScreenshots", "screenshotsWorkspace"}));
        } else {
            EXPECT_EQ(changed, std::set<std::string>{key.name()});
        }
    }
}

TEST(SettingKeys, RefusedValuesChangeNothing) {
    struct Case {
        std::string key;
        std::string value;
    } cases[] = {
        {"startMinimized", "maybe"},        {"cleanupNotifyMinutes", "1440"},
        {"cleanupNotifyMinutes", "9x"},     {"menuBarAnimation", "Nudge"},
        {"appearance.accentHex", "#12345"}, {"floatingDockCornerDwellMs", "19"},
        {"switchBlurOpacity", "1.5"},       {"sweepAngleDegrees", "nan"},
        {"sweepBandFraction", "0.5x"},      {"nativePositions", "false"},
        {"archiveRoot", "relative/folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key + " = " + c.value);
        World w;
        w.desktops({});
        const std::string before = test::readFile(w.paths.config);
        EXPECT_EQ(findSettingKey(c.key)->set(w.model, c.value), SettingKey::SetResult::badValue);
        EXPECT_EQ(test::readFile(w.paths.config), before);
        EXPECT_EQ(w.changes, 0);
    }
}
