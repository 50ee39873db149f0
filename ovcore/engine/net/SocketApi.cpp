// The socket functions of the engine's C interface.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/net/Socket.h"

#include <poll.h>
#include <sys/epoll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include <memory>
#include <unordered_map>
#include <vector>

namespace {

constexpr OvHandle kEmptyHandle{1, 0};

// One descriptor of a set that OvSocketReadable watches, as it was when
// the set was registered: the socket, its open descriptor, and whether
// writability was asked for too.
struct Watched {
    uint32_t id;
    int fd;
    uint32_t generation;
    uint32_t events;
    bool operator==(const Watched&) const = default;
};

// A set of sockets registered with the kernel once, waited on with one call
// for as long as the same sockets are asked about in the same order; a
// different set registers again.
struct Readiness {
    int epoll = -1;
    std::vector<Watched> watched;
    std::vector<epoll_event> events;

    Readiness() = default;
    Readiness(const Readiness&) = delete;
    Readiness& operator=(const Readiness&) = delete;
    ~Readiness() {
        if (epoll >= 0) close(epoll);
    }
};

struct SocketTable {
    std::unordered_map<uint32_t, std::unique_ptr<ov::Socket>> sockets;
    uint32_t nextId = 1;
    std::vector<pollfd> waiting;  // reused by OvSocketReadable
    std::vector<Watched> asked;   // likewise
    // By the id of the first socket of the set: a server asks about its
    // listener and clients, an HTTP transfer about its connection.
    std::unordered_map<uint32_t, std::unique_ptr<Readiness>> readiness;
    // The sockets found last, by id modulo kRecent (id 0: empty): a server
    // and its clients are looked up several times a frame each.
    static constexpr uint32_t kRecent = 8;
    struct Recent {
        uint32_t id = 0;
        ov::Socket* socket = nullptr;
    } recent[kRecent];
};

[[gnu::always_inline]] inline SocketTable& Table() {
    static SocketTable table;
    return table;
}

ov::Socket* Find(OvHandle handle) {
    if ((handle.word0 & 0xFF) != 0 || handle.word1 == 0) return nullptr;
    SocketTable& table = Table();
    SocketTable::Recent& recent = table.recent[handle.word1 % SocketTable::kRecent];
    if (recent.id == handle.word1) return recent.socket;
    auto found = table.sockets.find(handle.word1);
    if (found == table.sockets.end()) return nullptr;
    recent = {handle.word1, found->second.get()};
    return recent.socket;
}

// Takes the socket out of the table, and out of the recent lookups.
void Forget(uint32_t id) {
    SocketTable& table = Table();
    SocketTable::Recent& recent = table.recent[id % SocketTable::kRecent];
    if (recent.id == id) recent = {};
    table.readiness.erase(id);
    table.sockets.erase(id);
}

}  // namespace

extern "C" OV_API int OvSocketInitiation(void) {
    Table();
    return 1;
}

extern "C" OV_API void OvSocketClosure(void) {
    SocketTable& table = Table();
    for (SocketTable::Recent& recent : table.recent) recent = {};
    table.readiness.clear();
    table.sockets.clear();
}

