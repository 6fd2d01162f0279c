#include "commands/ArchiveCommands.h"
#include "commands/Command.h"
#include "commands/ConfigCommand.h"
#include "commands/DesktopCommands.h"
#include "commands/DockCommand.h"
#include "commands/InstallCommands.h"
#include "commands/OnScreenCommands.h"
#include "commands/ReportCommands.h"
#include "commands/SettingCommands.h"
#include "commands/SortingCommands.h"
#include "commands/StatusCommand.h"
#include "commands/SwitchCommands.h"
#include "commands/TriggerCommands.h"

namespace tessarin::cmd {

CommandList makeCommands() {
    CommandList commands;
    commands.push_back(std::make_unique<StatusCommand>());
    commands.push_back(std::make_unique<ListCommand>());
    commands.push_back(std::make_unique<SwitchCommand>());
    commands.push_back(std::make_unique<HideCommand>());
    commands.push_back(std::make_unique<ShowCommand>());
    commands.push_back(std::make_unique<ToggleCommand>());
    commands.push_back(std::make_unique<NextCommand>());
    commands.push_back(std::make_unique<PreviousCommand>());
    commands.push_back(std::make_unique<LastCommand>());
    commands.push_back(std::make_unique<RecoverCommand>());
    commands.push_back(std::make_unique<ArchiveCommand>());
    commands.push_back(std::make_unique<RestoreCommand>());
    commands.push_back(std::make_unique<PourCommand>());
    commands.push_back(std::make_unique<DeleteCommand>());
    commands.push_back(std::make_unique<TickCommand>());
    commands.push_back(std::make_unique<CleanupsCommand>());
    commands.push_back(std::make_unique<DiagnosticsCommand>());
    commands.push_back(std::make_unique<ConfigCommand>());
    commands.push_back(std::make_unique<NewCommand>());
    commands.push_back(std::make_unique<RenameCommand>());
    commands.push_back(std::make_unique<TypeCommand>());
    commands.push_back(std::make_unique<OrderCommand>());
    commands.push_back(std::make_unique<AdoptCommand>());
    commands.push_back(std::make_unique<PinCommand>());
    commands.push_back(std::make_unique<UnpinCommand>());
    commands.push_back(std::make_unique<SortNowCommand>());
    commands.push_back(std::make_unique<FilterCommand>());
    commands.push_back(std::make_unique<SetCommand>());
    commands.push_back(std::make_unique<GetCommand>());
    commands.push_back(std::make_unique<ShortcutCommand>());
    commands.push_back(std::make_unique<ShortcutsCommand>());
    commands.push_back(std::make_unique<SpaceCommand>());
    commands.push_back(std::make_unique<DockCommand>());
    commands.push_back(std::make_unique<AutostartCommand>());
    commands.push_back(std::make_unique<StartCommand>());
    commands.push_back(std::make_unique<UninstallCommand>());
    commands.push_back(std::make_unique<CueCommand>());
    commands.push_back(std::make_unique<LookCommand>());
    commands.push_back(std::make_unique<AppearanceCommand>());
    return commands;
}

} // namespace tessarin::cmd
