#pragma once

#include "organise/FileService.h"

namespace tessarin {

// The local file service with the user's freedesktop Trash ($XDG_DATA_HOME/Trash, or the Trash of the
// item's own volume): each trashed item gets a .trashinfo entry naming its original path and the time,
// so any file manager can put it back, and a name already in the Trash gets a unique one.
class TrashFileService : public LocalFileService {
public:
    // Throws std::runtime_error with Qt's description of the failure.
    void trashItem(const std::filesystem::path& path) override;
};

} // namespace tessarin
