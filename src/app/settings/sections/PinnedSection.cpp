#include "settings/sections/PinnedSection.h"

#include "settings/widgets/Widgets.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tessarin {

namespace {

const QString chooserText =
    QStringLiteral("Choose a file or folder on your Desktop to keep on every desktop.");

// The Desktop's items that could be pinned: not hidden, not pinned yet, by name.
std::vector<std::string> desktopItems(const std::filesystem::path& desktop,
                                      const std::vector<std::string>& pinned) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(desktop, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(".") && std::find(pinned.begin(), pinned.end(), name) == pinned.end())
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

PinnedSection::PinnedSection(SectionContext& context, QWidget* parent)
    : SectionPage(context, QStringLiteral("Pinned items"), parent) {}

void PinnedSection::build(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Keep on every desktop"));
    const auto& pinned = config().settings.pinnedFolders;
    if (pinned.empty())
        note(body, QStringLiteral("Nothing is pinned."));
    for (const auto& name : pinned) {
        const QString key = qs(name);
        const bool present = model().pinned.pinnedFolderIsOnDesktop(name);
        QPushButton* unpin =
            button(nullptr, QStringLiteral("unpin:") + key, QStringLiteral("Unpin"), [this, name] {
                act([&](SettingsModel& m) { return m.pinned.removePinnedFolder(name); });
            });
        unpin->setAccessibleName(QStringLiteral("Unpin ") + key);
        unpin->setToolTip(QStringLiteral("Unpin — the folder stays where it is and is adopted by the current "
                                         "desktop on the next switch."));
        row(body, present ? key : key + QStringLiteral("  —  not on the Desktop"), unpin,
            present ? QString()
                    : QStringLiteral("No item with this name is on the Desktop right now — it may have been "
                                     "renamed or moved. The pin waits; it re-applies if the name returns."));
    }

    auto* line = new QHBoxLayout;
    auto* choose = new QPushButton(QStringLiteral("Pin a file or folder"), body->parentWidget());
    choose->setObjectName(QStringLiteral("pinItem"));
    choose->setAutoDefault(false);
    auto* menu = new QMenu(choose);
    menu->setObjectName(QStringLiteral("pinMenu"));
    QAction* heading = menu->addAction(chooserText);
    heading->setEnabled(false);
    menu->addSeparator();
    for (const auto& name : desktopItems(model().state.paths().desktop, pinned))
        menu->addAction(qs(name), this, [this, name] { pin(model().state.paths().desktop / name); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Other…"), this, &PinnedSection::browse);
    choose->setMenu(menu);
    choose->setMinimumWidth(choose->sizeHint().width() +
                            choose->fontMetrics().height()); // room for the arrow
    line->addWidget(choose);
    line->addStretch(1);
    body->addLayout(line);
    note(body, QStringLiteral("Matched by name, so renaming a pinned item unpins it."));
}

void PinnedSection::browse() {
    auto* dialog = new QFileDialog(window(), chooserText,
                                   QString::fromStdString(model().state.paths().desktop.string()));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setOption(QFileDialog::DontResolveSymlinks);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this](const QString& file) { pin(std::filesystem::path(file.toStdString())); });
    dialog->open();
}

void PinnedSection::pin(const std::filesystem::path& path) {
    std::error_code ec;
    const auto parent = std::filesystem::weakly_canonical(path.parent_path(), ec);
    const auto desktop = std::filesystem::weakly_canonical(model().state.paths().desktop, ec);
    if (parent != desktop) {
        context().dialogs.alert(
            QStringLiteral("That item isn’t on your Desktop"),
            QStringLiteral("Pinning keeps a Desktop item in place across switches — it "
                           "doesn’t bring in files from elsewhere. Move it to the Desktop "
                           "first, then pin it."));
        return;
    }
    const std::string name = path.filename().string();
    act([&](SettingsModel& m) { return m.pinned.addPinnedFolder(name); });
}

} // namespace tessarin
