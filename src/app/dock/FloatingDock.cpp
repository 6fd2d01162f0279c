#include "dock/FloatingDock.h"

#include "dock/DockDropView.h"
#include "dock/FloatingDockView.h"

#include <QCursor>
#include <QEasingCurve>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <array>
#include <cmath>

namespace tessarin {

namespace {

// When a workspace change has settled enough to look again whether the dock sits where it belongs.
constexpr std::array<int, 6> recheckDelaysMs = {50, 150, 300, 600, 1000, 1500};

QPoint rounded(const Point& p) {
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

QEasingCurve flipCurve() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.76, 0), QPointF(0.24, 1), QPointF(1, 1));
    return curve;
}

} // namespace

FloatingDock::FloatingDock(WindowManager& windows, const SpaceIdentifier& spaces, QObject* parent)
    : QObject(parent), windows_(windows), spaces_(spaces) {}

FloatingDock::~FloatingDock() = default;

void FloatingDock::setAppearance(AppearanceMode appearance) {
    model_.update([&](FloatingDockState& s) { s.appearance = appearance; });
}

void FloatingDock::setAxis(FloatingDockAxis axis) {
    if (model_.state().axis == axis)
        return;
    model_.tileFrames.clear();
    model_.update([&](FloatingDockState& s) { s.axis = axis; });
    needsReplace_ = true;
}

void FloatingDock::ensurePanel() {
    if (panel_)
        return;
    panel_ = std::make_unique<DockDropView>(
        model_, [this](const std::vector<std::filesystem::path>& files, const std::string& name) {
            if (onDrop)
                onDrop(files, name);
        });
    FloatingDockView::Callbacks callbacks;
    callbacks.onSwitch = [this](const std::string& name) {
        if (onSwitch)
            onSwitch(name);
    };
    callbacks.onFlip = [this](DockHalf half) { flip(half); };
    callbacks.onClose = [this] { hide(); };
    callbacks.onDragged = [this](const QPoint& topLeft) { reportPosition(topLeft); };
    view_ = new FloatingDockView(model_, icons_, std::move(callbacks), panel_.get());
    connect(&model_, &FloatingDockModel::changed, this, [this] {
        if (view_ && view_->fittingSize() != panel_->size())
            fit();
    });
    flipAnimation_ = std::make_unique<QPropertyAnimation>(panel_.get(), "pos");
    flipAnimation_->setEasingCurve(flipCurve());
    connect(flipAnimation_.get(), &QPropertyAnimation::finished, this,
            [this] { reportPosition(flipAnimation_->endValue().toPoint()); });
}

void FloatingDock::applyTranslucency() {
    // Without a compositor the window's alpha means nothing: the card is cut to its rounded shape.
    const bool translucent = windows_.compositing();
    view_->setTranslucent(translucent);
    if (translucent) {
        panel_->clearMask();
        return;
    }
    QPainterPath shape;
    const double radius = view_->layout().sizes.cardRadius;
    shape.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(panel_->size())), radius, radius);
    panel_->setMask(QRegion(shape.toFillPolygon().toPolygon()));
}

void FloatingDock::fit() {
    const QSize size = view_->fittingSize();
    if (size.width() <= 0 || size.height() <= 0)
        return;
    panel_->setFixedSize(size); // a top-level keeps its top-left corner
    view_->setGeometry(QRect(QPoint(0, 0), size));
    applyTranslucency();
}

Rect FloatingDock::visibleFrame(const QScreen* screen) const {
    const QRect v = screen->availableGeometry();
    return {double(v.x()), double(v.y()), double(v.width()), double(v.height())};
}

Rect FloatingDock::panelRect(const std::optional<QPoint>& topLeft) const {
    const QRect g = panel_->geometry();
    const QPoint at = topLeft.value_or(g.topLeft());
    return {double(at.x()), double(at.y()), double(g.width()), double(g.height())};
}

QScreen* FloatingDock::panelScreen() const {
    if (panel_)
        if (QScreen* at = QGuiApplication::screenAt(panel_->geometry().center()))
            return at;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == dockScreen_)
            return screen;
    return QGuiApplication::primaryScreen();
}

void FloatingDock::place(QScreen* screen, const std::optional<FloatingDockPosition>& saved) {
    if (!screen)
        return;
    dockScreen_ = screen->name();
    const QSize size = panel_->size();
    const Point origin = dockOrigin(visibleFrame(screen), {double(size.width()), double(size.height())},
                                    model_.state().metrics, model_.state().axis, saved);
    panel_->move(rounded(origin));
}

void FloatingDock::keepOnScreen() {
    QScreen* screen = panelScreen();
    if (!screen)
        return;
    const QPoint origin = rounded(clampedDockOrigin(visibleFrame(screen), panelRect()));
    if (origin == panel_->pos())
        return;
    panel_->move(origin);
    reportPosition();
}

void FloatingDock::updateHalf() {
    if (const QScreen* screen = panelScreen()) {
        const DockHalf half = dockHalf(visibleFrame(screen), panelRect(), model_.state().axis);
        model_.update([&](FloatingDockState& s) { s.half = half; });
    }
}

