// No Qt header in this file: Qt's "signals" keyword breaks GLib's headers.
#include "freedesktop/ColorSchemeSetting.h"

#include <gio/gio.h>
#include <stdexcept>

namespace tessarin {

namespace {

constexpr const char* schemaId = "org.gnome.desktop.interface";
constexpr const char* key = "color-scheme";

class GnomeColorScheme : public ColorSchemeSetting {
public:
    ~GnomeColorScheme() override {
        if (settings_)
            g_object_unref(settings_);
    }

    std::string read() override {
        gchar* value = g_settings_get_string(settings(), key);
        std::string text(value ? value : "");
        g_free(value);
        return text;
    }

    bool isDark(const std::string& value) const override { return value == "prefer-dark"; }

    std::string valueFor(bool dark, const std::string&) const override {
        return dark ? "prefer-dark" : "default";
    }

    void write(const std::string& value) override {
        GSettings* s = settings();
        if (!g_settings_is_writable(s, key))
            throw std::runtime_error(std::string(schemaId) + " " + key + " is locked");
        if (!g_settings_set_string(s, key, value.c_str()))
            throw std::runtime_error("GSettings refused \u201c" + value + "\u201d for " + key);
        g_settings_sync();
    }

private:
    // Looked up on first use: GSettings aborts the process on a schema or key it does not know.
    GSettings* settings() {
        if (settings_)
            return settings_;
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, schemaId, TRUE) : nullptr;
        if (!schema)
            throw std::runtime_error(std::string("the GSettings schema ") + schemaId + " is not installed");
        const bool hasKey = g_settings_schema_has_key(schema, key);
        if (hasKey)
            settings_ = g_settings_new_full(schema, nullptr, nullptr);
        g_settings_schema_unref(schema);
        if (!settings_)
            throw std::runtime_error(std::string(schemaId) + " has no " + key +
                                     " (GNOME 42 or later has it)");
        return settings_;
    }

    GSettings* settings_ = nullptr;
};

} // namespace

std::unique_ptr<ColorSchemeSetting> gnomeColorScheme() {
    return std::make_unique<GnomeColorScheme>();
}

} // namespace tessarin