extern "C" OV_API int OvSocketCreate(OvHandle* handle) {
    if (!handle) return 0;
    SocketTable& table = Table();
    const uint32_t id = table.nextId++;
    table.sockets.emplace(id, std::make_unique<ov::Socket>(id));
    *handle = OvHandle{0, id};
    return 1;
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
    if (handle.word1 == 0 || (handle.word0 & 0xFF) != 0) {
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

extern "C" OV_API void OvSocketDestroy(OvHandle handle) {
    if (Find(handle)) Forget(handle.word1);
}

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

namespace {

// Registers watched with a fresh kernel set; false when one cannot be made.
bool Register(Readiness& readiness, const std::vector<Watched>& watched) {
    if (readiness.epoll >= 0) close(readiness.epoll);
    readiness.watched.clear();
    readiness.epoll = epoll_create1(EPOLL_CLOEXEC);
    if (readiness.epoll < 0) return false;
    for (uint32_t i = 0; i < watched.size(); ++i) {
        if (watched[i].fd < 0) continue;
        epoll_event event{};
        event.events = watched[i].events;
        event.data.u32 = i;
        if (epoll_ctl(readiness.epoll, EPOLL_CTL_ADD, watched[i].fd, &event) != 0) {
            close(readiness.epoll);
            readiness.epoll = -1;
            return false;
        }
    }
    readiness.watched = watched;
    readiness.events.resize(watched.size());
    return true;
}

// The same question with one poll over the whole set.
uint32_t PollReadable(const std::vector<Watched>& asked, uint8_t* readable, int timeoutMs) {
    std::vector<pollfd>& waiting = Table().waiting;
    waiting.resize(asked.size());
    for (size_t i = 0; i < asked.size(); ++i)
        waiting[i] = pollfd{asked[i].fd, static_cast<short>(asked[i].fd < 0 ? 0 : POLLIN | (asked[i].events & EPOLLOUT ? POLLOUT : 0)), 0};
    poll(waiting.data(), waiting.size(), timeoutMs > 0 ? timeoutMs : 0);
    uint32_t ready = 0;
    for (size_t i = 0; i < asked.size(); ++i) {
        if (asked[i].fd >= 0 && (waiting[i].revents & POLLOUT)) Find(OvHandle{0, asked[i].id})->Flush();
        readable[i] = asked[i].fd < 0 || (waiting[i].revents & (POLLIN | POLLHUP | POLLERR)) ? 1 : 0;
        ready += readable[i];
    }
    return ready;
}

}  // namespace

// The set is described by (socket, descriptor, generation, interest) for
// every handle; while that stays the same from call to call, the kernel's
// registration is kept and only waited on, so a server whose clients do not
// change pays one wait a frame and no registration.
extern "C" OV_API uint32_t OvSocketReadable(const OvHandle* handles, uint32_t count, uint8_t* readable,
                                            int timeoutMs) {
    if (!handles || !readable || count == 0) return 0;
    SocketTable& table = Table();
    std::vector<Watched>& asked = table.asked;
    asked.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        ov::Socket* socket = Find(handles[i]);
        const bool live = socket && (socket->IsConnected() || socket->IsListening());
        asked[i] = live ? Watched{socket->id, socket->Descriptor(), socket->Generation(),
                                  EPOLLIN | (socket->Queued() ? uint32_t{EPOLLOUT} : 0u)}
                        : Watched{0, -1, 0, 0};
    }
    if (!Find(handles[0])) return PollReadable(asked, readable, timeoutMs);
    std::unique_ptr<Readiness>& slot = table.readiness[handles[0].word1];
    if (!slot) slot = std::make_unique<Readiness>();
    Readiness& readiness = *slot;
    if ((readiness.epoll < 0 || readiness.watched != asked) && !Register(readiness, asked))
        return PollReadable(asked, readable, timeoutMs);
    int found = 0;
    do found = epoll_wait(readiness.epoll, readiness.events.data(), static_cast<int>(count), timeoutMs > 0 ? timeoutMs : 0);
    while (found < 0 && errno == EINTR);
    uint32_t ready = 0;
    for (uint32_t i = 0; i < count; ++i) {
        readable[i] = asked[i].fd < 0 ? 1 : 0;
        ready += readable[i];
    }
    for (int k = 0; k < found; ++k) {
        const epoll_event& event = readiness.events[static_cast<size_t>(k)];
        const uint32_t i = event.data.u32;
        if (i >= count || asked[i].fd < 0) continue;
        if (event.events & EPOLLOUT) Find(handles[i])->Flush();
        if ((event.events & (EPOLLIN | EPOLLHUP | EPOLLERR)) && !readable[i]) {
            readable[i] = 1;
            ++ready;
        }
    }
    return ready;
}
