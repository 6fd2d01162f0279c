#include "freedesktop/GnomeHotCorners.h"

#include "none/NoSystemHotCorners.h"

#include <cstdlib>
#include <gio/gio.h>
#include <sstream>

namespace tessarin {

namespace {

constexpr const char* schemaId = "org.gnome.desktop.interface";
constexpr const char* key = "enable-hot-corners";

bool gnomeSession() {
    const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
    std::istringstream names(desktops ? desktops : "");
    std::string name;
    while (std::getline(names, name, ':'))
        if (name == "GNOME")
            return true;
    return false;
}

// None when the schema or its key is not installed.
std::optional<bool> hotCornersEnabled() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, schemaId, TRUE) : nullptr;
    if (!schema)
        return std::nullopt;
    const bool hasKey = g_settings_schema_has_key(schema, key);
    g_settings_schema_unref(schema);
    if (!hasKey)
        return std::nullopt;
    GSettings* settings = g_settings_new(schemaId);
    const bool enabled = g_settings_get_boolean(settings, key);
    g_object_unref(settings);
    return enabled;
}

} // namespace

std::optional<std::string> GnomeHotCorners::occupant(FloatingDockCorner corner) const {
    if (corner != FloatingDockCorner::topLeft || hotCornersEnabled() != true)
        return std::nullopt;
    return "Activities Overview";
}

std::unique_ptr<SystemHotCorners> systemHotCornersForSession() {
    if (gnomeSession())
        return std::make_unique<GnomeHotCorners>();
    return std::make_unique<NoSystemHotCorners>();
}

} // namespace tessarin
