#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <filesystem>
#include <memory>
#include <string>

namespace tessarin {

// Reports when a file (the AppImage the program runs from) is moved into a Trash folder: inotify
// reports each rename of the file, and the path the kernel now gives the open file says where it went.
// A move anywhere else, or a rename in place, is ignored; so is a move within the Trash once it has been
// reported: `trashed` fires once per trip into the Trash, however the renames are batched.
class TrashWatcher : public QObject {
    Q_OBJECT
public:
    explicit TrashWatcher(QObject* parent = nullptr);
    ~TrashWatcher() override;

    // Starts watching `file`; nothing when already watching or when the file can't be opened.
    void start(const std::filesystem::path& file);
    bool watching() const { return notifier_ != nullptr; }

signals:
    void trashed();

private:
    void readEvents();

    int inotify_ = -1;
    int file_ = -1; // O_PATH descriptor of the watched file: follows it through renames
    bool inTrash_ = false;
    std::unique_ptr<QSocketNotifier> notifier_;
};

// A path inside a freedesktop Trash: the home Trash ("…/Trash/files/…") or a volume's
// ("/.Trash/…", "/.Trash-1000/…").
bool isInsideTrash(const std::filesystem::path& path);

} // namespace tessarin
