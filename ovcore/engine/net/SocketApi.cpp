// The socket functions of the engine's C interface.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/core/HandleTable.h"
#include "ovcore/engine/net/Socket.h"

#include <poll.h>

#include <cstdlib>

#include <memory>
#include <vector>

namespace {

struct SocketTable {
    ov::HandleTable<ov::Socket> sockets{"socket"};
    std::vector<pollfd> waiting;  // reused by OvSocketReadable
    std::vector<ov::Socket*> found;  // the sockets of its handles, looked up once
};

[[gnu::always_inline]] inline SocketTable& Table() {
    static SocketTable table;
    return table;
}

// Inline: a lookup is a bounds check and a comparison at every call of the
// interface.
[[gnu::always_inline]] inline ov::Socket* Find(OvHandle handle) { return Table().sockets.Find(handle); }

}  // namespace

extern "C" OV_API int OvSocketInitiation(void) {
    Table();
    return 1;
}

extern "C" OV_API void OvSocketClosure(void) { Table().sockets.Clear(); }

extern "C" OV_API int OvSocketCreate(OvHandle* handle) {
    if (!handle) return 0;
    *handle = Table().sockets.Add(std::make_unique<ov::Socket>());
    if (!OvHandleIsEmpty(*handle)) return 1;
    *handle = OvHandle{0, 0};  // the null socket
    return 0;
}

extern "C" OV_API int OvSocketOpen(OvHandle handle, int family) {
    ov::Socket* socket = Find(handle);
    return socket && socket->Open(family) ? 1 : 0;
}

extern "C" OV_API int OvSocketListen(OvHandle handle, uint16_t port, int backlog) {
    ov::Socket* socket = Find(handle);
    return socket && socket->Listen(port, backlog) ? 1 : 0;
}

extern "C" OV_API int OvSocketConnect(OvHandle handle, const char* host, uint16_t port) {
    ov::Socket* socket = Find(handle);
    return socket && socket->Connect(host, port) ? 1 : 0;
}

extern "C" OV_API int OvSocketAccept(OvHandle pending, OvHandle listening) {
    ov::Socket* fresh = Find(pending);
    ov::Socket* listener = Find(listening);
    return fresh && listener && fresh != listener && fresh->AcceptFrom(*listener) ? 1 : 0;
}

extern "C" OV_API int OvSocketNagle(OvHandle handle, int noDelay) {
    ov::Socket* socket = Find(handle);
    return socket && socket->SetNoDelay(noDelay != 0) ? 1 : 0;
}

extern "C" OV_API int OvSocketAsync(OvHandle handle, int nonBlocking) {
    ov::Socket* socket = Find(handle);
    return socket && socket->SetAsync(nonBlocking != 0) ? 1 : 0;
}

extern "C" OV_API uint32_t OvSocketSend(OvHandle handle, const OvBuffer* buffer, int keepRest, uint32_t offset,
                                        uint32_t count) {
    ov::Socket* socket = Find(handle);
    if (!socket || !buffer || !buffer->data || offset >= buffer->capacity) return 0;
    const uint32_t available = buffer->capacity - offset;
    const uint32_t length = count == 0 || count > available ? available : count;
    return socket->Send(buffer->data + offset, length, keepRest == OV_SOCKET_SEND_KEEP);
}

extern "C" OV_API uint32_t OvSocketReceive(OvHandle handle, OvBuffer* buffer, uint32_t blockSize, int flags) {
    if (!buffer) return 0;
    if (OvHandleIsEmpty(handle)) {
        if (flags & OV_SOCKET_RECEIVE_RELEASE) {
            std::free(buffer->data);
            buffer->data = nullptr;
            buffer->capacity = 0;
        }
        buffer->cursor = buffer->data;
        return 0;
    }
    ov::Socket* socket = Find(handle);
    if (!socket) return 0;
    return socket->Receive(*buffer, blockSize);
}

extern "C" OV_API int OvSocketIsConnected(OvHandle handle) {
    ov::Socket* socket = Find(handle);
    return socket && socket->IsConnected() ? 1 : 0;
}

