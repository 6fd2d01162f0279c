#pragma once

#include "triggers/SpaceIdentifier.h"

#include <string>

namespace tessarin {

// A session whose workspaces no backend can read (GNOME on Wayland, no window manager, no display).
class NoSpaces : public SpaceIdentifier {
public:
    explicit NoSpaces(std::string reason) : reason_(std::move(reason)) {}

    bool available() const override { return false; }
    std::string unavailableReason() const override { return reason_; }
    std::optional<SpaceInfo> activeSpace() const override { return std::nullopt; }
    std::vector<std::string> userSpaceIdentities() const override { return {}; }

private:
    std::string reason_;
};

} // namespace tessarin
