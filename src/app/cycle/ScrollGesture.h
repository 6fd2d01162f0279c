#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// One scroll event over the tray icon.
struct ScrollInput {
    bool momentum = false; // part of the inertia after the fingers left: ignored
    bool precise = false;  // pixel deltas (touchpad) rather than wheel notches
    double deltaY = 0;     // positive when the user scrolled up
};

// What the pop-up should show after a step.
struct ScrollPreview {
    std::vector<std::string> ring;
    size_t index = 0;
    bool wraps = false;
    int slide = 0; // the direction the labels slide in; 0 when the selection did not move
};

// The scroll-to-cycle gesture: the first event freezes the ring of live desktops and previews the
// active one's neighbours; wheel notches step one desktop each, touchpad deltas one per 90 points;
// scrolling up goes back. Rings of 4 or more wrap, shorter ones stop at their ends. The caller commits
// the previewed desktop once the events stop.
class ScrollGesture {
public:
    static constexpr double pointsPerStep = 90;
    static constexpr size_t wrappingRingSize = 4;

    // Feeds one event. `liveRing` gives the live desktops and `active` the active one; both are read only
    // when a gesture starts or when the ring would be empty. Returns the previews to show, in order.
    std::vector<ScrollPreview> handle(const ScrollInput& input, const std::vector<std::string>& liveRing,
                                      const std::string& active);

    // The previewed desktop to switch to, if any; ends the gesture either way.
    std::optional<std::string> commit();

    bool scrolling() const { return scrolling_; }
    std::optional<size_t> index() const { return index_; }
    double accumulated() const { return accum_; }
    const std::vector<std::string>& ring() const { return ring_; }

private:
    std::optional<ScrollPreview> advance(int step);

    bool scrolling_ = false;
    std::vector<std::string> ring_;
    std::optional<size_t> index_;
    double accum_ = 0;
};

// The three lines of the pop-up: the previewed desktop between its neighbours. In a wrapping ring of
// at least two the neighbours wrap around; otherwise they are empty at the ends. None when `index` is
// outside the ring.
struct HudLabels {
    std::string previous;
    std::string current;
    std::string next;

    bool operator==(const HudLabels&) const = default;
};
std::optional<HudLabels> hudLabels(const std::vector<std::string>& ring, size_t index, bool wraps);

// The pop-up's width in points for its widest label: that + 72, at least 200, at most 560.
double hudWidth(double widestLabel);

} // namespace tessarin
