// Feeds arbitrary bytes to the document reader. The reader may refuse them only with DecodeError;
// anything it accepts must encode to a form that reads back to the same document and encodes to the
// same bytes again.
#include "model/ConfigCodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void failWith(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessarin;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Date now{700000000.5};
    Config config;
    try {
        config = decodeConfig(bytes, now);
    } catch (const DecodeError&) {
        return 0;
    }
    const std::string first = encodeConfig(config);
    Config reread;
    try {
        reread = decodeConfig(first, now);
    } catch (const DecodeError& error) {
        failWith("own encoding refused", error.what());
    }
    if (!(reread == config))
        failWith("round trip changed the document", first);
    const std::string second = encodeConfig(reread);
    if (second != first)
        failWith("encoding not stable", first + "\n" + second);
    return 0;
}
