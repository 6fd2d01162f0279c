#include "settings/sections/FloatingDockSection.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tessarin {

FloatingDockSection::FloatingDockSection(SectionContext& context, QWidget* parent)
    : SectionPage(context, QStringLiteral("Floating dock"), parent) {}

void FloatingDockSection::build(QVBoxLayout* page) {
    const AppSettings& s = config().settings;
    note(page,
         QStringLiteral("A floating strip of your desktops. Drag desktop files onto a folder to move them "
                        "there, or click one to switch. Drag the background to reposition."));

    QVBoxLayout* summoning = group(page, QStringLiteral("Summoning"));
    row(summoning, QStringLiteral("Shortcut"),
        shortcut(QStringLiteral("dockShortcut"), QStringLiteral("Floating dock shortcut"),
                 s.floatingDockShortcut, [](SettingsModel& m, const std::optional<HotKeySpec>& spec) {
                     return m.shortcuts.setFloatingDockShortcut(spec);
                 }));
    const QStringList corners = {QStringLiteral("Off"), QStringLiteral("Top-left"),
                                 QStringLiteral("Top-right"), QStringLiteral("Bottom-left"),
                                 QStringLiteral("Bottom-right")};
    QStringList labels;
    std::optional<std::string> chosenOccupant;
    for (int i = 0; i < corners.size(); ++i) {
        const auto corner = static_cast<FloatingDockCorner>(i);
        std::optional<std::string> occupant;
        if (corner != FloatingDockCorner::off && features().cornerOccupant)
            occupant = features().cornerOccupant(corner);
        labels.append(occupant
                          ? corners[i] + QStringLiteral(" — used by ") + QString::fromStdString(*occupant)
                          : corners[i]);
        if (corner == s.floatingDockCorner)
            chosenOccupant = occupant;
    }
    picker(summoning, QStringLiteral("dockCorner"), QStringLiteral("Hot corner"), labels,
           static_cast<int>(s.floatingDockCorner), [](SettingsModel& m, int index) {
               return m.preferences.setFloatingDockCorner(static_cast<FloatingDockCorner>(index));
           });
    if (chosenOccupant) {
        QLabel* warning =
            note(summoning, QStringLiteral("Your desktop already uses this corner for ") +
                                QString::fromStdString(*chosenOccupant) +
                                QStringLiteral(", so both will fire. Pick a free corner, or clear "
                                               "this one in your desktop's settings."));
        warning->setForegroundRole(QPalette::WindowText);
    }
    toggle(summoning, QStringLiteral("dockInMenu"), QStringLiteral("Show in the menu-bar menu"),
           s.showFloatingDockInMenu,
           [](SettingsModel& m, bool on) { return m.preferences.setShowFloatingDockInMenu(on); });

    QVBoxLayout* look = group(page, QStringLiteral("Appearance"));
    picker(look, QStringLiteral("dockAxis"), QStringLiteral("Layout"),
           {QStringLiteral("Horizontal"), QStringLiteral("Vertical")}, static_cast<int>(s.floatingDockAxis),
           [](SettingsModel& m, int index) {
               return m.preferences.setFloatingDockAxis(static_cast<FloatingDockAxis>(index));
           });
    picker(look, QStringLiteral("dockSize"), QStringLiteral("Size"),
           {QStringLiteral("System"), QStringLiteral("Small"), QStringLiteral("Medium"),
            QStringLiteral("Large")},
           static_cast<int>(s.floatingDockSize), [](SettingsModel& m, int index) {
               return m.preferences.setFloatingDockSize(static_cast<FloatingDockSize>(index));
           });
    picker(look, QStringLiteral("dockMaterial"), QStringLiteral("Material"),
           {QStringLiteral("Solid"), QStringLiteral("Glass"), QStringLiteral("Clear glass")},
           static_cast<int>(s.floatingDockMaterial), [](SettingsModel& m, int index) {
               return m.preferences.setFloatingDockMaterial(static_cast<FloatingDockMaterial>(index));
           });
    picker(look, QStringLiteral("dockAppearance"), QStringLiteral("Light or dark"),
           {QStringLiteral("System"), QStringLiteral("Light"), QStringLiteral("Dark")},
           static_cast<int>(s.floatingDockAppearance), [](SettingsModel& m, int index) {
               return m.preferences.setFloatingDockAppearance(static_cast<AppearanceMode>(index));
           });
    toggle(look, QStringLiteral("dockColorFolders"), QStringLiteral("Colour the folders by desktop"),
           s.floatingDockColorFolders,
           [](SettingsModel& m, bool on) { return m.preferences.setFloatingDockColorFolders(on); });

    QVBoxLayout* position = group(page, QStringLiteral("Position"));
    toggle(position, QStringLiteral("dockRemember"), QStringLiteral("Remember the dock's last position"),
           s.floatingDockRememberPosition,
           [](SettingsModel& m, bool on) { return m.preferences.setFloatingDockRememberPosition(on); });
    toggle(
        position, QStringLiteral("dockFlipButtons"), QStringLiteral("Show the flip arrows"),
        s.floatingDockShowFlipButtons,
        [](SettingsModel& m, bool on) { return m.preferences.setFloatingDockShowFlipButtons(on); },
        QStringLiteral("Off, the dock is just its folders with a × in the corner — drag it to move it."));
    picker(
        position, QStringLiteral("dockSpeed"), QStringLiteral("Transition speed"),
        {QStringLiteral("Fast"), QStringLiteral("Slow")}, s.floatingDockFastTransition ? 0 : 1,
        [](SettingsModel& m, int index) { return m.preferences.setFloatingDockFastTransition(index == 0); });
}

} // namespace tessarin
