#include "store/StateStore.h"

#include <cerrno>

namespace tessarin {

StoreError::StoreError(int64_t fileVersion)
    : std::runtime_error(newerText), kind_(Kind::configNewerThanApp), fileVersion_(fileVersion) {}

StoreError StoreError::unreadable(const std::filesystem::path& file, const std::error_code& reason) {
    std::string why;
    if (reason.value() == EISDIR)
        why = "a folder is in its place";
    else if (reason.value() == EINVAL)
        why = "it is not a regular file";
    else
        why = reason.message();
    return StoreError(Kind::unreadable,
                      "Tessarin couldn't read \u201c" + file.string() + "\u201d (" + why +
                          "), so it changed nothing. Make the file readable again, or move it aside to start "
                          "afresh, and try again.");
}

void mutateConfig(StateStore& store, const std::function<void(Config&)>& change) {
    Config config = store.loadConfig();
    change(config);
    store.saveConfig(config);
}

} // namespace tessarin
