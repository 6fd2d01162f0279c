#pragma once

#include <stdexcept>
#include <string>

namespace tessarin {

// A refused or failed archive, restore or drain. what() is the user-facing text.
class ArchiveError : public std::runtime_error {
public:
    enum class Kind {
        notTemporary,
        alreadyArchived,
        isActiveDesktop,
        targetMissing,
        targetNotPermanent,
        filesystem,
        crossVolume,
        drainIntoItself,
    };

    static ArchiveError notTemporary(const std::string& name);
    static ArchiveError alreadyArchived(const std::string& name);
    static ArchiveError isActiveDesktop(const std::string& name);
    static ArchiveError targetMissing(const std::string& target);
    static ArchiveError targetNotPermanent(const std::string& target);
    // `message` is the whole text: a fixed prefix and the system's description.
    static ArchiveError filesystem(const std::string& message);
    static ArchiveError crossVolume();
    static ArchiveError drainIntoItself();

    Kind kind() const { return kind_; }
    // The desktop or target name, or the message of `filesystem`; empty for the others.
    const std::string& payload() const { return payload_; }

private:
    ArchiveError(Kind kind, std::string payload, const std::string& description);

    Kind kind_;
    std::string payload_;
};

} // namespace tessarin
