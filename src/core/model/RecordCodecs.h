#pragma once

#include "model/Config.h"
#include "model/JsonFields.h"

namespace tessarin::json {

// The record readers of the codec, on a Path (see JsonFields.h). Each reads its fields in the order
// the derived defaults need and throws DecodeError.
HotKeySpec hotKeySpec(const Json& value, const Path& path);
IconPosition iconPosition(const Json& value, const Path& path);
IconPositions iconPositions(const Json& value, const Path& path);
ArchiveTimer archiveTimer(const Json& value, const Path& path);
DesktopCue::Fill cueFill(const Json& value, const Path& path);
DesktopCue desktopCue(const Json& value, const Path& path);
Workspace workspace(const Json& value, const Path& path);
CleanupTask cleanupTask(const Json& value, const Path& path, Date now);
CustomFilter customFilter(const Json& value, const Path& path);
FloatingDockPosition floatingDockPosition(const Json& value, const Path& path);
Appearance appearance(const Json& value, const Path& path);
AppSettings settings(const Json& value, const Path& path);

Json appearanceJson(const Appearance& appearance);
Json floatingDockPositionJson(const FloatingDockPosition& position);

} // namespace tessarin::json
