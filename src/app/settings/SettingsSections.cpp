#include "settings/SettingsSections.h"

#include "settings/sections/AdvancedSection.h"
#include "settings/sections/AppearanceSection.h"
#include "settings/sections/DesktopsSection.h"
#include "settings/sections/ExperimentalSection.h"
#include "settings/sections/FloatingDockSection.h"
#include "settings/sections/GeneralSection.h"
#include "settings/sections/OrganizeSection.h"
#include "settings/sections/PinnedSection.h"
#include "settings/sections/ShortcutsSection.h"

namespace tessarin {

SectionPage* makeSectionPage(SettingsSectionId id, SectionContext& context, QWidget* parent) {
    switch (id) {
    case SettingsSectionId::general:
        return new GeneralSection(context, parent);
    case SettingsSectionId::workspaces:
        return new DesktopsSection(context, parent);
    case SettingsSectionId::pinnedFolders:
        return new PinnedSection(context, parent);
    case SettingsSectionId::organisation:
        return new OrganizeSection(context, parent);
    case SettingsSectionId::appearance:
        return new AppearanceSection(context, parent);
    case SettingsSectionId::floatingDock:
        return new FloatingDockSection(context, parent);
    case SettingsSectionId::shortcuts:
        return new ShortcutsSection(context, parent);
    case SettingsSectionId::advanced:
        return new AdvancedSection(context, parent);
    case SettingsSectionId::experimental:
        return new ExperimentalSection(context, parent);
    }
    return nullptr;
}

} // namespace tessarin
