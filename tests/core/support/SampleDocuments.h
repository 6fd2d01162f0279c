#pragma once

#include "model/ConfigCodec.h"

#include <nlohmann/json.hpp>
#include <string>

namespace tessarin::test {

// A large document that differs for every `version`: `desktops` desktops of `files` items each,
// with positions. Built as JSON text and decoded, so it goes through the reader's defaults too.
inline Config largeDocument(int version, int desktops = 50, int files = 200) {
    nlohmann::ordered_json doc;
    doc["activeWorkspace"] = "v" + std::to_string(version);
    auto workspaces = nlohmann::ordered_json::array();
    for (int d = 0; d < desktops; ++d) {
        nlohmann::ordered_json ws;
        ws["name"] = "Desktop " + std::to_string(d);
        auto names = nlohmann::ordered_json::array();
        auto positions = nlohmann::ordered_json::object();
        for (int f = 0; f < files; ++f) {
            const std::string name = "report " + std::to_string(version) + "-" + std::to_string(f) + ".pdf";
            names.push_back(name);
            positions[name] = {{"x", f * 7 + version}, {"y", d * 3}};
        }
        ws["files"] = std::move(names);
        ws["positions"] = std::move(positions);
        workspaces.push_back(std::move(ws));
    }
    doc["workspaces"] = std::move(workspaces);
    return decodeConfig(doc.dump());
}

} // namespace tessarin::test
