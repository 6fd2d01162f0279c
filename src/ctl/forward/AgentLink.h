#pragma once

#include "ExitStatus.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tessarin::ctl {

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

// The running agent on the session bus, reached through its control interface. Calls block until the
// agent answers (a switch of many items takes a while).
class AgentLink {
public:
    // The agent, when the session bus is reachable, the agent's name has an owner and that agent manages
    // the store at `storeRoot` (an agent of another home is not ours to command); null otherwise.
    static std::unique_ptr<AgentLink> connectIfRunning(const std::filesystem::path& storeRoot);
    ~AgentLink();
    AgentLink(const AgentLink&) = delete;
    AgentLink& operator=(const AgentLink&) = delete;

    AgentReply status();
    AgentReply list();
    AgentReply switchTo(const std::string& name);
    AgentReply hide();
    AgentReply show();
    AgentReply toggle();
    AgentReply next();
    AgentReply previous();
    AgentReply last();
    AgentReply recover();
    AgentReply config();
    // Runs the tessarinctl command line `args` (the command's name first) over the agent's store.
    AgentRun runCommand(const std::vector<std::string>& args, bool json);

private:
    struct Impl;
    explicit AgentLink(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace tessarin::ctl
