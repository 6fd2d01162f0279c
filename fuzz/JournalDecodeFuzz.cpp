// Feeds arbitrary bytes to the journal reader, which reads what a crash left behind. The reader may
// refuse them only with DecodeError; a journal it accepts must encode and read back unchanged, and
// finishing it over a Desktop and two desktops that share item names must never lose, duplicate or
// overwrite an item: recovery either completes (the journal is gone) or refuses a name that can't be a
// desktop folder, before anything moves.
#include "model/ConfigCodec.h"
#include "swap/DesktopSwapper.h"
#include "swap/FolderName.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string_view>
#include <system_error>

namespace {

using namespace tessarin;

[[noreturn]] void failWith(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

// Places as sets of names; a move never replaces an item and fails on a missing one, like the real
// surface.
class MemorySurface : public DesktopSurface {
public:
    std::map<std::string, std::map<std::string, std::string>> places; // place -> name -> content

    static std::string key(const Location& at) { return at.isDesktop() ? "" : "/" + at.workspaceName(); }
    bool sameVolume() override { return true; }
    std::vector<std::string> items(const Location& at) override {
        std::vector<std::string> names;
        for (const auto& [name, content] : places[key(at)])
            if (!name.starts_with("."))
                names.push_back(name);
        return names;
    }
    void move(const std::string& name, const Location& from, const Location& to) override {
        auto& source = places[key(from)];
        auto& target = places[key(to)];
        const auto it = source.find(name);
        if (it == source.end())
            throw std::system_error(ENOENT, std::system_category(), "missing " + name);
        if (target.count(name))
            throw std::system_error(EEXIST, std::system_category(), "would replace " + name);
        target.emplace(name, it->second);
        source.erase(it);
    }
    std::optional<IconPosition> readPosition(const std::string&) override { return std::nullopt; }
    void writePosition(const IconPosition&, const std::string&) override {}

    std::multiset<std::string> contents() const {
        std::multiset<std::string> all;
        for (const auto& [place, names] : places)
            for (const auto& [name, content] : names)
                all.insert(content);
        return all;
    }
};

class MemoryStore : public StateStore {
public:
    Config config;
    std::optional<Journal> journal;
    Config loadConfig() override { return config; }
    void saveConfig(const Config& c) override { config = c; }
    std::optional<Journal> loadJournal() override { return journal; }
    void saveJournal(const std::optional<Journal>& j) override { journal = j; }
};

void recoverOverSharedNames(const Journal& journal) {
    MemorySurface surface;
    // A crash in the incoming phase of A -> B: "notes" and "todo" exist in both desktops.
    surface.places[""] = {{"notes", "B:notes"}, {"b1", "B:b1"}, {"stray", "stray"}};
    surface.places["/A"] = {{"notes", "A:notes"}, {"todo", "A:todo"}, {"a1", "A:a1"}};
    surface.places["/B"] = {{"todo", "B:todo"}, {"b2", "B:b2"}};
    MemoryStore store;
    store.config.activeWorkspace = "A";
    store.config.workspaces = {Workspace::make("A"), Workspace::make("B"),
                               Workspace::make(std::string(Config::blankWorkspaceName))};
    store.journal = journal;
    const auto before = surface.contents();

    DesktopSwapper swapper(surface, store, [](std::chrono::microseconds) {});
    const bool usable =
        !desktopFolderProblem(journal.fromWorkspace) && !desktopFolderProblem(journal.toWorkspace);
    try {
        swapper.recoverIfNeeded();
        if (!usable)
            failWith("recovery used a name that can't be a folder", encodeJournal(journal));
        if (store.journal)
            failWith("recovery left the journal", encodeJournal(journal));
    } catch (const UnusableFolderName&) {
        if (usable)
            failWith("recovery refused usable names", encodeJournal(journal));
        if (store.journal != journal)
            failWith("a refused journal changed", encodeJournal(journal));
    } catch (const std::exception& e) {
        failWith("recovery wedged", std::string(e.what()) + " in " + encodeJournal(journal));
    }
    if (surface.contents() != before)
        failWith("recovery lost or duplicated an item", encodeJournal(journal));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Journal journal;
    try {
        journal = decodeJournal(bytes);
    } catch (const DecodeError&) {
        return 0;
    }
    const std::string encoded = encodeJournal(journal);
    Journal reread;
    try {
        reread = decodeJournal(encoded);
    } catch (const DecodeError& error) {
        failWith("own encoding refused", error.what());
    }
    if (!(reread == journal))
        failWith("round trip changed the journal", encoded);
    recoverOverSharedNames(journal);
    return 0;
}
