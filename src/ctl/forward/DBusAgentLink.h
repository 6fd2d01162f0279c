#pragma once

#include "commands/AgentLink.h"

#include <filesystem>
#include <memory>

namespace tessarin::ctl {

// The running agent on the session bus, reached through its control interface.
class DBusAgentLink : public cmd::AgentLink {
public:
    // The agent, when the session bus is reachable, the agent's name has an owner and that agent manages
    // the store at `storeRoot` (an agent of another home is not ours to command); null otherwise.
    static std::unique_ptr<DBusAgentLink> connectIfRunning(const std::filesystem::path& storeRoot);
    ~DBusAgentLink() override;
    DBusAgentLink(const DBusAgentLink&) = delete;
    DBusAgentLink& operator=(const DBusAgentLink&) = delete;

    cmd::AgentReply status() override;
    cmd::AgentReply list() override;
    cmd::AgentReply switchTo(const std::string& name) override;
    cmd::AgentReply hide() override;
    cmd::AgentReply show() override;
    cmd::AgentReply toggle() override;
    cmd::AgentReply next() override;
    cmd::AgentReply previous() override;
    cmd::AgentReply last() override;
    cmd::AgentReply recover() override;
    cmd::AgentReply config() override;
    cmd::AgentRun runCommand(const std::vector<std::string>& args, bool json) override;

private:
    struct Impl;
    explicit DBusAgentLink(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace tessarin::ctl
