#include "model/ConfigCodec.h"

#include "support/Files.h"
#include "support/TempDir.h"

#include <bit>
#include <functional>
#include <gtest/gtest.h>

using namespace tessarin;
using tessarin::test::readFile;
using tessarin::test::TempDir;
using tessarin::test::writeFile;

namespace {

std::filesystem::path configSample(const std::string& name) {
    return std::filesystem::path(TESSARIN_TEST_DATA_DIR) / "config" / name;
}

const Date fixedNow{777777777.25};

Config decodeSample(const std::string& name) {
    return decodeConfig(readFile(configSample(name)), fixedNow);
}

std::string decodeError(std::string_view bytes) {
    try {
        decodeConfig(bytes, fixedNow);
    } catch (const DecodeError& error) {
        return error.what();
    }
    return "(decoded)";
}

// encode -> file -> decode -> encode must reproduce the first encoding byte for byte.
void expectStableRoundTrip(const Config& config, const std::string& label) {
    TempDir dir;
    const auto first = encodeConfig(config);
    writeFile(dir.path() / "config.json", first);
    const auto reread = decodeConfig(readFile(dir.path() / "config.json"), fixedNow);
    EXPECT_EQ(reread, config) << label;
    EXPECT_EQ(encodeConfig(reread), first) << label;
}

} // namespace

TEST(ConfigCodec, MinimalDocumentReadsAsTheDefaultDocument) {
    const auto config = decodeSample("minimal.json");
    Config expected = makeDefaultConfig();
    expected.activeWorkspace = "Default";
    EXPECT_EQ(config, expected);
    EXPECT_EQ(config.settings, AppSettings());
    EXPECT_EQ(encodeConfig(config).find("lastExpandedWorkspace"), std::string::npos);
}

TEST(ConfigCodec, WorkspaceDefaultsAreDerivedFromTheFieldsReadBefore) {
    const auto config = decodeSample("derived-defaults.json");
    struct Case {
        const char* name;
        ClearMode clearMode;
        const char* colorHex;
    } cases[] = {
        {"Drains", ClearMode::move, "#FFD60A"},
        {"Idle timer", ClearMode::archive, nullptr},
        {"Dormant timer", ClearMode::keep, nullptr},
        {"Both", ClearMode::move, nullptr},
        {"Stored mode", ClearMode::keep, "#123456"},
        {"Nulls", ClearMode::keep, nullptr},
        {"", ClearMode::keep, "#30D158"},
    };
    for (const auto& c : cases) {
        const auto* w = config.findWorkspace(c.name);
        ASSERT_TRUE(w) << c.name;
        EXPECT_EQ(w->clearMode, c.clearMode) << c.name;
        if (c.colorHex) {
            EXPECT_EQ(w->colorHex, c.colorHex) << c.name;
        }
    }
    Workspace nulls = Workspace::make("Nulls");
    EXPECT_EQ(*config.findWorkspace("Nulls"), nulls);
    EXPECT_FALSE(config.lastExpandedWorkspace);
}

TEST(ConfigCodec, CueOpacityIsClampedWithAboveIconsReadFirst) {
    const auto config = decodeSample("derived-defaults.json");
    struct Case {
        const char* name;
        double opacity;
        bool aboveIcons;
    } cases[] = {{"Bright cue", 0.8, true}, {"Faint cue", 0.05, false}, {"Empty cue", 0.7, false}};
    for (const auto& c : cases) {
        const auto& cue = config.findWorkspace(c.name)->cue;
        ASSERT_TRUE(cue) << c.name;
        EXPECT_DOUBLE_EQ(cue->opacity, c.opacity) << c.name;
        EXPECT_EQ(cue->aboveIcons, c.aboveIcons) << c.name;
        EXPECT_EQ(cue->fill, DesktopCue::Fill::color("#000000")) << c.name;
        EXPECT_FALSE(cue->enabled);
    }
}

