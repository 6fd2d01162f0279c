#include "settings/sections/ShortcutsSection.h"

#include "settings/widgets/Widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tessarin {

namespace {

using Spec = std::optional<HotKeySpec>;

// The commands' shortcuts in the order the section lists them.
struct CommandShortcut {
    const char* id;
    const char* label;
    Spec AppSettings::*field;
    bool (*set)(SettingsModel&, const Spec&);
};

const CommandShortcut commandShortcuts[] = {
    {"cycleNext", "Cycle next", &AppSettings::cycleNext,
     [](SettingsModel& m, const Spec& s) { return m.shortcuts.setCycle(true, s); }},
    {"cyclePrevious", "Cycle previous", &AppSettings::cyclePrevious,
     [](SettingsModel& m, const Spec& s) { return m.shortcuts.setCycle(false, s); }},
    {"switchToLast", "Switch to last desktop", &AppSettings::switchToLastShortcut,
     [](SettingsModel& m, const Spec& s) { return m.shortcuts.setSwitchToLastShortcut(s); }},
    {"hideDesktop", "Hide / show desktop", &AppSettings::hideDesktopShortcut,
     [](SettingsModel& m, const Spec& s) { return m.shortcuts.setHideDesktopShortcut(s); }},
    {"openSettings", "Open Settings", &AppSettings::openSettingsShortcut,
     [](SettingsModel& m, const Spec& s) { return m.shortcuts.setOpenSettingsShortcut(s); }},
    {"openCalendar", "Open calendar", &AppSettings::openCalendarShortcut,
     [](SettingsModel& m, const Spec& s) { return m.shortcuts.setOpenCalendarShortcut(s); }},
    {"floatingDock", "Toggle floating dock", &AppSettings::floatingDockShortcut,
     [](SettingsModel& m, const Spec& s) { return m.shortcuts.setFloatingDockShortcut(s); }},
};

} // namespace

ShortcutsSection::ShortcutsSection(SectionContext& context, QWidget* parent)
    : SectionPage(context, QStringLiteral("Shortcuts"), parent) {}

void ShortcutsSection::build(QVBoxLayout* page) {
    const AppSettings& s = config().settings;
    if (s.showShortcutHint)
        hintBar(
            page, QStringLiteral("dismissShortcutHint"),
            QStringLiteral("Click a field and press your combo. A modifier (⌃⌥⇧⌘) is required. Press ⌫ to "
                           "clear, ESC to cancel."),
            QStringLiteral("Dismiss"), [](SettingsModel& m) { return m.preferences.dismissShortcutHint(); });
    if (features().hotKeysAvailable && !features().hotKeysAvailable())
        note(page,
             QStringLiteral("This session doesn't let applications take shortcuts for the whole screen, so "
                            "these can't fire. Bind keys in your desktop's own keyboard settings to "
                            "tessarinctl instead: tessarinctl switch NAME, next, previous, last, toggle, "
                            "sort-now."))
            ->setForegroundRole(QPalette::WindowText);

    QVBoxLayout* desktops = group(page, QStringLiteral("Per-desktop"));
    const auto live = config().liveWorkspaces();
    if (live.empty())
        note(desktops, QStringLiteral("Create a desktop to assign a hotkey."));
    for (const auto& w : live) {
        const std::string name = w.name;
        row(desktops, qs(name),
            shortcut(
                QStringLiteral("hotkey:") + qs(name),
                QStringLiteral("Shortcut for \u201c") + qs(name) + QStringLiteral("\u201d"), w.hotkey,
                [name](SettingsModel& m, const Spec& spec) { return m.shortcuts.setHotkey(spec, name); }));
    }

    QVBoxLayout* global = group(page, QStringLiteral("Global"));
    for (const auto& c : commandShortcuts)
        row(global, QString::fromUtf8(c.label),
            shortcut(QString::fromLatin1(c.id), QString::fromUtf8(c.label), s.*(c.field), c.set));

    QVBoxLayout* menu = group(page, QStringLiteral("Display in menu"));
    toggle(menu, QStringLiteral("showShortcutsInMenu"),
           QStringLiteral("Show assigned shortcuts in the menu-bar menu"), s.showShortcutsInMenu,
           [](SettingsModel& m, bool on) { return m.preferences.setShowShortcutsInMenu(on); });

    buildCarousel(page);

    QVBoxLayout* scroll = group(page, QStringLiteral("Scroll to cycle"));
    toggle(
        scroll, QStringLiteral("scrollToCycle"),
        QStringLiteral("Scroll over the menu-bar icon to switch desktops"), s.scrollToCycle,
        [](SettingsModel& m, bool on) { return m.preferences.setScrollToCycle(on); },
        QStringLiteral("Scrolling previews desktops in a centred pop-up; the switch happens once scrolling "
                       "settles."));
}

void ShortcutsSection::setCarousel(std::vector<std::string> names) {
    if (names.size() > static_cast<std::size_t>(AppSettings::optionClickCarouselLimit))
        names.resize(static_cast<std::size_t>(AppSettings::optionClickCarouselLimit));
    act([&](SettingsModel& m) { return m.shortcuts.setOptionClickCarousel(names); });
}

void ShortcutsSection::buildCarousel(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Option-click carousel"));
    const auto carousel = config().settings.optionClickCarousel;
    for (const auto& name : carousel) {
        QPushButton* remove = button(nullptr, QStringLiteral("carouselRemove:") + qs(name),
                                     QStringLiteral("Remove"), [this, carousel, name] {
                                         auto names = carousel;
                                         std::erase(names, name);
                                         setCarousel(names);
                                     });
        remove->setAccessibleName(QStringLiteral("Remove \u201c") + qs(name) +
                                  QStringLiteral("\u201d from the carousel"));
        row(body, qs(name), remove);
    }
    if (carousel.size() < static_cast<std::size_t>(AppSettings::optionClickCarouselLimit)) {
        auto* add =
            new QPushButton(carousel.empty() ? QStringLiteral("Desktops") : QStringLiteral("Add desktop"),
                            body->parentWidget());
        add->setObjectName(QStringLiteral("carouselAdd"));
        add->setAutoDefault(false);
        auto* menu = new QMenu(add);
        for (const auto& w : config().liveWorkspaces()) {
            if (std::find(carousel.begin(), carousel.end(), w.name) != carousel.end())
                continue;
            const std::string name = w.name;
            menu->addAction(qs(name), this, [this, carousel, name] {
                auto names = carousel;
                names.push_back(name);
                setCarousel(names);
            });
        }
        add->setMenu(menu);
        add->setMinimumWidth(add->sizeHint().width() + add->fontMetrics().height()); // room for the arrow
        add->setEnabled(!menu->isEmpty());
        auto* line = new QHBoxLayout;
        line->addWidget(add);
        line->addStretch(1);
        body->addLayout(line);
    }
    note(body,
         QStringLiteral("Option-click the menu-bar icon to jump between these desktops in order. Plain click "
                        "still opens the menu. Leave empty to cycle every permanent desktop."));
}

} // namespace tessarin
