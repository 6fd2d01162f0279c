#include "appimage/InstallLocation.h"

#include "swap/NoReplaceMove.h"

#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/statvfs.h>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

// `path` lies inside `folder` (both made absolute and normal first).
bool isInside(const fs::path& path, const fs::path& folder) {
    if (folder.empty())
        return false;
    const std::string p = path.lexically_normal().string();
    std::string f = folder.lexically_normal().string();
    if (!f.ends_with('/'))
        f += '/';
    return p.starts_with(f);
}

bool onReadOnlyVolume(const fs::path& path) {
    struct statvfs info {};
    return ::statvfs(path.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY);
}

[[noreturn]] void fail(const std::string& what, int error) {
    throw std::runtime_error(what + ": " + std::strerror(error) + ".");
}

// Copies the file beside its destination first, so that a copy cut short never takes the final name.
void copyInto(const fs::path& from, const fs::path& to) {
    const fs::path partial = to.parent_path() / ("." + to.filename().string() + ".part");
    std::error_code ec;
    fs::remove(partial, ec);
    if (!fs::copy_file(from, partial, fs::copy_options::none, ec))
        fail("Couldn’t copy " + from.filename().string(), ec.value());
    fs::permissions(partial, fs::status(from).permissions(), ec);
    if (const int error = renameNoReplace(partial, to)) {
        fs::remove(partial, ec);
        fail("Couldn’t move the copy into place", error);
    }
}

} // namespace

const char* situationName(InstallSituation situation) {
    switch (situation) {
    case InstallSituation::fine:
        return "fine";
    case InstallSituation::translocated:
        return "translocated";
    case InstallSituation::inDownloads:
        return "inDownloads";
    }
    return "fine";
}

InstallSituation InstallLocation::situation() const {
    if (installation.kind != InstallKind::appImage)
        return InstallSituation::fine;
    const fs::path& program = installation.appImage;
    if (isInside(program, "/Applications") || isInside(program, applicationsFolder()))
        return InstallSituation::fine;
    if (isInside(program, downloads))
        return InstallSituation::inDownloads;
    return InstallSituation::fine;
}

std::string InstallLocation::sourceFolderName() const {
    return installation.appImage.parent_path().filename().string();
}

fs::path InstallLocation::moveToApplications(FileService& trash,
                                             const std::function<void()>& turnOffAutostart) const {
    const fs::path source = installation.appImage;
    const fs::path destination = applicationsFolder() / source.filename();
    try {
        turnOffAutostart();
    } catch (...) {
    }
    std::error_code ec;
    if (fs::symlink_status(destination, ec).type() != fs::file_type::not_found)
        trash.trashItem(destination);
    fs::create_directories(destination.parent_path(), ec);
    if (ec)
        fail("Couldn’t create " + destination.parent_path().string(), ec.value());

    if (onReadOnlyVolume(source.parent_path())) {
        copyInto(source, destination);
        return destination;
    }
    const int error = moveNoReplace(source, destination);
    if (error == EXDEV) {
        copyInto(source, destination);
        fs::remove(source, ec);
    } else if (error != 0) {
        fail("Couldn’t move " + source.filename().string(), error);
    }
    return destination;
}

InstallLocation InstallLocation::current(const Installation& installation, const fs::path& home) {
    InstallLocation location{installation, home, {}};
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    // Qt answers the home folder itself when no download folder is configured.
    if (!downloads.isEmpty() && fs::path(downloads.toStdString()) != home)
        location.downloads = downloads.toStdString();
    return location;
}

bool launchDetached(const fs::path& program) {
    return QProcess::startDetached(QString::fromStdString(program.string()), {});
}

} // namespace tessarin
