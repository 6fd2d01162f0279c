#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <unordered_map>

namespace tessarin {

class Log;

// Cue pictures decoded once and kept for the life of the process, so that switching back and forth
// never reads a file again. A picture is decoded no larger than the largest screen needs.
class CueImageCache {
public:
    explicit CueImageCache(Log& log) : log_(log) {}

    // The picture at `path`, at most `fit` in size (keeping its aspect ratio); a null image, logged,
    // when the file is missing or unreadable. Failures are not remembered: the next call tries again.
    QImage image(const std::string& path, QSize fit);
    void forget(const std::string& path) { images_.erase(path); }

private:
    Log& log_;
    std::unordered_map<std::string, QImage> images_;
};

} // namespace tessarin
