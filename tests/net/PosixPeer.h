// Test support: plain POSIX sockets for the peers on the other end of the
// connections under test, and the process's count of open descriptors.
#pragma once

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <string>

namespace peer {

// A blocking listener on 127.0.0.1 at a free port; -1 on failure.
inline int Listen(uint16_t* port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 128) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

inline int Connect(uint16_t port, int family = AF_INET) {
    const int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_storage address{};
    socklen_t length = 0;
    if (family == AF_INET6) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&address);
        in6->sin6_family = AF_INET6;
        in6->sin6_addr = in6addr_loopback;
        in6->sin6_port = htons(port);
        length = sizeof *in6;
    } else {
        auto* in4 = reinterpret_cast<sockaddr_in*>(&address);
        in4->sin_family = AF_INET;
        in4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        in4->sin_port = htons(port);
        length = sizeof *in4;
    }
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Accepts one connection, waiting at most 5 s; -1 when none came.
inline int Accept(int listener) {
    pollfd waiting{listener, POLLIN, 0};
    if (poll(&waiting, 1, 5000) != 1) return -1;
    return accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
}

inline bool SendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

// Reads until `count` bytes arrived, the peer closed, or 5 s passed without a byte.
inline std::string Read(int fd, size_t count) {
    std::string bytes;
    char block[65536];
    while (bytes.size() < count) {
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, 5000) != 1) break;
        const ssize_t n = recv(fd, block, std::min(sizeof block, count - bytes.size()), 0);
        if (n <= 0) break;
        bytes.append(block, static_cast<size_t>(n));
    }
    return bytes;
}

// Reads up to and including the first blank line (an HTTP request head).
inline std::string ReadHead(int fd) {
    std::string bytes;
    while (bytes.find("\r\n\r\n") == std::string::npos) {
        std::string one = Read(fd, 1);
        if (one.empty()) break;
        bytes += one;
    }
    return bytes;
}

// True when the peer's close arrives within 5 s (pending bytes are discarded).
inline bool SeesClose(int fd) {
    char block[4096];
    for (;;) {
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, 5000) != 1) return false;
        const ssize_t n = recv(fd, block, sizeof block, 0);
        if (n <= 0) return true;
    }
}

inline int OpenDescriptors() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') ++count;
        closedir(dir);
    }
    return count;
}

}  // namespace peer
