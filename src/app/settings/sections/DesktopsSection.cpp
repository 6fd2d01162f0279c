#include "settings/sections/DesktopsSection.h"

#include "settings/widgets/ColorButton.h"
#include "settings/widgets/ReorderList.h"
#include "settings/widgets/ThemeIcon.h"
#include "settings/widgets/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessarin {

DesktopsSection::DesktopsSection(SectionContext& context, QWidget* parent)
    : SectionPage(context, QStringLiteral("Desktops"), parent) {}

QString DesktopsSection::trashText(std::size_t files) {
    if (files == 1)
        return QStringLiteral(
            "Its 1 file goes to the Trash with it, where you can recover it until you empty it.");
    return QStringLiteral(
               "Its %1 files go to the Trash with it, where you can recover them until you empty it.")
        .arg(files);
}

std::size_t DesktopsSection::itemCount(const std::filesystem::path& folder) const {
    std::size_t count = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (!it->path().filename().string().starts_with("."))
            ++count;
    return count;
}

void DesktopsSection::build(QVBoxLayout* page) {
    if (config().settings.showDeskListHint)
        hintBar(page, QStringLiteral("dismissDeskListHint"),
                QStringLiteral("Click to select, drag to reorder"), QStringLiteral("Dismiss"),
                [](SettingsModel& m) { return m.preferences.dismissDeskListHint(); });

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    QPushButton* create =
        button(nullptr, QStringLiteral("newDesktop"), QStringLiteral("New desktop…"), [this] {
            if (context().actions.newDesktop)
                context().actions.newDesktop();
        });
    top->addWidget(create);
    page->addLayout(top);

    const auto live = config().liveWorkspaces();
    if (live.empty()) {
        note(page, QStringLiteral("No desktops yet — create one with “New desktop…”."));
    } else {
        auto* list = new ReorderList(page->parentWidget());
        list->setObjectName(QStringLiteral("desktopList"));
        list->setAccessibleName(QStringLiteral("Desktops"));
        for (int i = 0; i < static_cast<int>(live.size()); ++i)
            list->addRow(qs(live[i].name), desktopRow(live[i], i, static_cast<int>(live.size())));
        list->fitToRows();
        connect(list, &ReorderList::editRequested, this, [this](const QString& key) {
            if (auto* field = findChild<QLineEdit*>(QStringLiteral("name:") + key)) {
                field->setFocus(Qt::ShortcutFocusReason);
                field->selectAll();
            }
        });
        connect(list, &ReorderList::reordered, this, [this](const QStringList& keys) {
            std::vector<std::string> names;
            for (const auto& key : keys)
                names.push_back(key.toStdString());
            act([&](SettingsModel& m) { return m.desktops.setDeskOrder(names); });
        });
        page->addWidget(list);
    }
    buildArchived(page);
    buildUnlisted(page);
}

