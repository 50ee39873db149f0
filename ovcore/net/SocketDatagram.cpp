// The datagram mode of OV_SOCKET: one UDP endpoint, polled like the others.
#include "ovcore/net/Socket.h"

#include "ovcore/net/EngineBuffer.h"

#include <algorithm>
#include <cstring>

namespace OvCore {

bool OV_SOCKET::Bind(uint16_t port, int family, const char* host) {
    Close();
    if (!OvSocketCreate(&socket)) {
        socket = OvHandle{0, 0};
        return false;
    }
    if (!OvSocketBind(socket, family, host, port)) {
        OvSocketDestroy(socket);
        socket = OvHandle{0, 0};
        return false;
    }
    mode = DATAGRAM;
    return true;
}

uint32_t OV_SOCKET::SendDatagram(const OvAddress& to, OV_MEMORY_FILE& buffer, uint32_t offset, uint32_t count) {
    if (mode != DATAGRAM) return 0;
    const uint32_t content = std::min(buffer.size, buffer.capacity);
    if (offset >= content || count > content - offset) return 0;
    return OvSocketSendTo(socket, AsEngineBuffer(buffer), offset, count == 0 ? content - offset : count, &to);
}

bool OV_SOCKET::SetReceiveLimit(uint32_t bytes) { return mode == DATAGRAM && OvSocketReceiveLimit(socket, bytes) != 0; }

// At most datagramsPerUpdate a frame, so a flooding peer cannot hold the
// frame; the rest wait in the kernel, within its receive limit.
bool OV_SOCKET::UpdateDatagram() {
    OvAddress from{};
    for (uint32_t taken = 0; taken < datagramsPerUpdate && mode == DATAGRAM; ++taken) {
        if (!OvSocketReceiveFrom(socket, AsEngineBuffer(incoming_), &from)) break;
        incoming_.size = static_cast<uint32_t>(incoming_.cursor - incoming_.data);
        incoming_.cursor = incoming_.data;
        if (OnDatagram) OnDatagram(this, from, &incoming_);
        incoming_.size = 0;
        incoming_.cursor = incoming_.data;
    }
    return mode == DATAGRAM;
}

bool ResolveAddress(const char* host, uint16_t port, int family, OvAddress& address) {
    return OvSocketResolve(host, port, family, &address) != 0;
}

bool SameAddress(const OvAddress& a, const OvAddress& b) {
    return a.family == b.family && a.port == b.port && a.scope == b.scope &&
           std::memcmp(a.bytes, b.bytes, sizeof a.bytes) == 0;
}

}  // namespace OvCore
