#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The window manager's workspace shown now.
struct SpaceInfo {
    std::string identity;      // stable text stored in a desktop's binding
    bool isUser = true;        // an ordinary workspace that can be bound
    std::optional<int> number; // 1-based position among the ordinary workspaces

    bool operator==(const SpaceInfo&) const = default;
};

// Reads the session's workspaces (virtual desktops of the window manager). Every query asks the window
// manager afresh; none is made per frame.
class SpaceIdentifier {
public:
    virtual ~SpaceIdentifier() = default;

    // The session lets Tessarin read its workspaces.
    virtual bool available() const = 0;
    // Why it does not, in a sentence for the settings window and tessarinctl; empty when it does.
    virtual std::string unavailableReason() const = 0;
    virtual std::optional<SpaceInfo> activeSpace() const = 0;
    // The ordinary workspaces' identities, in the window manager's order.
    virtual std::vector<std::string> userSpaceIdentities() const = 0;
    std::optional<int> userSpaceNumber(const std::string& identity) const;

    // Called on the main thread when the active workspace changed; set by whoever follows it.
    std::function<void()> activeSpaceChanged;

protected:
    SpaceIdentifier() = default;
    SpaceIdentifier(const SpaceIdentifier&) = default;
    SpaceIdentifier& operator=(const SpaceIdentifier&) = default;
};

// "Tessarin can't read this session's workspaces, so workspace following is unavailable. Everything
// else works normally."
std::string spaceFollowingUnavailableText();
// "You're on workspace 2 of 4.", or why the current workspace can't be bound.
std::string currentSpaceText(const SpaceIdentifier& spaces);
// A desktop's binding: "Not bound", "Workspace 2", or "Workspace missing" when the bound workspace is
// not among the current ones.
std::string spaceBindingLabel(const std::optional<std::string>& boundIdentity, const SpaceIdentifier& spaces);

} // namespace tessarin
