#include "swap/DesktopSurface.h"

#include <exception>

namespace tessarin {

IconPositions DesktopSurface::readPositions(const std::vector<std::string>& names) {
    IconPositions positions;
    for (const auto& name : names) {
        try {
            if (auto position = readPosition(name))
                positions.set(name, *position);
        } catch (const std::exception&) {
            // A name whose position cannot be read is left out.
        }
    }
    return positions;
}

void DesktopSurface::writePositions(const IconPositions& positions) {
    for (const auto& [name, position] : positions) {
        try {
            writePosition(position, name);
        } catch (const std::exception&) {
            // Best effort: one icon that cannot be placed does not stop the others.
        }
    }
}

void DesktopSurface::carryPositions(const Location&, const Location&) {}

void DesktopSurface::captureLayout(const std::vector<std::string>&, const Location&) {}

void DesktopSurface::applyLayout(const std::vector<std::string>&, const Location&) {}

} // namespace tessarin
