#include "organise/ArchiveError.h"

namespace tessarin {

namespace {

std::string quoted(const std::string& name) {
    return "\u201c" + name + "\u201d";
}

} // namespace

ArchiveError::ArchiveError(Kind kind, std::string payload, const std::string& description)
    : std::runtime_error(description), kind_(kind), payload_(std::move(payload)) {}

ArchiveError ArchiveError::notTemporary(const std::string& name) {
    return {Kind::notTemporary, name,
            "Only temporary desktops can be archived. Set " + quoted(name) + " to Temporary first."};
}

ArchiveError ArchiveError::alreadyArchived(const std::string& name) {
    return {Kind::alreadyArchived, name, quoted(name) + " is already archived."};
}

ArchiveError ArchiveError::isActiveDesktop(const std::string& name) {
    return {Kind::isActiveDesktop, name,
            quoted(name) + " is the active desktop. Switch to another first, then archive it."};
}

ArchiveError ArchiveError::targetMissing(const std::string& target) {
    return {Kind::targetMissing, target,
            quoted(target) + " no longer exists, so there's nowhere to move into."};
}

ArchiveError ArchiveError::targetNotPermanent(const std::string& target) {
    return {Kind::targetNotPermanent, target,
            "A scratch desktop can only move into a live permanent desktop. " + quoted(target) +
                " isn't one."};
}

ArchiveError ArchiveError::filesystem(const std::string& message) {
    return {Kind::filesystem, message, message};
}

ArchiveError ArchiveError::crossVolume() {
    return {Kind::crossVolume,
            {},
            "The archive folder is on a different disk. Choose one on the same disk as your workspaces "
            "(Settings \u25b8 Scheduler)."};
}

ArchiveError ArchiveError::drainIntoItself() {
    return {Kind::drainIntoItself, {}, "A desktop can't move into itself."};
}

} // namespace tessarin
