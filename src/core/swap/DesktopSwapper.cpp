#include "swap/DesktopSwapper.h"

#include "support/Utf8.h"
#include "swap/FolderName.h"
#include "swap/NameSet.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace tessarin {

namespace {

const std::string blank(Config::blankWorkspaceName);

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
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

// "“a”", "“a” and “b”", "“a”, “b”, “c” and 2 more".
std::string quotedList(const std::vector<std::string>& names) {
    constexpr std::size_t shown = 3;
    std::string text;
    const std::size_t count = std::min(names.size(), shown);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += i + 1 == count && names.size() <= shown ? " and " : ", ";
        text += "\u201c" + names[i] + "\u201d";
    }
    if (names.size() > shown)
        text += " and " + std::to_string(names.size() - shown) + " more";
    return text;
}

// The names of `names` that are also in `in`, in the order of `names`.
template <class Names, class In> std::vector<std::string> present(const Names& names, const In& in) {
    const NameSet there(in);
    std::vector<std::string> found;
    for (const auto& name : names)
        if (there.contains(name))
            found.emplace_back(name);
    return found;
}

// `names` itself when `pick` picks each of them, else a copy of those picked, in `storage`: a switch
// moves every name of its journal, and copying them all to make the list would be waste.
const std::vector<std::string>& picked(const std::vector<std::string>& names, const std::vector<bool>& pick,
                                       std::vector<std::string>& storage) {
    if (std::find(pick.begin(), pick.end(), false) == pick.end())
        return names;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (pick[i])
            storage.push_back(names[i]);
    return storage;
}

// Sets the item lists of two desktops aside from a document for as long as it lives. The steps before a
// switch's moves never change those lists, and they are most of a large document: the copy taken to see
// whether those steps changed anything, and the comparison, can leave them out.
class ListsSetAside {
public:
    ListsSetAside(Config& config, std::string_view first, std::string_view second)
        : first_(config.findWorkspace(first)), second_(config.findWorkspace(second)) {
        for (Workspace* w : {first_, second_})
            if (w)
                std::swap(w->files, w == first_ ? firstFiles_ : secondFiles_);
    }
    ~ListsSetAside() {
        for (Workspace* w : {first_, second_})
            if (w)
                std::swap(w->files, w == first_ ? firstFiles_ : secondFiles_);
    }
    ListsSetAside(const ListsSetAside&) = delete;
    ListsSetAside& operator=(const ListsSetAside&) = delete;

private:
    Workspace* first_;
    Workspace* second_;
    std::vector<std::string> firstFiles_;
    std::vector<std::string> secondFiles_;
};

