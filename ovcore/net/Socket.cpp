#include "ovcore/net/Socket.h"

#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/net/EngineBuffer.h"

#include <algorithm>

namespace OvCore {

namespace {

// A flooding peer cannot hold a frame: at most this many blocks are taken
// from one connection per Update; the rest waits for the next frame.
constexpr int kBlocksPerUpdate = 16;
// Connections accepted per Update; more wait in the backlog.
constexpr int kAcceptsPerUpdate = 64;
// Up to this many clients, a server's Update reads each client instead of
// polling them: a receive that finds nothing costs about what the poll does.
constexpr size_t kDirectReadClients = 2;

// What EmptyBuffer does, without a call into the engine: the receive loops
// empty their block after every callback.
void Empty(OV_MEMORY_FILE& buffer) {
    buffer.size = 0;
    buffer.cursor = buffer.data;
}

void Destroy(OvHandle& handle) {
    if (!IsNullSocket(handle)) OvSocketDestroy(handle);
    handle = OvHandle{0, 0};
}

}  // namespace

OV_SOCKET::~OV_SOCKET() { Close(); }

bool OV_SOCKET::OpenAndConnect(const char* host, uint16_t port, int flag, uint32_t timeoutMs) {
    Close();
    if (!OvSocketCreate(&socket)) {
        socket = OvHandle{0, 0};
        return false;
    }
    if (timeoutMs) OvSocketTimeout(socket, timeoutMs);
    if (!OvSocketOpen(socket, flag) || !OvSocketConnect(socket, host, port)) {
        Destroy(socket);
        return false;
    }
    return true;
}

bool OV_SOCKET::Listen(uint16_t port, int backlog) {
    Close();
    if (!OvSocketCreate(&socket)) {
        socket = OvHandle{0, 0};
        return false;
    }
    if (!OvSocketOpen(socket, OV_SOCKET_ANY) || !OvSocketListen(socket, port, backlog)) {
        Destroy(socket);
        return false;
    }
    mode = SERVER;
    OvSocketCreate(&pending);
    OvSocketAsync(socket, 1);
    return true;
}

bool OV_SOCKET::Connect(const char* host, uint16_t port, int flag) {
    if (!OpenAndConnect(host, port, flag, 0)) return false;
    mode = CLIENT;
    OvSocketNagle(socket, 1);
    OvSocketAsync(socket, 0);  // the connect callback may talk synchronously
    if (OnConnect && !OnConnect(this)) {
        Close();
        return false;
    }
    if (mode != CLIENT) return false;
    OvSocketAsync(socket, 1);
    return true;
}

void OV_SOCKET::Close() {
    Destroy(socket);
    for (OvHandle& client : clients) Destroy(client);
    clients.clear();
    ++clientsChanged_;
    Destroy(pending);
    mode = CLOSED;
}

bool OV_SOCKET::Disconnect(OvHandle client) {
    for (size_t i = 0; i < clients.size(); ++i) {
        if (!IsNullSocket(client) && SameHandle(clients[i], client)) {
            RemoveClient(i);
            return true;
        }
    }
    return false;
}

void OV_SOCKET::RemoveClient(size_t index) {
    Destroy(clients[index]);
    clients.erase(clients.begin() + static_cast<ptrdiff_t>(index));
    ++clientsChanged_;
}

uint16_t OV_SOCKET::Port() const { return IsNullSocket(socket) ? 0 : OvSocketLocalPort(socket); }

uint32_t OV_SOCKET::SendTo(OvHandle to, const OV_SOCKET_MESSAGE& message) {
    const uint32_t content = std::min(message.buffer->size, message.buffer->capacity);
    if (message.offset >= content) return 0;
    const uint32_t rest = content - message.offset;
    const uint32_t count = message.count == 0 ? rest : std::min(message.count, rest);
    return OvSocketSend(to, AsEngineBuffer(*message.buffer), OV_SOCKET_SEND_KEEP, message.offset, count);
}

uint32_t OV_SOCKET::SendToClients(const OV_SOCKET_MESSAGE& message, const OvHandle* except) {
    uint32_t largest = 0;
    for (const OvHandle& client : clients) {
        if (except && SameHandle(client, *except)) continue;
        largest = std::max(largest, SendTo(client, message));
    }
    return largest;
}

uint32_t OV_SOCKET::Send(const OV_SOCKET_MESSAGE& message) {
    if (mode == CLOSED || !message.buffer) return 0;
    if (IsNullSocket(message.target)) {
        if (mode == SERVER) return SendToClients(message, nullptr);
        return mode == CLIENT ? SendTo(socket, message) : 0;
    }
    if (!message.broadcast) return SendTo(message.target, message);
    if (mode == SERVER) return SendToClients(message, &message.target);
    if (mode == CLIENT) return SameHandle(socket, message.target) ? 0 : SendTo(socket, message);
    return 0;
}

uint32_t OV_SOCKET::ReceiveInto(OvHandle from, OV_MEMORY_FILE& buffer, uint32_t blockSize) {
    const uint32_t received = OvSocketReceive(from, AsEngineBuffer(buffer), blockSize, 0);
    buffer.size = received;
    buffer.cursor = buffer.data;
    return received;
}

uint32_t OV_SOCKET::Receive(OV_SOCKET_MESSAGE& message) {
    if (mode == CLOSED || !message.buffer) return 0;
    return ReceiveInto(IsNullSocket(message.target) ? socket : message.target, *message.buffer, 0);
}

void OV_SOCKET::EmptyBuffer(OV_MEMORY_FILE& buffer) {
    OvSocketReceive(OvHandle{0, 0}, AsEngineBuffer(buffer), 0, 0);
    buffer.size = 0;
}

bool OV_SOCKET::Update() {
    if (mode == SERVER) return UpdateServer();
    if (mode == CLIENT) return UpdateClient();
    if (mode == DATAGRAM) return UpdateDatagram();
    return false;
}

// A server with a few clients reads each directly: a client with data
// needs its receive anyway, and the engine learns of new connections
// without a system call, so a busy frame makes no call in vain. With more
// clients, one poll over the listener and every client tells which need a
// call, so an idle server costs a single system call a frame.
bool OV_SOCKET::UpdateServer() {
    if (IsNullSocket(socket) || IsNullSocket(pending)) return false;
    if (clients.size() <= kDirectReadClients)
        ReadEveryClient();
    else
        ReadPolledClients();
    if (mode == SERVER) DropDisconnectedClients();
    return mode == SERVER;
}

void OV_SOCKET::ReadEveryClient() {
    AcceptWaiting();
    if (mode != SERVER) return;
    SnapshotClients();
    readable_.assign(snapshot_.size(), 1);
    DrainClients();
}

void OV_SOCKET::ReadPolledClients() {
    SnapshotClients();
    readable_.resize(snapshot_.size());
    const uint32_t count = static_cast<uint32_t>(snapshot_.size());
    const uint32_t ready = OvSocketReadable(snapshot_.data(), count, readable_.data(), 0);
    if (readable_[0]) AcceptWaiting();
    if (mode == SERVER && ready > readable_[0]) DrainClients();
}

// The listener, then the clients as they are now: callbacks may change
// clients while the snapshot is read.
void OV_SOCKET::SnapshotClients() {
    snapshot_.assign(1, socket);
    snapshot_.insert(snapshot_.end(), clients.begin(), clients.end());
}

void OV_SOCKET::AcceptWaiting() {
    for (int i = 0; i < kAcceptsPerUpdate && mode == SERVER; ++i) {
        if (!OvSocketAccept(pending, socket)) return;
        const OvHandle client = pending;
        pending = OvHandle{0, 0};
        OvSocketNagle(client, 1);
        OvSocketAsync(client, 0);
        clients.push_back(client);
        ++clientsChanged_;
        if (OnAccept && !OnAccept(this, client)) {
            if (mode != SERVER) return;
            Disconnect(client);
        } else {
            OvSocketAsync(client, 1);
        }
        if (mode == SERVER) OvSocketCreate(&pending);
    }
}

// Only the clients the poll found with data or an ended connection are read
// (the snapshot's entry 0 is the listener); callbacks may disconnect clients
// (or close the server) while the list is walked.
void OV_SOCKET::DrainClients() {
    const uint32_t stamp = clientsChanged_;
    for (size_t i = 1; i < snapshot_.size() && mode == SERVER; ++i) {
        if (!readable_[i]) continue;
        const OvHandle client = snapshot_[i];
        if (clientsChanged_ != stamp && !IsClient(client)) continue;
        DrainClient(client);
    }
}

void OV_SOCKET::DrainClient(OvHandle client) {
    for (int block = 0; block < kBlocksPerUpdate; ++block) {
        const uint32_t received = ReceiveInto(client, incoming_, 0);
        if (received == 0) return;
        const uint32_t stamp = clientsChanged_;
        if (OnClientReceive) OnClientReceive(this, client, &incoming_);
        Empty(incoming_);
        if (mode != SERVER || (clientsChanged_ != stamp && !IsClient(client))) return;
        if (received < OV_SOCKET_DEFAULT_BLOCK) return;  // drained: the rest waits for the next poll
    }
}

bool OV_SOCKET::IsClient(OvHandle client) const {
    return std::any_of(clients.begin(), clients.end(), [&](OvHandle c) { return SameHandle(c, client); });
}

void OV_SOCKET::DropDisconnectedClients() {
    for (size_t i = 0; i < clients.size() && mode == SERVER;) {
        const OvHandle client = clients[i];
        if (OvSocketIsConnected(client)) {
            ++i;
            continue;
        }
        if (OnClientDisconnect) OnClientDisconnect(this, client);
        if (mode != SERVER) return;
        Disconnect(client);  // the entries before i were connected: go on from i
    }
}

bool OV_SOCKET::UpdateClient() {
    for (int block = 0; block < kBlocksPerUpdate && mode == CLIENT; ++block) {
        const uint32_t received = ReceiveInto(socket, incoming_, 0);
        if (received == 0) break;
        if (OnReceive) OnReceive(this, &incoming_);
        Empty(incoming_);
        if (received < OV_SOCKET_DEFAULT_BLOCK) break;  // a short block: nothing more waits now
    }
    if (mode != CLIENT) return false;
    if (OvSocketIsConnected(socket)) return true;
    if (OnDisconnect) OnDisconnect(this);
    Close();
    return false;
}

bool SocketsStartup() { return OvSocketInitiation() != 0; }

void SocketsShutdown() { OvSocketClosure(); }

}  // namespace OvCore
