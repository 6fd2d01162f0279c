#include "commands/ConfigCommand.h"

#include "commands/SessionCommand.h"
#include "model/ConfigCodec.h"
#include "store/FileStateStore.h"

#include <ostream>

namespace tessarin::cmd {

ExitStatus ConfigCommand::run(CommandContext& context, const std::vector<std::string>& args) {
    if (!args.empty()) {
        context.err << "tessarinctl: config takes no arguments\n";
        return ExitStatus::usage;
    }
    if (context.agent) {
        const AgentReply reply = context.agent->config();
        if (!reply.agentGone) {
            if (auto failed = replyFailure(reply, context))
                return *failed;
            context.out << reply.text << "\n";
            return ExitStatus::done;
        }
    }
    FileStateStore store(context.paths.config, context.paths.journal);
    Config config;
    try {
        config = store.loadConfig();
    } catch (const std::exception& e) { // undecodable or unreadable
        context.err << e.what() << "\n";
        return ExitStatus::refused;
    }
    // A save writes the current schema version; a newer document is never saved, so it keeps its own.
    if (config.schemaVersion < Config::currentSchemaVersion)
        config.schemaVersion = Config::currentSchemaVersion;
    context.out << encodeConfig(config) << "\n";
    return ExitStatus::done;
}

} // namespace tessarin::cmd
