#pragma once

#include "model/Config.h"
#include "organise/ArchiveError.h"
#include "organise/ArchiveLocations.h"
#include "organise/FileService.h"
#include "store/Paths.h"
#include "store/StateStore.h"
#include "support/Calendar.h"
#include "support/Clock.h"
#include "support/Log.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The document change of an archive: the desktop becomes archived (unsorted) at `location`, loses
// its shortcut and, when it asks for one, gets a cleanup task for the next day.
void markArchived(Config& config, const std::string& name, const std::filesystem::path& location, Date now,
                  const Calendar& calendar);

// Why a folder could not go to the Trash; nothing else was changed.
struct DeleteFailure {
    std::string workspace;
    bool folderMissing = false; // nothing existed at the path
    std::string reason;         // the system's description

    bool operator==(const DeleteFailure&) const = default;
};

// The result of a removal: a refusal (`errorMessage`), a folder the Trash did not take
// (`deleteFailure`), or neither when it was done or there was nothing to do.
struct RemovalOutcome {
    std::optional<std::string> errorMessage;
    std::optional<DeleteFailure> deleteFailure;

    bool succeeded() const { return !errorMessage && !deleteFailure; }
    bool operator==(const RemovalOutcome&) const = default;
};

// Takes temporary desktops out of the live set: archive (into the archive folder), restore, and drain
// ("pour": into a folder inside a permanent desktop); completes due timers; removes desktops to the
// Trash. Only desktops that are not on the Desktop are touched, so no journal is written.
//
// Every operation loads a fresh document and saves its change through mutateConfig before returning;
// load and save failures are passed on unchanged, after a folder that was moved as a whole has been
// moved back. A name that no desktop has is no error and changes nothing.
class Archiver {
public:
    Archiver(StateStore& store, const Paths& paths, FileService& files, const Clock& clock, Log& log,
             Calendar calendar = {});

    // Throws ArchiveError.
    void archive(const std::string& name);
    void restore(const std::string& name);
    void drain(const std::string& name, const std::string& target);

    // An archive cut short between moving the folder and its final save leaves a live desktop with an
    // archiveLocation. When its folder is at that location (one of the archive's folders, named after
    // it) and gone from the store, the archive is completed as a normal one, at its original time;
    // otherwise the location is forgotten. Failures are logged.
    void finishInterruptedArchives();

    // Archives or drains every live temporary desktop whose timer has run out and that is not on the
    // Desktop; returns their names. Failures are logged and skipped; an unreadable document does
    // nothing.
    std::vector<std::string> fireDueTimers(Date now);

    // Moves a live desktop's folder to the Trash and removes the desktop. Refuses the active desktop and
    // any removal while a switch is in progress; the blank desktop is never removed.
    RemovalOutcome deleteWorkspace(const std::string& name, bool switchInProgress);
    // Moves an archived desktop's folder to the Trash (when it has one) and removes the desktop.
    RemovalOutcome deleteArchived(const std::string& name);
    // Removes the desktop from the document with every reference to it (drain routes, cleanup tasks).
    void removeFromConfig(const std::string& name);
    // None resets to the default archive folder. Returns the refusal text for the Desktop, the workspace
    // store or a folder inside either, and for a folder on another disk (or one whose disk can't be
    // read); none when the setting was saved.
    std::optional<std::string> setArchiveRoot(const std::optional<std::filesystem::path>& folder);
    // Marks an archived desktop sorted or unsorted; a live desktop is left alone.
    void setArchivedSorted(const std::string& name, bool sorted);

    // The folder archives go into: the archiveRoot setting, else the default.
    std::filesystem::path archiveFolder(const Config& config) const;

    // "“name” is the active desktop. Switch to another first."
    static std::string activeDesktopDeleteText(const std::string& name);
    static constexpr const char* busyText = "Tessarin is mid-switch. Try again in a moment.";
    static constexpr const char* otherDiskText =
        "That folder is on a different disk. Archives must sit on the same disk as your workspaces \u2014 "
        "that's what keeps archiving an instant, safe move.";

private:
    // Moves the item to the Trash; none on success.
    std::optional<DeleteFailure> trashOrReportFailure(const std::filesystem::path& path,
                                                      const std::string& workspace);
    void rotateScreenshotCollectionIfNeeded(const std::string& archived);
    bool sameVolumeAsStore(const std::filesystem::path& folder);
    // Passes when the archived desktop has no location or one the archiver made; throws ArchiveError
    // naming `consequence` for any other.
    void requireTrustedLocation(const Config& config, const Workspace& workspace,
                                const std::string& consequence);

    StateStore& store_;
    std::filesystem::path workspacesRoot_;
    std::filesystem::path defaultArchiveRoot_;
    ArchiveLocations locations_;
    FileService& files_;
    const Clock& clock_;
    Log& log_;
    Calendar calendar_;
};

} // namespace tessarin
