#include "settings/ArchiveEditor.h"

namespace tessarin {

bool ArchiveEditor::withArchiver(const std::function<void(Archiver&)>& operation) {
    Archiver* archiver = state_.archiver();
    if (!archiver)
        return state_.refuse(unavailableText);
    return state_.perform([&] { operation(*archiver); });
}

bool ArchiveEditor::removal(const std::function<RemovalOutcome(Archiver&)>& operation) {
    Archiver* archiver = state_.archiver();
    if (!archiver)
        return state_.refuse(unavailableText);
    RemovalOutcome outcome;
    try {
        outcome = operation(*archiver);
    } catch (const std::exception& e) {
        return state_.refuse(e.what());
    }
    if (outcome.errorMessage)
        return state_.refuse(*outcome.errorMessage);
    if (outcome.deleteFailure) {
        state_.reportDeleteFailure(*outcome.deleteFailure);
        return false;
    }
    state_.changed();
    return true;
}

bool ArchiveEditor::archive(const std::string& name) {
    return withArchiver([&](Archiver& a) { a.archive(name); });
}

bool ArchiveEditor::restore(const std::string& name) {
    return withArchiver([&](Archiver& a) { a.restore(name); });
}

bool ArchiveEditor::drain(const std::string& name, const std::string& target) {
    return withArchiver([&](Archiver& a) { a.drain(name, target); });
}

bool ArchiveEditor::deleteWorkspace(const std::string& name) {
    return removal([&](Archiver& a) { return a.deleteWorkspace(name, state_.isBusy()); });
}

bool ArchiveEditor::deleteArchived(const std::string& name) {
    return removal([&](Archiver& a) { return a.deleteArchived(name); });
}

bool ArchiveEditor::removeFromConfig(const std::string& name) {
    return withArchiver([&](Archiver& a) { a.removeFromConfig(name); });
}

bool ArchiveEditor::setArchiveRoot(const std::optional<std::filesystem::path>& folder) {
    return removal([&](Archiver& a) { return RemovalOutcome{a.setArchiveRoot(folder), std::nullopt}; });
}

bool ArchiveEditor::setArchivedSorted(const std::string& name, bool sorted) {
    return withArchiver([&](Archiver& a) { a.setArchivedSorted(name, sorted); });
}

} // namespace tessarin
