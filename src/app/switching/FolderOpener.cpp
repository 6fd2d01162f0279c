#include "switching/FolderOpener.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QUrl>

namespace tessarin {

void FolderOpener::open(const std::filesystem::path& folder) {
    show(QStringLiteral("ShowFolders"), folder, folder);
}

void FolderOpener::reveal(const std::filesystem::path& file) {
    show(QStringLiteral("ShowItems"), file, file.parent_path());
}

void FolderOpener::show(const QString& method, const std::filesystem::path& item,
                        const std::filesystem::path& fallbackFolder) {
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(fallbackFolder.string()));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), method);
    call << QStringList{QUrl::fromLocalFile(QString::fromStdString(item.string())).toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, url] {
        if (watcher->isError())
            QDesktopServices::openUrl(url);
        watcher->deleteLater();
    });
}

} // namespace tessarin
