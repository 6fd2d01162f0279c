#include "freedesktop/TrashFileService.h"

#include "swap/NoReplaceMove.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <stdexcept>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

QString infoFileOf(const QFileInfo& trashed) {
    return trashed.absoluteDir().absoluteFilePath(QStringLiteral("../info/") + trashed.fileName() +
                                                  QStringLiteral(".trashinfo"));
}

// The Path value of a .trashinfo entry: in the Trash of another volume ($topdir/.Trash-$uid or
// $topdir/.Trash/$uid) relative to that volume's top folder, in the home Trash absolute.
fs::path trashInfoPath(const fs::path& original, const fs::path& trashFolder) {
    fs::path topdir;
    if (trashFolder.filename().string().starts_with(".Trash-"))
        topdir = trashFolder.parent_path();
    else if (trashFolder.parent_path().filename() == ".Trash")
        topdir = trashFolder.parent_path().parent_path();
    if (topdir.empty())
        return original;
    const fs::path relative = original.lexically_relative(topdir);
    return relative.empty() || *relative.begin() == ".." ? original : relative;
}

// The freedesktop Trash format wants the Path value URL-escaped, which this Qt does not do: a name with a
// per cent sign or a space would come back wrong from a file manager's restore. Rewrites the line.
void escapeOriginalPath(const QString& infoFile, const fs::path& original) {
    QFile in(infoFile);
    if (!in.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> lines = in.readAll().split('\n');
    in.close();
    for (auto& line : lines)
        if (line.startsWith("Path="))
            line = "Path=" + QByteArray::fromStdString(original.string()).toPercentEncoding("/");
    QSaveFile out(infoFile);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(lines.join('\n'));
        out.commit();
    }
}

} // namespace

void TrashFileService::trashItem(const fs::path& path) {
    // Qt cannot make the home Trash when the data folder ($XDG_DATA_HOME) is missing, and then moves the
    // item into "files" of the current folder as if that were the Trash. Make the folder first, and
    // check where the item went.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty())
        QDir().mkpath(dataHome);

    const fs::path original = fs::absolute(path);
    QFile item(QFile::decodeName(original.c_str()));
    if (!item.moveToTrash())
        throw std::runtime_error(item.errorString().toStdString());

    const QFileInfo trashed(item.fileName());
    if (QDir::isAbsolutePath(item.fileName()) && trashed.absolutePath().endsWith(QStringLiteral("/files"))) {
        const fs::path trashFolder =
            fs::path(QFile::encodeName(trashed.absolutePath()).toStdString()).parent_path();
        escapeOriginalPath(infoFileOf(trashed), trashInfoPath(original, trashFolder));
        return;
    }
    // Not a Trash: put the item back where it was and drop the entry and the folders made for it (only
    // when they are empty).
    const fs::path wrong = QFile::encodeName(trashed.absoluteFilePath()).toStdString();
    if (moveNoReplace(wrong, original) == 0) {
        QFile::remove(infoFileOf(trashed));
        QDir folders(trashed.absolutePath());
        folders.cdUp();
        folders.rmdir(QStringLiteral("info"));
        folders.rmdir(QStringLiteral("files"));
    }
    throw std::runtime_error("The Trash couldn't be found.");
}

} // namespace tessarin
