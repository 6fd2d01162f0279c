#pragma once

#include "model/IconPositions.h"
#include "swap/DesktopSurface.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tessarin {

// Blocks the calling thread; tests substitute one that records the pauses instead of waiting.
using Sleeper = std::function<void(std::chrono::microseconds)>;
Sleeper realSleeper();

// Writes the map, then reads it back and rewrites what did not land, in at most three rounds,
// pausing 50 ms before the second and third. Surface errors never escape.
void placeSettling(DesktopSurface& surface, const IconPositions& positions, const Sleeper& sleep);

// Waits (up to 12 checks, 30 ms apart) until the Desktop lists every expected name, writes the map
// once, reads it back once and rewrites what differs once. Surface errors never escape.
void placeBatched(DesktopSurface& surface, const IconPositions& positions,
                  const std::vector<std::string>& expectedNames, const Sleeper& sleep);

} // namespace tessarin
