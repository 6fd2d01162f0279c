#pragma once

#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>

namespace tessarin::test {

// Saves an image under build/test-artifacts (TESSARIN_TEST_ARTIFACTS) for a person to look at.
inline void saveArtifact(const QImage& image, const std::string& name) {
    const char* dir = std::getenv("TESSARIN_TEST_ARTIFACTS");
    if (!dir || !*dir)
        return;
    std::filesystem::create_directories(dir);
    image.save(QString::fromStdString((std::filesystem::path(dir) / name).string()));
}

} // namespace tessarin::test
