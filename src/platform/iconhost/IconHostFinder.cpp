#include "iconhost/IconHostFinder.h"

#include "gvfs/GvfsIconHost.h"
#include "pcmanfm/PcmanfmIconHost.h"
#include "x11/DesktopWindowProbe.h"
#include "xfce/XfdesktopIconHost.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <glib.h>
#include <iterator>
#include <vector>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The hosts Tessarin knows, by the class of their desktop window or the name of their command.
std::string knownHost(const std::string& name) {
    static const std::map<std::string, std::string, std::less<>> hosts{
        {"caja", "caja"},           {"nemo-desktop", "nemo"}, {"nemo", "nemo"},
        {"xfdesktop", "xfdesktop"}, {"pcmanfm", "pcmanfm"},   {"pcmanfm-qt", "pcmanfm-qt"}};
    const auto it = hosts.find(lower(name));
    return it == hosts.end() ? std::string() : it->second;
}

std::string hostOf(const DesktopWindow& window) {
    for (const auto& name : {window.className, window.instance})
        if (auto host = knownHost(name); !host.empty())
            return host;
    if (window.pid > 0) {
        std::string command = slurp("/proc/" + std::to_string(window.pid) + "/comm");
        command.erase(command.find_last_not_of("\n") + 1);
        if (auto host = knownHost(command); !host.empty())
            return host;
    }
    return window.className.empty() ? window.instance : window.className;
}

// The arguments of a running process.
std::vector<std::string> commandLine(int pid) {
    const std::string bytes = slurp("/proc/" + std::to_string(pid) + "/cmdline");
    std::vector<std::string> args;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find('\0', start);
        args.push_back(bytes.substr(start, end - start));
        start = end == std::string::npos ? bytes.size() : end + 1;
    }
    return args;
}

// PCManFM's profile: --profile NAME, --profile=NAME or -p NAME; "default" otherwise.
std::string pcmanfmProfile(int pid) {
    const auto args = commandLine(pid);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].starts_with("--profile="))
            return args[i].substr(10);
        if ((args[i] == "--profile" || args[i] == "-p") && i + 1 < args.size())
            return args[i + 1];
    }
    return "default";
}

} // namespace

IconHostFinder::IconHostFinder(fs::path desktop, Log& log)
    : desktop_(std::move(desktop)), log_(log), probe_(std::make_unique<DesktopWindowProbe>()) {}

IconHostFinder::~IconHostFinder() = default;

IconHost& IconHostFinder::current() {
    Found now;
    if (const auto window = probe_->find()) {
        now.host = hostOf(*window);
        now.pid = window->pid;
    }
    IconHost& adapter = adapterFor(now);
    now.places = adapter.placesArrivingItems();
    if (!probed_ || now.host != found_.host || now.pid != found_.pid) {
        if (now.host.empty())
            log_.log(LogCategory::app, "desktop icon host: none found, icon layouts are kept in the store");
        else
            log_.log(LogCategory::app, "desktop icon host: %{public}s (pid %d)%{public}s", now.host, now.pid,
                     std::string(adapter.layoutKey().empty() ? ", not one Tessarin can read" : ""));
    }
    found_ = now;
    probed_ = true;
    return adapter;
}

IconHost& IconHostFinder::adapterFor(const Found& found) {
    const fs::path config = g_get_user_config_dir();
    std::string key = found.host;
    std::function<std::unique_ptr<IconHost>()> make;
    if (found.host == "caja" || found.host == "nemo") {
        make = [&] { return std::make_unique<GvfsIconHost>(found.host, desktop_); };
    } else if (found.host == "xfdesktop") {
        make = [&] { return std::make_unique<XfdesktopIconHost>(desktop_, config / "xfce4" / "desktop"); };
    } else if (found.host == "pcmanfm") {
        const std::string profile = pcmanfmProfile(found.pid);
        key += " " + profile;
        make = [&] {
            return std::make_unique<PcmanfmIconHost>(config / "pcmanfm" / profile / "desktop-items-0.conf");
        };
    } else {
        return none_;
    }
    auto& adapter = adapters_[key];
    if (!adapter)
        adapter = make();
    return *adapter;
}

} // namespace tessarin
