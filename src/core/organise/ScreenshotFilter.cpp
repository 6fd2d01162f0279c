#include "organise/ScreenshotFilter.h"

namespace tessarin {

namespace fs = std::filesystem;

std::string trimmedWhiteSpace(std::string_view text) {
    constexpr std::string_view space = " \t\n\r\v\f";
    const auto first = text.find_first_not_of(space);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(space);
    return std::string(text.substr(first, last - first + 1));
}

fs::path standardisedPath(const fs::path& path) {
    fs::path normal = path.lexically_normal();
    std::string text = normal.string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

ScreenshotFilter::ScreenshotFilter(ScreenshotServices services, fs::path home, fs::path desktop)
    : services_(std::move(services)), home_(std::move(home)), desktop_(std::move(desktop)) {}

bool ScreenshotFilter::isImage(const fs::path& item) const {
    return services_.isImage && services_.isImage(item.filename().string());
}

bool ScreenshotFilter::isScreenshot(const fs::path& item, bool filenameFallback,
                                    std::string_view namePrefix) const {
    const std::optional<bool> flag = services_.captureFlag ? services_.captureFlag(item) : std::nullopt;
    if (!isImage(item))
        return flag.value_or(false);
    if (flag)
        return *flag;
    const std::string name = item.filename().string();
    const bool nameMatches = name.starts_with(std::string(namePrefix) + ' ');
    return filenameFallback && nameMatches;
}

std::string ScreenshotFilter::effectiveNamePrefix(const std::optional<std::string>& userOverride) const {
    if (userOverride) {
        if (auto word = trimmedWhiteSpace(*userOverride); !word.empty())
            return word;
    }
    if (services_.preference) {
        if (const auto system = services_.preference("name")) {
            if (auto word = trimmedWhiteSpace(*system); !word.empty())
                return word;
        }
    }
    return std::string(defaultNamePrefix);
}

std::optional<fs::path> ScreenshotFilter::screencaptureLocation() const {
    if (!services_.preference)
        return std::nullopt;
    const auto location = services_.preference("location");
    if (!location || location->empty())
        return std::nullopt;
    std::string text = *location;
    if (text == "~")
        text = home_.string();
    else if (text.starts_with("~/"))
        text = (home_ / text.substr(2)).string();
    return standardisedPath(text);
}

bool ScreenshotFilter::screenshotsSaveToDesktop() const {
    const auto location = screencaptureLocation();
    return !location || *location == standardisedPath(desktop_);
}

} // namespace tessarin
