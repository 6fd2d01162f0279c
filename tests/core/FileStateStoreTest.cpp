#include "store/FileStateStore.h"

#include "model/ConfigCodec.h"
#include "store/AtomicFile.h"
#include "support/Files.h"
#include "support/KillLoop.h"
#include "support/SampleDocuments.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tessarin;
namespace fs = std::filesystem;

namespace {

struct StoreFixture {
    test::TempDir tmp;
    fs::path config = tmp / "store/config.json";
    fs::path journal = tmp / "store/journal.json";
    FileStateStore store{config, journal};
    StoreFixture() { fs::create_directories(tmp / "store"); }
};

} // namespace

TEST(FileStateStore, FirstLaunchReadsTheDefaultDocumentAndWritesNothing) {
    StoreFixture f;
    const Config config = f.store.loadConfig();
    EXPECT_EQ(config, makeDefaultConfig());
    EXPECT_EQ(config.activeWorkspace, "_Hidden Desktop");
    EXPECT_FALSE(fs::exists(f.config));
    EXPECT_EQ(f.store.loadJournal(), std::nullopt);
    EXPECT_EQ(std::distance(fs::directory_iterator(f.tmp / "store"), fs::directory_iterator()), 0);

    // No folder at all also reads as the default document; a folder in the place of the file is
    // something there that can't be read, never a first launch.
    fs::create_directory(f.config);
    EXPECT_THROW(f.store.loadConfig(), StoreError);
    FileStateStore nowhere(f.tmp / "no/such/config.json", f.tmp / "no/such/journal.json");
    EXPECT_EQ(nowhere.loadConfig(), makeDefaultConfig());
    EXPECT_THROW(nowhere.saveConfig(makeDefaultConfig()), std::system_error);
    EXPECT_FALSE(fs::exists(f.tmp / "no"));
}

TEST(FileStateStore, SaveThenLoadRoundTripsAndStoresTheCurrentVersion) {
    StoreFixture f;
    Config config = test::largeDocument(3, 4, 5);
    config.schemaVersion = 0;
    f.store.saveConfig(config);
    const Config loaded = f.store.loadConfig();
    EXPECT_EQ(loaded.schemaVersion, 1);
    config.schemaVersion = 1;
    EXPECT_EQ(loaded, config);
    EXPECT_EQ(test::readFile(f.config), encodeConfig(config));
}

TEST(FileStateStore, NewerDocumentIsNeverOverwritten) {
    StoreFixture f;
    const std::string newer = R"({"schemaVersion":2,"activeWorkspace":"Work","futureKey":[1,2,3]})";
    test::writeFile(f.config, newer);
    Config config = f.store.loadConfig();
    EXPECT_EQ(config.schemaVersion, 2);
    config.activeWorkspace = "Other";
    try {
        f.store.saveConfig(config);
        FAIL() << "saving a newer document must be refused";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.fileVersion(), 2);
        EXPECT_STREQ(e.what(),
                     "Your Tessarin data was saved by a newer version of the app. Update Tessarin to "
                     "make changes — nothing has been changed or lost.");
    }
    EXPECT_THROW(mutateConfig(f.store, [](Config& c) { c.lastExpandedWorkspace = "x"; }), StoreError);
    EXPECT_EQ(test::readFile(f.config), newer);
}

TEST(FileStateStore, FailingChangeLeavesTheFileUntouched) {
    StoreFixture f;
    f.store.saveConfig(test::largeDocument(1, 2, 2));
    const std::string before = test::readFile(f.config);
    EXPECT_THROW(mutateConfig(f.store,
                              [](Config& c) {
                                  c.activeWorkspace = "changed";
                                  throw std::runtime_error("refused");
                              }),
                 std::runtime_error);
    EXPECT_EQ(test::readFile(f.config), before);

    mutateConfig(f.store, [](Config& c) { c.activeWorkspace = "changed"; });
    EXPECT_EQ(f.store.loadConfig().activeWorkspace, "changed");
}

TEST(FileStateStore, UndecodableDocumentsAreErrorsNotDefaults) {
    StoreFixture f;
    for (const char* bytes : {"", "{", "[]", "{}", R"({"activeWorkspace": 3})"}) {
        test::writeFile(f.config, bytes);
        EXPECT_THROW(f.store.loadConfig(), DecodeError) << bytes;
        EXPECT_EQ(test::readFile(f.config), bytes);
    }
}

TEST(FileStateStore, JournalFileStates) {
    StoreFixture f;
    f.store.saveJournal(std::nullopt); // no file: nothing to delete, no error
    const Journal journal{"A", "B", {"one", "two"}, {"three"}};
    f.store.saveJournal(journal);
    EXPECT_EQ(test::readFile(f.journal),
              R"({"fromWorkspace":"A","toWorkspace":"B","outgoing":["one","two"],"incoming":["three"]})");
    EXPECT_EQ(f.store.loadJournal(), journal);

    struct Case {
        const char* bytes;
        bool error;
    } cases[] = {
        {"", false},
        {"{}", true},
        {R"({"fromWorkspace":"A","toWorkspace":"B","outgoing":[]})", true},
        {R"({"fromWorkspace":"A","toWorkspace":"B","outgoing":[1],"incoming":[]})", true},
        {"not json", true},
    };
    for (const auto& c : cases) {
        test::writeFile(f.journal, c.bytes);
        if (c.error)
            EXPECT_THROW(f.store.loadJournal(), DecodeError) << c.bytes;
        else
            EXPECT_EQ(f.store.loadJournal(), std::nullopt) << c.bytes;
    }
    f.store.saveJournal(std::nullopt);
    EXPECT_FALSE(fs::exists(f.journal));
}

// A child saves ever newer large documents in a loop and is killed at random instants. After every
// kill the file must be one complete version, never a mixture or a truncated file.
TEST(FileStateStore, KilledSaveLeavesOneCompleteVersion) {
    test::TempDir tmp;
    const fs::path config = tmp / "config.json";
    test::KillLoop loop(20261206, std::chrono::microseconds(40000));
    int distinctVersions = 0;
    std::string previous;
    test::KillLoop::trials(200, 0, {}, [&](int trial) {
        // The instant counts from the child's first complete save.
        ASSERT_EQ(loop.kill({TESSARIN_STORE_SAVE_CHILD, config.string()}, {}, true), 128 + SIGKILL)
            << "the child did not start, or ended on its own";
        const std::string bytes = test::readFile(config);
        Config loaded;
        ASSERT_NO_THROW(loaded = decodeConfig(bytes)) << "trial " << trial;
        const int version = std::stoi(loaded.activeWorkspace.substr(1));
        ASSERT_EQ(bytes, encodeConfig(test::largeDocument(version)))
            << "trial " << trial << " version " << version;
        distinctVersions += bytes != previous;
        previous = bytes;
    });
    RecordProperty("distinctVersions", distinctVersions);
}
