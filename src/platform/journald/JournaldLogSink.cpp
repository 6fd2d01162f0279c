#include "journald/JournaldLogSink.h"

#include <cstdint>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <system_error>
#include <unistd.h>

namespace tessarin {

namespace {

constexpr int priorityInfo = 6;
constexpr int priorityError = 3;

// One field of the native protocol: KEY=value, or for a value holding a newline the key, its length as
// 64-bit little endian and the bytes.
void appendField(std::string& datagram, const char* key, const std::string& value) {
    datagram += key;
    if (value.find('\n') == std::string::npos) {
        datagram += '=';
    } else {
        datagram += '\n';
        uint64_t size = value.size();
        for (int i = 0; i < 8; ++i, size >>= 8)
            datagram += static_cast<char>(size & 0xff);
    }
    datagram += value;
    datagram += '\n';
}

} // namespace

JournaldLogSink::JournaldLogSink(std::filesystem::path socket)
    : socket_(std::move(socket)), fd_(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}

JournaldLogSink::~JournaldLogSink() {
    if (fd_ >= 0)
        ::close(fd_);
}

void JournaldLogSink::write(const LogEntry& entry) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socket_.string();
    if (fd_ < 0 || path.size() >= sizeof address.sun_path)
        return;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int priority = entry.level == LogLevel::error ? priorityError : priorityInfo;
    std::string datagram;
    appendField(datagram, "MESSAGE", entry.message);
    appendField(datagram, "PRIORITY", std::to_string(priority));
    appendField(datagram, "SYSLOG_IDENTIFIER", identifier);
    appendField(datagram, "TESSARIN_CATEGORY", std::string(logCategoryName(entry.category)));
    // Logging never fails the caller: an entry the journal refuses is dropped.
    (void)::sendto(fd_, datagram.data(), datagram.size(), MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&address),
                   sizeof address);
}

std::shared_ptr<LogSink> journalSinkIfRunning(const std::filesystem::path& journalSocket) {
    std::error_code ec;
    if (!std::filesystem::exists(journalSocket, ec))
        return nullptr;
    return std::make_shared<JournaldLogSink>(journalSocket);
}

} // namespace tessarin
