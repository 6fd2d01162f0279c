#pragma once

#include "dock/DockLayout.h"
#include "dock/FloatingDockModel.h"

#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>

class QPainter;

namespace tessarin {

class FolderIconCache;
struct DockColors;

// The dock's card: the close button and flip arrows, a divider, and one tile per desktop (its folder
// icon, its name, a mark under the active one). A click on another desktop's tile switches to it;
// dragging anywhere but the controls moves the panel.
class FloatingDockView : public QWidget {
    Q_OBJECT
public:
    struct Callbacks {
        std::function<void(const std::string& name)> onSwitch;
        std::function<void(DockHalf half)> onFlip;
        std::function<void()> onClose;
        std::function<void(const QPoint& topLeft)> onDragged; // the user moved the panel there and let go
    };

    FloatingDockView(FloatingDockModel& model, FolderIconCache& icons, Callbacks callbacks,
                     QWidget* parent = nullptr);

    // Lays out for the model's state and gives the size the panel needs.
    QSize fittingSize();
    const DockLayout& layout() const { return layout_; }
    // Whether a compositor blends the panel with what lies behind it.
    void setTranslucent(bool translucent);
    // Help texts, as the tool tips show them.
    std::optional<QString> helpAt(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void relayout();
    const DockLayout::Tile* tileAt(const QPoint& point) const;
    const DockLayout::Arrow* arrowAt(const QPoint& point) const;
    bool arrowEnabled(const DockLayout::Arrow& arrow) const;
    void paintControls(QPainter& painter, const DockColors& colors);
    void paintTile(QPainter& painter, const DockLayout::Tile& tile, const DockSurface& surface,
                   const DockColors& colors);

    FloatingDockModel& model_;
    FolderIconCache& icons_;
    Callbacks callbacks_;
    DockLayout layout_;
    bool translucent_ = false;
    // A press on the card: where, and whether it turned into moving the panel.
    std::optional<QPoint> pressGlobal_;
    QPoint pressWindowPos_;
    QPoint dragTarget_; // where the panel was last asked to go
    bool moving_ = false;
};

} // namespace tessarin
