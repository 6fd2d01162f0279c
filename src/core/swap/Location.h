#pragma once

#include <string>

namespace tessarin {

// A place the swap engine moves items between: one desktop's folder in the workspace store, or the Desktop.
class Location {
public:
    enum class Kind { workspace, desktop };

    static Location workspace(std::string name) { return Location(Kind::workspace, std::move(name)); }
    static Location desktop() { return Location(Kind::desktop, {}); }

    Kind kind() const { return kind_; }
    bool isDesktop() const { return kind_ == Kind::desktop; }
    // The desktop name of a workspace location; empty for the Desktop.
    const std::string& workspaceName() const { return name_; }

    bool operator==(const Location&) const = default;

private:
    Location(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {}

    Kind kind_;
    std::string name_;
};

// "the Desktop" or "the desktop “NAME”", for messages.
inline std::string describe(const Location& location) {
    return location.isDesktop() ? std::string("the Desktop")
                                : "the desktop \u201c" + location.workspaceName() + "\u201d";
}

} // namespace tessarin
