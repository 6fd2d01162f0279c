#include "settings/widgets/EmbeddedRecorder.h"

#include "hotkeys/HotKeyCenter.h"
#include "hotkeys/KeyRecorderView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tessarin {

namespace {

// Starts recording from the keyboard as a click does.
class KeyboardStart : public QObject {
public:
    explicit KeyboardStart(KeyRecorderView* view) : QObject(view), view_(view) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || view_->recording())
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        const QPointF center = QRectF(view_->rect()).center();
        QMouseEvent click(QEvent::MouseButtonPress, center, view_->mapToGlobal(center), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view_, &click);
        return true;
    }

private:
    KeyRecorderView* view_;
};

} // namespace

KeyRecorderFactory embeddedKeyRecorder(ShortcutText text, HotKeyCenter& hotKeys) {
    return [text = std::move(text), &hotKeys](const std::optional<HotKeySpec>& spec, ShortcutChanged changed,
                                              QWidget* parent) -> QWidget* {
        auto* view = new KeyRecorderView(text, parent);
        view->setSpec(spec);
        view->setFocusPolicy(Qt::StrongFocus);
        view->installEventFilter(new KeyboardStart(view));
        QObject::connect(view, &KeyRecorderView::recorded, view,
                         [changed](HotKeySpec recorded) { changed(recorded); });
        QObject::connect(view, &KeyRecorderView::cleared, view, [changed] { changed(std::nullopt); });
        QObject::connect(view, &KeyRecorderView::recordingChanged, &hotKeys, &HotKeyCenter::setSuspended);
        return view;
    };
}

} // namespace tessarin
