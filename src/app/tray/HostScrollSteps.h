#pragma once

#include <optional>

namespace tessarin {

// Turns wheel deltas into steps. Qt's angle deltas (QWheelEvent::angleDelta) are 120 a notch, less
// from high-resolution wheels, positive upwards: they add up and make one step per 120.
// StatusNotifierItem hosts disagree on the unit of their Scroll calls: Qt hosts (KDE Plasma) pass Qt's
// angle deltas, touchpad fractions included; GTK hosts (xfce4-panel) pass GDK's, one unit a notch,
// positive downwards. With learned units a host is taken for a Qt host from its first delta of 8 or
// more (GDK deltas that large come only from a very fast swipe), and for a GTK host until then,
// whose deltas make one step per unit.
class HostScrollSteps {
public:
    enum class Units { learned, qt };
    static constexpr int qtUnitsPerNotch = 120;
    static constexpr int largestGtkDelta = 7;

    explicit HostScrollSteps(Units units = Units::learned)
        : qtHost_(units == Units::qt), fixed_(units == Units::qt) {}

    // The steps one call makes: negative upwards (to the previous desktop), positive downwards.
    int feed(int delta);
    // A new host: forget what the last one sent.
    void reset();

private:
    bool qtHost_ = false;
    bool fixed_ = false;
    int pending_ = 0; // Qt units not yet a step, signed
};

} // namespace tessarin
