#include "settings/sections/ExperimentalSection.h"

#include "settings/widgets/Widgets.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tessarin {

ExperimentalSection::ExperimentalSection(SectionContext& context, QWidget* parent)
    : SectionPage(context, QStringLiteral("Experimental"), parent) {
    poll_.setInterval(workspacePollMs);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (look() != seen_)
            rebuild();
    });
}

void ExperimentalSection::showEvent(QShowEvent* event) {
    SectionPage::showEvent(event);
    poll_.start();
}

void ExperimentalSection::hideEvent(QHideEvent* event) {
    poll_.stop();
    SectionPage::hideEvent(event);
}

ExperimentalSection::Seen ExperimentalSection::look() const {
    const SpaceIdentifier* spaces = features().workspaces;
    if (!spaces || !spaces->available())
        return {};
    return {true, spaces->activeSpace(), spaces->userSpaceIdentities()};
}

void ExperimentalSection::build(QVBoxLayout* page) {
    note(page, QStringLiteral("Early features with rough edges still being sanded."));
    buildSync(page);
    buildArchive(page);
    buildWorkspaces(page);
}

void ExperimentalSection::buildSync(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Desktop sync"));
    std::optional<std::string> client;
    if (context().actions.desktopSyncClient)
        client = context().actions.desktopSyncClient();
    toggle(
        body, QStringLiteral("warnSync"), QStringLiteral("Warn about Desktop sync"),
        config().settings.warnICloudDesktop,
        [](SettingsModel& m, bool on) { return m.preferences.setWarnICloudDesktop(on); },
        client ? QStringLiteral("Show a heads-up at launch while ") + qs(*client) +
                     QStringLiteral(" syncs your Desktop folder — switching can cause unintended effects.")
               : QStringLiteral("Show a heads-up at launch if a sync client (Nextcloud, ownCloud, Dropbox, "
                                "pCloud, MEGA, Insync) syncs your Desktop folder — switching can cause "
                                "unintended effects."));
}

void ExperimentalSection::buildArchive(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Archive location"));
    const auto& root = config().settings.archiveRoot;
    const bool custom = root && !root->empty();
    QCheckBox* choose =
        toggle(body, QStringLiteral("customArchive"), QStringLiteral("Choose custom archive placement"),
               custom, {}, QStringLiteral("Must be on the same disk as your home directory."));
    connect(choose, &QCheckBox::toggled, this, [this](bool on) {
        if (rebuilding())
            return;
        if (on)
            chooseArchiveFolder();
        else
            act([](SettingsModel& m) { return m.archives.setArchiveRoot(std::nullopt); });
    });
    if (custom) {
        QPushButton* use = button(nullptr, QStringLiteral("useArchiveFolder"), QStringLiteral("Use Folder"),
                                  [this] { chooseArchiveFolder(); });
        row(body, qs(*root), use);
    }
}

void ExperimentalSection::chooseArchiveFolder() {
    auto* dialog = new QFileDialog(window(), QStringLiteral("Use Folder"),
                                   QString::fromStdString(model().state.paths().home.string()));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("Use Folder"));
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        act([&](SettingsModel& m) {
            return m.archives.setArchiveRoot(std::filesystem::path(folder.toStdString()));
        });
    });
    connect(dialog, &QFileDialog::rejected, this, [this] { rebuild(); });
    dialog->open();
}

void ExperimentalSection::confirmFollowing() {
    context().dialogs.confirm(
        {QStringLiteral("Photosensitivity warning"),
         QStringLiteral(
             "Following workspaces can make the screen flash.\n\nEvery switch between workspaces swaps "
             "the desktop underneath: files, icons and wallpaper colours change abruptly, and quick "
             "back-and-forth switching can produce rapid flashing. If you (or anyone watching your "
             "screen) are sensitive to flashing images or have photosensitive epilepsy, leave this off."),
         {QStringLiteral("Turn On"), QStringLiteral("Cancel")},
         [this](int button) {
             if (button == 0)
                 act([](SettingsModel& m) { return m.preferences.setFollowSpaces(true); });
             else
                 rebuild();
         },
         QMessageBox::Warning});
}

