#pragma once

#include <QDBusConnection>
#include <QObject>
#include <filesystem>
#include <functional>
#include <string>

namespace tessarin {

// Opens a folder, or shows a file, in the user's file manager: org.freedesktop.FileManager1 on the
// session bus, else xdg-open, which asks the desktop's handler for folders. When neither opens it,
// `unopened` is told the folder and why.
class FolderOpener : public QObject {
    Q_OBJECT
public:
    using Unopened = std::function<void(const std::filesystem::path& folder, const std::string& reason)>;

    FolderOpener(QDBusConnection bus, Unopened unopened, QObject* parent = nullptr)
        : QObject(parent), bus_(std::move(bus)), unopened_(std::move(unopened)) {}

    void open(const std::filesystem::path& folder);
    // Shows a file selected in its folder: ShowItems, else the folder through its URL handler.
    void reveal(const std::filesystem::path& file);

private:
    void show(const QString& method, const std::filesystem::path& item,
              const std::filesystem::path& fallbackFolder);
    void openWithXdgOpen(const std::filesystem::path& folder);

    QDBusConnection bus_;
    Unopened unopened_;
};

} // namespace tessarin
