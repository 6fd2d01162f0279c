#include "model/ConfigCodec.h"

#include "model/DesktopPalette.h"
#include "model/JsonParser.h"
#include "model/RecordCodecs.h"

#include <chrono>

namespace tessarin {
namespace json {

HotKeySpec hotKeySpec(const Json& value, const Path& path) {
    const ObjectReader fields(value, path);
    HotKeySpec spec;
    spec.keyCode = fields.required("keyCode", readUInt32);
    spec.modifiers = fields.required("modifiers", readUInt32);
    return spec;
}

IconPosition iconPosition(const Json& value, const Path& path) {
    const ObjectReader fields(value, path);
    IconPosition position;
    position.x = fields.required("x", readInt);
    position.y = fields.required("y", readInt);
    return position;
}

IconPositions iconPositions(const Json& value, const Path& path) {
    if (!value.is_object())
        fail(path, "expected an object, found " + typeName(value));
    const auto& object = value.get_ref<const Json::object_t&>();
    IconPositions positions;
    positions.reserve(object.size());
    for (const auto& [name, position] : object)
        positions.set(name, iconPosition(position, path.key(name)));
    return positions;
}

ArchiveTimer archiveTimer(const Json& value, const Path& path) {
    const ObjectReader fields(value, path);
    ArchiveTimer timer;
    timer.mode = fields.required("mode", readEnum<ArchiveTimerMode>);
    timer.days = fields.required("days", readInt);
    return timer;
}

DesktopCue::Fill cueFill(const Json& value, const Path& path) {
    if (!value.is_object())
        fail(path, "expected an object, found " + typeName(value));
    const auto& object = value.get_ref<const Json::object_t&>();
    if (object.size() != 1)
        fail(path, "Invalid number of keys found, expected one.");
    const auto& [kindName, payload] = object.front();
    DesktopCue::Fill fill;
    if (kindName == "color")
        fill.kind = DesktopCue::Fill::Kind::color;
    else if (kindName == "image")
        fill.kind = DesktopCue::Fill::Kind::image;
    else
        fail(path, quoted(kindName) + " is not one of color, image");
    const Path payloadPath = path.key(kindName);
    const ObjectReader fields(payload, payloadPath);
    fill.value = fields.required("_0", readString);
    return fill;
}

DesktopCue desktopCue(const Json& value, const Path& path) {
    const ObjectReader fields(value, path);
    DesktopCue cue;
    cue.enabled = fields.get("enabled", false, readBool);
    cue.fill = fields.get("fill", DesktopCue::Fill{}, cueFill);
    cue.aboveIcons = fields.get("aboveIcons", false, readBool);
    cue.opacity = DesktopCue::clampOpacity(fields.get("opacity", DesktopCue::defaultOpacity, readDouble),
                                           cue.aboveIcons);
    cue.aboveMenuBar = fields.get("aboveMenuBar", false, readBool);
    return cue;
}

Workspace workspace(const Json& value, const Path& path) {
    const ObjectReader fields(value, path);
    Workspace w;
    w.name = fields.required("name", readString);
    w.files = fields.get("files", std::vector<std::string>{}, readStringArray);
    if (const Json* positions = fields.find("positions")) {
        const Path positionsPath = path.key("positions");
        w.positions = iconPositions(*positions, positionsPath);
    }
    w.type = fields.enumeration("type", WorkspaceType::permanent);
    w.hotkey = fields.optional("hotkey", hotKeySpec);
    w.state = fields.enumeration("state", WorkspaceState::active);
    w.archivedAt = fields.optional("archivedAt", readDate);
    w.archiveLocation = fields.optional("archiveLocation", readString);
    w.timer = fields.optional("timer", archiveTimer);
    w.drainTarget = fields.optional("drainTarget", readString);
    w.timerDrains = fields.get("timerDrains", false, readBool);
    w.clearMode = fields.enumeration("clearMode", Workspace::derivedClearMode(w.drainTarget, w.timer));
    w.createdAt = fields.optional("createdAt", readDate);
    w.lastActiveAt = fields.optional("lastActiveAt", readDate);
    w.cue = fields.optional("cue", desktopCue);
    if (const Json* color = fields.find("colorHex"))
        w.colorHex = readString(*color, path.key("colorHex"));
    else
        w.colorHex = DesktopPalette::color(w.name);
    w.createsCleanupTask = fields.get("createsCleanupTask", true, readBool);
    w.spaceUUID = fields.optional("spaceUUID", readString);
    w.preferredAppearance = fields.enumeration("preferredAppearance", AppearanceMode::system);
    return w;
}

CleanupTask cleanupTask(const Json& value, const Path& path, Date now) {
    const ObjectReader fields(value, path);
    CleanupTask task;
    if (const Json* id = fields.find("id"))
        task.id = readUuid(*id, path.key("id"));
    task.members = fields.get("members", std::vector<std::string>{}, readStringArray);
    task.date = fields.get("date", now, readDate);
    return task;
}

CustomFilter customFilter(const Json& value, const Path& path) {
    const ObjectReader fields(value, path);
    CustomFilter filter;
    if (const Json* id = fields.find("id"))
        filter.id = readUuid(*id, path.key("id"));
    filter.enabled = fields.get("enabled", true, readBool);
    filter.pattern = fields.get("pattern", std::string(), readString);
    filter.collection = fields.get("collection", std::string(), readString);
    return filter;
}

namespace {

Json hotKeySpecJson(const HotKeySpec& spec) {
    Json object = objectWithCapacity(5);
    put(object, "keyCode", spec.keyCode);
    put(object, "modifiers", spec.modifiers);
    return object;
}

Json fillJson(const DesktopCue::Fill& fill) {
    Json payload = objectWithCapacity(1);
    put(payload, "_0", fill.value);
    Json object = objectWithCapacity(5);
    put(object, fill.kind == DesktopCue::Fill::Kind::color ? "color" : "image", std::move(payload));
    return object;
}

Json cueJson(const DesktopCue& cue) {
    Json object = objectWithCapacity(5);
    put(object, "enabled", cue.enabled);
    put(object, "fill", fillJson(cue.fill));
    put(object, "opacity", cue.opacity);
    put(object, "aboveIcons", cue.aboveIcons);
    put(object, "aboveMenuBar", cue.aboveMenuBar);
    return object;
}

Json positionsJson(const IconPositions& positions) {
    Json object = objectWithCapacity(5);
    auto& entries = object.get_ref<Json::object_t&>();
    entries.reserve(positions.size());
    for (const auto& [name, position] : positions) {
        Json xy = objectWithCapacity(2);
        put(xy, "x", position.x);
        put(xy, "y", position.y);
        entries.emplace_back(name, std::move(xy));
    }
    return object;
}

template <typename T, typename Encode>
void putOptional(Json& object, std::string_view key, const std::optional<T>& value, Encode encode) {
    if (value)
        put(object, key, encode(*value));
}

Json text(const std::string& s) {
    return Json(s);
}

} // namespace
} // namespace json

using namespace json;

Json encodeHotKeySpec(const HotKeySpec& spec) {
    return hotKeySpecJson(spec);
}

Json encodeDesktopCue(const DesktopCue& cue) {
    return cueJson(cue);
}

Json encodeWorkspace(const Workspace& w) {
    Json object = objectWithCapacity(19);
    put(object, "name", w.name);
    put(object, "files", stringArrayJson(w.files));
    put(object, "positions", positionsJson(w.positions));
    put(object, "type", enumName(w.type));
    putOptional(object, "hotkey", w.hotkey, hotKeySpecJson);
    put(object, "state", enumName(w.state));
    putOptional(object, "archivedAt", w.archivedAt, dateJson);
    putOptional(object, "archiveLocation", w.archiveLocation, text);
    putOptional(object, "timer", w.timer, [](const ArchiveTimer& timer) {
        Json t = objectWithCapacity(2);
        put(t, "mode", enumName(timer.mode));
        put(t, "days", timer.days);
        return t;
    });
    putOptional(object, "drainTarget", w.drainTarget, text);
    put(object, "timerDrains", w.timerDrains);
    put(object, "clearMode", enumName(w.clearMode));
    putOptional(object, "createdAt", w.createdAt, dateJson);
    putOptional(object, "lastActiveAt", w.lastActiveAt, dateJson);
    putOptional(object, "cue", w.cue, cueJson);
    put(object, "colorHex", w.colorHex);
    put(object, "createsCleanupTask", w.createsCleanupTask);
    putOptional(object, "spaceUUID", w.spaceUUID, text);
    put(object, "preferredAppearance", enumName(w.preferredAppearance));
    return object;
}

Json encodeCleanupTask(const CleanupTask& task) {
    Json object = objectWithCapacity(5);
    put(object, "id", task.id.text());
    put(object, "members", stringArrayJson(task.members));
    put(object, "date", dateJson(task.date));
    return object;
}

Json encodeCustomFilter(const CustomFilter& filter) {
    Json object = objectWithCapacity(5);
    put(object, "id", filter.id.text());
    put(object, "enabled", filter.enabled);
    put(object, "pattern", filter.pattern);
    put(object, "collection", filter.collection);
    return object;
}

Config decodeConfig(std::string_view bytes, Date now) {
    const Json document = parseJsonDocument(bytes);
    const Path root("");
    const ObjectReader fields(document, root);
    Config config;
    config.schemaVersion = fields.get("schemaVersion", Config::currentSchemaVersion, readInt);
    config.activeWorkspace = fields.required("activeWorkspace", readString);
    if (const Json* workspaces = fields.find("workspaces")) {
        const Path listPath = root.key("workspaces");
        const auto& items = readArray(*workspaces, listPath);
        config.workspaces.reserve(items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            config.workspaces.push_back(workspace(items[i], listPath.index(i)));
    }
    if (const Json* settingsValue = fields.find("settings")) {
        const Path settingsPath = root.key("settings");
        config.settings = settings(*settingsValue, settingsPath);
    }
    if (const Json* tasks = fields.find("cleanupTasks")) {
        const Path listPath = root.key("cleanupTasks");
        const auto& items = readArray(*tasks, listPath);
        config.cleanupTasks.reserve(items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            config.cleanupTasks.push_back(cleanupTask(items[i], listPath.index(i), now));
    }
    config.lastExpandedWorkspace = fields.optional("lastExpandedWorkspace", readString);
    return config;
}

Config decodeConfig(std::string_view bytes) {
    return decodeConfig(bytes, Date::fromTimePoint(std::chrono::system_clock::now()));
}

std::string encodeConfig(const Config& config) {
    Json object = objectWithCapacity(6);
    put(object, "schemaVersion", config.schemaVersion);
    put(object, "activeWorkspace", config.activeWorkspace);
    Json workspaces = Json::array();
    auto& workspaceItems = workspaces.get_ref<Json::array_t&>();
    workspaceItems.reserve(config.workspaces.size());
    for (const auto& w : config.workspaces)
        workspaceItems.push_back(encodeWorkspace(w));
    put(object, "workspaces", std::move(workspaces));
    put(object, "settings", encodeSettings(config.settings));
    Json tasks = Json::array();
    for (const auto& task : config.cleanupTasks)
        tasks.push_back(encodeCleanupTask(task));
    put(object, "cleanupTasks", std::move(tasks));
    putOptional(object, "lastExpandedWorkspace", config.lastExpandedWorkspace, text);
    return object.dump();
}

} // namespace tessarin
