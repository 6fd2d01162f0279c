#include "cycle/ScrollGesture.h"

#include <algorithm>

namespace tessarin {

std::vector<ScrollPreview> ScrollGesture::handle(const ScrollInput& input,
                                                 const std::vector<std::string>& liveRing,
                                                 const std::string& active) {
    std::vector<ScrollPreview> previews;
    if (input.momentum || liveRing.empty())
        return previews;
    if (!scrolling_) {
        scrolling_ = true;
        accum_ = 0;
        ring_ = liveRing;
        const auto it = std::find(ring_.begin(), ring_.end(), active);
        index_ = it == ring_.end() ? std::nullopt : std::optional<size_t>(it - ring_.begin());
    }
    auto step = [&](int s) {
        if (auto p = advance(s))
            previews.push_back(std::move(*p));
    };
    if (!input.precise) {
        if (input.deltaY != 0)
            step(input.deltaY > 0 ? -1 : 1);
        return previews;
    }
    accum_ += input.deltaY;
    while (accum_ >= pointsPerStep || accum_ <= -pointsPerStep) {
        step(accum_ > 0 ? -1 : 1);
        accum_ += accum_ > 0 ? -pointsPerStep : pointsPerStep;
    }
    return previews;
}

std::optional<ScrollPreview> ScrollGesture::advance(int step) {
    const auto n = static_cast<long>(ring_.size());
    if (n == 0)
        return std::nullopt;
    ScrollPreview preview;
    preview.ring = ring_;
    preview.wraps = ring_.size() >= wrappingRingSize;
    if (!index_) {
        index_ = static_cast<size_t>(step < 1 ? n - 1 : 0);
        preview.slide = step;
    } else {
        const long old = static_cast<long>(*index_);
        const long raw = old + step;
        const long next = preview.wraps ? ((raw % n) + n) % n : std::clamp(raw, 0L, n - 1);
        index_ = static_cast<size_t>(next);
        preview.slide = next != old ? step : 0;
    }
    preview.index = *index_;
    return preview;
}

std::optional<std::string> ScrollGesture::commit() {
    std::optional<std::string> chosen;
    if (index_ && *index_ < ring_.size())
        chosen = ring_[*index_];
    scrolling_ = false;
    index_.reset();
    accum_ = 0;
    return chosen;
}

std::optional<HudLabels> hudLabels(const std::vector<std::string>& ring, size_t index, bool wraps) {
    const size_t n = ring.size();
    if (index >= n)
        return std::nullopt;
    HudLabels labels;
    labels.current = ring[index];
    if (wraps && n >= 2) {
        labels.previous = ring[(index + n - 1) % n];
        labels.next = ring[(index + 1) % n];
    } else {
        labels.previous = index > 0 ? ring[index - 1] : "";
        labels.next = index + 1 < n ? ring[index + 1] : "";
    }
    return labels;
}

double hudWidth(double widestLabel) {
    return std::clamp(widestLabel + 72, 200.0, 560.0);
}

} // namespace tessarin