// The positions `workspace` keeps for those of `names` that have one.
IconPositions keptPositions(const Workspace* workspace, const std::vector<std::string>& names) {
    IconPositions kept;
    if (workspace)
        for (const auto& name : names)
            if (const IconPosition* p = workspace->positions.find(name))
                kept.set(name, *p);
    return kept;
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

SwapError SwapError::nameClash(const std::vector<std::string>& names, const std::string& workspace,
                               bool leaving) {
    const bool one = names.size() == 1;
    const std::string where = "\u201c" + workspace + "\u201d";
    const std::string text = leaving ? quotedList(names) + (one ? " is" : " are") +
                                           " on the Desktop and also in the folder of " + where
                                     : quotedList(names) + " on the Desktop " + (one ? "has" : "have") +
                                           " the same name as an item of " + where;
    return SwapError(Kind::nameClash, workspace,
                     text + ", so Tessarin didn't switch \u2014 nothing was moved or overwritten. Rename one "
                            "of the two and switch again.",
                     names);
}

DesktopSwapper::DesktopSwapper(DesktopSurface& surface, StateStore& store, Sleeper sleep)
    : surface_(surface), store_(store), sleep_(std::move(sleep)) {}

std::vector<std::string> DesktopSwapper::switchTo(const std::string& target) {
    const MoveBatch batch(surface_);
    std::optional<Config> recovered = recover();
    if (!surface_.sameVolume())
        throw SwapError::crossVolumeStore();

    // The document as recovery left it, or read again when recovery couldn't read it (so its error
    // is the one reported).
    Config config = recovered ? std::move(*recovered) : store_.loadConfig();
    const std::string active = config.activeWorkspace;
    if (active == target)
        return {};
    if (!config.findWorkspace(target))
        throw SwapError::unknownWorkspace(target);
    // Every refusal comes before the first move: the pinned stash and the hidden-desktop deposit below
    // already move items.
    if (config.schemaVersion > Config::currentSchemaVersion)
        throw StoreError(config.schemaVersion);
    requireDesktopFolder(target, "The desktop to switch to");
    requireDesktopFolder(active, "The active desktop");
    const Config journalled = [&] {
        const ListsSetAside aside(config, active, target);
        return config;
    }();
    auto targetItems = surface_.items(Location::workspace(target));
    auto desktopItems = refuseUnsafeSwitch(config, target, targetItems);

    const StashResult stash = syncPinnedStash(config, target);
    if (!stash.restored.empty())
        desktopItems = surface_.items(Location::desktop());
    // Views of the pinned names and of the stash's, which outlive every use below.
    NameSet held(config.settings.pinnedFolders, stash.restored.size());
    for (const auto& name : stash.restored)
        held.insert(name);
    NameSet heldOnDesktop;
    for (const auto& name : desktopItems)
        if (held.contains(name))
            heldOnDesktop.insert(name);

    std::vector<std::string> outgoing;
    if (active == blank) {
        std::vector<std::string> strays;
        for (const auto& name : desktopItems)
            if (!held.contains(name))
                strays.push_back(name);
        if (!strays.empty())
            depositStrays(config, strays, target);
    } else {
        for (const auto& name : desktopItems)
            if (!held.contains(name))
                outgoing.push_back(name);
    }

    std::vector<std::string> skips;
    std::vector<std::string> incoming;
    for (auto& name : targetItems)
        (heldOnDesktop.contains(name) ? skips : incoming).push_back(std::move(name));

    const bool nativePositions = config.settings.nativePositions;
    if (!nativePositions && active != blank) {
        const IconPositions read = readOrEmpty(surface_, outgoing);
        config.updateWorkspace(active, [&](Workspace& w) { w.positions = read; });
    }
    // The journal carries the outgoing names and finishing it records them, so the document is written
    // before the moves only when something else in it changed: positions read, the pinned stash, strays.
    const bool changed = [&] {
        const ListsSetAside aside(config, active, target);
        return !(config == journalled);
    }();
    if (changed) {
        config.updateWorkspace(active, [&](Workspace& w) { w.files = outgoing; });
        store_.saveConfig(config);
    }

    // Built in place: the store takes an optional, and a switch of many items should not copy its lists
    // to make one.
    std::optional<Journal> journal(std::in_place,
                                   Journal{active, target, std::move(outgoing), std::move(incoming)});
    store_.saveJournal(journal);
    applyMoves(*journal, std::chrono::milliseconds(AppSettings::clampMoveGapMs(config.settings.moveGapMs)),
               nativePositions);

    // The journal's lists are not needed again: the document takes them.
    config.activeWorkspace = target;
    config.updateWorkspace(active, [&](Workspace& w) { w.files = std::move(journal->outgoing); });
    config.updateWorkspace(target, [&](Workspace& w) { w.files = std::move(journal->incoming); });
    store_.saveConfig(config);

    IconPositions toPlace;
    std::vector<std::string> names;
    const Workspace* entered = config.findWorkspace(target);
    if (!nativePositions && entered) {
        toPlace = keptPositions(entered, entered->files);
        names = entered->files;
    }
    for (const auto& [name, position] : stash.restoredPositions) {
        toPlace.set(name, position);
        names.push_back(name);
    }
    place(config, toPlace, names);

    store_.saveJournal(std::nullopt);
    return skips;
}

std::vector<std::string> DesktopSwapper::refuseUnsafeSwitch(const Config& config, const std::string& target,
                                                            const std::vector<std::string>& targetItems) {
    const std::string& active = config.activeWorkspace;
    auto desktopItems = surface_.items(Location::desktop());
    requireRecordableNames(desktopItems);
    requireRecordableNames(targetItems);

    // What stays on the Desktop through the switch once the pinned stash step has run: held items
    // (pinned, or back from the stash) and, leaving the hidden Desktop, strays that can't be deposited.
    NameSet onDesktop(desktopItems);
    NameSet held(config.settings.pinnedFolders);
    std::vector<std::string> stashed;
    if (target == blank) {
        for (const auto& name : config.settings.pinnedFolders)
            onDesktop.erase(name);
    } else {
        // A stashed item whose name is taken on the Desktop stays in the stash.
        stashed = surface_.items(Location::workspace(pinnedStash));
        for (const auto& name : stashed)
            if (onDesktop.insert(name))
                held.insert(name);
    }
    std::vector<std::string_view> loose; // on the Desktop and not held, in Desktop order
    for (const auto& name : desktopItems)
        if (onDesktop.contains(name) && !held.contains(name))
            loose.push_back(name);

    // An arriving item may not meet a namesake that stays on the Desktop.
    const auto refuseArriving = [&](const auto& staying) {
        if (auto clashes = present(targetItems, staying); !clashes.empty())
            throw SwapError::nameClash(clashes, target, false);
    };
    if (active == blank) {
        const auto expand = config.expandTarget();
        if (expand && *expand != target && !loose.empty()) {
            requireDesktopFolder(*expand, "The desktop that takes the items put on the hidden Desktop");
            refuseArriving(present(loose, surface_.items(Location::workspace(*expand))));
        } else {
            refuseArriving(loose);
        }
    } else if (auto clashes = present(loose, surface_.items(Location::workspace(active))); !clashes.empty()) {
        // Leaving a shown desktop, only held items stay on the Desktop; an incoming namesake of one of
        // them stays in its folder.
        throw SwapError::nameClash(clashes, active, true);
    }
    return desktopItems;
}

void DesktopSwapper::applyMoves(const Journal& journal, std::chrono::microseconds gap, bool carryPositions) {
    const Location desktop = Location::desktop();
    const Location from = Location::workspace(journal.fromWorkspace);
    const Location to = Location::workspace(journal.toWorkspace);

    // The sets hold views of the listings' names and of the journal's: a switch of many items builds
    // them without copying a name.
    const auto onDesktop = surface_.items(desktop);
    NameSet desktopNow(onDesktop);
    if (carryPositions) {
        try {
            surface_.carryPositions(desktop, from);
        } catch (...) {
        }
    }
    // A name that is already in the outgoing folder has moved before this replay (the Desktop's item of
    // that name is then an incoming one): it is not moved again.
    std::vector<std::string> listedFrom;
    std::optional<NameSet> inFrom;
    std::vector<bool> leaves(journal.outgoing.size());
    for (std::size_t i = 0; i < journal.outgoing.size(); ++i) {
        const std::string& name = journal.outgoing[i];
        if (!desktopNow.contains(name))
            continue;
        if (!inFrom) {
            listedFrom = surface_.items(from);
            inFrom.emplace(listedFrom, journal.outgoing.size());
        }
        // Inserted so that a name the journal lists twice moves once.
        leaves[i] = inFrom->insert(name);
    }
    std::vector<std::string> someLeaving;
    const std::vector<std::string>& leaving = picked(journal.outgoing, leaves, someLeaving);
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
    // After the moves rather than between them: each rename leaves the caches cold.
    for (const auto& name : leaving)
        desktopNow.erase(name);
    if (!leaving.empty() && gap.count() > 0)
        sleep_(gap);

    if (carryPositions) {
        try {
            surface_.carryPositions(to, desktop);
        } catch (...) {
        }
    }
    const auto inFolder = surface_.items(to);
    NameSet folderNow(inFolder);
    std::vector<bool> arrives(journal.incoming.size());
    for (std::size_t i = 0; i < journal.incoming.size(); ++i) {
        const std::string& name = journal.incoming[i];
        // Something of the same name on the Desktop keeps this item in its folder, never overwritten.
        // Erased so that a name the journal lists twice moves once.
        arrives[i] = !desktopNow.contains(name) && folderNow.erase(name);
    }
    std::vector<std::string> someArriving;
    const std::vector<std::string>& arriving = picked(journal.incoming, arrives, someArriving);
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
    recover();
}

std::optional<Config> DesktopSwapper::recover() {
    const MoveBatch batch(surface_);
    try {
        finishJournalledSwitch();
    } catch (...) {
        drainUnlessHidden();
        throw;
    }
    return drainUnlessHidden();
}

void DesktopSwapper::finishJournalledSwitch() {
    const auto journal = store_.loadJournal();
    if (!journal)
        return;
    requireDesktopFolder(journal->fromWorkspace, "The desktop being left in journal.json");
    requireDesktopFolder(journal->toWorkspace, "The desktop being entered in journal.json");
    applyMoves(*journal, std::chrono::microseconds(0), false);

    Config config = store_.loadConfig();
    config.updateWorkspace(journal->fromWorkspace, [&](Workspace& w) { w.files = journal->outgoing; });
    config.updateWorkspace(journal->toWorkspace, [&](Workspace& w) { w.files = journal->incoming; });
    config.activeWorkspace = journal->toWorkspace;
    store_.saveConfig(config);

    if (!config.settings.nativePositions)
        place(config, keptPositions(config.findWorkspace(journal->toWorkspace), journal->incoming),
              journal->incoming);
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
    if (!expand || *expand == target || desktopFolderProblem(*expand))
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

std::optional<Config> DesktopSwapper::drainUnlessHidden() {
    std::optional<Config> config;
    try {
        config = store_.loadConfig();
    } catch (...) {
        return std::nullopt;
    }
    if (config->activeWorkspace == blank)
        return config;
    drainPinnedStash(*config);
    drainHiddenDesktop(*config);
    return config;
}

void DesktopSwapper::drainPinnedStash(Config& config) {
    try {
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

void DesktopSwapper::drainHiddenDesktop(Config& config) {
    try {
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
