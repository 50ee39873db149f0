// One TCP endpoint of the engine: a listening socket or a connection, with
// the bytes a non-blocking send could not hand to the kernel yet.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/net/AcceptWatch.h"

#include <sys/socket.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace ov {

class Socket {
public:
    Socket() = default;
    ~Socket();
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Forgets any previous connection and remembers the address family.
    bool Open(int family);
    // False, with "net: cannot listen: port P: <cause>" in the diagnostics,
    // when the port cannot be had.
    bool Listen(uint16_t port, int backlog);
    // False when the host does not resolve ("net: cannot resolve: <host>:
    // <cause>"; a URL is refused before any lookup) or no address of it
    // takes the connection ("net: cannot connect: <host>:<port>: <cause>").
    bool Connect(const char* host, uint16_t port);
    // Takes the next waiting connection of a listening socket. A
    // non-blocking listener that its watch knows to be idle answers false
    // without a system call.
    bool AcceptFrom(Socket& listening);
    bool SetNoDelay(bool on);
    bool SetAsync(bool on);
    void SetTimeout(uint32_t milliseconds);

    uint32_t Send(const uint8_t* bytes, uint32_t count, bool keepRest);
    // Replaces the buffer's content with the next block (at most blockSize bytes).
    uint32_t Receive(OvBuffer& buffer, uint32_t blockSize);
    // Hands queued bytes to the kernel as far as it takes them now; false
    // when the connection failed.
    bool Flush();

    // Datagram endpoints (SocketDatagram.cpp): bound, never blocking, one
    // datagram a send or receive; the receive limit is the kernel's buffer.
    bool Bind(int family, const char* host, uint16_t port);
    bool SetReceiveLimit(uint32_t bytes);
    uint32_t SendTo(const uint8_t* bytes, uint32_t count, const OvAddress& to);
    int ReceiveFrom(OvBuffer& buffer, OvAddress* from);
    bool IsDatagram() const { return fd_ >= 0 && datagram_; }

    bool IsConnected() const { return fd_ >= 0 && connected_; }
    bool IsListening() const { return fd_ >= 0 && listening_; }
    bool IsAsync() const { return async_; }
    uint32_t Queued() const { return static_cast<uint32_t>(queue_.size() - queueStart_); }
    uint16_t LocalPort() const;
    int Descriptor() const { return fd_; }

private:
    int fd_ = -1;
    int family_ = OV_SOCKET_ANY;
    bool opened_ = false;
    bool connected_ = false;
    bool listening_ = false;
    bool async_ = false;
    bool noDelay_ = false;
    bool datagram_ = false;
    int domain_ = 0;  // a datagram socket's address family (AF_INET, AF_INET6)
    bool v6Only_ = false;  // an AF_INET6 datagram socket that cannot reach IPv4 peers
    uint32_t timeoutMs_ = 0;
    char peer_[80] = {};  // "host:port" of the other end, for failure reports
    std::vector<uint8_t> queue_;
    size_t queueStart_ = 0;
    std::unique_ptr<AcceptWatch> acceptWatch_;  // a listener's arrivals

    void CloseDescriptor();
    bool Adopt(int fd);
    bool ApplyOptions();
    // 0 when connected, else the errno of the failure.
    int ConnectOne(const void* address, unsigned length, int domain);
    bool WaitWritable(int fd);
    // Blocking: everything or until the connection fails. Non-blocking: what
    // the kernel takes now. Returns the bytes handed over.
    size_t Write(const uint8_t* bytes, size_t count);
    void Enqueue(const uint8_t* bytes, size_t count);
    // The connection ended: by the peer's close (error 0) or by the kernel's
    // error, which is reported once as "net: connection lost: <peer>: <cause>".
    void Fail(int error);
    // The accepted peer's address as "a.b.c.d:port" or "[v6]:port".
    void RememberPeer(const sockaddr_storage& address);
    bool PeerAddress(const OvAddress& to, sockaddr_storage* address, socklen_t* length) const;
};

// A host name or literal address in a family, for OvSocketResolve.
bool Resolve(const char* host, uint16_t port, int family, OvAddress* out);
// "a.b.c.d:port" or "[v6]:port" with its NUL; the length, 0 when it does not fit.
uint32_t AddressText(const OvAddress& address, char* text, uint32_t capacity);

}  // namespace ov
