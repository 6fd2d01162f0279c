#pragma once

#include "display/WindowManager.h"
#include "dock/FloatingDockModel.h"
#include "dock/FolderIconCache.h"
#include "triggers/SpaceIdentifier.h"

#include <QObject>
#include <QPropertyAnimation>
#include <QRect>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QScreen;

namespace tessarin {

class DockDropView;
class FloatingDockView;

// The floating dock: a small panel above other windows, never taking the focus, with one tile per
// desktop. It belongs to the workspace it was shown on (to every workspace where the session has none
// to read): shown again elsewhere, it moves there. The controller supplies tiles and settings and does
// what the dock asks through the callbacks.
class FloatingDock : public QObject {
    Q_OBJECT
public:
    static constexpr double fastFlipSeconds = 0.12;
    static constexpr double slowFlipSeconds = 0.45;

    FloatingDock(WindowManager& windows, const SpaceIdentifier& spaces, QObject* parent = nullptr);
    ~FloatingDock() override;

    // Files dropped on a desktop's tile; a click on a desktop's tile; the user moved the panel.
    std::function<void(const std::vector<std::filesystem::path>&, const std::string& name)> onDrop;
    std::function<void(const std::string& name)> onSwitch;
    std::function<void(const FloatingDockPosition& position)> onMove;

    FloatingDockModel& model() { return model_; }
    void setFlipDuration(double seconds) { flipDuration_ = seconds; }
    void setAppearance(AppearanceMode appearance);
    // A different axis empties the tiles' frames and puts the dock at its default place at the next
    // reload.
    void setAxis(FloatingDockAxis axis);

    // Shows the dock on the screen under the pointer, at `saved` or at its default place.
    void show(const std::vector<DockSurface>& surfaces, const std::string& accentHex,
              const std::optional<FloatingDockPosition>& saved);
    // Refreshes a dock that is wanted: tiles, settings, and its place within its screen.
    void reload(const std::vector<DockSurface>& surfaces, const std::string& accentHex);
    // Not wanted any more: the pending checks are dropped and the panel leaves the screen.
    void hide();
    // Mirrors the panel into the other half of its screen, animated.
    void flip(DockHalf half);
    void cancelRechecks();
    // The workspace shown changed: the dock stays on its own one.
    void activeSpaceChanged();

    bool wantsVisible() const { return wantsVisible_; }
    // Wanted, but left on another workspace than the one shown now.
    bool isParkedElsewhere() const;

    // The dock as it is on screen now, for tessarinctl.
    struct Snapshot {
        bool visible = false;
        bool parkedElsewhere = false;
        QString screen;
        QRect frame; // in screen coordinates
        DockHalf half = DockHalf::lower;
        std::vector<std::pair<std::string, QRect>> tiles; // in screen coordinates
        std::optional<std::string> targeted;              // the tile under a drag of files
    };
    Snapshot snapshot() const;

private:
    void ensurePanel();
    void applyTranslucency();
    void fit();
    void place(QScreen* screen, const std::optional<FloatingDockPosition>& saved);
    void keepOnScreen();
    void updateHalf();
    void reportPosition(const std::optional<QPoint>& topLeft = std::nullopt);
    void assertHomeSpace();
    void recordHomeSpace();
    QScreen* panelScreen() const;
    Rect visibleFrame(const QScreen* screen) const;
    Rect panelRect(const std::optional<QPoint>& topLeft = std::nullopt) const;

    WindowManager& windows_;
    const SpaceIdentifier& spaces_;
    FloatingDockModel model_;
    FolderIconCache icons_;
    std::unique_ptr<DockDropView> panel_; // created on first show, then kept
    FloatingDockView* view_ = nullptr;    // the card inside the panel
    std::unique_ptr<QPropertyAnimation> flipAnimation_;
    double flipDuration_ = fastFlipSeconds;
    bool wantsVisible_ = false;
    int recheckGeneration_ = 0;
    QString dockScreen_; // the screen last placed on
    bool needsReplace_ = false;
    std::optional<std::string> homeSpace_;
};

} // namespace tessarin
