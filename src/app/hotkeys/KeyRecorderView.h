#pragma once

#include "model/HotKeySpec.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// The control that records a shortcut, 110 × 22 points. A click starts recording ("Press keys…");
// then a key with at least one modifier (Shift alone counts) records that combination, Backspace alone
// clears the shortcut, Escape cancels, and any other key without a modifier beeps and keeps recording.
// Recording ends with the focus, too.
//
// Embedding it: give it the display text of a shortcut (the keyboard layout names the keys), show the
// stored shortcut with setSpec, store what recorded/cleared report (and setSpec the stored value again
// when the store refuses it), and connect recordingChanged to HotKeyCenter::setSuspended so that a
// combination in use reaches the recorder instead of firing.
class KeyRecorderView : public QWidget {
    Q_OBJECT
public:
    using ShortcutText = std::function<std::string(const HotKeySpec&)>;

    explicit KeyRecorderView(ShortcutText shortcutText, QWidget* parent = nullptr);
    ~KeyRecorderView() override;

    void setSpec(const std::optional<HotKeySpec>& spec);
    const std::optional<HotKeySpec>& spec() const { return spec_; }
    bool recording() const { return recording_; }

    QSize sizeHint() const override { return {110, 22}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The user recorded a combination; the view shows it already.
    void recorded(tessarin::HotKeySpec spec);
    // The user cleared the shortcut.
    void cleared();
    void recordingChanged(bool recording);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setRecording(bool recording);
    void finish(); // stops recording and gives up the focus

    ShortcutText shortcutText_;
    std::optional<HotKeySpec> spec_;
    bool recording_ = false;
};

} // namespace tessarin
