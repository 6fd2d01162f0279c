#include "settings/ShortcutConflicts.h"

#include "settings/NamingRules.h"

namespace tessarin {

std::string modifierGlyphs(uint32_t modifiers) {
    constexpr std::pair<uint32_t, const char*> glyphs[] = {
        {0x40000, "\u2303"},  // control
        {0x80000, "\u2325"},  // option
        {0x20000, "\u21e7"},  // shift
        {0x100000, "\u2318"}, // command
    };
    std::string text;
    for (const auto& [bit, glyph] : glyphs)
        if (modifiers & bit)
            text += glyph;
    return text;
}

std::string provisionalShortcutText(const HotKeySpec& spec) {
    return modifierGlyphs(spec.modifiers) + "Key " + std::to_string(spec.keyCode);
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
