#include "ovcore/engine/net/Socket.h"

#include "ovcore/platform/Diagnostics.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ov {

namespace {

int DomainOf(int family) {
    if (family == OV_SOCKET_IPV4) return AF_INET;
    if (family == OV_SOCKET_IPV6) return AF_INET6;
    return AF_UNSPEC;
}

bool SetBlocking(int fd, bool blocking) {
    const int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0) return false;
    const int wanted = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return wanted == flags || fcntl(fd, F_SETFL, wanted) == 0;
}

bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// A URL where a host belongs ("http://example.org", "example.org/index"):
// the name server would only answer that no such host exists.
bool LooksLikeUrl(const char* host) { return std::strstr(host, "://") != nullptr || std::strchr(host, '/') != nullptr; }

int BindAny(int domain, uint16_t port, bool v6Only) {
    const int fd = socket(domain, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    const int one = 1;
    const int only = v6Only ? 1 : 0;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (domain == AF_INET6) setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &only, sizeof only);
    sockaddr_storage address{};
    socklen_t length = 0;
    if (domain == AF_INET6) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&address);
        in6->sin6_family = AF_INET6;
        in6->sin6_addr = in6addr_any;
        in6->sin6_port = htons(port);
        length = sizeof(sockaddr_in6);
    } else {
        auto* in4 = reinterpret_cast<sockaddr_in*>(&address);
        in4->sin_family = AF_INET;
        in4->sin_addr.s_addr = htonl(INADDR_ANY);
        in4->sin_port = htons(port);
        length = sizeof(sockaddr_in);
    }
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

Socket::~Socket() {
    if (IsConnected()) Flush();
    CloseDescriptor();
}

void Socket::CloseDescriptor() {
    acceptWatch_.reset();  // its ring holds the listener open
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    peer_[0] = '\0';
    connected_ = false;
    listening_ = false;
    datagram_ = false;
    queue_.clear();
    queueStart_ = 0;
}

bool Socket::Open(int family) {
    if (family != OV_SOCKET_ANY && family != OV_SOCKET_IPV4 && family != OV_SOCKET_IPV6) {
        PlatformReportFailure("net: cannot open socket: family %d: not 0, 4 or 6", family);
        return false;
    }
    CloseDescriptor();
    family_ = family;
    opened_ = true;
    return true;
}

bool Socket::Adopt(int fd) {
    fd_ = fd;
    connected_ = true;
    return ApplyOptions();
}

bool Socket::ApplyOptions() {
    if (fd_ < 0) return true;
    const timeval wait{static_cast<time_t>(timeoutMs_ / 1000), static_cast<suseconds_t>(timeoutMs_ % 1000) * 1000};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
    return SetBlocking(fd_, !async_);
}

bool Socket::Listen(uint16_t port, int backlog) {
    if (!opened_ || fd_ >= 0) return false;
    int fd = -1;
    if (family_ == OV_SOCKET_IPV4)
        fd = BindAny(AF_INET, port, false);
    else if (family_ == OV_SOCKET_IPV6)
        fd = BindAny(AF_INET6, port, true);
    else if ((fd = BindAny(AF_INET6, port, false)) < 0)
        fd = BindAny(AF_INET, port, false);
    if (fd >= 0 && listen(fd, backlog > 0 ? backlog : SOMAXCONN) != 0) {
        const int error = errno;
        close(fd);
        fd = -1;
        errno = error;
    }
    if (fd < 0) {
        PlatformReportFailure("net: cannot listen: port %u: %s", static_cast<unsigned>(port), std::strerror(errno));
        return false;
    }
    fd_ = fd;
    listening_ = true;
    acceptWatch_ = std::make_unique<AcceptWatch>(fd_);
    return ApplyOptions();
}

bool Socket::WaitWritable(int fd) {
    pollfd waiting{fd, POLLOUT, 0};
    const int limit = timeoutMs_ ? static_cast<int>(timeoutMs_) : -1;
    int ready = 0;
    do ready = poll(&waiting, 1, limit);
    while (ready < 0 && errno == EINTR);
    if (ready == 0) errno = ETIMEDOUT;
    if (ready <= 0) return false;
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return false;
    errno = error;
    return error == 0;
}

