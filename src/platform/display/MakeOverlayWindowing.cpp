#include "display/OverlayWindowing.h"
#include "none/NoOverlayWindowing.h"
#include "support/Log.h"
#include "x11/X11OverlayWindowing.h"

#include <QGuiApplication>

namespace tessarin {

std::unique_ptr<OverlayWindowing> makeOverlayWindowing(Log& log) {
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        return std::make_unique<X11OverlayWindowing>(x11->connection(), log);
    return std::make_unique<NoOverlayWindowing>();
}

} // namespace tessarin
