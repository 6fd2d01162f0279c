#include "model/JsonParser.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tessarin {
namespace {

// Objects with more keys than this get a hash index for the duplicate-key check.
constexpr std::size_t linearKeyLimit = 16;

class OrderedDomBuilder {
public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    explicit OrderedDomBuilder(Json& root) : root_(root) {}

    bool null() { return place(nullptr); }
    bool boolean(bool value) { return place(value); }
    bool number_integer(number_integer_t value) { return place(value); }
    bool number_unsigned(number_unsigned_t value) { return place(value); }
    bool number_float(number_float_t value, const string_t&) { return place(value); }
    bool string(string_t& value) { return place(std::move(value)); }
    bool binary(binary_t& value) { return place(std::move(value)); }

    bool start_object(std::size_t) {
        frames_.push_back(Frame{slot(Json::value_t::object), {}, {}});
        return true;
    }

    bool key(string_t& name) {
        Frame& frame = frames_.back();
        auto& entries = frame.entries;
        if (frame.index) {
            if (const auto it = frame.index->find(name); it != frame.index->end()) {
                pending_ = &entries[it->second].second;
                *pending_ = nullptr;
                return true;
            }
            frame.index->emplace(name, entries.size());
        } else {
            for (auto& entry : entries) {
                if (entry.first == name) {
                    pending_ = &entry.second;
                    *pending_ = nullptr;
                    return true;
                }
            }
            if (entries.size() >= linearKeyLimit) {
                frame.index = std::make_unique<std::unordered_map<std::string, std::size_t>>();
                frame.index->reserve(entries.size() * 2);
                for (std::size_t i = 0; i < entries.size(); ++i)
                    frame.index->emplace(entries[i].first, i);
                frame.index->emplace(name, entries.size());
            }
        }
        entries.emplace_back(std::move(name), nullptr);
        pending_ = &entries.back().second;
        return true;
    }

    // The entries move into the object only now, into storage of the final size: ordered_map's
    // pair<const std::string, Json> cannot be moved, so growing it in place would deep-copy.
    bool end_object() {
        Frame& frame = frames_.back();
        auto& object = static_cast<Json::object_t::Container&>(frame.container->get_ref<Json::object_t&>());
        object.reserve(frame.entries.size());
        for (auto& [name, value] : frame.entries)
            object.emplace_back(std::move(name), std::move(value));
        frames_.pop_back();
        return true;
    }

    bool start_array(std::size_t) {
        frames_.push_back(Frame{slot(Json::value_t::array), {}, {}});
        return true;
    }

    bool end_array() {
        frames_.pop_back();
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
        detail_ = error.what();
        return false;
    }

    const std::string& errorDetail() const { return detail_; }

private:
    // An open object or array. An object's entries are collected in `entries` until it closes.
    struct Frame {
        Json* container;
        std::vector<std::pair<std::string, Json>> entries;
        std::unique_ptr<std::unordered_map<std::string, std::size_t>> index;
    };

    template <typename V> bool place(V&& value) {
        slot(std::forward<V>(value));
        return true;
    }

    // Stores a value where the grammar puts it and returns its address. Arrays and entry lists only
    // grow while they are the innermost open one, so addresses of open containers stay valid.
    template <typename V> Json* slot(V&& value) {
        if (frames_.empty()) {
            root_ = Json(std::forward<V>(value));
            return &root_;
        }
        Json* container = frames_.back().container;
        if (container->is_array()) {
            auto& array = container->get_ref<Json::array_t&>();
            array.emplace_back(std::forward<V>(value));
            return &array.back();
        }
        *pending_ = Json(std::forward<V>(value));
        return pending_;
    }

    Json& root_;
    std::vector<Frame> frames_;
    Json* pending_ = nullptr;
    std::string detail_;
};

// "[json.exception.parse_error.101] parse error at ..." -> "parse error at ..."
std::string humanDetail(const std::string& what) {
    if (!what.empty() && what.front() == '[') {
        if (const auto end = what.find("] "); end != std::string::npos)
            return what.substr(end + 2);
    }
    return what;
}

} // namespace

Json parseJsonDocument(std::string_view bytes, std::string_view documentName) {
    Json root;
    OrderedDomBuilder builder(root);
    bool ok = false;
    std::string detail;
    try {
        ok = Json::sax_parse(bytes.begin(), bytes.end(), &builder);
        detail = builder.errorDetail();
    } catch (const nlohmann::json::exception& error) {
        detail = error.what();
    }
    if (!ok)
        throw DecodeError(std::string(documentName) + " is not valid JSON: " + humanDetail(detail));
    return root;
}

} // namespace tessarin
