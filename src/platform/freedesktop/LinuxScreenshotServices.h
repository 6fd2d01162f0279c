#pragma once

#include "organise/ScreenshotFilter.h"

namespace tessarin {

// The screenshot services on Linux: image types from the shared MIME database. There is no system
// capture flag and no screenshot-tool preference to read, so the name rule decides, the word is the
// user's or "Screenshot", and the save folder is unknown (taken as the Desktop).
ScreenshotServices linuxScreenshotServices();

} // namespace tessarin
