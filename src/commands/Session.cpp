#include "commands/Session.h"

#include "freedesktop/LinuxScreenshotServices.h"
#include "iconhost/IconHostFinder.h"
#include "journald/JournaldLogSink.h"
#include "model/ConfigCodec.h"
#include "support/StderrLogSink.h"
#include "swap/IconHostSurface.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace tessarin::cmd {

namespace {

std::vector<std::shared_ptr<LogSink>> sinksFor(const CommandContext& context) {
    std::vector<std::shared_ptr<LogSink>> sinks;
    // The journal keeps every run's lines; the terminal shows them only when asked.
    if (auto journal = journalSinkIfRunning())
        sinks.push_back(std::move(journal));
    if (context.verbose)
        sinks.push_back(std::make_shared<StderrLogSink>());
    return sinks;
}

} // namespace

struct Session::Owned {
    explicit Owned(const CommandContext& context)
        : log(sinksFor(context)), store(context.paths.config, context.paths.journal),
          fileSurface(context.paths.desktop, context.paths.workspaces), hosts(context.paths.desktop, log),
          surface(
              fileSurface, [this]() -> IconHost& { return iconHost(); }, log),
          swapper(surface, store), sequence(store, swapper, log, clock),
          archiver(store, context.paths, files, clock, log), lock(context.paths.root, "tessarinctl"),
          screenshots(linuxScreenshotServices(), context.paths.home, context.paths.desktop),
          sweeps(surface, store, log, screenshots) {
        sequence.setSweeps(&sweeps);
    }

    SessionParts parts() { return {log, clock, store, surface, swapper, sequence, sweeps, archiver}; }

    // A command is over long before a desktop-icon host could be replaced: the display is asked once,
    // when a position is first needed, and never by a command that needs none.
    IconHost& iconHost() {
        if (!host)
            host = &hosts.current();
        return *host;
    }

    Log log;
    SystemClock clock;
    FileStateStore store;
    FileSystemSurface fileSurface;
    IconHostFinder hosts;
    IconHostSurface surface;
    DesktopSwapper swapper;
    SwitchSequence sequence;
    TrashFileService files;
    Archiver archiver;
    StoreLock lock;
    ScreenshotFilter screenshots;
    DesktopSweeps sweeps;
    IconHost* host = nullptr;
};

Session::Session(CommandContext& context)
    : context_(context), owned_(std::make_unique<Owned>(context)), parts_(owned_->parts()) {}

Session::Session(CommandContext& context, SessionParts openParts)
    : context_(context), parts_(openParts), readOnly_(openParts.sequence.readOnly()) {}

Session::~Session() = default;

std::optional<ExitStatus> Session::open() {
    if (!owned_)
        return std::nullopt;
    try {
        checkDesktopLocation(context_.paths);
        std::filesystem::create_directories(context_.paths.store);
        owned_->lock.acquire();
        // Nobody else writes the document while the lock is held: it is read and decoded once.
        store().keepDocument(true);
    } catch (const StoreLockBusy& e) {
        context_.err << e.what() << "\n";
        return ExitStatus::busy;
    } catch (const std::exception& e) {
        context_.err << e.what() << "\n";
        return ExitStatus::refused;
    }

    StoreStartup startup(context_.paths, store(), surface(), log(), clock());
    try {
        store().loadConfig();
    } catch (const std::exception& e) { // undecodable, or there but unreadable: nothing is written
        context_.err << e.what() << "\n";
        return ExitStatus::refused;
    }
    if (startup.documentIsNewer()) {
        readOnly_ = true;
        sequence().setReadOnly(true);
        log().log(LogCategory::error, LogLevel::error, "config.json schema %ld > %ld — read-only session",
                  static_cast<long>(store().loadConfig().schemaVersion),
                  static_cast<long>(Config::currentSchemaVersion));
        return std::nullopt; // nothing may be written: no bootstrap, no recovery
    }
    try {
        startup.bootstrapIfNeeded();
    } catch (const std::exception& e) {
        context_.err << e.what() << "\n";
        return ExitStatus::refused;
    }
    // Records naming a folder that can't be a desktop's: named here, refused by each operation that
    // would use them; everything else works.
    for (const auto& line : startup.unusableRecords())
        context_.err << line << "\n";
    try {
        startup.recover(swapper());
    } catch (const std::exception& e) {
        recoveryFailed_ = true;
        context_.err << "Couldn't finish the interrupted switch: " << e.what() << "\n";
    }
    // The active desktop counts as visited, and so does the one a switch makes active; the stamps ride
    // along with the command's own writes, so a command that changes nothing writes nothing.
    try {
        store().carryVisits(store().loadConfig().activeWorkspace, clock().now(), clock());
        sequence().setStampsVisit(false);
    } catch (...) {
    }
    return std::nullopt;
}

bool Session::journalPending() {
    try {
        return parts_.store.loadJournal().has_value();
    } catch (...) {
        return true;
    }
}

std::optional<ExitStatus> Session::refuseIfReadOnly() {
    if (!readOnly_)
        return std::nullopt;
    context_.err << StoreError::newerText << "\n";
    return ExitStatus::readOnly;
}

ExitStatus Session::report(const SwitchOutcome& outcome) {
    return reportSwitch(context_, outcome);
}

ExitStatus reportSwitch(CommandContext& context, const SwitchOutcome& outcome) {
    using Result = SwitchOutcome::Result;
    if (outcome.result == Result::readOnly) {
        context.err << StoreError::newerText << "\n";
        return ExitStatus::readOnly;
    }
    if (!outcome.skips.empty())
        context.err << pinnedSkipsMessage(outcome.skips) << "\n"
                    << pinnedSkipsInformativeText(outcome.skips) << "\n";
    if (outcome.result == Result::failed) {
        context.err << outcome.error << "\n";
        return ExitStatus::refused;
    }
    if (context.json) {
        nlohmann::ordered_json j;
        j["result"] = outcome.result == Result::switched ? "switched" : "nothingToDo";
        if (outcome.result == Result::switched) {
            j["from"] = outcome.leaving;
            j["to"] = outcome.target;
            j["skips"] = outcome.skips;
            j["milliseconds"] = outcome.milliseconds;
        }
        context.out << j.dump() << "\n";
    }
    return ExitStatus::done;
}

} // namespace tessarin::cmd
