#include "model/JsonFields.h"

#include <cmath>
#include <limits>

namespace tessarin::json {

std::string Path::text() const {
    if (!parent_)
        return std::string(root_);
    std::string text = parent_->text();
    if (isIndex_)
        return text + "[" + std::to_string(index_) + "]";
    if (!text.empty())
        text += '.';
    text += name_;
    return text;
}

void fail(const Path& path, const std::string& what) {
    std::string where = path.text();
    if (where.empty())
        where = "config.json";
    throw DecodeError(where + ": " + what);
}

std::string typeName(const Json& value) {
    return value.type_name();
}

std::string quoted(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

namespace {

// The number as written in an error message: an integer as is, anything else as JSON.
std::string numberText(const Json& value) {
    return value.dump();
}

} // namespace

int64_t readInt(const Json& value, const Path& path) {
    if (value.is_number_integer() && !value.is_number_unsigned())
        return value.get<int64_t>();
    if (value.is_number_unsigned()) {
        const auto u = value.get<uint64_t>();
        if (u <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
            return static_cast<int64_t>(u);
        fail(path, "expected an integer, found " + numberText(value));
    }
    if (value.is_number_float()) {
        // An integral number written with a fraction or exponent (1.0, 1e3) still is an integer.
        const double d = value.get<double>();
        if (std::trunc(d) == d && d >= -9223372036854775808.0 && d < 9223372036854775808.0)
            return static_cast<int64_t>(d);
        fail(path, "expected an integer, found " + numberText(value));
    }
    fail(path, "expected an integer, found " + typeName(value));
}

uint32_t readUInt32(const Json& value, const Path& path) {
    if (!value.is_number())
        fail(path, "expected an unsigned 32-bit integer, found " + typeName(value));
    bool ok = false;
    uint32_t result = 0;
    if (value.is_number_unsigned()) {
        const auto u = value.get<uint64_t>();
        ok = u <= std::numeric_limits<uint32_t>::max();
        result = static_cast<uint32_t>(u);
    } else if (value.is_number_float()) {
        const double d = value.get<double>();
        ok = std::trunc(d) == d && d >= 0 && d <= 4294967295.0;
        result = ok ? static_cast<uint32_t>(d) : 0;
    } else {
        const auto i = value.get<int64_t>();
        ok = i >= 0 && i <= static_cast<int64_t>(std::numeric_limits<uint32_t>::max());
        result = ok ? static_cast<uint32_t>(i) : 0;
    }
    if (!ok)
        fail(path, "expected an unsigned 32-bit integer, found " + numberText(value));
    return result;
}

double readDouble(const Json& value, const Path& path) {
    if (!value.is_number())
        fail(path, "expected a number, found " + typeName(value));
    return value.get<double>();
}

bool readBool(const Json& value, const Path& path) {
    if (!value.is_boolean())
        fail(path, "expected a boolean, found " + typeName(value));
    return value.get<bool>();
}

const std::string& readString(const Json& value, const Path& path) {
    if (!value.is_string())
        fail(path, "expected a string, found " + typeName(value));
    return value.get_ref<const std::string&>();
}

Date readDate(const Json& value, const Path& path) {
    if (!value.is_number())
        fail(path, "expected a date (seconds as a number), found " + typeName(value));
    return Date{value.get<double>()};
}

Uuid readUuid(const Json& value, const Path& path) {
    const std::string& text = readString(value, path);
    if (auto id = Uuid::parse(text))
        return *std::move(id);
    fail(path, quoted(text) + " is not a UUID");
}

const Json::array_t& readArray(const Json& value, const Path& path) {
    if (!value.is_array())
        fail(path, "expected an array, found " + typeName(value));
    return value.get_ref<const Json::array_t&>();
}

std::vector<std::string> readStringArray(const Json& value, const Path& path) {
    const auto& array = readArray(value, path);
    std::vector<std::string> result;
    result.reserve(array.size());
    for (std::size_t i = 0; i < array.size(); ++i)
        result.push_back(readString(array[i], path.index(i)));
    return result;
}

ObjectReader::ObjectReader(const Json& value, const Path& path) : path_(path) {
    if (!value.is_object())
        fail(path, "expected an object, found " + typeName(value));
    object_ = &value.get_ref<const Json::object_t&>();
}

const Json* ObjectReader::findRaw(std::string_view key) const {
    for (const auto& entry : *object_)
        if (entry.first == key)
            return &entry.second;
    return nullptr;
}

const Json* ObjectReader::find(std::string_view key) const {
    const Json* value = findRaw(key);
    return value && !value->is_null() ? value : nullptr;
}

Json stringArrayJson(const std::vector<std::string>& values) {
    Json array = Json::array();
    auto& items = array.get_ref<Json::array_t&>();
    items.reserve(values.size());
    for (const auto& value : values)
        items.emplace_back(value);
    return array;
}

} // namespace tessarin::json
