#include "settings/ShortcutConflicts.h"

#include "model/ShortcutText.h"
#include "settings/NamingRules.h"

namespace tessarin {

std::string provisionalShortcutText(const HotKeySpec& spec) {
    return shortcutText(spec, {});
}

std::optional<HotKeyAssignment::Owner>
shortcutOwner(const Config& config, const HotKeySpec& spec,
              const std::optional<HotKeyAssignment::Owner>& excluding) {
    for (auto& assignment : config.hotKeyAssignments())
        if (assignment.spec == spec && !(excluding && assignment.owner == *excluding))
            return std::move(assignment.owner);
    return std::nullopt;
}

std::string shortcutConflictMessage(const std::string& shortcutText, const HotKeyAssignment::Owner& owner) {
    return shortcutText + " is already assigned to " + ownerLabel(owner) + ".";
}

} // namespace tessarin
