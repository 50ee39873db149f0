// Datagram (UDP) endpoints: binding, addresses, one datagram a send or receive.
#include "ovcore/engine/net/Socket.h"

#include "ovcore/platform/Diagnostics.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ov {

namespace {

// An IPv4 peer as an IPv6 dual-stack socket sees it: ::ffff:a.b.c.d.
constexpr uint8_t kMappedPrefix[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};

int OpenBound(const sockaddr* address, socklen_t length, bool v6Only) {
    const int fd = socket(address->sa_family, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    if (address->sa_family == AF_INET6) {
        const int only = v6Only ? 1 : 0;
        setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &only, sizeof only);
    }
    if (bind(fd, address, length) != 0) {
        const int error = errno;
        close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

int OpenAnyInterface(int domain, uint16_t port, bool v6Only) {
    sockaddr_storage address{};
    if (domain == AF_INET6) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&address);
        in6->sin6_family = AF_INET6;
        in6->sin6_addr = in6addr_any;
        in6->sin6_port = htons(port);
        return OpenBound(reinterpret_cast<sockaddr*>(&address), sizeof(sockaddr_in6), v6Only);
    }
    auto* in4 = reinterpret_cast<sockaddr_in*>(&address);
    in4->sin_family = AF_INET;
    in4->sin_addr.s_addr = htonl(INADDR_ANY);
    in4->sin_port = htons(port);
    return OpenBound(reinterpret_cast<sockaddr*>(&address), sizeof(sockaddr_in), false);
}

int HintFamily(int family) {
    if (family == OV_SOCKET_IPV4) return AF_INET;
    if (family == OV_SOCKET_IPV6) return AF_INET6;
    return AF_UNSPEC;
}

bool FromSockaddr(const sockaddr_storage& address, OvAddress* out) {
    *out = OvAddress{};
    if (address.ss_family == AF_INET) {
        const auto& in4 = reinterpret_cast<const sockaddr_in&>(address);
        out->family = OV_SOCKET_IPV4;
        out->port = ntohs(in4.sin_port);
        std::memcpy(out->bytes, &in4.sin_addr, 4);
        return true;
    }
    if (address.ss_family != AF_INET6) return false;
    const auto& in6 = reinterpret_cast<const sockaddr_in6&>(address);
    out->port = ntohs(in6.sin6_port);
    if (std::memcmp(&in6.sin6_addr, kMappedPrefix, sizeof kMappedPrefix) == 0) {
        out->family = OV_SOCKET_IPV4;
        std::memcpy(out->bytes, reinterpret_cast<const uint8_t*>(&in6.sin6_addr) + 12, 4);
        return true;
    }
    out->family = OV_SOCKET_IPV6;
    out->scope = in6.sin6_scope_id;
    std::memcpy(out->bytes, &in6.sin6_addr, 16);
    return true;
}

}  // namespace

bool Resolve(const char* host, uint16_t port, int family, OvAddress* out) {
    *out = OvAddress{};
    if (!host || (family != OV_SOCKET_ANY && family != OV_SOCKET_IPV4 && family != OV_SOCKET_IPV6)) return false;
    addrinfo hints{};
    hints.ai_family = HintFamily(family);
    hints.ai_socktype = SOCK_DGRAM;
    char service[8];
    std::snprintf(service, sizeof service, "%u", static_cast<unsigned>(port));
    addrinfo* found = nullptr;
    const int error = getaddrinfo(host, service, &hints, &found);
    if (error != 0) {
        PlatformReportFailure("net: cannot resolve: %s: %s", host, gai_strerror(error));
        return false;
    }
    sockaddr_storage address{};
    std::memcpy(&address, found->ai_addr, std::min<size_t>(found->ai_addrlen, sizeof address));
    freeaddrinfo(found);
    return FromSockaddr(address, out);
}

uint32_t AddressText(const OvAddress& address, char* text, uint32_t capacity) {
    if (!text || capacity == 0) return 0;
    text[0] = '\0';
    char host[INET6_ADDRSTRLEN] = {};
    int length = -1;
    if (address.family == OV_SOCKET_IPV4 && inet_ntop(AF_INET, address.bytes, host, sizeof host))
        length = std::snprintf(text, capacity, "%s:%u", host, static_cast<unsigned>(address.port));
    else if (address.family == OV_SOCKET_IPV6 && inet_ntop(AF_INET6, address.bytes, host, sizeof host))
        length = std::snprintf(text, capacity, "[%s]:%u", host, static_cast<unsigned>(address.port));
    if (length < 0 || static_cast<uint32_t>(length) >= capacity) {
        text[0] = '\0';
        return 0;
    }
    return static_cast<uint32_t>(length);
}

void Socket::RememberPeer(const sockaddr_storage& address) {
    OvAddress peer{};
    if (!FromSockaddr(address, &peer) || AddressText(peer, peer_, sizeof peer_) == 0)
        std::snprintf(peer_, sizeof peer_, "unknown peer");
}

