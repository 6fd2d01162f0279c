#include "store/AtomicFile.h"

#include "support/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tessarin;
namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesWholeContentAndLeavesNoTemporaryFile) {
    test::TempDir tmp;
    const fs::path target = tmp / "config.json";
    writeAtomically(target, std::string(100000, 'a'));
    writeAtomically(target, "short");
    EXPECT_EQ(test::readFile(target), "short");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(tmp.path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
    EXPECT_EQ(readWholeFile(target), "short");
}

TEST(AtomicFile, FailuresLeaveTheTargetUntouched) {
    test::TempDir tmp;
    const fs::path target = tmp / "config.json";
    test::writeFile(target, "old");

    // The temporary file cannot be created: a folder stands in its place.
    fs::create_directory(tmp / ".config.json.tmp");
    EXPECT_THROW(writeAtomically(target, "new"), std::system_error);
    EXPECT_EQ(test::readFile(target), "old");
    fs::remove(tmp / ".config.json.tmp");

    // The rename cannot replace the target: the target is a non-empty folder.
    const fs::path folderTarget = tmp / "folder";
    test::writeFile(folderTarget / "inside", "x");
    EXPECT_THROW(writeAtomically(folderTarget, "new"), std::system_error);
    EXPECT_EQ(test::readFile(folderTarget / "inside"), "x");
    EXPECT_FALSE(fs::exists(tmp / ".folder.tmp"));

    // The folder does not exist.
    EXPECT_THROW(writeAtomically(tmp / "missing/config.json", "new"), std::system_error);
    EXPECT_FALSE(fs::exists(tmp / "missing"));
}

TEST(AtomicFile, ReadingMissingFoldersAndEmptyFiles) {
    test::TempDir tmp;
    EXPECT_EQ(readWholeFile(tmp / "nothing"), std::nullopt);
    EXPECT_THROW(readWholeFile(tmp.path()), std::system_error); // something is there
    test::writeFile(tmp / "empty", "");
    EXPECT_EQ(readWholeFile(tmp / "empty"), std::string());
}
