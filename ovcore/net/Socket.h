// OV_SOCKET: polled TCP servers, clients and HTTP requests.
#pragma once

#include "ovcore/data/MemoryFile.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/net/EngineBuffer.h"
#include "ovcore/net/HttpResponse.h"
#include "ovcore/net/HttpTransfer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OvCore {

class OV_SOCKET;

// What Send sends: count bytes of buffer from offset (count 0: the rest of
// its content), to target (null: the default target), or with broadcast to
// everyone but target.
struct OV_SOCKET_MESSAGE {
    OV_MEMORY_FILE* buffer = nullptr;  // the bytes to send; null sends nothing
    OvHandle target{0, 0};  // a server's client, or null for the default target
    uint8_t broadcast = 0;  // non-zero: to everyone but target
    uint32_t offset = 0;  // the first byte sent
    uint32_t count = 0;  // bytes to send; 0: the rest of the content
};

// The callbacks: a server accepted a client (false closes it), a client of a
// server sent a block, a client left; a client connected (false closes), a
// block arrived, the connection ended:
using OV_ON_ACCEPT = bool (*)(OV_SOCKET* socket, OvHandle client);
using OV_ON_CLIENT_RECEIVE = void (*)(OV_SOCKET* socket, OvHandle client, OV_MEMORY_FILE* buffer);
using OV_ON_CLIENT_DISCONNECT = void (*)(OV_SOCKET* socket, OvHandle client);
using OV_ON_CONNECT = bool (*)(OV_SOCKET* socket);
using OV_ON_RECEIVE = void (*)(OV_SOCKET* socket, OV_MEMORY_FILE* buffer);
using OV_ON_DISCONNECT = void (*)(OV_SOCKET* socket);
// A datagram arrived: its sender, and the buffer holding it (size its length,
// which may be 0; cursor at its start). Valid during the call only.
using OV_ON_DATAGRAM = void (*)(OV_SOCKET* socket, const OvAddress& from, OV_MEMORY_FILE* buffer);

// A TCP endpoint driven by polling: a server accepting any number of
// clients, a client on one connection, or an HTTP requester; or a datagram
// (UDP) endpoint. Update, once a frame, accepts clients, hands what arrived
// to the callbacks and notices disconnections; nothing ever waits for a peer
// there.
//
// Received blocks reach the callbacks in an OV_MEMORY_FILE whose size is the
// block's length and whose cursor stands at its start.
class OV_SOCKET {
public:
    // The mode: closed, server, client, HTTP requester or datagram endpoint.
    enum : int { CLOSED = 0, SERVER = 14, CLIENT = 15, HTTP = 16, DATAGRAM = 17 };

    int mode = CLOSED;  // CLOSED, SERVER, CLIENT, HTTP or DATAGRAM
    OvHandle socket{0, 0};  // listening socket, or the connection
    std::vector<OvHandle> clients;  // a server's accepted clients
    OvHandle pending{0, 0};  // receives the server's next accepted connection
    // The callbacks (null: none); each is called from Update:
    OV_ON_ACCEPT OnAccept = nullptr;
    OV_ON_CLIENT_RECEIVE OnClientReceive = nullptr;
    OV_ON_CLIENT_DISCONNECT OnClientDisconnect = nullptr;
    OV_ON_CONNECT OnConnect = nullptr;
    OV_ON_RECEIVE OnReceive = nullptr;
    OV_ON_DISCONNECT OnDisconnect = nullptr;
    OV_ON_DATAGRAM OnDatagram = nullptr;  // datagram mode: each datagram taken by Update
    void* userData = nullptr;  // for the callbacks; never touched here
    // How long a blocking HTTP request waits without a byte from the peer.
    float httpTimeout = 30.0f;
    // The longest a whole blocking HTTP request may take, in seconds, from
    // connecting to the last byte, however slowly the peer trickles; 0 (or
    // less): no limit but httpTimeout's.
    float httpDeadline = 0.0f;
    // The most body bytes an HTTP request of either form accepts: a longer
    // declared length fails the request at once, a body growing past it
    // fails the request and leaves the body empty. Values past 2,147,483,647
    // count as that, so a transfer's done and total are always exact.
    uint32_t httpBodyLimit = 256u << 20;
    // Blocking GETs follow at most this many redirects (0 to 10; 0: none):
    // a 301, 302, 303, 307 or 308 whose Location is a path or a plain
    // http:// address is requested in turn with GET, within the same
    // httpDeadline; any other response, or the last one, is returned as it
    // came.
    int httpRedirects = 0;
    // Datagram mode: the most datagrams one Update takes (and hands to
    // OnDatagram); the rest wait for the next, in the kernel's receive queue.
    uint32_t datagramsPerUpdate = 64;

