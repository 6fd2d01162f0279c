#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// What the platform tells about screenshots. Every member may be left empty: an empty `isImage` calls
// nothing an image, an empty `captureFlag` knows no flag, an empty `preference` has no value. On Linux
// only `isImage` exists (the file name's type), so the name rule decides.
struct ScreenshotServices {
    // Whether the type registered for a file name is an image type.
    std::function<bool(std::string_view fileName)> isImage;
    // The system's own "this is a screen capture" flag for the item at a path; none when unknown.
    std::function<std::optional<bool>(const std::filesystem::path& item)> captureFlag;
    // The screenshot tool's settings: "location" (folder, may start with "~") and "name" (the word
    // screenshot names start with).
    std::function<std::optional<std::string>(std::string_view key)> preference;
};

// How a Desktop file is recognised as a screenshot, and where screenshots are saved.
class ScreenshotFilter {
public:
    static constexpr std::string_view defaultNamePrefix = "Screenshot";

    ScreenshotFilter(ScreenshotServices services, std::filesystem::path home, std::filesystem::path desktop);

    // A known capture flag decides; otherwise only an image whose name starts with `namePrefix` and a
    // space counts, and only with `filenameFallback` on.
    bool isScreenshot(const std::filesystem::path& item, bool filenameFallback,
                      std::string_view namePrefix) const;
    bool isImage(const std::filesystem::path& item) const;
    // The override trimmed, else the system's word trimmed, else "Screenshot".
    std::string effectiveNamePrefix(const std::optional<std::string>& userOverride) const;
    // The folder the screenshot tool saves to, "~" expanded and standardised; none when unknown.
    std::optional<std::filesystem::path> screencaptureLocation() const;
    // True when the save folder is unknown or is the Desktop.
    bool screenshotsSaveToDesktop() const;

    const std::filesystem::path& desktop() const { return desktop_; }

private:
    ScreenshotServices services_;
    std::filesystem::path home_;
    std::filesystem::path desktop_;
};

// `text` without leading and trailing white space (space, tab, line breaks).
std::string trimmedWhiteSpace(std::string_view text);
// The lexical normal form of a path without a trailing separator ("/a/b/../c/" -> "/a/c").
std::filesystem::path standardisedPath(const std::filesystem::path& path);

} // namespace tessarin
