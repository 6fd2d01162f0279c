#pragma once

#include "model/Config.h"
#include "support/Log.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace tessarin {

// What the report says about the program and the system it runs on.
struct ProductInfo {
    std::optional<std::string> version;        // none: "dev"
    std::optional<std::string> build;          // none: "–"
    std::string system;                        // e.g. "Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64"
    std::optional<std::string> supportAddress; // none: no support e-mail

    // This build's values (empty ones as none) and the running system's description.
    static ProductInfo current();
};

// The operating-system line: os-release's PRETTY_NAME ("Linux" when it has none) and the kernel release.
std::string systemDescription(const std::optional<std::string>& prettyName, const std::string& kernelRelease);
// PRETTY_NAME of the text of an os-release file, unquoted; none when it does not set one.
std::optional<std::string> osReleasePrettyName(const std::string& osReleaseText);
// systemDescription of /etc/os-release (else /usr/lib/os-release) and uname's release.
std::string currentSystemDescription();

// The plain-text diagnostics report and the support e-mail. The report names no desktop's files, only
// counts, the store's location and the active desktop's name.
class SupportContact {
public:
    static constexpr std::size_t reportLogLimit = 200;

    SupportContact(ProductInfo product, std::filesystem::path storeRoot, const Log& log);

    // The report's lines joined by line feeds, this run's last 200 log lines at the end.
    std::string diagnostics(const Config& config, bool journalPending) const;
    // The last `limit` log lines of this run, oldest first; "(no entries)" when there are none.
    std::string recentLog(std::size_t limit) const;
    // Two empty lines for the user's text, a line with an em dash, then the version line.
    std::string mailBody() const;
    // mailto:<address>?subject=…&body=…; none without a support address.
    std::optional<std::string> mailUrl() const;

private:
    std::string versionText() const;

    ProductInfo product_;
    std::filesystem::path storeRoot_;
    const Log& log_;
};

} // namespace tessarin
