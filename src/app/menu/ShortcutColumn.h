#pragma once

#include <vector>

namespace tessarin {

// The gap between the widest title and the widest shortcut, in points.
inline constexpr double shortcutColumnGap = 30;

// Where the right-aligned shortcut column ends, measured from the start of the titles: the widest
// title of the items with a shortcut + 30 + the widest shortcut. Zero when no item has one.
double shortcutTabStop(const std::vector<double>& titleWidths, const std::vector<double>& shortcutWidths);

} // namespace tessarin
