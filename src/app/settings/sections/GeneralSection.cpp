#include "settings/sections/GeneralSection.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessarin {

namespace {

QString pathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

GeneralSection::GeneralSection(SectionContext& context, QWidget* parent)
    : SectionPage(context, QStringLiteral("General"), parent) {
    hostPoll_.setInterval(hostPollMs);
    connect(&hostPoll_, &QTimer::timeout, this, [this] {
        const IconHostState now = readHost();
        if (now.status != host_.status || now.hostName != host_.hostName)
            rebuild();
    });
}

void GeneralSection::showEvent(QShowEvent* event) {
    SectionPage::showEvent(event);
    hostPoll_.start();
}

void GeneralSection::hideEvent(QHideEvent* event) {
    hostPoll_.stop();
    SectionPage::hideEvent(event);
}

IconHostState GeneralSection::readHost() const {
    return features().iconHost ? features().iconHost() : IconHostState{};
}

void GeneralSection::build(QVBoxLayout* page) {
    buildStartup(page);
    buildFolders(page);
    buildPermissions(page);
    buildSupport(page);
}

void GeneralSection::buildStartup(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Startup"));
    const LaunchAtLogin& login = features().launchAtLogin;
    const bool available = login.available && login.available() && login.setEnabled;
    auto* launch = new QCheckBox(QStringLiteral("Launch Tessarin on startup"), body->parentWidget());
    launch->setObjectName(QStringLiteral("launchAtLogin"));
    launch->setChecked(available && login.isEnabled && login.isEnabled());
    launch->setEnabled(available);
    body->addWidget(launch);
    if (!available)
        note(body, QStringLiteral("Becomes available once Tessarin is installed as an app."));
    connect(launch, &QCheckBox::toggled, this, [this](bool on) {
        if (rebuilding())
            return;
        if (const auto failure = features().launchAtLogin.setEnabled(on))
            context().dialogs.alert(QString::fromStdString(*failure));
        rebuild();
    });
    toggle(body, QStringLiteral("startMinimized"), QStringLiteral("Start up with desktops minimized"),
           config().settings.startMinimized,
           [](SettingsModel& m, bool on) { return m.preferences.setStartMinimized(on); });
}

void GeneralSection::buildFolders(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Folders"));
    const Paths& paths = model().state.paths();
    const auto& root = config().settings.archiveRoot;
    const std::filesystem::path archive =
        root && !root->empty() ? std::filesystem::path(*root) : paths.defaultArchiveRoot;
    const struct {
        const char* id;
        QString label;
        std::filesystem::path folder;
    } folders[] = {{"revealDesktops", QStringLiteral("Desktops folder"), paths.workspaces},
                   {"revealArchive", QStringLiteral("Archive folder"), archive}};
    for (const auto& f : folders) {
        QPushButton* reveal = button(nullptr, QString::fromLatin1(f.id), QStringLiteral("Reveal"),
                                     [this, folder = f.folder] { context().actions.revealFolder(folder); });
        reveal->setAccessibleName(QStringLiteral("Reveal ") + f.label);
        std::error_code ec;
        reveal->setEnabled(context().actions.revealFolder && std::filesystem::is_directory(f.folder, ec));
        row(body, f.label, reveal, pathText(f.folder));
    }
}

void GeneralSection::buildPermissions(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Permissions"));
    host_ = readHost();
    const QString host = QString::fromStdString(host_.hostName);
    QString text;
    QString state = QStringLiteral("—");
    using Status = IconHostState::Status;
    switch (host_.status) {
    case Status::granted:
        text = QStringLiteral("Lets Tessarin tell ") + host +
               QStringLiteral(" where your desktop icons go when you switch.");
        state = QStringLiteral("✔ On");
        break;
    case Status::denied:
        text = QStringLiteral("Currently off — switching still works, but icons land unplaced. Run a desktop "
                              "icon host Tessarin supports: Caja, Nemo or Xfdesktop.");
        break;
    case Status::undetermined:
    case Status::unknown:
        text = features().iconHost
                   ? QStringLiteral("No desktop icon host Tessarin can place icons for is running — "
                                    "switching still works, but icons land unplaced.")
                   : QStringLiteral("Couldn't read the current state — it refreshes here automatically.");
        break;
    }
    auto* label = new QLabel(state, body->parentWidget());
    label->setObjectName(QStringLiteral("iconHostState"));
    if (host_.status == Status::granted) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, QColor(0x30, 0xA0, 0x48));
        label->setPalette(p);
    } else {
        label->setForegroundRole(QPalette::PlaceholderText);
    }
    row(body, QStringLiteral("Desktop icon host"), label, text);
}

void GeneralSection::buildSupport(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Support"));
    QPushButton* copy = button(nullptr, QStringLiteral("copyDiagnostics"),
                               copied_ ? QStringLiteral("Copied") : QStringLiteral("Copy"), [this] {
                                   if (!context().actions.diagnostics)
                                       return;
                                   QApplication::clipboard()->setText(
                                       QString::fromStdString(context().actions.diagnostics(config())));
                                   copied_ = true;
                                   if (auto* b = findChild<QPushButton*>(QStringLiteral("copyDiagnostics")))
                                       b->setText(QStringLiteral("Copied"));
                               });
    copy->setAccessibleName(QStringLiteral("Copy diagnostics"));
    copy->setEnabled(bool(context().actions.diagnostics));
    row(body, QStringLiteral("Copy diagnostics"), copy,
        QStringLiteral(
            "App and system versions, desktop counts, and this run's activity log — paste it into a "
            "support email. Never file names or contents from your desktops."));
}

} // namespace tessarin
