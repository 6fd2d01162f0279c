#include "freedesktop/LinuxScreenshotServices.h"

#include "freedesktop/MimeImageTypes.h"

namespace tessarin {

ScreenshotServices linuxScreenshotServices() {
    ScreenshotServices services;
    services.isImage = MimeImageTypes::predicate();
    return services;
}

} // namespace tessarin