bool Socket::Bind(int family, const char* host, uint16_t port) {
    if (family != OV_SOCKET_ANY && family != OV_SOCKET_IPV4 && family != OV_SOCKET_IPV6) {
        PlatformReportFailure("net: cannot bind datagram socket: family %d: not 0, 4 or 6", family);
        return false;
    }
    CloseDescriptor();
    family_ = family;
    opened_ = true;
    int fd = -1;
    if (host) {
        addrinfo hints{};
        hints.ai_family = HintFamily(family);
        hints.ai_socktype = SOCK_DGRAM;
        hints.ai_flags = AI_PASSIVE;
        char service[8];
        std::snprintf(service, sizeof service, "%u", static_cast<unsigned>(port));
        addrinfo* found = nullptr;
        const int error = getaddrinfo(host, service, &hints, &found);
        if (error != 0) {
            PlatformReportFailure("net: cannot bind datagram socket: %s: %s", host, gai_strerror(error));
            return false;
        }
        for (addrinfo* at = found; at && fd < 0; at = at->ai_next)
            fd = OpenBound(at->ai_addr, at->ai_addrlen, family == OV_SOCKET_IPV6);
        freeaddrinfo(found);
    } else if (family == OV_SOCKET_IPV4) {
        fd = OpenAnyInterface(AF_INET, port, false);
    } else if (family == OV_SOCKET_IPV6) {
        fd = OpenAnyInterface(AF_INET6, port, true);
    } else if ((fd = OpenAnyInterface(AF_INET6, port, false)) < 0) {
        fd = OpenAnyInterface(AF_INET, port, false);
    }
    if (fd < 0) {
        PlatformReportFailure("net: cannot bind datagram socket: %s port %u: %s", host ? host : "any interface",
                              static_cast<unsigned>(port), std::strerror(errno));
        return false;
    }
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
    int v6Only = 0;
    socklen_t optionLength = sizeof v6Only;
    if (local.ss_family == AF_INET6) getsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &v6Only, &optionLength);
    fd_ = fd;
    datagram_ = true;
    async_ = true;
    domain_ = local.ss_family;
    v6Only_ = v6Only != 0;
    return SetReceiveLimit(OV_SOCKET_DATAGRAM_QUEUE);
}

bool Socket::SetReceiveLimit(uint32_t bytes) {
    if (!IsDatagram()) return false;
    const int value = static_cast<int>(std::min<uint32_t>(bytes, 1u << 30));
    return setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &value, sizeof value) == 0;
}

// The peer as this socket's family writes it; false when it cannot reach it.
bool Socket::PeerAddress(const OvAddress& to, sockaddr_storage* address, socklen_t* length) const {
    *address = sockaddr_storage{};
    if (to.family == OV_SOCKET_IPV4 && domain_ == AF_INET) {
        auto* in4 = reinterpret_cast<sockaddr_in*>(address);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(to.port);
        std::memcpy(&in4->sin_addr, to.bytes, 4);
        *length = sizeof(sockaddr_in);
        return true;
    }
    if (domain_ != AF_INET6 || (to.family == OV_SOCKET_IPV4 && v6Only_)) return false;
    if (to.family != OV_SOCKET_IPV4 && to.family != OV_SOCKET_IPV6) return false;
    auto* in6 = reinterpret_cast<sockaddr_in6*>(address);
    in6->sin6_family = AF_INET6;
    in6->sin6_port = htons(to.port);
    auto* bytes = reinterpret_cast<uint8_t*>(&in6->sin6_addr);
    if (to.family == OV_SOCKET_IPV4) {
        std::memcpy(bytes, kMappedPrefix, sizeof kMappedPrefix);
        std::memcpy(bytes + 12, to.bytes, 4);
    } else {
        std::memcpy(bytes, to.bytes, 16);
        in6->sin6_scope_id = to.scope;
    }
    *length = sizeof(sockaddr_in6);
    return true;
}

uint32_t Socket::SendTo(const uint8_t* bytes, uint32_t count, const OvAddress& to) {
    if (!IsDatagram() || count > OV_SOCKET_DATAGRAM_LIMIT) return 0;
    sockaddr_storage address;
    socklen_t length = 0;
    if (!PeerAddress(to, &address, &length)) return 0;
    ssize_t sent = 0;
    do sent = sendto(fd_, bytes, count, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&address), length);
    while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(count) ? count : 0;
}

int Socket::ReceiveFrom(OvBuffer& buffer, OvAddress* from) {
    buffer.cursor = buffer.data;
    if (from) *from = OvAddress{};
    if (!IsDatagram()) return 0;
    if (buffer.capacity < OV_SOCKET_DATAGRAM_LIMIT || !buffer.data) {
        auto* grown = static_cast<uint8_t*>(std::realloc(buffer.data, OV_SOCKET_DATAGRAM_LIMIT));
        if (!grown) return 0;
        buffer.data = grown;
        buffer.cursor = grown;
        buffer.capacity = OV_SOCKET_DATAGRAM_LIMIT;
    }
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    ssize_t n = 0;
    do n = recvfrom(fd_, buffer.data, OV_SOCKET_DATAGRAM_LIMIT, 0, reinterpret_cast<sockaddr*>(&address), &length);
    while (n < 0 && errno == EINTR);
    if (n < 0) return 0;
    buffer.cursor = buffer.data + n;
    if (from) FromSockaddr(address, from);
    return 1;
}

}  // namespace ov
