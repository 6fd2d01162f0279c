#pragma once

#include "support/Log.h"
#include "swap/FileSystemSurface.h"
#include "swap/IconHost.h"

#include <functional>

namespace tessarin {

// The surface the swap engine works through when icons are drawn by a desktop-icon host: the file
// operations go to the file-system surface unchanged, the positions to the host running at the time.
//
// Each desktop's icon layout lives in the hidden layout file of its folder in the store, and stays
// there: before items leave the Desktop their positions are read from the host into the file, and
// before items arrive the file's positions are handed to the host, which places them as they come.
// Both steps can be repeated after a crash at any instant without losing a position.
class IconHostSurface : public DesktopSurface {
public:
    // The host running now. Asked again for every operation, so a host that starts, stops or is
    // replaced by another is followed.
    using HostFinder = std::function<IconHost&()>;

    IconHostSurface(FileSystemSurface& files, HostFinder currentHost, Log& log);

    bool sameVolume() override { return files_.sameVolume(); }
    std::vector<std::string> items(const Location& at) override { return files_.items(at); }
    void move(const std::string& name, const Location& from, const Location& to) override {
        files_.move(name, from, to);
    }
    void beginMoves() override { files_.beginMoves(); }
    void endMoves() override { files_.endMoves(); }
    std::optional<IconPosition> readPosition(const std::string& name) override;
    // Names the host keeps no position for are left out; a host that cannot be read gives none.
    IconPositions readPositions(const std::vector<std::string>& names) override;
    void writePosition(const IconPosition& position, const std::string& name) override;
    // Failures are logged and ignored.
    void writePositions(const IconPositions& positions) override;
    // The layout file stays in each desktop's folder, where capture and apply keep it.
    void carryPositions(const Location&, const Location&) override {}
    // Adds the host's positions of `names` to the layout file of `to`, and forgets the names that are
    // neither leaving nor in that folder any more. Failures are logged and leave the file as it was.
    void captureLayout(const std::vector<std::string>& names, const Location& to) override;
    // Hands the host the saved positions of `names` from the layout file of `from`, and has it forget
    // any position it keeps for the others, so that no icon takes the place of an earlier namesake.
    void applyLayout(const std::vector<std::string>& names, const Location& from) override;

    // The positions handed to the host for the items that arrived last.
    const IconPositions& expectedPlacement() const { return expected_; }
    // The host reports every icon of expectedPlacement() where it was asked to go (true when there is
    // nothing to place); the switch sequence polls this before it uncovers the Desktop.
    bool placementSettled();

private:
    std::filesystem::path layoutFile(const Location& location) const;
    void logFailure(const IconHost& host, const std::string& what);

    FileSystemSurface& files_;
    HostFinder currentHost_;
    Log& log_;
    IconPositions expected_;
};

} // namespace tessarin
