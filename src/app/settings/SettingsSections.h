#pragma once

#include "settings/sections/SectionPage.h"

#include <array>
#include <string_view>

namespace tessarin {

// The settings window's sections, in the sidebar's order.
enum class SettingsSectionId {
    general,
    workspaces,
    pinnedFolders,
    organisation,
    appearance,
    floatingDock,
    shortcuts,
    advanced,
    experimental,
};

struct SettingsSectionInfo {
    SettingsSectionId id;
    std::string_view rawValue; // the page's object name
    const char* title;
    const char* icon; // freedesktop icon name
};

inline constexpr std::array<SettingsSectionInfo, 9> settingsSections = {{
    {SettingsSectionId::general, "general", "General", "emblem-system"},
    {SettingsSectionId::workspaces, "workspaces", "Desktops", "view-grid"},
    {SettingsSectionId::pinnedFolders, "pinnedFolders", "Pinned items", "view-pin"},
    {SettingsSectionId::organisation, "organisation", "Organize", "x-office-calendar"},
    {SettingsSectionId::appearance, "appearance", "Appearance", "applications-graphics"},
    {SettingsSectionId::floatingDock, "floatingDock", "Floating dock", "preferences-desktop-display"},
    {SettingsSectionId::shortcuts, "shortcuts", "Shortcuts", "input-keyboard"},
    {SettingsSectionId::advanced, "advanced", "Advanced", "preferences-other"},
    {SettingsSectionId::experimental, "experimental", "Experimental", "applications-science"},
}};

// The page of a section, drawn from the model's copy.
SectionPage* makeSectionPage(SettingsSectionId id, SectionContext& context, QWidget* parent);

} // namespace tessarin