TEST(ConfigCodec, CleanupTasksAndFiltersWithoutIdentityGetFreshOnes) {
    const auto bytes = readFile(configSample("derived-defaults.json"));
    const auto first = decodeConfig(bytes, fixedNow);
    const auto second = decodeConfig(bytes, fixedNow);
    ASSERT_EQ(first.cleanupTasks.size(), 2u);
    EXPECT_NE(first.cleanupTasks[0].id, second.cleanupTasks[0].id);
    EXPECT_NE(first.cleanupTasks[0].id, first.cleanupTasks[1].id);
    EXPECT_EQ(first.cleanupTasks[0].members, std::vector<std::string>{"Drains"});
    EXPECT_EQ(first.cleanupTasks[1].date, fixedNow);
    EXPECT_TRUE(first.cleanupTasks[1].members.empty());

    const auto filters =
        decodeConfig(R"({"activeWorkspace":"A","settings":{"customFilters":[{},{}]}})", fixedNow);
    const auto& list = filters.settings.customFilters;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_NE(list[0].id, list[1].id);
    EXPECT_TRUE(list[0].enabled);
    EXPECT_EQ(list[0].pattern, "");
    EXPECT_EQ(list[0].collection, "");
    // Once written, the identities stay.
    expectStableRoundTrip(filters, "filters");
}

// One row per way a reader fails, each at a different depth of the document.
TEST(ConfigCodec, RefusesDocumentsWithTheReasonAndPlace) {
    struct Case {
        std::string bytesOrSample;
        std::string message;
    } cases[] = {
        {"bad-missing-active.json", "activeWorkspace: required key is missing"},
        {"bad-state.json",
         R"(workspaces[2].state: "deleted" is not one of active, archivedUnsorted, archivedSorted)"},
        {"bad-fill-two-keys.json", "workspaces[0].cue.fill: Invalid number of keys found, expected one."},
        {"bad-wrong-type.json", "settings.moveGapMs: expected an integer, found string"},
        {"bad-uuid.json", R"(cleanupTasks[0].id: "not-a-uuid" is not a UUID)"},
        {"[]", "config.json: expected an object, found array"},
        {R"({"activeWorkspace":"A","workspaces":{}})", "workspaces: expected an array, found object"},
        {R"({"activeWorkspace":"A","workspaces":[{"name":"A","cue":{"fill":{"video":{"_0":"x"}}}}]})",
         R"(workspaces[0].cue.fill: "video" is not one of color, image)"},
        {R"({"activeWorkspace":"A","workspaces":[{"name":"A","cue":{"fill":"#000000"}}]})",
         "workspaces[0].cue.fill: expected an object, found string"},
        {R"({"activeWorkspace":"A","workspaces":[{"name":"A","files":["a",1]}]})",
         "workspaces[0].files[1]: expected a string, found number"},
        {R"({"activeWorkspace":"A","workspaces":[{"name":"A","positions":[]}]})",
         "workspaces[0].positions: expected an object, found array"},
        {R"({"activeWorkspace":"A","workspaces":[{"name":"A","hotkey":{"keyCode":-1,"modifiers":0}}]})",
         "workspaces[0].hotkey.keyCode: expected an unsigned 32-bit integer, found -1"},
        {R"({"activeWorkspace":"A","workspaces":[{"name":"A","hotkey":{"keyCode":4294967296,"modifiers":0}}]})",
         "workspaces[0].hotkey.keyCode: expected an unsigned 32-bit integer, found 4294967296"},
        {R"({"activeWorkspace":"A","workspaces":[{"name":"A","archivedAt":"2020-01-01"}]})",
         "workspaces[0].archivedAt: expected a date (seconds as a number), found string"},
        {R"({"activeWorkspace":"A","settings":{"moveGapMs":1.5}})",
         "settings.moveGapMs: expected an integer, found 1.5"},
        {R"({"activeWorkspace":"A","settings":{"moveGapMs":9223372036854775808}})",
         "settings.moveGapMs: expected an integer, found 9223372036854775808"},
        {R"({"activeWorkspace":"A","settings":{"sweepBandFraction":true}})",
         "settings.sweepBandFraction: expected a number, found boolean"},
    };
    for (const auto& c : cases) {
        const bool isSample = c.bytesOrSample.ends_with(".json");
        const auto bytes = isSample ? readFile(configSample(c.bytesOrSample)) : c.bytesOrSample;
        EXPECT_EQ(decodeError(bytes), c.message) << c.bytesOrSample;
    }
}

