#pragma once

#include <optional>
#include <string_view>

namespace tessarin::control {

// Where the running agent listens.
inline constexpr const char* busName = "com.orrinvale.Tessarin";
inline constexpr const char* objectPath = "/com/orrinvale/Tessarin";
inline constexpr const char* interfaceName = "com.orrinvale.Tessarin1";

// How a request failed; the numbers are tessarinctl's exit statuses.
enum class Failure : int {
    refused = 1,  // refused or failed
    usage = 2,    // the request itself was wrong
    busy = 3,     // a switch is running, or the agent is still starting
    readOnly = 4, // the document was written by a newer version
};

// The D-Bus error name of a failure, e.g. "com.orrinvale.Tessarin1.Error.Busy".
const char* errorName(Failure failure);
// The failure an error name stands for; none for names of other interfaces.
std::optional<Failure> failureForErrorName(std::string_view name);

} // namespace tessarin::control