void FloatingDock::reportPosition(const std::optional<QPoint>& topLeft) {
    if (!panel_)
        return;
    // Where the panel was sent: the window manager may not have confirmed the last move yet.
    const Rect panel = panelRect(topLeft);
    const QScreen* screen =
        QGuiApplication::screenAt(rounded({panel.x + panel.width / 2, panel.y + panel.height / 2}));
    if (!screen)
        screen = panelScreen();
    if (!screen)
        return;
    dockScreen_ = screen->name();
    const Rect visible = visibleFrame(screen);
    model_.update([&](FloatingDockState& s) { s.half = dockHalf(visible, panel, s.axis); });
    if (onMove)
        onMove(normalisedDockPosition(visible, panel));
}

void FloatingDock::recordHomeSpace() {
    // On a session without workspaces to read the dock is on every workspace; otherwise on this one.
    const auto active = spaces_.available() ? spaces_.activeSpace() : std::nullopt;
    windows_.setOnAllWorkspaces(panel_->winId(), !active);
    homeSpace_ = active ? std::optional<std::string>(active->identity) : std::nullopt;
}

void FloatingDock::show(const std::vector<DockSurface>& surfaces, const std::string& accentHex,
                        const std::optional<FloatingDockPosition>& saved) {
    model_.update([&](FloatingDockState& s) {
        s.surfaces = surfaces;
        s.accentHex = accentHex;
    });
    icons_.clear();
    wantsVisible_ = true;
    needsReplace_ = false;
    ensurePanel();
    if (flipAnimation_->state() == QAbstractAnimation::Running)
        flipAnimation_->stop();
    fit();
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    place(screen ? screen : QGuiApplication::primaryScreen(), saved);
    updateHalf();
    panel_->show();
    panel_->raise();
    recordHomeSpace();
    view_->update();
}

void FloatingDock::reload(const std::vector<DockSurface>& surfaces, const std::string& accentHex) {
    if (!wantsVisible_ || !panel_)
        return;
    model_.update([&](FloatingDockState& s) {
        s.surfaces = surfaces;
        s.accentHex = accentHex;
    });
    icons_.clear();
    fit();
    if (needsReplace_) {
        needsReplace_ = false;
        place(panelScreen(), std::nullopt);
        reportPosition();
    } else {
        keepOnScreen();
    }
    updateHalf();
    view_->update();
    assertHomeSpace();
}

void FloatingDock::hide() {
    wantsVisible_ = false;
    cancelRechecks();
    if (!panel_)
        return;
    flipAnimation_->stop();
    panel_->hide();
}

void FloatingDock::flip(DockHalf half) {
    if (!panel_)
        return;
    const QScreen* screen = panelScreen();
    if (!screen || flipAnimation_->state() == QAbstractAnimation::Running)
        return;
    const auto trip = dockFlip(visibleFrame(screen), panelRect(), model_.state().axis, half);
    if (!trip)
        return;
    model_.update([&](FloatingDockState& s) { s.half = half; });
    flipAnimation_->setDuration(static_cast<int>(std::lround(dockFlipSeconds(*trip, flipDuration_) * 1000)));
    flipAnimation_->setStartValue(panel_->pos());
    flipAnimation_->setEndValue(rounded(trip->origin));
    flipAnimation_->start();
}

void FloatingDock::cancelRechecks() {
    ++recheckGeneration_;
}

void FloatingDock::activeSpaceChanged() {
    assertHomeSpace();
    cancelRechecks();
    const int generation = recheckGeneration_;
    for (const int delay : recheckDelaysMs)
        QTimer::singleShot(delay, this, [this, generation] {
            if (generation == recheckGeneration_)
                assertHomeSpace();
        });
}

void FloatingDock::assertHomeSpace() {
    if (!wantsVisible_ || !panel_ || !homeSpace_)
        return;
    const auto active = spaces_.activeSpace();
    if (!active)
        return;
    const auto onCurrent = windows_.onCurrentWorkspace(panel_->winId());
    if (active->identity != *homeSpace_) {
        if (onCurrent == true && panel_->isVisible())
            panel_->hide();
    } else if (!panel_->isVisible()) {
        panel_->show();
        panel_->raise();
        windows_.setOnAllWorkspaces(panel_->winId(), false);
    }
}

bool FloatingDock::isParkedElsewhere() const {
    if (!wantsVisible_ || !homeSpace_)
        return false;
    const auto active = spaces_.activeSpace();
    return active && active->identity != *homeSpace_;
}

FloatingDock::Snapshot FloatingDock::snapshot() const {
    Snapshot s;
    s.parkedElsewhere = isParkedElsewhere();
    s.half = model_.state().half;
    s.targeted = model_.state().targetedName;
    if (!panel_)
        return s;
    s.visible = wantsVisible_ && panel_->isVisible() && !s.parkedElsewhere;
    s.frame = panel_->geometry();
    if (const QScreen* screen = panelScreen())
        s.screen = screen->name();
    for (const auto& tile : view_->layout().tiles)
        s.tiles.emplace_back(tile.name, tile.frame.translated(s.frame.topLeft()));
    return s;
}

} // namespace tessarin
