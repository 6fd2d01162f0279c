#include "swap/DesktopSwapper.h"

#include "support/Utf8.h"
#include "swap/FolderName.h"

#include <algorithm>
#include <unordered_set>

namespace tessarin {

namespace {

const std::string blank(Config::blankWorkspaceName);

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Desktop names become folder names in the store: a name that could reach outside it (a hand-edited
// document) stops the switch before anything moves.
void requirePlainFolderName(const std::string& name) {
    if (!isPlainFolderName(name))
        throw std::invalid_argument("\u201c" + name +
                                    "\u201d can't be used as a desktop folder name, so nothing was moved. "
                                    "Give the desktop a name without \"/\" in Tessarin's settings.");
}

// The document and the journal are JSON, which holds only UTF-8 text: an item whose name is not
// valid UTF-8 could not be recorded, so the switch stops, before anything moves, and says which.
void requireRecordableNames(const std::vector<std::string>& names) {
    for (const auto& name : names)
        if (!isValidUtf8(name))
            throw std::invalid_argument("\u201c" + displayableUtf8(name) +
                                        "\u201d has a name Tessarin can't record (it is not valid UTF-8), so "
                                        "nothing was moved. Rename it and switch again.");
}

IconPositions readOrEmpty(DesktopSurface& surface, const std::vector<std::string>& names) {
    try {
        return surface.readPositions(names);
    } catch (...) {
        return {};
    }
}

} // namespace

SwapError SwapError::unknownWorkspace(const std::string& name) {
    return SwapError(Kind::unknownWorkspace, name, "There is no desktop called \u201c" + name + "\u201d.");
}

SwapError SwapError::crossVolumeStore() {
    return SwapError(Kind::crossVolumeStore, {},
                     "Tessarin only runs when the workspace store and ~/Desktop are on the same disk.");
}

DesktopSwapper::DesktopSwapper(DesktopSurface& surface, StateStore& store, Sleeper sleep)
    : surface_(surface), store_(store), sleep_(std::move(sleep)) {}

std::vector<std::string> DesktopSwapper::switchTo(const std::string& target) {
    recoverIfNeeded();
    if (!surface_.sameVolume())
        throw SwapError::crossVolumeStore();

    Config config = store_.loadConfig();
    const std::string active = config.activeWorkspace;
    if (active == target)
        return {};
    if (!config.findWorkspace(target))
        throw SwapError::unknownWorkspace(target);
    requirePlainFolderName(target);
    requirePlainFolderName(active);

    const StashResult stash = syncPinnedStash(config, target);

    const auto desktopItems = surface_.items(Location::desktop());
    auto targetItems = surface_.items(Location::workspace(target));
    requireRecordableNames(desktopItems);
    requireRecordableNames(targetItems);
    std::unordered_set<std::string> held(config.settings.pinnedFolders.begin(),
                                         config.settings.pinnedFolders.end());
    held.insert(stash.restored.begin(), stash.restored.end());
    std::unordered_set<std::string> heldOnDesktop;
    for (const auto& name : desktopItems)
        if (held.count(name))
            heldOnDesktop.insert(name);

    std::vector<std::string> outgoing;
    if (active == blank) {
        std::vector<std::string> strays;
        for (const auto& name : desktopItems)
            if (!held.count(name))
                strays.push_back(name);
        if (!strays.empty())
            depositStrays(config, strays, target);
    } else {
        for (const auto& name : desktopItems)
            if (!held.count(name))
                outgoing.push_back(name);
    }

    std::vector<std::string> skips;
    std::vector<std::string> incoming;
    for (auto& name : targetItems)
        (heldOnDesktop.count(name) ? skips : incoming).push_back(std::move(name));

    const bool nativePositions = config.settings.nativePositions;
    if (!nativePositions && active != blank) {
        const IconPositions read = readOrEmpty(surface_, outgoing);
        config.updateWorkspace(active, [&](Workspace& w) { w.positions = read; });
    }
    config.updateWorkspace(active, [&](Workspace& w) { w.files = outgoing; });
    store_.saveConfig(config);

    const Journal journal{active, target, outgoing, incoming};
    store_.saveJournal(journal);
    applyMoves(journal, std::chrono::milliseconds(config.settings.moveGapMs), nativePositions);

    config.activeWorkspace = target;
    config.updateWorkspace(target, [&](Workspace& w) { w.files = incoming; });
    store_.saveConfig(config);

    IconPositions toPlace;
    std::vector<std::string> names;
    if (!nativePositions) {
        if (const Workspace* w = config.findWorkspace(target))
            for (const auto& name : incoming)
                if (const IconPosition* p = w->positions.find(name))
                    toPlace.set(name, *p);
        names = incoming;
    }
    for (const auto& [name, position] : stash.restoredPositions) {
        toPlace.set(name, position);
        names.push_back(name);
    }
    place(config, toPlace, names);

    store_.saveJournal(std::nullopt);
    return skips;
}

void DesktopSwapper::applyMoves(const Journal& journal, std::chrono::microseconds gap, bool carryPositions) {
    const Location desktop = Location::desktop();
    const Location from = Location::workspace(journal.fromWorkspace);
    const Location to = Location::workspace(journal.toWorkspace);

    const auto onDesktop = surface_.items(desktop);
    const std::unordered_set<std::string> desktopNow(onDesktop.begin(), onDesktop.end());
    if (carryPositions) {
        try {
            surface_.carryPositions(desktop, from);
        } catch (...) {
        }
    }
    std::vector<std::string> leaving;
    for (const auto& name : journal.outgoing)
        if (desktopNow.count(name))
            leaving.push_back(name);
    // Where the icons stand is kept before they go, and handed to the icon host before they come:
    // also when finishing an interrupted switch, so neither phase loses its layout.
    if (!leaving.empty()) {
        try {
            surface_.captureLayout(leaving, from);
        } catch (...) {
        }
    }
    for (const auto& name : leaving)
        surface_.move(name, desktop, from);
    if (!leaving.empty() && gap.count() > 0)
        sleep_(gap);

    if (carryPositions) {
        try {
            surface_.carryPositions(to, desktop);
        } catch (...) {
        }
    }
    const auto inFolder = surface_.items(to);
    const std::unordered_set<std::string> folderNow(inFolder.begin(), inFolder.end());
    std::vector<std::string> arriving;
    for (const auto& name : journal.incoming)
        if (folderNow.count(name))
            arriving.push_back(name);
    if (!arriving.empty()) {
        try {
            surface_.applyLayout(arriving, to);
        } catch (...) {
        }
    }
    for (const auto& name : arriving)
        surface_.move(name, to, desktop);
}

void DesktopSwapper::recoverIfNeeded() {
    struct Drains {
        DesktopSwapper& self;
        ~Drains() {
            self.drainPinnedStashUnlessHidden();
            self.drainHiddenDesktopUnlessHidden();
        }
    } drains{*this};

    const auto journal = store_.loadJournal();
    if (!journal)
        return;
    requirePlainFolderName(journal->fromWorkspace);
    requirePlainFolderName(journal->toWorkspace);
    applyMoves(*journal, std::chrono::microseconds(0), false);

    Config config = store_.loadConfig();
    config.updateWorkspace(journal->fromWorkspace, [&](Workspace& w) { w.files = journal->outgoing; });
    config.updateWorkspace(journal->toWorkspace, [&](Workspace& w) { w.files = journal->incoming; });
    config.activeWorkspace = journal->toWorkspace;
    store_.saveConfig(config);

    if (!config.settings.nativePositions) {
        IconPositions toPlace;
        if (const Workspace* w = config.findWorkspace(journal->toWorkspace))
            for (const auto& name : journal->incoming)
                if (const IconPosition* p = w->positions.find(name))
                    toPlace.set(name, *p);
        place(config, toPlace, journal->incoming);
    }
    store_.saveJournal(std::nullopt);
}

DesktopSwapper::StashResult DesktopSwapper::syncPinnedStash(Config& config, const std::string& target) {
    const Location desktop = Location::desktop();
    const Location stash = Location::workspace(pinnedStash);
    StashResult result;
    if (target == blank) {
        std::vector<std::string> pinnedHere;
        for (const auto& name : surface_.items(desktop))
            if (contains(config.settings.pinnedFolders, name))
                pinnedHere.push_back(name);
        if (pinnedHere.empty())
            return result;
        const IconPositions read = readOrEmpty(surface_, pinnedHere);
        IconPositions kept;
        for (const auto& name : pinnedHere) {
            try {
                surface_.move(name, desktop, stash);
            } catch (...) {
                continue;
            }
            result.restored.insert(name);
            if (const IconPosition* p = read.find(name))
                kept.set(name, *p);
        }
        config.updateWorkspace(blank, [&](Workspace& w) { w.positions = kept; });
        return result;
    }

    const auto stashed = surface_.items(stash);
    // Told before the items come back, an icon host that watches its records puts them in place at once.
    if (const Workspace* hidden = config.findWorkspace(blank)) {
        IconPositions saved;
        for (const auto& name : stashed)
            if (const IconPosition* p = hidden->positions.find(name))
                saved.set(name, *p);
        if (!saved.empty()) {
            try {
                surface_.writePositions(saved);
            } catch (...) {
            }
        }
    }
    for (const auto& name : stashed) {
        try {
            surface_.move(name, stash, desktop);
        } catch (...) {
            continue;
        }
        result.restored.insert(name);
    }
    if (result.restored.empty())
        return result;
    config.updateWorkspace(blank, [&](Workspace& w) {
        for (const auto& name : result.restored) {
            if (const IconPosition* p = w.positions.find(name))
                result.restoredPositions.set(name, *p);
            w.positions.erase(name);
        }
    });
    return result;
}

void DesktopSwapper::depositStrays(Config& config, const std::vector<std::string>& strays,
                                   const std::string& target) {
    const auto expand = config.expandTarget();
    if (!expand || *expand == target || !isPlainFolderName(*expand))
        return;
    try {
        surface_.captureLayout(strays, Location::workspace(*expand));
    } catch (...) {
    }
    std::vector<std::string> moved;
    for (const auto& name : strays) {
        try {
            surface_.move(name, Location::desktop(), Location::workspace(*expand));
            moved.push_back(name);
        } catch (...) {
        }
    }
    config.updateWorkspace(*expand, [&](Workspace& w) {
        for (const auto& name : moved) {
            w.positions.erase(name);
            if (!contains(w.files, name))
                w.files.push_back(name);
        }
    });
}

void DesktopSwapper::place(const Config& config, const IconPositions& positions,
                           const std::vector<std::string>& names) {
    if (positions.empty())
        return;
    if (config.settings.iconPlacement == IconPlacement::batch)
        placeBatched(surface_, positions, names, sleep_);
    else
        placeSettling(surface_, positions, sleep_);
}

void DesktopSwapper::drainPinnedStashUnlessHidden() {
    try {
        Config config = store_.loadConfig();
        if (config.activeWorkspace == blank)
            return;
        const StashResult stash = syncPinnedStash(config, config.activeWorkspace);
        if (stash.restored.empty())
            return;
        try {
            store_.saveConfig(config);
        } catch (...) {
        }
        if (!stash.restoredPositions.empty())
            placeSettling(surface_, stash.restoredPositions, sleep_);
    } catch (...) {
    }
}

void DesktopSwapper::drainHiddenDesktopUnlessHidden() {
    try {
        Config config = store_.loadConfig();
        if (config.activeWorkspace == blank)
            return;
        const auto items = surface_.items(Location::workspace(blank));
        if (items.empty())
            return;
        try {
            surface_.applyLayout(items, Location::workspace(blank));
        } catch (...) {
        }
        std::vector<std::string> stuck;
        std::vector<std::string> moved;
        for (const auto& name : items) {
            try {
                surface_.move(name, Location::workspace(blank), Location::desktop());
                moved.push_back(name);
            } catch (...) {
                stuck.push_back(name);
            }
        }
        config.updateWorkspace(blank, [&](Workspace& w) {
            w.files = stuck;
            for (const auto& name : moved)
                w.positions.erase(name);
        });
        try {
            store_.saveConfig(config);
        } catch (...) {
        }
    } catch (...) {
    }
}

} // namespace tessarin
