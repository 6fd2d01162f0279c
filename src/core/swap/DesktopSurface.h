#pragma once

#include "model/IconPositions.h"
#include "swap/Location.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The file operations of the swap engine: listing places, moving one item between them, and the icon
// positions of Desktop items. Failures are thrown as exceptions derived from std::exception.
class DesktopSurface {
public:
    virtual ~DesktopSurface() = default;

    // True when the Desktop and the workspace store lie on one volume. Never throws.
    virtual bool sameVolume() = 0;
    // The names of the items directly inside `at`, hidden names left out, in inode order.
    virtual std::vector<std::string> items(const Location& at) = 0;
    // Moves the item `name` from `from` to `to` under the same name; never replaces an existing item.
    virtual void move(const std::string& name, const Location& from, const Location& to) = 0;
    // The position of the Desktop item `name`, if known.
    virtual std::optional<IconPosition> readPosition(const std::string& name) = 0;
    // readPosition for each name in order; names without a position or whose read fails are left out.
    virtual IconPositions readPositions(const std::vector<std::string>& names);
    virtual void writePosition(const IconPosition& position, const std::string& name) = 0;
    // writePosition for every entry; failures are ignored.
    virtual void writePositions(const IconPositions& positions);
    // Takes the icon layout of `from` along to `to`. Does nothing unless a surface knows how.
    virtual void carryPositions(const Location& from, const Location& to);
    // Before the Desktop items `names` leave for `to`: keeps where their icons stand with `to`.
    // Does nothing unless a surface knows how.
    virtual void captureLayout(const std::vector<std::string>& names, const Location& to);
    // Before the items `names` of `from` arrive on the Desktop: has their icons put where they stood.
    // Does nothing unless a surface knows how.
    virtual void applyLayout(const std::vector<std::string>& names, const Location& from);
    // Between beginMoves and the matching endMoves a surface may keep the folders it moves between
    // open, so that each move costs one rename. Calls nest; the outermost endMoves releases them.
    virtual void beginMoves() {}
    virtual void endMoves() {}

protected:
    DesktopSurface() = default;
    DesktopSurface(const DesktopSurface&) = default;
    DesktopSurface& operator=(const DesktopSurface&) = default;
};

// beginMoves for as long as it lives.
class MoveBatch {
public:
    explicit MoveBatch(DesktopSurface& surface) : surface_(surface) { surface_.beginMoves(); }
    ~MoveBatch() { surface_.endMoves(); }
    MoveBatch(const MoveBatch&) = delete;
    MoveBatch& operator=(const MoveBatch&) = delete;

private:
    DesktopSurface& surface_;
};

} // namespace tessarin
