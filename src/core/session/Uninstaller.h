#pragma once

#include "store/Paths.h"
#include "store/StateStore.h"
#include "support/Log.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tessarin {

// One desktop folder put back on the Desktop.
struct RestoredDesktop {
    std::string desktop;    // the desktop's name
    std::string folderName; // the folder's name on the Desktop
};

// Undoes the program's hold on the user's files before it is removed: every live desktop's folder
// comes onto the Desktop as an ordinary folder and the items parked in the pinned stash come back.
// Archived desktops stay in the archive. Nothing stops on an error: what can't be moved is logged and
// left where it is. Moves never replace an item already on the Desktop.
class Uninstaller {
public:
    Uninstaller(const Paths& paths, StateStore& store, Log& log);

    // The folders now on the Desktop, in document order. The document and the journal are unchanged.
    std::vector<RestoredDesktop> restoreDesksToDesktop();
    // "base" on the Desktop, else "base 2", "base 3", …: the first name nothing uses.
    std::filesystem::path uniqueDesktopPath(const std::string& base) const;

    // The name the blank desktop's folder gets on the Desktop.
    static constexpr const char* hiddenDesktopFolderName = "Hidden desktop";

private:
    // Moves `from` to the first free name for `base`; the errno of the move, 0 on success.
    int moveOntoDesktop(const std::filesystem::path& from, const std::string& base,
                        std::filesystem::path& placedAt) const;

    const Paths& paths_;
    StateStore& store_;
    Log& log_;
};

// How the program itself is removed once the desktops are back; it decides the end of the question.
enum class RemovalStep {
    revealProgram,        // the program's file is shown in the file manager for the user to delete
    removePackage,        // the package manager removes it
    removeInstalledFiles, // installed from source: the user deletes the installed files
    none,                 // a development run: nothing to remove
};

// The question asked before an uninstall: "Uninstall Tessarin?" and its explanation, which names the
// archive folder when there are archived desktops.
struct UninstallQuestion {
    std::string message;
    std::string informative;
};
UninstallQuestion uninstallQuestion(const Config& config, const Paths& paths, RemovalStep step);

} // namespace tessarin
