#pragma once

#include "none/NoIconHost.h"
#include "support/Log.h"
#include "swap/IconHost.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace tessarin {

class DesktopWindowProbe;

// Which desktop-icon host draws the Desktop, found from the window of type _NET_WM_WINDOW_TYPE_DESKTOP
// (its WM_CLASS, else the command of its _NET_WM_PID), and the adapter that reads and writes that
// host's positions: Caja and Nemo through gvfs metadata, xfdesktop through its icon file, PCManFM
// through its items file (read only). Every call to current() probes again, so a host that starts,
// stops or is replaced is followed; each change is logged.
class IconHostFinder {
public:
    struct Found {
        std::string host; // "caja", "nemo", "xfdesktop", "pcmanfm", "pcmanfm-qt", another host's
                          // WM_CLASS; empty when no desktop window exists
        int pid = 0;
        bool places = false; // its adapter puts arriving icons where they were
    };

    IconHostFinder(std::filesystem::path desktop, Log& log);
    ~IconHostFinder();
    IconHostFinder(const IconHostFinder&) = delete;
    IconHostFinder& operator=(const IconHostFinder&) = delete;

    // The running host's adapter; the do-nothing host when none runs or Tessarin does not know it.
    IconHost& current();
    // What the last probe found.
    const Found& found() const { return found_; }

private:
    IconHost& adapterFor(const Found& found);

    std::filesystem::path desktop_;
    Log& log_;
    std::unique_ptr<DesktopWindowProbe> probe_;
    NoIconHost none_;
    std::map<std::string, std::unique_ptr<IconHost>> adapters_; // by host and profile
    Found found_;
    bool probed_ = false;
};

} // namespace tessarin
