#pragma once

#include <QPixmap>
#include <map>
#include <optional>
#include <string>

namespace tessarin {

// Folder icons of the icon theme by path, side and tint, tinted with a desktop's colour where asked. The
// dock empties it on every show and reload, so a changed theme or colour shows at once.
class FolderIconCache {
public:
    // The folder icon `side` pixels square (at the screen's pixel ratio); tinted when `tintHex` parses.
    QPixmap icon(const std::string& path, int side, const std::optional<std::string>& tintHex,
                 double pixelRatio);
    void clear() { cache_.clear(); }

private:
    std::map<std::string, QPixmap> cache_;
};

// The icon with the tint's hue and saturation and its own lightness (the "color" blend mode), inside the
// icon's own shape only.
QImage tintedIcon(const QImage& icon, const QColor& tint);

} // namespace tessarin
