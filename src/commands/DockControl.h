#pragma once

#include <string>
#include <vector>

namespace tessarin::cmd {

// The floating dock of the agent a command runs in.
class DockControl {
public:
    enum class Request { report, show, hide, toggle };

    struct Frame {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };
    struct Tile {
        std::string name;
        Frame frame;
    };
    // The dock after the request, in screen coordinates.
    struct State {
        bool visible = false;
        bool parkedElsewhere = false; // wanted, but on another workspace
        std::string screen;
        Frame frame;
        std::string half; // "upper", "lower", "leading" or "trailing"
        std::vector<Tile> tiles;
        std::string targeted; // the tile under a drag of files; empty when none
    };

    virtual ~DockControl() = default;
    virtual State request(Request request) = 0;

protected:
    DockControl() = default;
    DockControl(const DockControl&) = default;
    DockControl& operator=(const DockControl&) = default;
};

} // namespace tessarin::cmd
