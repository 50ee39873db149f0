// Test support: a plain POSIX datagram socket on loopback (IPv4 or IPv6) at
// a free port, the peer of the datagram endpoints under test.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>

class UdpPeer {
public:
    explicit UdpPeer(int domain = AF_INET) : domain_(domain), fd_(socket(domain, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in6 address = Loopback(0);
        socklen_t length = sizeof address;
        if (bind(fd_, reinterpret_cast<sockaddr*>(&address), Length()) == 0 &&
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port_ = ntohs(address.sin6_port);  // sin_port sits at the same place
    }
    ~UdpPeer() { close(fd_); }
    UdpPeer(const UdpPeer&) = delete;
    UdpPeer& operator=(const UdpPeer&) = delete;

    uint16_t Port() const { return port_; }

    bool SendTo(uint16_t port, const std::string& bytes) const {
        sockaddr_in6 address = Loopback(port);
        return sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&address), Length()) ==
               static_cast<ssize_t>(bytes.size());
    }

    // The next datagram, waiting at most waitMs; nothing when none came.
    std::optional<std::string> Receive(int waitMs = 5000) const {
        pollfd waiting{fd_, POLLIN, 0};
        char bytes[65536];
        if (poll(&waiting, 1, waitMs) != 1) return std::nullopt;
        const ssize_t n = recv(fd_, bytes, sizeof bytes, 0);
        return n < 0 ? std::nullopt : std::optional<std::string>(std::string(bytes, static_cast<size_t>(n)));
    }

private:
    // Big enough for either family; an IPv4 address is laid over its start.
    sockaddr_in6 Loopback(uint16_t port) const {
        sockaddr_in6 address{};
        if (domain_ == AF_INET6) {
            address.sin6_family = AF_INET6;
            address.sin6_addr = in6addr_loopback;
            address.sin6_port = htons(port);
        } else {
            auto& in4 = reinterpret_cast<sockaddr_in&>(address);
            in4.sin_family = AF_INET;
            in4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            in4.sin_port = htons(port);
        }
        return address;
    }
    socklen_t Length() const { return domain_ == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in); }

    int domain_;
    int fd_;
    uint16_t port_ = 0;
};
