// GNOME's own hot corner read through GSettings (the in-memory backend over the installed schemas).
#include "freedesktop/GnomeHotCorners.h"

#include "support/ScopedEnv.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

using namespace tessarin;

TEST(GnomeHotCorners, TopLeftIsTakenUnderGnomeWhileTheSettingIsOn) {
    test::ScopedEnv env("GSETTINGS_BACKEND", "memory");
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source ? g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE) : nullptr;
    if (!schema)
        GTEST_SKIP() << "the GNOME desktop schemas are not installed";
    g_settings_schema_unref(schema);
    GSettings* settings = g_settings_new("org.gnome.desktop.interface");

    using C = FloatingDockCorner;
    struct Case {
        const char* desktop;
        bool enabled;
        C corner;
        std::optional<std::string> occupant;
    };
    const Case cases[] = {
        {"GNOME", true, C::topLeft, "Activities Overview"},
        {"ubuntu:GNOME", true, C::topLeft, "Activities Overview"},
        {"GNOME", true, C::topRight, std::nullopt},
        {"GNOME", false, C::topLeft, std::nullopt},
        {"GNOME-Flashback:Unity", true, C::topLeft, std::nullopt},
    };
    for (const auto& c : cases) {
        env.set("XDG_CURRENT_DESKTOP", c.desktop);
        g_settings_set_boolean(settings, "enable-hot-corners", c.enabled);
        EXPECT_EQ(systemHotCornersForSession()->occupant(c.corner), c.occupant)
            << c.desktop << " " << c.enabled << " " << enumName(c.corner);
    }
    g_object_unref(settings);
}
