#pragma once

#include <string>

namespace tessarin {

// The translucent overlay a desktop lays over the wallpaper.
struct DesktopCue {
    // What the overlay shows: a colour ("#RRGGBB") or a picture (file path).
    struct Fill {
        enum class Kind { color, image };
        Kind kind = Kind::color;
        std::string value = "#000000";

        static Fill color(std::string hex) { return Fill{Kind::color, std::move(hex)}; }
        static Fill image(std::string path) { return Fill{Kind::image, std::move(path)}; }
        bool operator==(const Fill&) const = default;
    };

    static constexpr double minOpacity = 0.05;
    static constexpr double maxOpacityBelowIcons = 1.0;
    static constexpr double maxOpacityAboveIcons = 0.8;
    static constexpr double defaultOpacity = 0.7;

    bool enabled = false;
    Fill fill;
    double opacity = defaultOpacity;
    bool aboveIcons = false;
    bool aboveMenuBar = false;

    static double maxOpacity(bool aboveIcons) {
        return aboveIcons ? maxOpacityAboveIcons : maxOpacityBelowIcons;
    }
    // Raised to at least minOpacity, then lowered to at most maxOpacity(aboveIcons); NaN gives minOpacity.
    static double clampOpacity(double opacity, bool aboveIcons);

    bool operator==(const DesktopCue&) const = default;
};

} // namespace tessarin
