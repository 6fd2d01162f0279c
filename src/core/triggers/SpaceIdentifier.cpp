#include "triggers/SpaceIdentifier.h"

#include <algorithm>

namespace tessarin {

std::optional<int> SpaceIdentifier::userSpaceNumber(const std::string& identity) const {
    const auto identities = userSpaceIdentities();
    const auto it = std::find(identities.begin(), identities.end(), identity);
    if (it == identities.end())
        return std::nullopt;
    return static_cast<int>(it - identities.begin()) + 1;
}

std::string spaceFollowingUnavailableText() {
    return "Tessarin can't read this session's workspaces, so workspace following is unavailable. "
           "Everything else works normally.";
}

std::string currentSpaceText(const SpaceIdentifier& spaces) {
    const auto active = spaces.activeSpace();
    if (!active)
        return "Can't read the current workspace right now.";
    if (!active->isUser)
        return "You're in a full-screen app — that workspace can't be bound.";
    if (!active->number)
        return "You're on an unrecognised workspace.";
    return "You're on workspace " + std::to_string(*active->number) + " of " +
           std::to_string(spaces.userSpaceIdentities().size()) + ".";
}

std::string spaceBindingLabel(const std::optional<std::string>& boundIdentity,
                              const SpaceIdentifier& spaces) {
    if (!boundIdentity)
        return "Not bound";
    if (const auto number = spaces.userSpaceNumber(*boundIdentity))
        return "Workspace " + std::to_string(*number);
    return "Workspace missing";
}

} // namespace tessarin
