#include "tray/SniStatusItem.h"

#include "icon/GlyphPainter.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QtEndian>
#include <cstdlib>

namespace tessarin {

namespace {

SniIconPixmap pixmapOf(const QImage& rendered) {
    const QImage image = rendered.convertToFormat(QImage::Format_ARGB32);
    SniIconPixmap p;
    p.width = image.width();
    p.height = image.height();
    p.bytes.resize(static_cast<qsizetype>(image.width()) * image.height() * 4);
    auto* out = reinterpret_cast<quint32*>(p.bytes.data());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            *out++ = qToBigEndian(line[x]);
    }
    return p;
}

} // namespace

SniStatusItem::SniStatusItem(QDBusConnection bus, bool menuOnClick, QObject* parent)
    : StatusItem(parent), bus_(std::move(bus)), menu_(bus_), menuOnClick_(menuOnClick) {
    registerTrayDBusTypes();
    serviceName_ = QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid());
    auto* adaptor = new StatusNotifierItemAdaptor(this);
    connect(this, &SniStatusItem::iconChanged, adaptor, &StatusNotifierItemAdaptor::NewIcon);
    connect(this, &SniStatusItem::toolTipChanged, adaptor, &StatusNotifierItemAdaptor::NewToolTip);
    connect(&menu_, &DBusMenuExporter::entryChosen, this, &StatusItem::menuEntryChosen);
    SniStatusItem::setGlyph(glyph::restingWidths, glyph::restingRadii);
    // The object first, then the name: whoever sees the name finds the object.
    exported_ = bus_.registerObject(QString::fromLatin1(objectPath), this);
    bus_.registerService(serviceName_);
}

SniStatusItem::~SniStatusItem() {
    bus_.unregisterService(serviceName_);
    if (exported_)
        bus_.unregisterObject(QString::fromLatin1(objectPath));
}

bool SniStatusItem::registerWithWatcher() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(watcherService), QStringLiteral("/StatusNotifierWatcher"),
        QString::fromLatin1(watcherService), QStringLiteral("RegisterStatusNotifierItem"));
    call << serviceName_;
    steps_.reset(); // the host behind this watcher may count scroll deltas differently
    return bus_.call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
}

void SniStatusItem::setGlyph(const BarLengths& widths, const BarLengths& radii) {
    pixmaps_.clear();
    for (int size : iconSizes)
        pixmaps_.append(pixmapOf(renderGlyph(widths, radii, size, 1.0)));
    emit iconChanged();
}

void SniStatusItem::setMenu(const StatusMenuModel& model) {
    menu_.setModel(model);
    const QString tip = QString::fromStdString(model.toolTip);
    if (!tip.isEmpty() && tip != toolTip_) {
        toolTip_ = tip;
        emit toolTipChanged();
    }
}

void SniStatusItem::activate(int x, int y) {
    lastClick_ = QPoint(x, y);
    // Without a focused window of ours the keyboard's state is unknown there.
    const bool alt = !menuOnClick_ && (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);
    QMetaObject::invokeMethod(
        this, [this, alt] { emit clicked(alt); }, Qt::QueuedConnection);
}

void SniStatusItem::contextMenu(int x, int y) {
    lastClick_ = QPoint(x, y);
    QMetaObject::invokeMethod(
        this, [this] { emit contextClicked(); }, Qt::QueuedConnection);
}

void SniStatusItem::scroll(int delta, const QString& orientation) {
    if (orientation.compare(QLatin1String("vertical"), Qt::CaseInsensitive) != 0 || delta == 0)
        return;
    const int steps = steps_.feed(delta);
    for (int i = 0; i < std::abs(steps); ++i) {
        ScrollInput input;
        input.deltaY = steps < 0 ? 1 : -1; // one wheel notch; positive when scrolled up
        QMetaObject::invokeMethod(
            this, [this, input] { emit scrolled(input); }, Qt::QueuedConnection);
    }
}

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(SniStatusItem* item)
    : QDBusAbstractAdaptor(item), item_(item) {
    setAutoRelaySignals(false);
}

SniToolTip StatusNotifierItemAdaptor::toolTip() const {
    SniToolTip tip;
    tip.title = item_->toolTipTitle();
    return tip;
}

} // namespace tessarin
