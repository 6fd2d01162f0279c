#include "freedesktop/MimeImageTypes.h"

#include <QMimeDatabase>
#include <QMimeType>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace tessarin {

bool MimeImageTypes::isImage(std::string_view fileName) {
    const QMimeDatabase database;
    const QMimeType type =
        database.mimeTypeForFile(QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())),
                                 QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault())
        return false;
    const auto isImageName = [](const QString& name) { return name.startsWith(QLatin1String("image/")); };
    if (isImageName(type.name()))
        return true;
    const QStringList ancestors = type.allAncestors();
    return std::any_of(ancestors.begin(), ancestors.end(), isImageName);
}

std::function<bool(std::string_view)> MimeImageTypes::predicate() {
    return [](std::string_view fileName) { return isImage(fileName); };
}

} // namespace tessarin
