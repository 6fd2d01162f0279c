#include "support/SupportContact.h"

#include "support/BuildInfo.h"

#include <fstream>
#include <sstream>
#include <sys/utsname.h>

namespace tessarin {

namespace {

std::optional<std::string> unlessEmpty(std::string_view text) {
    return text.empty() ? std::nullopt : std::optional<std::string>(text);
}

// An os-release value: shell-like quoting with single or double quotes and backslash escapes.
std::string unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        const char quote = value.front();
        value = value.substr(1, value.size() - 2);
        if (quote == '\'')
            return std::string(value);
    }
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            ++i;
        text += value[i];
    }
    return text;
}

// RFC 6068: everything but the unreserved characters is percent-encoded.
std::string percentEncoded(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~';
        if (unreserved) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 0xF];
        }
    }
    return encoded;
}

std::string readText(const char* path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

ProductInfo ProductInfo::current() {
    return {unlessEmpty(buildinfo::version), unlessEmpty(buildinfo::build), currentSystemDescription(),
            unlessEmpty(buildinfo::supportAddress)};
}

std::string systemDescription(const std::optional<std::string>& prettyName,
                              const std::string& kernelRelease) {
    return prettyName.value_or("Linux") + ", kernel " + kernelRelease;
}

std::optional<std::string> osReleasePrettyName(const std::string& osReleaseText) {
    std::istringstream lines(osReleaseText);
    std::optional<std::string> name;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("PRETTY_NAME="))
            name = unquote(std::string_view(line).substr(12));
    }
    if (name && name->empty())
        return std::nullopt;
    return name;
}

std::string currentSystemDescription() {
    std::string osRelease = readText("/etc/os-release");
    if (osRelease.empty())
        osRelease = readText("/usr/lib/os-release");
    struct utsname names {};
    const std::string release = ::uname(&names) == 0 ? names.release : "unknown";
    return systemDescription(osReleasePrettyName(osRelease), release);
}

SupportContact::SupportContact(ProductInfo product, std::filesystem::path storeRoot, const Log& log)
    : product_(std::move(product)), storeRoot_(std::move(storeRoot)), log_(log) {}

std::string SupportContact::versionText() const {
    return product_.version.value_or("dev");
}

std::string SupportContact::diagnostics(const Config& config, bool journalPending) const {
    std::string report;
    report += "Tessarin " + versionText() + " (" + product_.build.value_or("\u2013") + ") \u00b7 " +
              product_.system + "\n";
    report += "Store: " + storeRoot_.string() + "\n";
    report += "Desktops: " + std::to_string(config.liveWorkspaces().size()) + " live, " +
              std::to_string(config.archivedWorkspaces().size()) + " archived (" +
              std::to_string(config.unsortedWorkspaces().size()) + " unsorted) \u00b7 active: \u201c" +
              config.activeWorkspace + "\u201d\n";
    report += std::string("Journal pending: ") +
              (journalPending ? "YES \u2014 interrupted swap awaiting recovery" : "no") + "\n";
    report += "Config schema: " + std::to_string(config.schemaVersion) + " (this app understands " +
              std::to_string(Config::currentSchemaVersion) + ")\n";
    report += "\n";
    report += "\u2014 Log, this run \u2014\n";
    report += recentLog(reportLogLimit);
    return report;
}

std::string SupportContact::recentLog(std::size_t limit) const {
    return recentLogText(log_, limit);
}

std::string SupportContact::mailBody() const {
    return "\n\n\u2014\nTessarin " + versionText() + " \u00b7 " + product_.system;
}

std::optional<std::string> SupportContact::mailUrl() const {
    if (!product_.supportAddress)
        return std::nullopt;
    return "mailto:" + *product_.supportAddress + "?subject=" + percentEncoded("Tessarin support") +
           "&body=" + percentEncoded(mailBody());
}

} // namespace tessarin
