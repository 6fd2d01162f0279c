#include "settings/sections/AdvancedSection.h"

#include "settings/widgets/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessarin {

namespace {

const QString noMetadataText = QStringLiteral("Linux keeps no screenshot mark on files, so the system can’t "
                                              "tell Tessarin which files are screenshots. Turn "
                                              "on “Match by filename” below to keep filtering working.");

} // namespace

AdvancedSection::AdvancedSection(SectionContext& context, QWidget* parent)
    : SectionPage(context, QStringLiteral("Advanced"), parent) {}

void AdvancedSection::build(QVBoxLayout* page) {
    buildScreenshots(page);
    buildRules(page);
    buildUninstall(page);
}

void AdvancedSection::buildScreenshots(QVBoxLayout* page) {
    const AppSettings& s = config().settings;
    QVBoxLayout* body = group(page, QStringLiteral("Screenshots"));
    const std::string collection =
        s.screenshotsWorkspace.value_or(std::string(Config::defaultScreenshotsWorkspaceName));
    QCheckBox* filter =
        toggle(body, QStringLiteral("filterScreenshots"),
               QStringLiteral("Filter screenshots into a collection"), s.filterScreenshots, {},
               QStringLiteral("Screenshots on your Desktop move into ") + quoted(collection) +
                   QStringLiteral(" when you switch desktops or choose Sort now."));
    connect(filter, &QCheckBox::toggled, this, [this](bool on) {
        if (rebuilding())
            return;
        if (act([&](SettingsModel& m) { return m.sorting.setFilterScreenshots(on); }) && on)
            offerFilenameMatching();
    });
    toggle(body, QStringLiteral("screenshotPauseInMenu"),
           QStringLiteral("Show a pause toggle in the menu bar"), s.showScreenshotPauseInMenu,
           [](SettingsModel& m, bool on) { return m.preferences.setShowScreenshotPauseInMenu(on); });
    if (s.filterScreenshots && !s.screenshotFilenameFallback)
        note(body, noMetadataText)->setForegroundRole(QPalette::WindowText);
    if (s.filterScreenshots && !model().sorting.screenshotsSaveToDesktop())
        note(body,
             QStringLiteral("Your screenshots currently save somewhere other than the Desktop, so there's "
                            "nothing to filter. Change where they save in your screenshot tool's settings."));

    QVBoxLayout* naming = group(page, QStringLiteral("Identifying screenshots"));
    toggle(naming, QStringLiteral("matchByFilename"), QStringLiteral("Match by filename"),
           s.screenshotFilenameFallback,
           [](SettingsModel& m, bool on) { return m.preferences.setScreenshotFilenameFallback(on); });
    QLineEdit* prefix = textField(
        QStringLiteral("screenshotPrefix"), QStringLiteral("Screenshot name prefix"),
        qs(s.screenshotNamePrefix.value_or("")), [this](const QString& text) {
            act([&](SettingsModel& m) { return m.sorting.setScreenshotNamePrefix(text.toStdString()); });
        });
    prefix->setPlaceholderText(QStringLiteral("Screenshot"));
    row(naming, QStringLiteral("Names start with"), prefix);
}

void AdvancedSection::offerFilenameMatching() {
    if (config().settings.screenshotFilenameFallback) {
        offerSweep();
        return;
    }
    context().dialogs.confirm(
        {QStringLiteral("Screenshots carry no mark here"),
         QStringLiteral("Linux keeps no screenshot mark on files, so nothing would be "
                        "filtered. Turn on filename matching instead."),
         {QStringLiteral("Turn On Filename Matching"), QStringLiteral("Not Now")},
         [this](int button) {
             if (button == 0)
                 act([](SettingsModel& m) { return m.preferences.setScreenshotFilenameFallback(true); });
             offerSweep();
         }});
}

void AdvancedSection::offerSweep() {
    if (!model().sorting.screenshotsSaveToDesktop() || !model().state.callbacks.onSweepNow)
        return;
    const std::string collection =
        config().settings.screenshotsWorkspace.value_or(std::string(Config::defaultScreenshotsWorkspaceName));
    context().dialogs.confirm({QStringLiteral("Sweep screenshots already on this desktop?"),
                               QStringLiteral("Move any screenshots currently on your desktop into ") +
                                   quoted(collection) +
                                   QStringLiteral(" now. Otherwise, filtering starts with your next desktop "
                                                  "switch."),
                               {QStringLiteral("Sweep Now"), QStringLiteral("Not Now")},
                               [this](int button) {
                                   if (button == 0 && model().state.callbacks.onSweepNow)
                                       model().state.callbacks.onSweepNow();
                               }});
}