    OV_SOCKET() = default;
    ~OV_SOCKET();
    OV_SOCKET(const OV_SOCKET&) = delete;
    OV_SOCKET& operator=(const OV_SOCKET&) = delete;

    // Listens on port (0: any free port; see Port) for backlog pending
    // connections; closes what was open first. False when the port cannot be had.
    bool Listen(uint16_t port, int backlog);
    // flag: the address family of OvSocketOpen (OV_SOCKET_ANY, _IPV4, _IPV6).
    bool Connect(const char* host, uint16_t port, int flag);
    void Close();  // destroys the socket and every client; mode becomes CLOSED
    bool Disconnect(OvHandle client);  // closes one of a server's clients; false when it is not one
    // Sends the message; the bytes sent, 0 when closed or the buffer is null.
    uint32_t Send(const OV_SOCKET_MESSAGE& message);
    // Receives one block into message.buffer from target (null: the connection); the bytes, 0 when none.
    uint32_t Receive(OV_SOCKET_MESSAGE& message);
    void EmptyBuffer(OV_MEMORY_FILE& buffer);  // empties a receive buffer (size 0)
    bool Update();  // one frame's work; false when closed, or the connection ended
    // The local port of the listening socket or connection; 0 when closed.
    uint16_t Port() const;

    // Datagrams (UDP). Bind closes whatever was open and makes the object a
    // datagram endpoint (mode DATAGRAM) on port (0: a free one, see Port) of
    // host (null: every interface) in family (OV_SOCKET_ANY: IPv6 and IPv4
    // peers alike, OV_SOCKET_IPV4, OV_SOCKET_IPV6: that family only); false,
    // closed, when the port is taken, the host does not resolve or the family
    // is unknown. Update then hands each waiting datagram to OnDatagram, at
    // most datagramsPerUpdate a frame; Send and Receive do nothing (0).
    bool Bind(uint16_t port, int family, const char* host = nullptr);
    // One datagram of count bytes of the buffer's content from offset (count
    // 0: the rest of it) to `to`; returns count once the kernel took it. 0,
    // nothing sent, outside datagram mode, when offset and count pass the
    // content, when the datagram is larger than OV_SOCKET_DATAGRAM_LIMIT, when
    // the kernel has no room for it now (datagrams are never kept for later)
    // or cannot reach the address. Arrival is not promised: datagrams may be
    // lost, repeated or reordered on the way, never cut or merged.
    uint32_t SendDatagram(const OvAddress& to, OV_MEMORY_FILE& buffer, uint32_t offset = 0, uint32_t count = 0);
    // The bytes of datagrams the kernel may keep waiting between Updates
    // (OV_SOCKET_DATAGRAM_QUEUE from Bind; the system may double or round
    // it); datagrams beyond it are dropped on arrival, so a flood costs
    // bounded memory. False outside datagram mode.
    bool SetReceiveLimit(uint32_t bytes);

