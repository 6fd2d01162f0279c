#include "swap/IconHostSurface.h"

#include "swap/IconLayout.h"

#include <unordered_set>

namespace tessarin {

namespace fs = std::filesystem;

IconHostSurface::IconHostSurface(FileSystemSurface& files, HostFinder currentHost, Log& log)
    : files_(files), currentHost_(std::move(currentHost)), log_(log) {}

fs::path IconHostSurface::layoutFile(const Location& location) const {
    return files_.folder(location) / FileSystemSurface::layoutFileName;
}

void IconHostSurface::logFailure(const IconHost& host, const std::string& what) {
    log_.log(LogCategory::swap, LogLevel::error, "icon host %{public}s: %{public}s", host.name(), what);
}

std::optional<IconPosition> IconHostSurface::readPosition(const std::string& name) {
    const IconPositions read = currentHost_().read({name});
    if (const IconPosition* position = read.find(name))
        return *position;
    return std::nullopt;
}

IconPositions IconHostSurface::readPositions(const std::vector<std::string>& names) {
    IconHost& host = currentHost_();
    try {
        return host.read(names);
    } catch (const std::exception& e) {
        logFailure(host, e.what());
        return {};
    }
}

void IconHostSurface::writePosition(const IconPosition& position, const std::string& name) {
    currentHost_().write({{name, position}}, {});
}

void IconHostSurface::writePositions(const IconPositions& positions) {
    if (positions.empty())
        return;
    IconHost& host = currentHost_();
    try {
        host.write(positions, {});
    } catch (const std::exception& e) {
        logFailure(host, e.what());
    }
}

void IconHostSurface::captureLayout(const std::vector<std::string>& names, const Location& to) {
    if (names.empty())
        return;
    IconHost& host = currentHost_();
    const std::string key = host.layoutKey();
    if (key.empty())
        return; // nothing to learn: the layout file keeps what earlier hosts reported
    try {
        const IconPositions now = host.read(names);
        const fs::path file = layoutFile(to);
        IconLayout layout = IconLayout::read(file);
        const IconLayout before = layout;
        for (const auto& [name, position] : now)
            layout.set(key, name, position);
        // A name neither leaving nor in the folder was deleted or renamed meanwhile.
        std::unordered_set<std::string> present(names.begin(), names.end());
        for (auto& name : files_.items(to))
            present.insert(std::move(name));
        layout.retain([&](const std::string& name) { return present.count(name) > 0; });
        if (layout == before)
            return;
        fs::create_directories(file.parent_path());
        layout.write(file);
    } catch (const std::exception& e) {
        logFailure(host, "the icon layout of " + describe(to) + " couldn't be kept: " + e.what());
    }
}

void IconHostSurface::applyLayout(const std::vector<std::string>& names, const Location& from) {
    expected_.clear();
    if (names.empty())
        return;
    IconHost& host = currentHost_();
    const std::string key = host.layoutKey();
    if (key.empty() || !host.placesArrivingItems())
        return;
    const IconLayout layout = IconLayout::read(layoutFile(from));
    const IconPositions& saved = layout.positions(key);
    IconPositions place;
    std::vector<std::string> forget;
    for (const auto& name : names) {
        if (const IconPosition* position = saved.find(name))
            place.set(name, *position);
        else
            forget.push_back(name);
    }
    try {
        host.write(place, forget);
        expected_ = std::move(place);
    } catch (const std::exception& e) {
        logFailure(host, e.what());
    }
}

bool IconHostSurface::placementSettled() {
    if (expected_.empty())
        return true;
    std::vector<std::string> names;
    names.reserve(expected_.size());
    for (const auto& [name, _] : expected_)
        names.push_back(name);
    // The host answers for these names only, so equal maps mean every icon stands where it should.
    return readPositions(names) == expected_;
}

} // namespace tessarin
