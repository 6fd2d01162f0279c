#include "commands/ModelCommand.h"

#include "freedesktop/TrashFileService.h"
#include "session/BusyTest.h"
#include "swap/DesktopSwapper.h"

#include <ostream>

namespace tessarin::cmd {

ExitStatus ModelCommand::runInSession(Session& session, CommandContext& context,
                                      const std::vector<std::string>& args) {
    if (auto refused = session.refuseIfReadOnly())
        return *refused;
    TrashFileService files;
    SettingsModel model(
        SettingsDependencies{session.store(), session.paths(), files, session.clock(), &session.archiver()},
        shortcutTextIn(context.triggers));
    model.state.callbacks.isBusy = [&session] {
        return switchInProgress(session.sequence().isSwapping(), session.store());
    };
    return runWithModel(model, session, context, args);
}

ShortcutText shortcutTextIn(const TriggerServices& triggers) {
    const KeyboardLayout* keyboard = triggers.keyboard;
    if (!keyboard)
        return provisionalShortcutText;
    return [keyboard](const HotKeySpec& spec) {
        return shortcutText(spec, [keyboard](uint32_t code) { return keyboard->printableKeyName(code); });
    };
}

ExitStatus ModelCommand::outcome(const SettingsModel& model, CommandContext& context) {
    if (const auto& message = model.errorMessage())
        return refuse(context, *message);
    return ExitStatus::done;
}

ExitStatus ModelCommand::refuse(CommandContext& context, const std::string& message) {
    context.err << message << "\n";
    return ExitStatus::refused;
}

std::optional<std::string> ModelCommand::notAUserDesktop(const SettingsModel& model,
                                                         const std::string& name) {
    if (name == Config::blankWorkspaceName)
        return "\u201c" + name + "\u201d is Tessarin's own blank desktop and can't be changed.";
    if (!model.config().findWorkspace(name))
        return SwapError::unknownWorkspace(name).what();
    return std::nullopt;
}

} // namespace tessarin::cmd
