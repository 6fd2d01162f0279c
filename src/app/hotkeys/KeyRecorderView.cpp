#include "hotkeys/KeyRecorderView.h"

#include "model/ShortcutText.h"
#include "triggers/KeyCodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace tessarin {

namespace {

constexpr uint32_t escapeKey = 53;
constexpr uint32_t backspaceKey = 51;

uint32_t modifierBitsOf(Qt::KeyboardModifiers modifiers) {
    uint32_t bits = 0;
    if (modifiers & Qt::ShiftModifier)
        bits |= modifierBits::shift;
    if (modifiers & Qt::ControlModifier)
        bits |= modifierBits::control;
    if (modifiers & Qt::AltModifier)
        bits |= modifierBits::option;
    if (modifiers & Qt::MetaModifier) // Super, on Linux
        bits |= modifierBits::command;
    return bits;
}

// Keys that only modify others: pressing one alone is the start of a combination, not a key.
bool isModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return true;
    default:
        return false;
    }
}

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace

KeyRecorderView::KeyRecorderView(ShortcutText shortcutText, QWidget* parent)
    : QWidget(parent), shortcutText_(std::move(shortcutText)) {
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

KeyRecorderView::~KeyRecorderView() {
    if (recording_)
        emit recordingChanged(false);
}

void KeyRecorderView::setSpec(const std::optional<HotKeySpec>& spec) {
    spec_ = spec;
    update();
}

void KeyRecorderView::setRecording(bool recording) {
    if (recording == recording_)
        return;
    recording_ = recording;
    update();
    emit recordingChanged(recording_);
}

void KeyRecorderView::finish() {
    setRecording(false);
    clearFocus();
}

void KeyRecorderView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    setRecording(true);
    event->accept();
}

void KeyRecorderView::focusOutEvent(QFocusEvent* event) {
    setRecording(false);
    QWidget::focusOutEvent(event);
}

void KeyRecorderView::keyPressEvent(QKeyEvent* event) {
    if (!recording_) {
        event->ignore();
        return;
    }
    event->accept();
    if (isModifierKey(event->key()))
        return;
    const uint32_t scanCode = event->nativeScanCode();
    const auto keyCode =
        scanCode >= xKeycodeOffset ? keyCodeOfEvdev(scanCode - xKeycodeOffset) : std::nullopt;
    const uint32_t modifiers = modifierBitsOf(event->modifiers());
    if (keyCode == escapeKey) {
        finish();
        return;
    }
    if (keyCode == backspaceKey && modifiers == 0) {
        spec_.reset();
        finish();
        emit cleared();
        return;
    }
    if (!keyCode || modifiers == 0) {
        QApplication::beep(); // a shortcut needs a modifier, and a key it can store
        return;
    }
    spec_ = HotKeySpec{*keyCode, modifiers};
    finish();
    emit recorded(*spec_);
}

void KeyRecorderView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colors = palette();
    const QColor label = colors.color(QPalette::WindowText);
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath shape;
    shape.addRoundedRect(frame, 5, 5);

    QString text;
    QColor textColor;
    if (recording_) {
        const QColor accent = colors.color(QPalette::Highlight);
        painter.fillPath(shape, withAlpha(accent, 0.15));
        painter.setPen(QPen(accent, 2));
        text = QStringLiteral("Press keys…");
        textColor = withAlpha(label, 0.55);
    } else {
        painter.fillPath(shape, colors.color(QPalette::Base));
        painter.setPen(QPen(withAlpha(label, 0.2), 1));
        if (spec_) {
            text = QString::fromStdString(shortcutText_ ? shortcutText_(*spec_)
                                                        : modifierGlyphs(spec_->modifiers));
            textColor = label;
        } else {
            text = QStringLiteral("Record…");
            textColor = withAlpha(label, 0.3);
        }
    }
    painter.drawPath(shape);
    QFont font = QApplication::font();
    font.setPixelSize(12); // the field's own unit: 12 of its 22 in height
    font.setWeight(QFont::Medium);
    painter.setFont(font);
    painter.setPen(textColor);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text);
}

} // namespace tessarin
