#include "switching/FolderOpener.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QProcess>
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
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), method);
    call << QStringList{QUrl::fromLocalFile(QString::fromStdString(item.string())).toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, fallbackFolder] {
        if (watcher->isError())
            openWithXdgOpen(fallbackFolder);
        watcher->deleteLater();
    });
}

void FolderOpener::openWithXdgOpen(const std::filesystem::path& folder) {
    // xdg-open may wait for the file manager it starts: only its failure is awaited, never its end.
    auto* process = new QProcess(this);
    process->setProgram(QStringLiteral("xdg-open"));
    process->setArguments({QString::fromStdString(folder.string())});
    const auto report = [this, folder](const std::string& reason) {
        if (unopened_)
            unopened_(folder, reason);
    };
    connect(process, &QProcess::errorOccurred, this, [process, report](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            report("xdg-open is not installed");
            process->deleteLater();
        }
    });
    connect(process, &QProcess::finished, this, [process, report](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) {
            const QString said = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
            report("xdg-open: " +
                   (said.isEmpty() ? "exit status " + std::to_string(code) : said.toStdString()));
        }
        process->deleteLater();
    });
    process->start();
}

} // namespace tessarin
