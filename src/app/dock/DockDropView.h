#pragma once

#include "dock/FloatingDockModel.h"

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QMimeData;

namespace tessarin {

// The dock's panel and its drop target: takes files (a text/uri-list of local files) from any
// application onto the tile of a desktop that is not the active one, highlighting that tile while the
// drag is over it. Anything else — a link, text, a drop on the active desktop's tile or between tiles —
// is refused, and the pointer shows it.
class DockDropView : public QWidget {
    Q_OBJECT
public:
    using DropHandler =
        std::function<void(const std::vector<std::filesystem::path>&, const std::string& name)>;

    DockDropView(FloatingDockModel& model, DropHandler onDrop);

    // The local files a drag carries; none when it carries nothing else than local files.
    static std::optional<std::vector<std::filesystem::path>> localFiles(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The desktop whose tile lies under `point`, unless it is the active one.
    std::optional<std::string> targetAt(const QPointF& point) const;
    void setTarget(const std::optional<std::string>& name);

    FloatingDockModel& model_;
    DropHandler onDrop_;
};

} // namespace tessarin
