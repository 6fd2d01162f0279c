#include "swap/Journal.h"

#include "model/ConfigCodec.h"

#include <nlohmann/json.hpp>

namespace tessarin {

namespace {

std::vector<std::string> names(const nlohmann::json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null())
        throw DecodeError(std::string("journal.") + key + ": required key is missing");
    if (!it->is_array())
        throw DecodeError(std::string("journal.") + key + ": expected an array, found " + it->type_name());
    std::vector<std::string> result;
    result.reserve(it->size());
    for (size_t i = 0; i < it->size(); ++i) {
        const auto& v = (*it)[i];
        if (!v.is_string())
            throw DecodeError(std::string("journal.") + key + "[" + std::to_string(i) +
                              "]: expected a string, found " + v.type_name());
        result.push_back(v.get<std::string>());
    }
    return result;
}

std::string name(const nlohmann::json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null())
        throw DecodeError(std::string("journal.") + key + ": required key is missing");
    if (!it->is_string())
        throw DecodeError(std::string("journal.") + key + ": expected a string, found " + it->type_name());
    return it->get<std::string>();
}

} // namespace

std::string encodeJournal(const Journal& journal) {
    nlohmann::ordered_json j;
    j["fromWorkspace"] = journal.fromWorkspace;
    j["toWorkspace"] = journal.toWorkspace;
    j["outgoing"] = journal.outgoing;
    j["incoming"] = journal.incoming;
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::strict);
}

Journal decodeJournal(std::string_view bytes) {
    nlohmann::json j;
    try {
        j = nlohmann::json::parse(bytes);
    } catch (const nlohmann::json::exception& e) { // also a number out of range
        throw DecodeError(std::string("journal.json is not valid JSON: ") + e.what());
    }
    if (!j.is_object())
        throw DecodeError(std::string("journal: expected an object, found ") + j.type_name());
    return Journal{name(j, "fromWorkspace"), name(j, "toWorkspace"), names(j, "outgoing"),
                   names(j, "incoming")};
}

} // namespace tessarin
