#pragma once

#include "cue/CueBand.h"
#include "cue/CueImageCache.h"
#include "model/DesktopCue.h"
#include "support/Log.h"

#include <QObject>
#include <QRect>
#include <memory>
#include <optional>
#include <vector>

namespace tessarin {

class OverlayWindowing;

// Shows the active desktop's cue over the wallpaper of every screen: one band window per screen.
// The controller sets `current` and calls relayout after every switch and settings change; the bands
// are rebuilt only when the cue, the screens or the compositing changed, new ones up before the old
// ones go. Screens added, removed or resized lay the bands out again by themselves.
class DesktopCueOverlay : public QObject {
    Q_OBJECT
public:
    // The longest replaced bands wait for the new ones to be drawn.
    static constexpr int retireAfterMs = 1000;

    DesktopCueOverlay(OverlayWindowing& windowing, CueImageCache& images, Log& log,
                      QObject* parent = nullptr);
    ~DesktopCueOverlay() override;

    void setCurrent(std::optional<DesktopCue> cue) { current_ = std::move(cue); }
    const std::optional<DesktopCue>& current() const { return current_; }
    void relayout();

    const std::vector<std::unique_ptr<CueBand>>& bands() const { return bands_; }

private:
    // What the bands on screen were built from.
    struct Layout {
        std::optional<DesktopCue> cue;
        std::vector<QRect> screens;
        bool composited = true;
        bool overIcons = false;
        bool operator==(const Layout&) const = default;
    };

    Layout wanted();
    // The band's look on `screen`, or none when the cue can't be shown (an unreadable picture).
    std::optional<CueBand::Look> lookFor(const DesktopCue& cue, const Layout& layout, const QImage& wallpaper,
                                         QScreen* screen);
    void watchScreen(QScreen* screen);
    void relayoutSoon();
    // Lets the replaced bands go once every new band has been drawn.
    void retireWhenPainted();

    OverlayWindowing& windowing_;
    CueImageCache& images_;
    Log& log_;
    std::optional<DesktopCue> current_;
    std::optional<Layout> applied_;
    std::vector<std::unique_ptr<CueBand>> bands_;
    std::vector<std::unique_ptr<CueBand>> retiring_; // replaced, up until the new bands show
    bool relayoutPending_ = false;
};

} // namespace tessarin
