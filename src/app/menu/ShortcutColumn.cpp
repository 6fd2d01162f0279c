#include "menu/ShortcutColumn.h"

#include <algorithm>

namespace tessarin {

double shortcutTabStop(const std::vector<double>& titleWidths, const std::vector<double>& shortcutWidths) {
    if (shortcutWidths.empty())
        return 0;
    const double title = titleWidths.empty() ? 0 : *std::max_element(titleWidths.begin(), titleWidths.end());
    return title + shortcutColumnGap + *std::max_element(shortcutWidths.begin(), shortcutWidths.end());
}

} // namespace tessarin
