#include "appimage/AppImageUpdateTool.h"

#include <QStandardPaths>

namespace tessarin {

namespace {

// The last lines the tool wrote, which say what went wrong.
QString lastLines(const QByteArray& output, int count) {
    QStringList lines = QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    while (lines.size() > count)
        lines.removeFirst();
    return lines.join(QLatin1Char('\n'));
}

} // namespace

AppImageUpdateTool::AppImageUpdateTool(std::filesystem::path tool, std::filesystem::path appImage,
                                       QObject* parent)
    : QObject(parent), tool_(std::move(tool)), appImage_(std::move(appImage)) {}

std::optional<std::filesystem::path> AppImageUpdateTool::find() {
    const QString found = QStandardPaths::findExecutable(QStringLiteral("appimageupdatetool"));
    if (found.isEmpty())
        return std::nullopt;
    return found.toStdString();
}

void AppImageUpdateTool::run(const QStringList& arguments,
                             std::function<void(int exitCode, const QString& detail)> done) {
    if (running())
        return;
    if (process_)
        process_->deleteLater();
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    QProcess* process = process_;
    connect(process, &QProcess::finished, this, [process, done](int exitCode, QProcess::ExitStatus status) {
        const QString detail = lastLines(process->readAll(), 4);
        done(status == QProcess::NormalExit ? exitCode : -1, detail);
    });
    connect(process, &QProcess::errorOccurred, this, [process, done](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            done(-1, process->errorString());
    });
    process->start(QString::fromStdString(tool_.string()), arguments);
}

void AppImageUpdateTool::check() {
    run({QStringLiteral("--check-for-update"), QString::fromStdString(appImage_.string())},
        [this](int exitCode, const QString& detail) {
            emit checked(exitCode == 0   ? Check::upToDate
                         : exitCode == 1 ? Check::updateAvailable
                                         : Check::failed,
                         detail);
        });
}

void AppImageUpdateTool::update() {
    run({QStringLiteral("--overwrite"), QString::fromStdString(appImage_.string())},
        [this](int exitCode, const QString& detail) { emit updated(exitCode == 0, detail); });
}

} // namespace tessarin