void ExperimentalSection::buildWorkspaces(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Workspaces"));
    seen_ = look();
    QCheckBox* follow = toggle(body, QStringLiteral("followWorkspaces"), QStringLiteral("Follow workspaces"),
                               config().settings.followSpaces, {});
    connect(follow, &QCheckBox::toggled, this, [this](bool on) {
        if (rebuilding())
            return;
        if (on)
            confirmFollowing();
        else
            act([](SettingsModel& m) { return m.preferences.setFollowSpaces(false); });
    });
    const SpaceIdentifier* spaces = features().workspaces;
    if (!seen_.available) {
        const std::string reason = spaces ? spaces->unavailableReason() : std::string();
        note(body, qs(reason.empty() ? spaceFollowingUnavailableText() : reason));
        return;
    }
    note(body, QStringLiteral(
                   "Bind desktops to workspaces below. Switching to a bound workspace — a pager click or "
                   "⌃\u2011arrow — then switches Tessarin to its desktop. Linux shows one shared desktop "
                   "across workspaces, so the files follow you a moment after the switch lands."));
    QLabel* line = note(body, qs(currentSpaceText(*spaces)));
    line->setObjectName(QStringLiteral("currentWorkspace"));
    line->setForegroundRole(QPalette::WindowText);

    const auto live = config().liveWorkspaces();
    if (live.empty()) {
        note(body, QStringLiteral("Create a desktop first, then bind it to a workspace."));
        return;
    }
    note(body,
         QStringLiteral("Go to the workspace you want, then click “Bind”. A workspace holds one desktop — "
                        "binding again moves it. “Workspace missing” means the workspace was deleted; rebind "
                        "or unbind in this case."));
    for (const auto& w : live)
        bindingRow(body, w);
}

void ExperimentalSection::bindingRow(QVBoxLayout* body, const Workspace& desktop) {
    const std::string name = desktop.name;
    const QString key = qs(name);
    const auto& ids = seen_.identities;
    const bool missing =
        desktop.spaceUUID && std::find(ids.begin(), ids.end(), *desktop.spaceUUID) == ids.end();
    const auto& current = seen_.active;
    const bool onUser = current && current->isUser;
    const bool boundHere = current && desktop.spaceUUID && *desktop.spaceUUID == current->identity;

    auto* line = new QHBoxLayout;
    auto* label = new QLabel(key + QStringLiteral("  —  ") +
                                 qs(spaceBindingLabel(desktop.spaceUUID, *features().workspaces)),
                             body->parentWidget());
    if (missing) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, QColor(0xE0, 0x80, 0x10));
        label->setPalette(p);
    }
    line->addWidget(label, 1);
    QPushButton* bind =
        button(nullptr, QStringLiteral("bind:") + key,
               boundHere ? QStringLiteral("Bound to this workspace") : QStringLiteral("Bind"), [this, name] {
                   const auto active = features().workspaces->activeSpace();
                   if (!active || !active->isUser)
                       return;
                   const std::string identity = active->identity;
                   act([&](SettingsModel& m) { return m.desktops.setSpaceBinding(name, identity); });
               });
    bind->setEnabled(onUser && !boundHere);
    bind->setToolTip(
        onUser
            ? QStringLiteral("Bind \u201c") + key + QStringLiteral("\u201d to the workspace you're on now.")
            : QStringLiteral("Leave the full-screen app first — full-screen workspaces can't be bound."));
    bind->setAccessibleName(QStringLiteral("Bind \u201c") + key + QStringLiteral("\u201d"));
    line->addWidget(bind);
    if (desktop.spaceUUID) {
        QPushButton* unbind =
            button(nullptr, QStringLiteral("unbind:") + key, QStringLiteral("Unbind"), [this, name] {
                act([&](SettingsModel& m) { return m.desktops.setSpaceBinding(name, std::nullopt); });
            });
        unbind->setAccessibleName(QStringLiteral("Unbind \u201c") + key + QStringLiteral("\u201d"));
        line->addWidget(unbind);
    }
    body->addLayout(line);
}

} // namespace tessarin
