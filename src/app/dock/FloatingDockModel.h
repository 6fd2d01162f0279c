#pragma once

#include "dock/DockMetrics.h"
#include "dock/DockPlacement.h"
#include "dock/DockSurface.h"

#include <QObject>
#include <QRectF>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// What the floating dock shows.
struct FloatingDockState {
    std::vector<DockSurface> surfaces;
    DockHalf half = DockHalf::lower;
    std::string accentHex;
    FloatingDockSize size = FloatingDockSize::system;
    DockMetrics metrics = dockMetrics(FloatingDockSize::system, FloatingDockAxis::horizontal);
    bool colorFolders = false;
    FloatingDockMaterial material = FloatingDockMaterial::solid;
    FloatingDockAxis axis = FloatingDockAxis::horizontal;
    bool showFlipButtons = true;
    std::optional<std::string> targetedName; // the tile under a drag
    AppearanceMode appearance = AppearanceMode::system;

    // The name of the active desktop's tile, if it has one.
    std::optional<std::string> activeName() const;

    bool operator==(const FloatingDockState&) const = default;
};

// The dock's observable state: every update re-renders the view. The tiles' frames, in the view's
// coordinates (origin at its top left), are kept beside it without notifying anyone.
class FloatingDockModel : public QObject {
    Q_OBJECT
public:
    const FloatingDockState& state() const { return state_; }
    // Changes the state; the metrics follow the size and the axis. Notifies when anything changed.
    void update(const std::function<void(FloatingDockState&)>& change);

    std::map<std::string, QRectF> tileFrames;

signals:
    void changed();

private:
    FloatingDockState state_;
};

} // namespace tessarin
