#include "pcmanfm/PcmanfmIconHost.h"

#include <glib.h>
#include <memory>

namespace tessarin {

namespace {

struct KeyFileFree {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};

} // namespace

PcmanfmIconHost::PcmanfmIconHost(std::filesystem::path itemsFile) : itemsFile_(std::move(itemsFile)) {}

IconPositions PcmanfmIconHost::read(const std::vector<std::string>& names) {
    IconPositions positions;
    const std::unique_ptr<GKeyFile, KeyFileFree> file(g_key_file_new());
    if (!g_key_file_load_from_file(file.get(), itemsFile_.c_str(), G_KEY_FILE_NONE, nullptr))
        return positions;
    for (const auto& name : names) {
        if (!g_key_file_has_group(file.get(), name.c_str()))
            continue;
        GError* error = nullptr;
        const int x = g_key_file_get_integer(file.get(), name.c_str(), "x", &error);
        const int y = error ? 0 : g_key_file_get_integer(file.get(), name.c_str(), "y", &error);
        if (error)
            g_error_free(error);
        else
            positions.set(name, IconPosition{x, y});
    }
    return positions;
}

} // namespace tessarin
