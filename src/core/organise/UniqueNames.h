#pragma once

#include "model/Config.h"
#include "organise/FileService.h"

#include <filesystem>
#include <string>

namespace tessarin {

// The path itself when nothing is there, else the first free "<name>-2", "<name>-3", … beside it.
std::filesystem::path uniquePath(const std::filesystem::path& path, FileService& files);

// Where `entry` goes in `folder` without meeting an existing item: folder/entry, else
// "report 2.pdf", "report 3.pdf", … ("README 2" for a name without extension).
std::filesystem::path uniqueDestination(const std::string& entry, const std::filesystem::path& folder,
                                        FileService& files);

// `base` when no desktop has that name, else the first free "<base> 1", "<base> 2", …
std::string uniqueArchivedName(const std::string& base, const Config& config);

} // namespace tessarin
