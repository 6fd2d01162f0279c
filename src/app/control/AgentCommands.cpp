#include "control/AgentCommands.h"

#include "model/ConfigCodec.h"
#include "session/CommandReports.h"

namespace tessarin {

namespace {

constexpr const char* busyText = "Tessarin is busy switching desktops. Try again in a moment.";
constexpr const char* startingText = "Tessarin is still starting. Try again in a moment.";

} // namespace

void AgentCommands::refuseWhileBusy() {
    if (parts_.launched && !parts_.launched())
        throw ControlFailure(control::Failure::busy, startingText);
    if (parts_.sequence.isSwapping())
        throw ControlFailure(control::Failure::busy, busyText);
}

std::string AgentCommands::status() {
    refuseWhileBusy();
    try {
        return encodeStatusReport(makeStatusReport(parts_.store, parts_.sequence.readOnly()));
    } catch (const DecodeError& e) {
        throw ControlFailure(control::Failure::refused, e.what());
    }
}

std::string AgentCommands::list() {
    refuseWhileBusy();
    try {
        return encodeListReport(makeStatusReport(parts_.store, parts_.sequence.readOnly()));
    } catch (const DecodeError& e) {
        throw ControlFailure(control::Failure::refused, e.what());
    }
}

std::string AgentCommands::reply(const SwitchOutcome& outcome) {
    switch (outcome.result) {
    case SwitchOutcome::Result::readOnly:
        throw ControlFailure(control::Failure::readOnly, StoreError::newerText);
    case SwitchOutcome::Result::failed:
        throw ControlFailure(control::Failure::refused, outcome.error);
    default:
        return encodeSwitchOutcome(outcome);
    }
}

std::string AgentCommands::switching(const std::function<SwitchOutcome(SwitchSequence&)>& request) {
    refuseWhileBusy();
    // A read-only session refuses before anything runs, as tessarinctl itself does.
    if (parts_.sequence.readOnly())
        throw ControlFailure(control::Failure::readOnly, StoreError::newerText);
    // The requester reports a failure; the agent shows no alert of its own for it.
    struct Quiet {
        SwitchSequence& sequence;
        ~Quiet() { sequence.setFailuresShown(true); }
    } quiet{parts_.sequence};
    parts_.sequence.setFailuresShown(false);
    return reply(request(parts_.sequence));
}

std::string AgentCommands::switchTo(const std::string& name) {
    return switching([&](SwitchSequence& s) { return s.switchUnlessActive(name); });
}
std::string AgentCommands::hide() {
    return switching([](SwitchSequence& s) { return s.collapse(); });
}
std::string AgentCommands::show() {
    return switching([](SwitchSequence& s) { return s.expand(); });
}
std::string AgentCommands::toggle() {
    return switching([](SwitchSequence& s) { return s.toggleCollapse(); });
}
std::string AgentCommands::next() {
    return switching([](SwitchSequence& s) { return s.cycle(+1); });
}
std::string AgentCommands::previous() {
    return switching([](SwitchSequence& s) { return s.cycle(-1); });
}
std::string AgentCommands::last() {
    return switching([](SwitchSequence& s) { return s.switchToLastDesktop(); });
}

void AgentCommands::recover() {
    refuseWhileBusy();
    if (parts_.sequence.readOnly())
        throw ControlFailure(control::Failure::readOnly, StoreError::newerText);
    try {
        if (parts_.recover)
            parts_.recover();
    } catch (const std::exception& e) {
        throw ControlFailure(control::Failure::refused,
                             std::string("Couldn't finish the interrupted switch: ") + e.what());
    }
}

std::string AgentCommands::config() {
    try {
        Config config = parts_.store.loadConfig();
        // A save writes the current schema version; a newer document is never saved, so it keeps its own.
        if (config.schemaVersion < Config::currentSchemaVersion)
            config.schemaVersion = Config::currentSchemaVersion;
        return encodeConfig(config);
    } catch (const DecodeError& e) {
        throw ControlFailure(control::Failure::refused, e.what());
    }
}

CommandResult AgentCommands::runCommand(const std::vector<std::string>& args, bool json) {
    refuseWhileBusy();
    if (!parts_.runCommand)
        throw ControlFailure(control::Failure::refused, "This Tessarin agent does not run commands.");
    CommandResult result = parts_.runCommand(args, json);
    if (parts_.afterCommand)
        parts_.afterCommand();
    return result;
}

void AgentCommands::activate() {
    if (parts_.activate)
        parts_.activate();
}

} // namespace tessarin