    // HTTP/1.1 over plain TCP. The path is written after "/" with its spaces
    // as "%20". A host or path holding a control character (below 0x20, or
    // 0x7F) is refused before anything is sent: false, with the reason in the
    // diagnostics. Blocking requests return once the response is whole:
    // false when the connection fails, the response is malformed, cut short
    // or past httpBodyLimit, httpTimeout passes without a byte, or
    // httpDeadline passes. blockSize 0: the engine's block. Each failure
    // leaves one reason in the diagnostics: the connection's ("net: cannot
    // resolve: ...", "net: cannot connect: ...", "net: connection lost:
    // ...") or the response's ("net: HTTP request failed: <host>: <cause>").
    bool HttpGet(const char* host, const char* path, OV_MEMORY_FILE& body, uint16_t port = 80, uint32_t blockSize = 0);
    // The same with a form body (application/x-www-form-urlencoded).
    bool HttpPost(const char* host, const char* path, const char* form, OV_MEMORY_FILE& body, uint16_t port = 80,
                  uint32_t blockSize = 0);
    // Step by step: Begin sends the request, then one HttpUpdate a frame
    // receives at most one block, never waiting.
    bool HttpGetBegin(OV_HTTP_TRANSFER& transfer, const char* host, const char* path, uint16_t port = 80);
    // The same for a POST of form.
    bool HttpPostBegin(OV_HTTP_TRANSFER& transfer, const char* host, const char* path, const char* form,
                       uint16_t port = 80);
    // Receives at most one block into body; true while the transfer goes on or
    // on completion (transfer.state COMPLETE), false when nothing arrived or it
    // failed (state IDLE).
    bool HttpUpdate(OV_HTTP_TRANSFER& transfer, OV_MEMORY_FILE& body, uint32_t blockSize = 0);
    bool HttpAbort(OV_HTTP_TRANSFER& transfer);  // closes the request; false when none was running
    // The last HTTP response's status code (0 until its final head arrived),
    // reason phrase, header lines ("Name: value", "\r\n" between them) and
    // the value of one header (any case; "" when absent). Kept after the
    // request ends, until the next one starts; what the requests return
    // does not depend on them:
    int HttpStatus() const;
    std::string HttpReason() const;
    std::string HttpHeaders() const;
    std::string HttpHeader(const char* name) const;

private:
    OV_MEMORY_FILE incoming_;
    OV_HTTP_RESPONSE response_;
    std::vector<OvHandle> snapshot_;  // the clients at the start of a drain
    std::vector<uint8_t> readable_;
    uint32_t clientsChanged_ = 0;  // counts every change of clients
    std::string httpHost_;  // the step-by-step request's host, for its failure report

    bool OpenAndConnect(const char* host, uint16_t port, int flag, uint32_t timeoutMs);
    uint32_t ReceiveInto(OvHandle from, OV_MEMORY_FILE& buffer, uint32_t blockSize);
    uint32_t SendTo(OvHandle to, const OV_SOCKET_MESSAGE& message);
    uint32_t SendToClients(const OV_SOCKET_MESSAGE& message, const OvHandle* except);
    void AcceptWaiting();
    void SnapshotClients();
    void ReadEveryClient();
    void ReadPolledClients();
    void DrainClients();
    void DrainClient(OvHandle client);
    bool IsClient(OvHandle client) const;
    void DropDisconnectedClients();
    bool UpdateServer();
    bool UpdateClient();
    bool UpdateDatagram();
    void RemoveClient(size_t index);

    bool SendRequest(const OV_STRING& request);
    // startMs: when the caller's request began, on the steady clock.
    bool BlockingExchange(const char* host, const OV_STRING& request, OV_MEMORY_FILE& body, uint16_t port,
                          uint32_t blockSize, uint64_t startMs);
    uint64_t BodyLimit() const;
    bool BeginTransfer(OV_HTTP_TRANSFER& transfer, const char* host, const OV_STRING& request, uint16_t port);
    // reported: a lower layer already gave the failure's reason.
    bool FinishTransfer(OV_HTTP_TRANSFER& transfer, bool complete, bool reported);
};

// A peer's address from a host name or literal address and a port, in a
// family (OV_SOCKET_ANY: the first address the name gives); names may wait
// for a name server, so resolve once, not every frame. False, the address
// zeroed, when it does not resolve.
bool ResolveAddress(const char* host, uint16_t port, int family, OvAddress& address);
// The same family, address, port and scope.
bool SameAddress(const OvAddress& a, const OvAddress& b);

// Process-wide: before the first socket is used and after the last (the
// engine's socket start-up result; nothing to report at shut-down):
bool SocketsStartup();
void SocketsShutdown();

}  // namespace OvCore
