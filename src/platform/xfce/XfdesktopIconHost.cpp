#include "xfce/XfdesktopIconHost.h"

#include <libxfce4util/libxfce4util.h>
#include <memory>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view filePrefix = "icons.screen0-";
constexpr std::string_view fileSuffix = ".rc";

struct RcCloser {
    void operator()(XfceRc* rc) const { xfce_rc_close(rc); }
};
using Rc = std::unique_ptr<XfceRc, RcCloser>;

bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

} // namespace

XfdesktopIconHost::XfdesktopIconHost(fs::path desktop, fs::path iconFolder)
    : desktop_(std::move(desktop)), iconFolder_(std::move(iconFolder)) {}

std::optional<fs::path> XfdesktopIconHost::iconFile() const {
    std::error_code ec;
    const fs::path latest = fs::canonical(iconFolder_ / "icons.screen.latest.rc", ec);
    if (!ec)
        return latest;
    std::optional<fs::path> newest;
    fs::file_time_type newestTime;
    for (const auto& entry : fs::directory_iterator(iconFolder_, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(filePrefix) || !name.ends_with(fileSuffix))
            continue;
        const auto time = entry.last_write_time(ec);
        if (!ec && (!newest || time > newestTime)) {
            newest = entry.path();
            newestTime = time;
        }
    }
    return newest;
}

std::string XfdesktopIconHost::layoutKey() const {
    const auto file = iconFile();
    if (!file)
        return "xfdesktop";
    std::string name = file->filename().string();
    if (!name.starts_with(filePrefix) || !name.ends_with(fileSuffix))
        return "xfdesktop";
    return "xfdesktop " + name.substr(filePrefix.size(), name.size() - filePrefix.size() - fileSuffix.size());
}

IconPositions XfdesktopIconHost::read(const std::vector<std::string>& names) {
    IconPositions positions;
    const auto file = iconFile();
    if (!file)
        return positions;
    const Rc rc(xfce_rc_simple_open(file->c_str(), TRUE));
    if (!rc)
        return positions;
    for (const auto& name : names) {
        const std::string group = (desktop_ / name).string();
        if (!isPlainName(name) || !xfce_rc_has_group(rc.get(), group.c_str()))
            continue;
        xfce_rc_set_group(rc.get(), group.c_str());
        const int row = xfce_rc_read_int_entry(rc.get(), "row", -1);
        const int col = xfce_rc_read_int_entry(rc.get(), "col", -1);
        if (row >= 0 && col >= 0)
            positions.set(name, IconPosition{col, row});
    }
    return positions;
}

void XfdesktopIconHost::write(const IconPositions& positions, const std::vector<std::string>& forget) {
    if (positions.empty() && forget.empty())
        return;
    const auto file = iconFile();
    if (!file)
        throw IconHostError("xfdesktop has not written its icon file yet");
    const Rc rc(xfce_rc_simple_open(file->c_str(), FALSE));
    if (!rc)
        throw IconHostError("xfdesktop's icon file " + file->string() + " can't be opened");
    for (const auto& [name, position] : positions) {
        if (!isPlainName(name) || position.x < 0 || position.y < 0)
            continue;
        const std::string group = (desktop_ / name).string();
        xfce_rc_set_group(rc.get(), group.c_str());
        xfce_rc_write_int_entry(rc.get(), "row", static_cast<gint>(position.y));
        xfce_rc_write_int_entry(rc.get(), "col", static_cast<gint>(position.x));
    }
    for (const auto& name : forget) {
        const std::string group = (desktop_ / name).string();
        if (isPlainName(name) && xfce_rc_has_group(rc.get(), group.c_str()))
            xfce_rc_delete_group(rc.get(), group.c_str(), FALSE);
    }
    // Closing writes the file: to a temporary file first, renamed over the old one.
}

} // namespace tessarin
