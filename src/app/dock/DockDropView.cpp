#include "dock/DockDropView.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace tessarin {

DockDropView::DockDropView(FloatingDockModel& model, DropHandler onDrop)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      model_(model), onDrop_(std::move(onDrop)) {
    setObjectName(QStringLiteral("FloatingDock"));
    setWindowTitle(QStringLiteral("Tessarin dock"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setAcceptDrops(true);
}

std::optional<std::vector<std::filesystem::path>> DockDropView::localFiles(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return std::nullopt;
    std::vector<std::filesystem::path> files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return std::nullopt;
        files.emplace_back(url.toLocalFile().toStdString());
    }
    if (files.empty())
        return std::nullopt;
    return files;
}

std::optional<std::string> DockDropView::targetAt(const QPointF& point) const {
    for (const auto& [name, frame] : model_.tileFrames)
        if (frame.contains(point))
            return name == model_.state().activeName() ? std::nullopt : std::optional<std::string>(name);
    return std::nullopt;
}

void DockDropView::setTarget(const std::optional<std::string>& name) {
    model_.update([&](FloatingDockState& s) { s.targetedName = name; });
}

void DockDropView::dragEnterEvent(QDragEnterEvent* event) {
    // Only a drag of local files is followed at all; the tile under it decides in dragMoveEvent.
    event->setAccepted(localFiles(event->mimeData()).has_value());
}

void DockDropView::dragMoveEvent(QDragMoveEvent* event) {
    // Asked at every move: Qt sends moves after a refused entry, and a drag that follows another one
    // may arrive with no entry of its own.
    const auto target = localFiles(event->mimeData()) ? targetAt(event->position()) : std::nullopt;
    setTarget(target);
    // The answer holds for the tile under the pointer only: the source asks again elsewhere.
    if (!target) {
        event->ignore(QRect(event->position().toPoint(), QSize(1, 1)));
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept(model_.tileFrames.at(*target).toRect());
}

void DockDropView::dragLeaveEvent(QDragLeaveEvent*) {
    setTarget(std::nullopt);
}

void DockDropView::dropEvent(QDropEvent* event) {
    const auto target = targetAt(event->position());
    const auto files = localFiles(event->mimeData());
    setTarget(std::nullopt);
    if (!target || !files) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // The files move once the drag has ended for its source too.
    QMetaObject::invokeMethod(
        this,
        [this, files = *files, name = *target] {
            if (onDrop_)
                onDrop_(files, name);
        },
        Qt::QueuedConnection);
}

} // namespace tessarin
