#include "swap/Journal.h"

#include "model/ConfigCodec.h"
#include "support/Utf8.h"

#include <algorithm>
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

// Appends `text` as a JSON string, escaped as the JSON library escapes it: quotes, backslashes and
// control characters; every other byte, UTF-8 included, as it is.
void appendString(std::string& out, std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    out += '"';
    std::size_t plain = 0; // the start of the run of bytes that need no escape
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 0xf];
        }
    }
    out.append(text, plain);
    out += '"';
}

void appendNames(std::string& out, const std::vector<std::string>& names) {
    out += '[';
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            out += ',';
        appendString(out, names[i]);
    }
    out += ']';
}

bool allUtf8(const Journal& journal) {
    const auto valid = [](const std::string& name) { return isValidUtf8(name); };
    return isValidUtf8(journal.fromWorkspace) && isValidUtf8(journal.toWorkspace) &&
           std::all_of(journal.outgoing.begin(), journal.outgoing.end(), valid) &&
           std::all_of(journal.incoming.begin(), journal.incoming.end(), valid);
}

} // namespace

std::string encodeJournal(const Journal& journal) {
    if (!allUtf8(journal)) {
        // JSON holds only UTF-8 text: the library refuses such a name with its own error.
        nlohmann::ordered_json j;
        j["fromWorkspace"] = journal.fromWorkspace;
        j["toWorkspace"] = journal.toWorkspace;
        j["outgoing"] = journal.outgoing;
        j["incoming"] = journal.incoming;
        return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::strict);
    }
    // Written straight out rather than through a JSON tree, which would first copy each of a large
    // switch's names.
    std::size_t bytes = 64 + journal.fromWorkspace.size() + journal.toWorkspace.size();
    for (const auto* names : {&journal.outgoing, &journal.incoming})
        for (const auto& name : *names)
            bytes += name.size() + 3;
    std::string out;
    out.reserve(bytes);
    out += "{\"fromWorkspace\":";
    appendString(out, journal.fromWorkspace);
    out += ",\"toWorkspace\":";
    appendString(out, journal.toWorkspace);
    out += ",\"outgoing\":";
    appendNames(out, journal.outgoing);
    out += ",\"incoming\":";
    appendNames(out, journal.incoming);
    out += '}';
    return out;
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