void AdvancedSection::buildRules(QVBoxLayout* page) {
    const AppSettings& s = config().settings;
    QVBoxLayout* body = group(page, QStringLiteral("Custom filtering"));
    toggle(
        body, QStringLiteral("customFilters"), QStringLiteral("Sort files by name into desktops"),
        s.customFiltersEnabled,
        [](SettingsModel& m, bool on) { return m.preferences.setCustomFiltersEnabled(on); },
        QStringLiteral("Your own rules: a file whose name contains a word is swept into a desktop you pick. "
                       "Applied when you switch desktops and when you choose Sort now."));
    toggle(body, QStringLiteral("customFiltersWatch"),
           QStringLiteral("Sort automatically on desktop changes"), s.customFiltersWatch,
           [](SettingsModel& m, bool on) { return m.preferences.setCustomFiltersWatch(on); });
    toggle(
        body, QStringLiteral("screenshotsFirst"), QStringLiteral("Screenshots take priority over rules"),
        s.screenshotsOverruleCustom,
        [](SettingsModel& m, bool on) { return m.preferences.setScreenshotsOverruleCustom(on); },
        s.screenshotsOverruleCustom
            ? QStringLiteral(
                  "When a file is both a screenshot and matches a rule, send it to the Screenshots "
                  "collection.")
            : QStringLiteral("Off: rules win, and screenshot filtering runs last."));
    row(body, QStringLiteral("Sort now shortcut"),
        shortcut(QStringLiteral("sortNowShortcut"), QStringLiteral("Sort now shortcut"), s.sortNowShortcut,
                 [](SettingsModel& m, const std::optional<HotKeySpec>& spec) {
                     return m.shortcuts.setSortNowShortcut(spec);
                 }));

    auto* heading = new QLabel(QStringLiteral("Filename custom filter rules"), body->parentWidget());
    body->addWidget(heading);
    for (const auto& rule : s.customFilters)
        ruleRow(body, rule);
    auto* line = new QHBoxLayout;
    line->addWidget(button(nullptr, QStringLiteral("addRule"), QStringLiteral("Add rule"), [this] {
        act([](SettingsModel& m) { return m.sorting.addCustomFilter().has_value(); });
    }));
    line->addStretch(1);
    QPushButton* sort = button(nullptr, QStringLiteral("sortNow"), QStringLiteral("Sort now"), [this] {
        if (model().state.callbacks.onSweepNow)
            model().state.callbacks.onSweepNow();
    });
    sort->setEnabled(bool(model().state.callbacks.onSweepNow));
    line->addWidget(sort);
    body->addLayout(line);
}

void AdvancedSection::ruleRow(QVBoxLayout* body, const CustomFilter& rule) {
    const Uuid id = rule.id;
    const QString key = qs(id.text());
    auto* line = new QHBoxLayout;
    auto* enabled = new QCheckBox(body->parentWidget());
    enabled->setObjectName(QStringLiteral("ruleEnabled:") + key);
    enabled->setAccessibleName(QStringLiteral("Rule on"));
    enabled->setChecked(rule.enabled);
    connect(enabled, &QCheckBox::toggled, this, [this, id](bool on) {
        if (!rebuilding())
            act([&](SettingsModel& m) { return m.sorting.setCustomFilterEnabled(id, on); });
    });
    line->addWidget(enabled);

    QLineEdit* word = textField(
        QStringLiteral("rulePattern:") + key, QStringLiteral("Word in the file name"), qs(rule.pattern),
        [this, id](const QString& text) {
            act([&](SettingsModel& m) { return m.sorting.setCustomFilterPattern(id, text.toStdString()); });
        });
    word->setPlaceholderText(QStringLiteral("Word in the name"));
    line->addWidget(word, 1);
    line->addWidget(new QLabel(QStringLiteral("→"), body->parentWidget()));

    auto* target = new QComboBox(body->parentWidget());
    target->setObjectName(QStringLiteral("ruleDesktop:") + key);
    target->setAccessibleName(QStringLiteral("Desktop the files go to"));
    target->setEditable(true);
    target->setInsertPolicy(QComboBox::NoInsert);
    target->setToolTip(
        QStringLiteral("Type a new name to create a new permanent desktop to sort matching files "
                       "into."));
    for (const auto& w : config().liveWorkspaces())
        target->addItem(qs(w.name));
    target->setCurrentText(qs(rule.collection));
    target->lineEdit()->setPlaceholderText(QStringLiteral("Desktop"));
    const auto commit = [this, id, target, stored = qs(rule.collection)] {
        const QString text = target->currentText();
        if (rebuilding() || text == stored || !target->isVisible())
            return;
        act([&](SettingsModel& m) { return m.sorting.setCustomFilterCollection(id, text.toStdString()); });
    };
    connect(target, &QComboBox::activated, this, commit);
    connect(target->lineEdit(), &QLineEdit::editingFinished, this, commit);
    line->addWidget(target, 1);

    auto* remove = new QToolButton(body->parentWidget());
    remove->setObjectName(QStringLiteral("ruleRemove:") + key);
    remove->setText(QStringLiteral("Remove"));
    remove->setAccessibleName(QStringLiteral("Remove rule"));
    remove->setFocusPolicy(Qt::StrongFocus);
    connect(remove, &QToolButton::clicked, this, [this, id] {
        if (!rebuilding())
            act([&](SettingsModel& m) { return m.sorting.removeCustomFilter(id); });
    });
    line->addWidget(remove);
    body->addLayout(line);
}

void AdvancedSection::buildUninstall(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Uninstall"));
    QPushButton* uninstall =
        button(nullptr, QStringLiteral("uninstall"), QStringLiteral("Uninstall Tessarin…"), [this] {
            if (const auto& start = model().state.callbacks.onUninstall)
                start();
        });
    uninstall->setEnabled(bool(model().state.callbacks.onUninstall));
    row(body, QStringLiteral("Uninstall Tessarin"), uninstall,
        QStringLiteral("Puts every desktop back on your Desktop as a normal folder, removes Tessarin from "
                       "launch-at-startup, and reveals the app so you can delete it."));
}

} // namespace tessarin
