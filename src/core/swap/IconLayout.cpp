#include "swap/IconLayout.h"

#include "model/JsonParser.h"
#include "model/RecordCodecs.h"
#include "store/AtomicFile.h"
#include "support/Utf8.h"

namespace tessarin {

namespace {

constexpr int formatVersion = 1;

// The readable entries of one host's section.
IconPositions readSection(const Json& section, const json::Path& path) {
    IconPositions positions;
    if (!section.is_object())
        return positions;
    for (const auto& [name, value] : section.items()) {
        try {
            positions.set(name, json::iconPosition(value, path.key(name)));
        } catch (const DecodeError&) {
        }
    }
    return positions;
}

} // namespace

IconLayout IconLayout::read(const std::filesystem::path& file) {
    IconLayout layout;
    const auto bytes = readWholeFile(file);
    if (!bytes)
        return layout;
    Json document;
    try {
        document = parseJsonDocument(*bytes, file.filename().string());
    } catch (const DecodeError&) {
        return layout;
    }
    if (!document.is_object() || !document.contains("hosts") || !document["hosts"].is_object())
        return layout;
    const json::Path root("hosts");
    for (const auto& [key, section] : document["hosts"].items()) {
        IconPositions positions = readSection(section, root.key(key));
        if (!positions.empty())
            layout.hosts_.emplace(key, std::move(positions));
    }
    return layout;
}

void IconLayout::write(const std::filesystem::path& file) const {
    Json hosts = Json::object();
    for (const auto& [key, positions] : hosts_) {
        Json section = Json::object();
        auto& entries = section.get_ref<Json::object_t&>();
        entries.reserve(positions.size());
        for (const auto& [name, position] : positions)
            entries.emplace_back(name, Json{{"x", position.x}, {"y", position.y}});
        hosts[key] = std::move(section);
    }
    const Json document{{"version", formatVersion}, {"hosts", std::move(hosts)}};
    writeAtomically(file, document.dump());
}

const IconPositions& IconLayout::positions(std::string_view hostKey) const {
    static const IconPositions none;
    const auto it = hosts_.find(hostKey);
    return it == hosts_.end() ? none : it->second;
}

void IconLayout::set(const std::string& hostKey, const std::string& name, IconPosition position) {
    if (isValidUtf8(name) && isValidUtf8(hostKey))
        hosts_[hostKey].set(name, position);
}

bool IconLayout::retain(const std::function<bool(const std::string&)>& keep) {
    bool removed = false;
    for (auto it = hosts_.begin(); it != hosts_.end();) {
        std::vector<std::string> gone;
        for (const auto& [name, _] : it->second)
            if (!keep(name))
                gone.push_back(name);
        for (const auto& name : gone)
            it->second.erase(name);
        removed = removed || !gone.empty();
        it = it->second.empty() ? hosts_.erase(it) : std::next(it);
    }
    return removed;
}

} // namespace tessarin
