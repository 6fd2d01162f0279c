#pragma once

#include "model/Config.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// True when `name` can stand for exactly one entry directly inside a folder: not empty, not "." or "..",
// and free of '/' and NUL. Hidden names such as ".pinned" are plain.
inline bool isPlainFolderName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

// Equal when only the letter case of ASCII letters differs: how the store's own folder names are
// compared, since a file system may ignore case.
inline bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// The longest name a folder can have on the file systems Tessarin runs on.
inline constexpr std::size_t maxFolderNameBytes = 255;

// Why a name can't be a desktop's folder in the workspace store.
enum class FolderNameProblem {
    notOneName, // empty, "." or "..", or holding "/" or NUL: not one entry of the store
    tooLong,    // more than maxFolderNameBytes bytes
    storeOwn,   // one of the store's own entries (".store", ".pinned", "Archive", ".hidden"), any letter case
};

// The problem of `name` as a desktop folder, none when it can be one. Every name a document gives for a
// desktop's folder passes here before anything is moved: a hand-edited or hostile document can name
// anything.
std::optional<FolderNameProblem> desktopFolderProblem(std::string_view name);

// "<record> “<name>” can't be used as a desktop folder: <reason>. <consequence>" A long name is
// shortened for the message.
std::string unusableFolderText(std::string_view record, std::string_view name, FolderNameProblem problem,
                               std::string_view consequence = "Nothing was moved.");

// A document names a desktop folder that can't be one; what() is unusableFolderText.
class UnusableFolderName : public std::invalid_argument {
public:
    UnusableFolderName(std::string record, std::string name, FolderNameProblem problem);
    const std::string& name() const { return name_; }
    FolderNameProblem problem() const { return problem_; }

private:
    std::string name_;
    FolderNameProblem problem_;
};

// Throws UnusableFolderName naming `record` (e.g. "The desktop to switch to") when `name` can't be a
// desktop folder.
void requireDesktopFolder(std::string_view name, std::string_view record);

// One line for each distinct name that a record of the document gives for a desktop folder and that
// can't be one, naming the first record that holds it ("config.json: workspaces[2].name “.store” can't
// be used …"). Empty for a sound document.
std::vector<std::string> unusableFolderRecords(const Config& config);

} // namespace tessarin
