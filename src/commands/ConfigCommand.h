#pragma once

#include "commands/Command.h"

namespace tessarin::cmd {

// Prints the document as this version reads it, encoded as a save would write it; writes nothing.
class ConfigCommand : public Command {
public:
    std::string name() const override { return "config"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override {
        return "print the document as this version reads it (compact JSON, one line); writes nothing";
    }
    ExitStatus run(CommandContext& context, const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