QWidget* DesktopsSection::desktopRow(const Workspace& desktop, int index, int count) {
    const std::string name = desktop.name;
    const QString key = qs(name);
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(4, 3, 4, 3);
    line->setSpacing(6);

    auto* grip = new QLabel(QStringLiteral("⠿"), row);
    grip->setForegroundRole(QPalette::PlaceholderText);
    grip->setToolTip(QStringLiteral("Drag to reorder"));
    line->addWidget(grip);

    auto* color =
        new ColorButton(qs(desktop.colorHex), false, [this, name](const std::optional<QString>& hex) {
            if (hex)
                act([&](SettingsModel& m) { return m.desktops.setWorkspaceColor(name, hex->toStdString()); });
        });
    color->setObjectName(QStringLiteral("color:") + key);
    color->setAccessibleName(QStringLiteral("Identity colour of ") + quoted(name));
    color->setToolTip(QStringLiteral("Identity colour — used on the cleanup calendar."));
    line->addWidget(color);

    QLineEdit* field = textField(QStringLiteral("name:") + key, QStringLiteral("Name of ") + quoted(name),
                                 key, [this, name](const QString& text) { rename(name, text); });
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 8);
    if (desktop.name == config().activeWorkspace)
        field->setToolTip(QStringLiteral("The current desktop"));
    line->addWidget(field, 1);

    auto* type = new QComboBox(row);
    type->setObjectName(QStringLiteral("type:") + key);
    type->setAccessibleName(QStringLiteral("Type of ") + quoted(name));
    type->addItems({QStringLiteral("Permanent"), QStringLiteral("Temporary")});
    type->setCurrentIndex(desktop.type == WorkspaceType::temporary ? 1 : 0);
    connect(type, &QComboBox::activated, this, [this, desktop](int chosen) {
        if (!rebuilding())
            setType(desktop, chosen == 1 ? WorkspaceType::temporary : WorkspaceType::permanent);
    });
    line->addWidget(type);

    line->addWidget(shortcut(QStringLiteral("hotkey:") + key, QStringLiteral("Shortcut for ") + quoted(name),
                             desktop.hotkey, [name](SettingsModel& m, const std::optional<HotKeySpec>& spec) {
                                 return m.shortcuts.setHotkey(spec, name);
                             }));

    QToolButton* up = iconButton(QStringLiteral("up:") + key, QStringLiteral("go-up"), QStringLiteral("↑"),
                                 QStringLiteral("Move ") + quoted(name) + QStringLiteral(" up"), row);
    up->setEnabled(index > 0);
    connect(up, &QToolButton::clicked, this, [this, name] { move(name, -1); });
    QToolButton* down =
        iconButton(QStringLiteral("down:") + key, QStringLiteral("go-down"), QStringLiteral("↓"),
                   QStringLiteral("Move ") + quoted(name) + QStringLiteral(" down"), row);
    down->setEnabled(index + 1 < count);
    connect(down, &QToolButton::clicked, this, [this, name] { move(name, +1); });
    line->addWidget(up);
    line->addWidget(down);
    // Alt+Up and Alt+Down move the row from any of its controls.
    for (const auto& [keys, by] : {std::pair{QKeySequence(Qt::ALT | Qt::Key_Up), -1},
                                   std::pair{QKeySequence(Qt::ALT | Qt::Key_Down), +1}}) {
        auto* shortcut = new QShortcut(keys, row, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, name, by = by] { move(name, by); });
    }

    std::error_code ec;
    const bool folderGone = name != config().activeWorkspace &&
                            !std::filesystem::exists(model().state.workspacesRoot() / name, ec);
    if (folderGone) {
        auto* remove = new QPushButton(QStringLiteral("Remove from Tessarin"), row);
        remove->setObjectName(QStringLiteral("remove:") + key);
        remove->setAutoDefault(false);
        connect(remove, &QPushButton::clicked, this, [this, name] { confirmRemoval(name); });
        line->addWidget(remove);
    } else {
        QToolButton* trash =
            iconButton(QStringLiteral("delete:") + key, QStringLiteral("user-trash"), QStringLiteral("✕"),
                       QStringLiteral("Move ") + quoted(name) + QStringLiteral(" to the Trash"), row);
        connect(trash, &QToolButton::clicked, this, [this, name] { confirmDelete(name, false); });
        line->addWidget(trash);
    }
    return row;
}

void DesktopsSection::rename(const std::string& name, const QString& to) {
    if (!act([&](SettingsModel& m) { return m.desktops.rename(name, to.toStdString()); }))
        return;
    // The renamed row keeps the focus under its new name.
    if (auto* field = findChild<QLineEdit*>(QStringLiteral("name:") + to.trimmed()))
        field->setFocus(Qt::OtherFocusReason);
}

void DesktopsSection::setType(const Workspace& desktop, WorkspaceType type) {
    const std::string name = desktop.name;
    const auto& screenshots = config().settings.screenshotsWorkspace;
    if (type == WorkspaceType::temporary && screenshots && *screenshots == name) {
        context().dialogs.confirm(
            {QStringLiteral("Make the Screenshots desktop temporary?"),
             QStringLiteral(
                 "A temporary desktop can be auto-archived. Screenshot filtering keeps using this one "
                 "until then — if it's archived, Tessarin automatically starts a new Screenshots "
                 "desktop and points filtering at it."),
             {QStringLiteral("Make Temporary"), QStringLiteral("Cancel")},
             [this, name](int button) {
                 if (button == 0)
                     act([&](SettingsModel& m) {
                         return m.desktops.setType(name, WorkspaceType::temporary);
                     });
                 else
                     rebuild();
             }});
        return;
    }
    act([&](SettingsModel& m) { return m.desktops.setType(name, type); });
}

void DesktopsSection::move(const std::string& name, int by) {
    std::vector<std::string> names;
    for (const auto& w : config().liveWorkspaces())
        names.push_back(w.name);
    const auto at = std::find(names.begin(), names.end(), name);
    if (at == names.end())
        return;
    const auto index = at - names.begin();
    const auto other = index + by;
    if (other < 0 || other >= static_cast<long>(names.size()))
        return;
    std::swap(names[static_cast<std::size_t>(index)], names[static_cast<std::size_t>(other)]);
    QWidget* focused = QApplication::focusWidget();
    const bool byButton = focused && (focused->objectName().startsWith(QStringLiteral("up:")) ||
                                      focused->objectName().startsWith(QStringLiteral("down:")));
    act([&](SettingsModel& m) { return m.desktops.setDeskOrder(names); });
    // Moved with its arrow button: the focus stays on the row's arrows, on the other one at an end.
    const QString key = qs(name);
    auto* up = findChild<QToolButton*>(QStringLiteral("up:") + key);
    auto* down = findChild<QToolButton*>(QStringLiteral("down:") + key);
    if (byButton && up && down && !(by < 0 ? up : down)->isEnabled())
        (by < 0 ? down : up)->setFocus(Qt::OtherFocusReason);
}

