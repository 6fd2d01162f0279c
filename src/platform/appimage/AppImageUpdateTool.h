#pragma once

#include <QObject>
#include <QProcess>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// appimageupdatetool, which updates an AppImage in place from the update information the AppImage
// carries (delta download, signature check). Runs it without blocking; the answers arrive as signals.
class AppImageUpdateTool : public QObject {
    Q_OBJECT
public:
    enum class Check { upToDate, updateAvailable, failed };

    AppImageUpdateTool(std::filesystem::path tool, std::filesystem::path appImage, QObject* parent = nullptr);

    // The tool on PATH; none when it is not installed.
    static std::optional<std::filesystem::path> find();

    // `tool --check-for-update APPIMAGE`: exit 0 up to date, 1 an update is available.
    void check();
    // `tool --overwrite APPIMAGE`: the new version replaces the file at the same path.
    void update();
    bool running() const { return process_ && process_->state() != QProcess::NotRunning; }

signals:
    void checked(AppImageUpdateTool::Check result, const QString& detail);
    // ok: the AppImage at its path is the new version; otherwise `detail` says why not.
    void updated(bool ok, const QString& detail);

private:
    void run(const QStringList& arguments, std::function<void(int exitCode, const QString& detail)> done);

    std::filesystem::path tool_;
    std::filesystem::path appImage_;
    QProcess* process_ = nullptr;
};

} // namespace tessarin