extern "C" OV_API void OvSocketDestroy(OvHandle handle) { Table().sockets.Destroy(handle); }

extern "C" OV_API int OvSocketTimeout(OvHandle handle, uint32_t milliseconds) {
    ov::Socket* socket = Find(handle);
    if (!socket) return 0;
    socket->SetTimeout(milliseconds);
    return 1;
}

extern "C" OV_API int OvSocketFlush(OvHandle handle) {
    ov::Socket* socket = Find(handle);
    return socket && socket->Flush() ? 1 : 0;
}

extern "C" OV_API uint32_t OvSocketQueued(OvHandle handle) {
    ov::Socket* socket = Find(handle);
    return socket ? socket->Queued() : 0;
}

extern "C" OV_API uint16_t OvSocketLocalPort(OvHandle handle) {
    ov::Socket* socket = Find(handle);
    return socket ? socket->LocalPort() : 0;
}

extern "C" OV_API uint32_t OvSocketReadable(const OvHandle* handles, uint32_t count, uint8_t* readable, int timeoutMs) {
    if (!handles || !readable) return 0;
    SocketTable& table = Table();
    std::vector<pollfd>& waiting = table.waiting;
    std::vector<ov::Socket*>& found = table.found;
    waiting.resize(count);
    found.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        ov::Socket* socket = found[i] = Find(handles[i]);
        const bool live = socket && (socket->IsConnected() || socket->IsListening());
        const short events = live ? static_cast<short>(POLLIN | (socket->Queued() ? POLLOUT : 0)) : 0;
        waiting[i] = pollfd{live ? socket->Descriptor() : -1, events, 0};
    }
    if (count > 0) poll(waiting.data(), count, timeoutMs > 0 ? timeoutMs : 0);
    uint32_t ready = 0;
    for (uint32_t i = 0; i < count; ++i) {
        ov::Socket* socket = found[i];
        if (socket && waiting[i].fd >= 0 && (waiting[i].revents & POLLOUT)) socket->Flush();
        readable[i] = waiting[i].fd < 0 || (waiting[i].revents & (POLLIN | POLLHUP | POLLERR)) ? 1 : 0;
        ready += readable[i];
    }
    return ready;
}

extern "C" OV_API int OvSocketBind(OvHandle handle, int family, const char* host, uint16_t port) {
    ov::Socket* socket = Find(handle);
    return socket && socket->Bind(family, host, port) ? 1 : 0;
}

extern "C" OV_API int OvSocketResolve(const char* host, uint16_t port, int family, OvAddress* address) {
    return address && ov::Resolve(host, port, family, address) ? 1 : 0;
}

extern "C" OV_API uint32_t OvSocketAddressText(const OvAddress* address, char* text, uint32_t capacity) {
    if (!address) {
        if (text && capacity) text[0] = '\0';
        return 0;
    }
    return ov::AddressText(*address, text, capacity);
}

// A datagram is sent whole or not at all: a count past the array's end is
// refused rather than cut.
extern "C" OV_API uint32_t OvSocketSendTo(OvHandle handle, const OvBuffer* buffer, uint32_t offset, uint32_t count,
                                          const OvAddress* to) {
    ov::Socket* socket = Find(handle);
    if (!socket || !buffer || !buffer->data || !to || offset >= buffer->capacity) return 0;
    const uint32_t available = buffer->capacity - offset;
    if (count > available) return 0;
    return socket->SendTo(buffer->data + offset, count == 0 ? available : count, *to);
}

extern "C" OV_API int OvSocketReceiveFrom(OvHandle handle, OvBuffer* buffer, OvAddress* from) {
    if (!buffer) return 0;
    ov::Socket* socket = Find(handle);
    if (!socket) {
        buffer->cursor = buffer->data;
        if (from) *from = OvAddress{};
        return 0;
    }
    return socket->ReceiveFrom(*buffer, from);
}

extern "C" OV_API int OvSocketReceiveLimit(OvHandle handle, uint32_t bytes) {
    ov::Socket* socket = Find(handle);
    return socket && socket->SetReceiveLimit(bytes) ? 1 : 0;
}
