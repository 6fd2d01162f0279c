#pragma once

#include "commands/ExitStatus.h"

#include <string>
#include <vector>

namespace tessarin::cmd {

// One answer of the running agent.
struct AgentReply {
    ExitStatus status = ExitStatus::done; // done, or the class of the failure
    std::string text;                     // the reply on success, the user-facing message on failure
    bool agentGone = false;               // the agent left before it answered: do the work here instead
};

// A command the agent ran: what it printed and its exit status.
struct AgentRun {
    ExitStatus status = ExitStatus::done;
    std::string out;
    std::string err;
    bool agentGone = false; // the agent left before it answered: do the work here instead
};

// The running agent, which does a command's work when it manages the same store. tessarinctl reaches it
// over its control interface; calls block until the agent answers (a switch of many items takes a while).
class AgentLink {
public:
    virtual ~AgentLink() = default;

    virtual AgentReply status() = 0;
    virtual AgentReply list() = 0;
    virtual AgentReply switchTo(const std::string& name) = 0;
    virtual AgentReply hide() = 0;
    virtual AgentReply show() = 0;
    virtual AgentReply toggle() = 0;
    virtual AgentReply next() = 0;
    virtual AgentReply previous() = 0;
    virtual AgentReply last() = 0;
    virtual AgentReply recover() = 0;
    virtual AgentReply config() = 0;
    // Runs the tessarinctl command line `args` (the command's name first) over the agent's store.
    virtual AgentRun runCommand(const std::vector<std::string>& args, bool json) = 0;

protected:
    AgentLink() = default;
    AgentLink(const AgentLink&) = default;
    AgentLink& operator=(const AgentLink&) = default;
};

} // namespace tessarin::cmd
