#pragma once

#include <QDBusConnection>
#include <QObject>
#include <filesystem>

namespace tessarin {

// Opens a folder in the user's file manager: org.freedesktop.FileManager1.ShowFolders on the session
// bus, or, where no file manager answers, the desktop's handler for the folder's URL.
class FolderOpener : public QObject {
    Q_OBJECT
public:
    explicit FolderOpener(QDBusConnection bus, QObject* parent = nullptr)
        : QObject(parent), bus_(std::move(bus)) {}

    void open(const std::filesystem::path& folder);

private:
    QDBusConnection bus_;
};

} // namespace tessarin
