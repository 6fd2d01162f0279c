#include "cue/CueImageCache.h"

#include "support/Log.h"

#include <QImageReader>

namespace tessarin {

QImage CueImageCache::image(const std::string& path, QSize fit) {
    if (const auto it = images_.find(path); it != images_.end()) {
        const QSize size = it->second.size();
        // Decoded smaller than this screen set needs (screens grew): read it again.
        if (size.width() >= fit.width() || size.height() >= fit.height())
            return it->second;
    }
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && (full.width() > fit.width() || full.height() > fit.height()))
        reader.setScaledSize(full.scaled(fit, Qt::KeepAspectRatioByExpanding));
    QImage picture = reader.read();
    if (picture.isNull()) {
        log_.log(LogCategory::error, "cue picture %{public}s can't be shown: %{public}s", path,
                 reader.errorString().toStdString());
        images_.erase(path);
        return {};
    }
    images_[path] = picture;
    return picture;
}

} // namespace tessarin
