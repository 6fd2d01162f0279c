#pragma once

#include <QDBusConnection>
#include <QObject>
#include <filesystem>

namespace tessarin {

// Opens a folder, or shows a file, in the user's file manager: org.freedesktop.FileManager1.ShowFolders on
// the session bus, or, where no file manager answers, the desktop's handler for the folder's URL.
class FolderOpener : public QObject {
    Q_OBJECT
public:
    explicit FolderOpener(QDBusConnection bus, QObject* parent = nullptr)
        : QObject(parent), bus_(std::move(bus)) {}

    void open(const std::filesystem::path& folder);
    // Shows a file selected in its folder: ShowItems, else the folder through its URL handler.
    void reveal(const std::filesystem::path& file);

private:
    void show(const QString& method, const std::filesystem::path& item,
              const std::filesystem::path& fallbackFolder);

    QDBusConnection bus_;
};

} // namespace tessarin