TEST(ConfigCodec, RefusesTextThatIsNotJson) {
    const std::string cases[] = {
        readFile(configSample("bad-truncated.json")),
        "",
        R"({"activeWorkspace":"A","settings":{"sweepAngleDegrees":1e400}})",
        std::string("{\"activeWorkspace\":\"A\0\"}", 24),
    };
    for (const auto& bytes : cases) {
        const auto message = decodeError(bytes);
        EXPECT_TRUE(message.starts_with("config.json is not valid JSON: ")) << message;
        EXPECT_EQ(message.find("[json.exception"), std::string::npos) << message;
        EXPECT_LT(message.size(), 300u) << message;
    }
}

TEST(ConfigCodec, AcceptsLenientButUnambiguousValues) {
    struct Case {
        const char* bytes;
        std::function<void(const Config&)> check;
    } cases[] = {
        {R"({"activeWorkspace":"A","settings":{"switchBlurOpacity":1,"sweepAngleDegrees":-45}})",
         [](const Config& c) {
             EXPECT_EQ(c.settings.switchBlurOpacity, 1.0);
             EXPECT_EQ(c.settings.sweepAngleDegrees, -45.0);
         }},
        {R"({"activeWorkspace":"A","settings":{"moveGapMs":1e3,"switchFadeInMs":-0.0}})",
         [](const Config& c) {
             EXPECT_EQ(c.settings.moveGapMs, 1000);
             EXPECT_EQ(c.settings.switchFadeInMs, 0);
         }},
        // The pause with the outgoing items gone from the Desktop is never a day long, nor negative.
        {R"({"activeWorkspace":"A","settings":{"moveGapMs":86400000}})",
         [](const Config& c) { EXPECT_EQ(c.settings.moveGapMs, AppSettings::maxMoveGapMs); }},
        {R"({"activeWorkspace":"A","settings":{"moveGapMs":-5}})",
         [](const Config& c) { EXPECT_EQ(c.settings.moveGapMs, 0); }},
        {R"({"activeWorkspace":"A","workspaces":[{"name":"A","createdAt":12,"hotkey":{"keyCode":4294967295,"modifiers":0}}]})",
         [](const Config& c) {
             EXPECT_EQ(c.workspaces[0].createdAt, Date{12});
             EXPECT_EQ(c.workspaces[0].hotkey->keyCode, 4294967295u);
         }},
        // Stored values that are never read cannot make the document unreadable.
        {R"({"activeWorkspace":"A","settings":{"nativePositions":"no","appearance":{"accentSlot":0,"accentHex":5}}})",
         [](const Config& c) { EXPECT_FALSE(c.settings.appearance.accentHex); }},
        {R"({"activeWorkspace":"A","settings":{"appearance":{}}})",
         [](const Config& c) { EXPECT_EQ(c.settings.appearance, Appearance()); }},
        {R"({"activeWorkspace":"A","settings":null,"workspaces":null,"cleanupTasks":null,"schemaVersion":null})",
         [](const Config& c) {
             Config expected;
             expected.activeWorkspace = "A";
             EXPECT_EQ(c, expected);
         }},
        {R"({"activeWorkspace":"A","schemaVersion":7,"x":{"y":[1,{"z":null}]},"settings":{"unknown":1}})",
         [](const Config& c) {
             EXPECT_EQ(c.schemaVersion, 7);
             EXPECT_EQ(c.settings, AppSettings());
         }},
        {"\xEF\xBB\xBF{\"activeWorkspace\":\"bom\"}",
         [](const Config& c) { EXPECT_EQ(c.activeWorkspace, "bom"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        try {
            c.check(decodeConfig(c.bytes, fixedNow));
        } catch (const DecodeError& error) {
            ADD_FAILURE() << error.what();
        }
    }
}

TEST(ConfigCodec, RichDocumentIsWrittenBackByteForByte) {
    auto stored = readFile(configSample("rich.json"));
    while (stored.ends_with("\n"))
        stored.pop_back();
    const auto config = decodeConfig(stored, fixedNow);
    EXPECT_EQ(encodeConfig(config), stored);

    ASSERT_EQ(config.workspaces.size(), 4u);
    const auto& unicode = config.workspaces[1];
    EXPECT_EQ(unicode.name, "Ünïcødé 🗂");
    EXPECT_EQ(unicode.createdAt, Date{-1234.5});
    EXPECT_EQ(config.workspaces[0].createdAt, Date{726842096.123456});
    EXPECT_EQ(config.workspaces[2].archivedAt, Date{760000000.0001});
    EXPECT_EQ(config.workspaces[0].positions.find("Report.pdf")->y, 9007199254740993);
    EXPECT_EQ(unicode.cue->fill, DesktopCue::Fill::image("/home/u/Tessarin Desktops/.store/cues/5F0C.png"));
    EXPECT_EQ(config.settings.customFilters[1].collection, "Ünïcødé 🗂");

    // The same document pretty-printed with shuffled keys, unknown keys, nulls and lenient numbers.
    const auto reordered = decodeSample("rich-reordered.json");
    EXPECT_EQ(reordered, config);
    EXPECT_EQ(encodeConfig(reordered), stored);
}

TEST(ConfigCodec, DatesAndDoublesSurviveARoundTripExactly) {
    const double values[] = {0.1, -0.0, 5e-324, 1.7976931348623157e308, 1.0 / 3, 2e22};
    for (const double v : values) {
        Config config;
        auto w = Workspace::make("D");
        w.createdAt = Date{v};
        w.cue = DesktopCue{};
        w.cue->opacity = DesktopCue::clampOpacity(v, false);
        config.workspaces.push_back(w);
        config.settings.sweepAngleDegrees = v;
        config.settings.floatingDockPosition = FloatingDockPosition{v, -v};
        config.cleanupTasks.push_back(CleanupTask{Uuid::random(), {}, Date{v}});
        const auto reread = decodeConfig(encodeConfig(config), fixedNow);
        EXPECT_EQ(std::bit_cast<uint64_t>(reread.workspaces[0].createdAt->secondsSinceReference),
                  std::bit_cast<uint64_t>(v))
            << v;
        EXPECT_EQ(std::bit_cast<uint64_t>(reread.settings.sweepAngleDegrees), std::bit_cast<uint64_t>(v))
            << v;
        EXPECT_EQ(reread, config) << v;
        expectStableRoundTrip(config, std::to_string(v));
    }
}

// Duplicate keys, in a small object and past the size where the parser indexes keys: the last one wins,
// in the place of the first.
TEST(ConfigCodec, PositionMapsKeepTheirOrderAndLastDuplicateWins) {
    std::string positions = R"({"a":{"x":1,"y":1},"b":{"x":2,"y":2},"a":{"x":3,"y":3}})";
    std::string many = "{";
    for (int i = 0; i < 40; ++i)
        many += "\"k" + std::to_string(i) + "\":{\"x\":" + std::to_string(i) + ",\"y\":0},";
    many += R"("k5":{"x":-5,"y":-5}})";
    const auto doc = R"({"activeWorkspace":"A","workspaces":[{"name":"S","positions":)" + positions +
                     R"(},{"name":"M","positions":)" + many + "}]}";
    const auto dup = decodeConfig(doc, fixedNow);
    const auto& small = dup.workspaces[0].positions;
    ASSERT_EQ(small.size(), 2u);
    EXPECT_EQ(small.begin()->first, "a");
    EXPECT_EQ(*small.find("a"), (IconPosition{3, 3}));
    const auto& large = dup.workspaces[1].positions;
    ASSERT_EQ(large.size(), 40u);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ((large.begin() + i)->first, "k" + std::to_string(i));
    EXPECT_EQ(*large.find("k5"), (IconPosition{-5, -5}));
}

TEST(ConfigCodec, EverySampleThatDecodesIsStable) {
    for (const auto& entry : std::filesystem::directory_iterator(configSample(""))) {
        const auto name = entry.path().filename().string();
        if (name.starts_with("bad-"))
            continue;
        SCOPED_TRACE(name);
        const auto config = decodeConfig(readFile(entry.path()), fixedNow);
        expectStableRoundTrip(config, name);
    }
}
