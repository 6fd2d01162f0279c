#include <QCoreApplication>
#include <gtest/gtest.h>

// The end-to-end tests run inside scripts/x11-session (a private X server, window manager, tray and
// session bus) or scripts/wayland-session (a private compositor and session bus). The application
// object lets a test serve and call D-Bus while it waits.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const bool display =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!display || qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        fprintf(stderr,
                "end-to-end tests run inside scripts/x11-session or scripts/wayland-session (no display or "
                "session bus here)\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