int Socket::ConnectOne(const void* address, unsigned length, int domain) {
    const int fd = socket(domain, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return errno;
    const bool done =
        connect(fd, static_cast<const sockaddr*>(address), length) == 0 || (errno == EINPROGRESS && WaitWritable(fd));
    if (!done) {
        const int error = errno ? errno : ECONNREFUSED;
        close(fd);
        return error;
    }
    if (!Adopt(fd)) {
        const int error = errno;
        CloseDescriptor();
        return error ? error : EINVAL;
    }
    return 0;
}

bool Socket::Connect(const char* host, uint16_t port) {
    if (!opened_ || fd_ >= 0 || !host) return false;
    addrinfo hints{};
    hints.ai_family = DomainOf(family_);
    hints.ai_socktype = SOCK_STREAM;
    char service[8];
    std::snprintf(service, sizeof service, "%u", static_cast<unsigned>(port));
    // "[v6]:port" for literal IPv6 addresses, "host:port" for the rest.
    const bool bracket = std::strchr(host, ':') != nullptr;
    char name[sizeof peer_];
    std::snprintf(name, sizeof name, bracket ? "[%s]:%s" : "%s:%s", host, service);
    if (LooksLikeUrl(host)) {
        PlatformReportFailure("net: cannot resolve: %s: a host name or address, not a URL, is expected", host);
        return false;
    }
    addrinfo* found = nullptr;
    const int lookup = getaddrinfo(host, service, &hints, &found);
    if (lookup != 0) {
        PlatformReportFailure("net: cannot resolve: %s: %s", host,
                              lookup == EAI_SYSTEM ? std::strerror(errno) : gai_strerror(lookup));
        return false;
    }
    int error = ENOTCONN;
    for (addrinfo* at = found; at && error != 0; at = at->ai_next)
        error = ConnectOne(at->ai_addr, at->ai_addrlen, at->ai_family);
    freeaddrinfo(found);
    if (error != 0) {
        PlatformReportFailure("net: cannot connect: %s: %s", name, std::strerror(error));
        return false;
    }
    std::memcpy(peer_, name, sizeof peer_);
    return true;
}

bool Socket::AcceptFrom(Socket& listening) {
    if (fd_ >= 0 || listening.fd_ < 0 || listening.connected_) return false;
    AcceptWatch* watch = listening.async_ ? listening.acceptWatch_.get() : nullptr;
    if (watch && !watch->MayAccept()) return false;
    int fd = -1;
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    do fd = accept4(listening.fd_, reinterpret_cast<sockaddr*>(&address), &length, SOCK_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (watch && WouldBlock(errno)) watch->Drained();
        return false;
    }
    opened_ = true;
    async_ = false;
    if (!Adopt(fd)) {
        CloseDescriptor();
        return false;
    }
    RememberPeer(address);
    return true;
}

bool Socket::SetNoDelay(bool on) {
    noDelay_ = on;
    if (fd_ < 0) return false;
    const int value = on ? 1 : 0;
    return setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &value, sizeof value) == 0;
}

bool Socket::SetAsync(bool on) {
    if (IsDatagram()) return on;  // a datagram socket never blocks
    async_ = on;
    return fd_ >= 0 && SetBlocking(fd_, !on);
}

void Socket::SetTimeout(uint32_t milliseconds) {
    timeoutMs_ = milliseconds;
    ApplyOptions();
}

uint16_t Socket::LocalPort() const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (fd_ < 0 || getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    if (address.ss_family == AF_INET6) return ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
    return ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
}

size_t Socket::Write(const uint8_t* bytes, size_t count) {
    size_t sent = 0;
    while (sent < count) {
        const ssize_t n = send(fd_, bytes + sent, count - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // A blocking send that timed out leaves the connection usable.
            if (n == 0 || !WouldBlock(errno)) Fail(n < 0 ? errno : 0);
            break;
        }
    }
    return sent;
}

void Socket::Enqueue(const uint8_t* bytes, size_t count) {
    if (queueStart_ > 0 && queueStart_ == queue_.size()) {
        queue_.clear();
        queueStart_ = 0;
    }
    queue_.insert(queue_.end(), bytes, bytes + count);
}

bool Socket::Flush() {
    if (!IsConnected()) return false;
    if (Queued() == 0) return true;
    queueStart_ += Write(queue_.data() + queueStart_, Queued());
    if (queueStart_ == queue_.size() || queueStart_ > queue_.size() / 2) {
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<ptrdiff_t>(queueStart_));
        queueStart_ = 0;
    }
    return IsConnected();
}

uint32_t Socket::Send(const uint8_t* bytes, uint32_t count, bool keepRest) {
    if (!IsConnected() || count == 0) return 0;
    if (keepRest && async_ && Queued() + static_cast<size_t>(count) > OV_SOCKET_QUEUE_LIMIT) {
        Flush();
        if (Queued() + static_cast<size_t>(count) > OV_SOCKET_QUEUE_LIMIT) return 0;
    }
    if (Queued() > 0 && !Flush()) return 0;
    if (Queued() > 0) {
        if (!keepRest) return 0;
        Enqueue(bytes, count);
        return count;
    }
    const size_t sent = Write(bytes, count);
    if (sent == count || !async_ || !keepRest || !IsConnected()) return static_cast<uint32_t>(sent);
    Enqueue(bytes + sent, count - sent);
    return count;
}

uint32_t Socket::Receive(OvBuffer& buffer, uint32_t blockSize) {
    buffer.cursor = buffer.data;
    if (!IsConnected()) return 0;
    if (async_ && Queued() > 0) Flush();
    const uint32_t block = blockSize ? blockSize : OV_SOCKET_DEFAULT_BLOCK;
    if (buffer.capacity < block || !buffer.data) {
        auto* grown = static_cast<uint8_t*>(std::realloc(buffer.data, block));
        if (!grown) return 0;
        buffer.data = grown;
        buffer.cursor = grown;
        buffer.capacity = block;
    }
    ssize_t n = 0;
    do n = recv(fd_, buffer.data, block, 0);
    while (n < 0 && errno == EINTR);
    if (n > 0) {
        buffer.cursor = buffer.data + n;
        return static_cast<uint32_t>(n);
    }
    if (n == 0 || !WouldBlock(errno)) Fail(n < 0 ? errno : 0);
    return 0;
}

void Socket::Fail(int error) {
    // The peer's orderly close is no failure; an error from the kernel is.
    if (connected_ && error != 0) PlatformReportFailure("net: connection lost: %s: %s", peer_, std::strerror(error));
    connected_ = false;
}

}  // namespace ov
