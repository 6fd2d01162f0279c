#include "display/DisplayServices.h"

#include "kde/KWinVirtualDesktops.h"
#include "none/NoGlobalKeys.h"
#include "none/NoPointerMotion.h"
#include "none/NoWindowManager.h"
#include "session/SessionSpaces.h"
#include "x11/EwmhDesktops.h"
#include "x11/EwmhWindowManager.h"
#include "x11/X11GlobalKeys.h"
#include "x11/X11RawMotion.h"
#include "x11/X11RootProperties.h"

#include <QGuiApplication>

namespace tessarin {

DisplayServices::DisplayServices(QDBusConnection sessionBus) {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        connection = x11->connection();
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    }
    // X clients of a Wayland session get the keys of their own windows only.
    const bool x11Session = connection && !isWaylandSession();
    keyboard_ = std::make_unique<XkbKeyboard>(connection);
    if (x11Session) {
        keys_ = std::make_unique<X11GlobalKeys>(connection, root, *keyboard_);
        pointer_ = std::make_unique<X11RawMotion>(connection, root);
        windowManager_ = std::make_unique<EwmhWindowManager>(connection, root, 0);
    } else {
        keys_ = std::make_unique<NoGlobalKeys>();
        pointer_ = std::make_unique<NoPointerMotion>();
        windowManager_ = std::make_unique<NoWindowManager>();
    }

    spaces_ = chooseSpaceIdentifier(sessionBus, x11Session ? connection : nullptr, root);
    if (auto* ewmh = dynamic_cast<EwmhDesktops*>(spaces_.get())) {
        spacesBackend_ = "ewmh";
        rootProperties_ = std::make_unique<X11RootProperties>(
            connection, root, [ewmh](xcb_atom_t atom) { ewmh->propertyChanged(atom); });
    } else if (dynamic_cast<KWinVirtualDesktops*>(spaces_.get())) {
        spacesBackend_ = "kwin";
    }
}

DisplayServices::~DisplayServices() = default;

} // namespace tessarin
