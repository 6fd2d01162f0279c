#pragma once

#include "commands/SessionCommand.h"
#include "settings/SettingsModel.h"

namespace tessarin::cmd {

// A shortcut's display text with the keys named in the session's keyboard layout, when it is known.
ShortcutText shortcutTextIn(const TriggerServices& triggers);

// A command that changes the document through the settings model, so that the model's rules and
// messages apply exactly as in the settings window. A read-only session refuses it first.
class ModelCommand : public SessionCommand {
protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) final;
    virtual ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                                    const std::vector<std::string>& args) = 0;

    // refused with the model's message on stderr when it has one; done otherwise.
    static ExitStatus outcome(const SettingsModel& model, CommandContext& context);
    // refused with `message` on stderr.
    static ExitStatus refuse(CommandContext& context, const std::string& message);
    // The refusal for a name that is no desktop, or the blank one, which is not the user's to change.
    static std::optional<std::string> notAUserDesktop(const SettingsModel& model, const std::string& name);
};

} // namespace tessarin::cmd
