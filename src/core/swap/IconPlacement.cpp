#include "swap/IconPlacement.h"

#include <algorithm>
#include <thread>
#include <unordered_set>

namespace tessarin {

namespace {

std::vector<std::string> namesOf(const IconPositions& positions) {
    std::vector<std::string> names;
    names.reserve(positions.size());
    for (const auto& [name, _] : positions)
        names.push_back(name);
    return names;
}

IconPositions readOrEmpty(DesktopSurface& surface, const std::vector<std::string>& names) {
    try {
        return surface.readPositions(names);
    } catch (...) {
        return {};
    }
}

void writeIgnoringErrors(DesktopSurface& surface, const IconPositions& positions) {
    try {
        surface.writePositions(positions);
    } catch (...) {
    }
}

// The entries of `expected` that `actual` lacks or holds elsewhere.
IconPositions misplaced(const IconPositions& expected, const IconPositions& actual) {
    IconPositions result;
    for (const auto& [name, position] : expected) {
        const IconPosition* got = actual.find(name);
        if (!got || !(*got == position))
            result.set(name, position);
    }
    return result;
}

} // namespace

Sleeper realSleeper() {
    return [](std::chrono::microseconds d) { std::this_thread::sleep_for(d); };
}

void placeSettling(DesktopSurface& surface, const IconPositions& positions, const Sleeper& sleep) {
    const auto names = namesOf(positions);
    writeIgnoringErrors(surface, positions);
    for (int round = 0; round < 3; ++round) {
        const IconPositions wrong = misplaced(positions, readOrEmpty(surface, names));
        if (wrong.empty())
            return;
        if (round > 0)
            sleep(std::chrono::milliseconds(50));
        writeIgnoringErrors(surface, wrong);
    }
}

void placeBatched(DesktopSurface& surface, const IconPositions& positions,
                  const std::vector<std::string>& expectedNames, const Sleeper& sleep) {
    for (int check = 0; check < 12; ++check) {
        std::vector<std::string> listed;
        try {
            listed = surface.items(Location::desktop());
        } catch (...) {
        }
        const std::unordered_set<std::string> present(listed.begin(), listed.end());
        if (std::all_of(expectedNames.begin(), expectedNames.end(),
                        [&](const std::string& n) { return present.count(n) > 0; }))
            break;
        sleep(std::chrono::milliseconds(30));
    }
    writeIgnoringErrors(surface, positions);
    const IconPositions wrong = misplaced(positions, readOrEmpty(surface, namesOf(positions)));
    if (!wrong.empty())
        writeIgnoringErrors(surface, wrong);
}

} // namespace tessarin