void DesktopsSection::confirmDelete(const std::string& name, bool archived) {
    const Workspace* desktop = config().findWorkspace(name);
    if (!desktop)
        return;
    std::filesystem::path folder = model().state.workspacesRoot() / name;
    if (archived)
        folder = desktop->archiveLocation ? std::filesystem::path(*desktop->archiveLocation)
                                          : std::filesystem::path();
    context().dialogs.confirm({QStringLiteral("Move ") + quoted(name) + QStringLiteral(" to the Trash?"),
                               trashText(folder.empty() ? 0 : itemCount(folder)),
                               {QStringLiteral("Move to Trash"), QStringLiteral("Cancel")},
                               [this, name, archived](int button) {
                                   if (button != 0)
                                       return;
                                   act([&](SettingsModel& m) {
                                       return archived ? m.archives.deleteArchived(name)
                                                       : m.archives.deleteWorkspace(name);
                                   });
                               },
                               QMessageBox::Warning});
}

void DesktopsSection::confirmRemoval(const std::string& name) {
    context().dialogs.confirm(
        {QStringLiteral("Remove from Tessarin"),
         QStringLiteral("The folder for ") + quoted(name) +
             QStringLiteral(" isn’t in your desktops folder any more. Removing it clears "
                            "the entry — there’s nothing left on disk."),
         {QStringLiteral("Remove from Tessarin"), QStringLiteral("Cancel")},
         [this, name](int button) {
             if (button == 0)
                 act([&](SettingsModel& m) { return m.archives.removeFromConfig(name); });
         }});
}

void DesktopsSection::buildArchived(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Archived"));
    const auto archived = config().archivedWorkspaces();
    if (archived.empty()) {
        note(body,
             QStringLiteral("Nothing archived yet. Archiving a desktop moves its folder into the archive — "
                            "restore it here anytime."));
        return;
    }
    for (const auto& w : archived) {
        const std::string name = w.name;
        const QString key = qs(name);
        auto* line = new QHBoxLayout;
        auto* label = new QLabel(key, body->parentWidget());
        label->setToolTip(w.archiveLocation ? qs(*w.archiveLocation) : QString());
        line->addWidget(label, 1);
        QPushButton* restore =
            button(nullptr, QStringLiteral("restore:") + key, QStringLiteral("Restore"),
                   [this, name] { act([&](SettingsModel& m) { return m.archives.restore(name); }); });
        restore->setToolTip(
            QStringLiteral("Move this desktop back to the live list — its folder returns from the archive."));
        restore->setAccessibleName(QStringLiteral("Restore ") + quoted(name));
        line->addWidget(restore);
        const std::filesystem::path location = w.archiveLocation ? *w.archiveLocation : std::string();
        QPushButton* reveal =
            button(nullptr, QStringLiteral("revealArchived:") + key, QStringLiteral("Reveal"),
                   [this, location] { context().actions.revealFolder(location); });
        reveal->setAccessibleName(QStringLiteral("Reveal ") + quoted(name));
        std::error_code ec;
        reveal->setEnabled(context().actions.revealFolder && !location.empty() &&
                           std::filesystem::is_directory(location, ec));
        line->addWidget(reveal);
        QPushButton* trash =
            button(nullptr, QStringLiteral("deleteArchived:") + key, QStringLiteral("Move to Trash"),
                   [this, name] { confirmDelete(name, true); });
        trash->setToolTip(QStringLiteral("Move this desktop and its files to the Trash"));
        trash->setAccessibleName(QStringLiteral("Move ") + quoted(name) + QStringLiteral(" to the Trash"));
        line->addWidget(trash);
        body->addLayout(line);
    }
}

void DesktopsSection::buildUnlisted(QVBoxLayout* page) {
    const auto folders = model().desktops.unlistedFolders();
    if (folders.empty())
        return;
    QVBoxLayout* body = group(page, QStringLiteral("Found in your desktops folder"));
    note(body,
         QStringLiteral("These folders are in your desktops folder but aren’t desktops in Tessarin. Adding "
                        "one leaves its files exactly where they are."));
    for (const auto& name : folders) {
        QPushButton* add =
            button(nullptr, QStringLiteral("adopt:") + qs(name), QStringLiteral("Add"),
                   [this, name] { act([&](SettingsModel& m) { return m.desktops.adoptFolder(name); }); });
        add->setAccessibleName(QStringLiteral("Add ") + quoted(name));
        row(body, qs(name), add);
    }
}

} // namespace tessarin
