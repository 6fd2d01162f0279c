#include "freedesktop/Installation.h"

#include <cstdlib>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

bool isRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

Installation Installation::detect(const Probe& probe, const fs::path& systemPrefix) {
    Installation found;
    found.executable = probe.executable;
    if (probe.appImageVariable && fs::path(*probe.appImageVariable).is_absolute() &&
        isRegularFile(*probe.appImageVariable)) {
        found.kind = InstallKind::appImage;
        found.appImage = fs::path(*probe.appImageVariable).lexically_normal();
        return found;
    }
    const fs::path bin = probe.executable.parent_path();
    if (bin.filename() != "bin")
        return found;
    const fs::path prefix = bin.parent_path();
    if (!isRegularFile(prefix / "share" / "applications" / (std::string(applicationId) + ".desktop")))
        return found;
    found.prefix = prefix;
    // /usr belongs to the package manager; anything else (/usr/local, /opt, ~/.local) was installed by hand.
    found.kind = prefix == systemPrefix ? InstallKind::package : InstallKind::prefix;
    return found;
}

Installation Installation::current() {
    Probe probe;
    std::error_code ec;
    probe.executable = fs::read_symlink("/proc/self/exe", ec);
    if (const char* appImage = std::getenv("APPIMAGE"); appImage && *appImage)
        probe.appImageVariable = appImage;
    return detect(probe);
}

fs::path Installation::agentProgram() const {
    switch (kind) {
    case InstallKind::appImage:
        return appImage;
    case InstallKind::prefix:
    case InstallKind::package:
        return prefix / "bin" / "tessarin";
    case InstallKind::development:
        break;
    }
    return {};
}

RemovalStep Installation::removalStep() const {
    switch (kind) {
    case InstallKind::appImage:
        return RemovalStep::revealProgram;
    case InstallKind::package:
        return RemovalStep::removePackage;
    case InstallKind::prefix:
        return RemovalStep::removeInstalledFiles;
    case InstallKind::development:
        break;
    }
    return RemovalStep::none;
}

std::string Installation::removalInstructions() const {
    switch (kind) {
    case InstallKind::appImage:
        return "To finish, delete " + appImage.string() + ".";
    case InstallKind::package:
        return std::string("To finish, remove the package: sudo apt remove ") + debianPackageName;
    case InstallKind::prefix:
        return "To finish, delete the files Tessarin installed under " + prefix.string() +
               " (install_manifest.txt in the build folder lists them).";
    case InstallKind::development:
        break;
    }
    return "This is a development run: there is nothing installed to remove.";
}

} // namespace tessarin
