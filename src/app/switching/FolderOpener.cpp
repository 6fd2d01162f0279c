#include "switching/FolderOpener.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QUrl>

namespace tessarin {

void FolderOpener::open(const std::filesystem::path& folder) {
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(folder.string()));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowFolders"));
    call << QStringList{url.toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, url] {
        if (watcher->isError())
            QDesktopServices::openUrl(url);
        watcher->deleteLater();
    });
}

} // namespace tessarin
