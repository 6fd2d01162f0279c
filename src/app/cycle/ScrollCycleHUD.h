#pragma once

#include "cycle/ScrollGesture.h"

#include <QLabel>
#include <QPropertyAnimation>
#include <QWidget>
#include <memory>

namespace tessarin {

// The pop-up of the scroll gesture: the previewed desktop between its neighbours, centred on the
// screen under the pointer. Frameless, above everything, never takes focus, lets clicks through.
class ScrollCycleHUD : public QWidget {
    Q_OBJECT
public:
    static constexpr int panelHeight = 152;
    static constexpr int cornerRadius = 18;
    static constexpr int labelSpacing = 8;
    static constexpr int slideDistance = 26;
    static constexpr int slideMs = 160;
    static constexpr int fadeInMs = 120;
    static constexpr int fadeOutMs = 220;

    ScrollCycleHUD();

    void show(const std::vector<std::string>& ring, size_t index, bool wraps, int slide);
    void hide();

    const QLabel& previousLabel() const { return *prev_; }
    const QLabel& currentLabel() const { return *current_; }
    const QLabel& nextLabel() const { return *next_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutStack(int width);

    QWidget* stack_;
    QLabel* prev_;
    QLabel* current_;
    QLabel* next_;
    QPropertyAnimation slide_;
    QPropertyAnimation fade_;
    bool hiding_ = false;
};

} // namespace tessarin
