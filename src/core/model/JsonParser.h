#pragma once

#include "model/ConfigCodec.h"

#include <string_view>

namespace tessarin {

// Parses JSON text into an ordered DOM in linear time (the stock ordered_json parser searches every
// object linearly on each key, which is quadratic for the large position maps). Keys keep their
// order; a repeated key keeps its first position and its last value. Throws DecodeError
// "<documentName> is not valid JSON: <detail>".
Json parseJsonDocument(std::string_view bytes, std::string_view documentName = "config.json");

} // namespace tessarin
