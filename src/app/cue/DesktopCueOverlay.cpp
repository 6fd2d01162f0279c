#include "cue/DesktopCueOverlay.h"

#include "display/OverlayWindowing.h"
#include "model/DesktopPalette.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace tessarin {

DesktopCueOverlay::DesktopCueOverlay(OverlayWindowing& windowing, CueImageCache& images, Log& log,
                                     QObject* parent)
    : QObject(parent), windowing_(windowing), images_(images), log_(log) {
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watchScreen(screen);
        relayoutSoon();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &DesktopCueOverlay::relayoutSoon);
    for (QScreen* screen : QGuiApplication::screens())
        watchScreen(screen);
}

DesktopCueOverlay::~DesktopCueOverlay() = default;

void DesktopCueOverlay::watchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, &DesktopCueOverlay::relayoutSoon);
}

// Screen changes come in bursts (a monitor added resizes the others): one relayout after them.
void DesktopCueOverlay::relayoutSoon() {
    if (relayoutPending_)
        return;
    relayoutPending_ = true;
    QTimer::singleShot(0, this, [this] {
        relayoutPending_ = false;
        relayout();
    });
}

DesktopCueOverlay::Layout DesktopCueOverlay::wanted() {
    Layout layout;
    layout.cue = current_;
    for (QScreen* screen : QGuiApplication::screens())
        layout.screens.push_back(screen->geometry());
    if (current_) {
        layout.composited = windowing_.compositing();
        // Desktop-icon hosts paint the wallpaper and the icons in one window: a cue can only lie over it.
        layout.overIcons = !current_->aboveIcons && windowing_.desktopIconWindowShown();
    }
    return layout;
}

void DesktopCueOverlay::relayout() {
    Layout layout = wanted();
    if (applied_ && *applied_ == layout) {
        for (const auto& band : bands_)
            if (!band->isVisible())
                band->present();
        return;
    }
    // Said once, when it starts to hold, not at every switch.
    const bool newlyPlain = !layout.composited && (!applied_ || applied_->composited);
    const bool newlyOverIcons = layout.overIcons && (!applied_ || !applied_->overIcons);
    applied_ = layout;
    std::vector<std::unique_ptr<CueBand>> old = std::move(bands_);
    bands_.clear();
    if (!layout.cue) {
        retiring_.clear();
        return;
    }

    QImage wallpaper;
    if (!layout.composited) {
        wallpaper = windowing_.wallpaper();
        if (newlyPlain)
            log_.log(LogCategory::app, wallpaper.isNull()
                                           ? "no compositor and no wallpaper picture: the cue is shown opaque"
                                           : "no compositor: the cue is painted over the wallpaper picture");
    }
    if (newlyOverIcons)
        log_.log(LogCategory::app,
                 "the desktop icons share the wallpaper's window: the cue lies over them at "
                 "no more than the opacity allowed above icons");
    for (QScreen* screen : QGuiApplication::screens()) {
        auto look = lookFor(*layout.cue, layout, wallpaper, screen);
        if (!look) {
            applied_.reset(); // an unreadable picture is tried again at the next relayout
            bands_.clear();
            return;
        }
        bands_.push_back(std::make_unique<CueBand>(screen, std::move(*look), windowing_));
        bands_.back()->present();
    }
    // The old bands go only once the new ones are drawn: no flash of the bare wallpaper.
    for (auto& band : old)
        retiring_.push_back(std::move(band));
    retireWhenPainted();
}

void DesktopCueOverlay::retireWhenPainted() {
    if (retiring_.empty())
        return;
    auto retire = [this] {
        if (std::all_of(bands_.begin(), bands_.end(), [](const auto& band) { return band->painted(); }))
            QTimer::singleShot(0, this, [this] { retiring_.clear(); });
    };
    for (const auto& band : bands_)
        connect(band.get(), &CueBand::firstPainted, this, retire);
    retire();
    QTimer::singleShot(retireAfterMs, this, [this] { retiring_.clear(); });
}

std::optional<CueBand::Look> DesktopCueOverlay::lookFor(const DesktopCue& cue, const Layout& layout,
                                                        const QImage& wallpaper, QScreen* screen) {
    CueBand::Look look;
    look.composited = layout.composited;
    look.opacity = layout.overIcons ? std::min(cue.opacity, DesktopCue::maxOpacityAboveIcons) : cue.opacity;
    if (cue.fill.kind == DesktopCue::Fill::Kind::color) {
        const RgbColor c = colorOrDefaultAccent(cue.fill.value);
        look.color = QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green),
                                      static_cast<float>(c.blue));
    } else {
        QSize largest;
        for (QScreen* s : QGuiApplication::screens())
            largest = largest.expandedTo(s->geometry().size() * s->devicePixelRatio());
        look.picture = images_.image(cue.fill.value, largest);
        if (look.picture.isNull())
            return std::nullopt;
    }
    if (!wallpaper.isNull()) {
        const qreal ratio = screen->devicePixelRatio();
        const QRect g = screen->geometry();
        look.wallpaper = wallpaper.copy(QRect(g.topLeft() * ratio, g.size() * ratio));
    }
    return look;
}

} // namespace tessarin
