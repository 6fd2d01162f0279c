#pragma once

#include "model/ConfigCodec.h"
#include "model/Enumerations.h"
#include "support/Date.h"
#include "support/Uuid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tessarin::json {

// Where a value sits in the document ("workspaces[2].cue.fill"). Built as a chain of stack frames
// and turned into text only for an error message. A child points at its parent: keep the parent
// alive (do not chain key()/index() on temporaries).
class Path {
public:
    explicit Path(std::string_view root) : root_(root) {}
    Path key(std::string_view name) const { return Path(this, name, 0, false); }
    Path index(std::size_t i) const { return Path(this, {}, i, true); }
    std::string text() const;

private:
    Path(const Path* parent, std::string_view name, std::size_t i, bool isIndex)
        : parent_(parent), name_(name), index_(i), isIndex_(isIndex) {}
    const Path* parent_ = nullptr;
    std::string_view root_;
    std::string_view name_;
    std::size_t index_ = 0;
    bool isIndex_ = false;
};

// Throws DecodeError "<path>: <what>".
[[noreturn]] void fail(const Path& path, const std::string& what);

// "null", "object", "array", "string", "boolean" or "number".
std::string typeName(const Json& value);

int64_t readInt(const Json& value, const Path& path);
uint32_t readUInt32(const Json& value, const Path& path);
double readDouble(const Json& value, const Path& path);
bool readBool(const Json& value, const Path& path);
const std::string& readString(const Json& value, const Path& path);
Date readDate(const Json& value, const Path& path);
Uuid readUuid(const Json& value, const Path& path);
const Json::array_t& readArray(const Json& value, const Path& path);
std::vector<std::string> readStringArray(const Json& value, const Path& path);
std::string quoted(const std::string& text);

template <typename E> E readEnum(const Json& value, const Path& path) {
    const std::string& name = readString(value, path);
    if (const auto parsed = enumFromName<E>(name))
        return *parsed;
    fail(path, quoted(name) + " is not one of " + enumNameList<E>());
}

// The fields of one JSON object. A key that is missing or holds null counts as absent.
class ObjectReader {
public:
    ObjectReader(const Json& value, const Path& path);

    const Json* find(std::string_view key) const;
    bool contains(std::string_view key) const { return find(key) != nullptr; }
    const Path& path() const { return path_; }

    // read(value, path) for a present key, otherwise `fallback`.
    template <typename T, typename Read> T get(std::string_view key, T fallback, Read read) const {
        if (const Json* value = find(key))
            return read(*value, path_.key(key));
        return fallback;
    }

    template <typename Read> auto optional(std::string_view key, Read read) const {
        using T = std::decay_t<decltype(read(std::declval<const Json&>(), path_))>;
        if (const Json* value = find(key))
            return std::optional<T>(read(*value, path_.key(key)));
        return std::optional<T>();
    }

    // "required key is missing" when absent; a null value is reported by `read` as a wrong type.
    template <typename Read> auto required(std::string_view key, Read read) const {
        const Json* value = findRaw(key);
        if (!value)
            fail(path_.key(key), "required key is missing");
        return read(*value, path_.key(key));
    }

    template <typename E> E enumeration(std::string_view key, E fallback) const {
        return get(key, fallback, readEnum<E>);
    }

private:
    const Json* findRaw(std::string_view key) const;
    const Json::object_t* object_;
    Path path_;
};

// An empty object with room for `capacity` keys. Reserve before put(): ordered_map's entries cannot
// be moved, so growing an object deep-copies every value already in it.
inline Json objectWithCapacity(std::size_t capacity) {
    Json object = Json::object();
    object.get_ref<Json::object_t&>().reserve(capacity);
    return object;
}

// Appends a key that the object does not hold yet (no search, unlike operator[]).
inline void put(Json& object, std::string_view key, Json value) {
    object.get_ref<Json::object_t&>().emplace_back(std::string(key), std::move(value));
}

inline Json dateJson(const Date& date) {
    return Json(date.secondsSinceReference);
}

Json stringArrayJson(const std::vector<std::string>& values);

} // namespace tessarin::json
