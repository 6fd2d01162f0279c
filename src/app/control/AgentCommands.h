#pragma once

#include "control/CommandRunner.h"
#include "control/ControlProtocol.h"
#include "session/SwitchSequence.h"
#include "store/StateStore.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace tessarin {

// A refused request: the user-facing text and its class (tessarinctl's exit status).
class ControlFailure : public std::runtime_error {
public:
    ControlFailure(control::Failure failure, const std::string& text)
        : std::runtime_error(text), failure_(failure) {}
    control::Failure failure() const { return failure_; }

private:
    control::Failure failure_;
};

// What the agent does for each request of its control interface, with its own store and switch
// sequence: the replies are the texts tessarinctl prints or decodes (see com.orrinvale.Tessarin1.xml).
// Failures throw ControlFailure.
class AgentCommands {
public:
    struct Parts {
        StateStore& store;
        SwitchSequence& sequence;
        std::function<void()> recover;  // finishes a journalled switch; throws on failure
        std::function<bool()> launched; // false while the agent is still starting
        std::function<void()> activate; // come forward
        // A tessarinctl command line over the agent's store; then what changed is shown.
        std::function<CommandResult(const std::vector<std::string>& args, bool json)> runCommand;
        std::function<void()> afterCommand;
    };

    explicit AgentCommands(Parts parts) : parts_(std::move(parts)) {}

    std::string status();
    std::string list();
    std::string switchTo(const std::string& name);
    std::string hide();
    std::string show();
    std::string toggle();
    std::string next();
    std::string previous();
    std::string last();
    void recover();
    std::string config();
    void activate();
    CommandResult runCommand(const std::vector<std::string>& args, bool json);

private:
    void refuseWhileBusy();
    std::string reply(const SwitchOutcome& outcome);
    std::string switching(const std::function<SwitchOutcome(SwitchSequence&)>& request);

    Parts parts_;
};

} // namespace tessarin
