#include "ovcore/engine/OrvoCore.h"
#include "tests/net/PosixPeer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A buffer as the framework lays it out, filled with given bytes.
struct Bytes {
    OvBuffer buffer{0, nullptr, nullptr};
    explicit Bytes(const std::string& text = "") {
        if (text.empty()) return;
        buffer.data = static_cast<uint8_t*>(std::malloc(text.size()));
        std::memcpy(buffer.data, text.data(), text.size());
        buffer.capacity = static_cast<uint32_t>(text.size());
        buffer.cursor = buffer.data;
    }
    ~Bytes() { std::free(buffer.data); }
    std::string Held() const { return std::string(reinterpret_cast<char*>(buffer.data), buffer.cursor - buffer.data); }
};

class SocketEngine : public ::testing::Test {
protected:
    OvHandle socket{1, 0};
    void SetUp() override {
        ASSERT_TRUE(OvSocketInitiation());
        ASSERT_TRUE(OvSocketCreate(&socket));
    }
    void TearDown() override { OvSocketDestroy(socket); }

    // Our socket connected to a plain peer; the peer's descriptor.
    int ConnectToPeer(int family = OV_SOCKET_ANY) {
        uint16_t port = 0;
        const int listener = peer::Listen(&port);
        EXPECT_TRUE(OvSocketOpen(socket, family));
        EXPECT_TRUE(OvSocketConnect(socket, "127.0.0.1", port));
        const int accepted = peer::Accept(listener);
        close(listener);
        return accepted;
    }
};

}  // namespace

TEST_F(SocketEngine, HandlesAreNeverReusedAndUnknownOnesDoNothing) {
    OvHandle second{};
    ASSERT_TRUE(OvSocketCreate(&second));
    EXPECT_EQ(second.word0, 0u);
    EXPECT_NE(second.word1, socket.word1);
    OvSocketDestroy(second);
    OvHandle third{};
    ASSERT_TRUE(OvSocketCreate(&third));
    EXPECT_GT(third.word1, second.word1);
    OvSocketDestroy(third);
    Bytes bytes("x");
    EXPECT_FALSE(OvSocketOpen(second, OV_SOCKET_ANY));
    EXPECT_EQ(OvSocketSend(second, &bytes.buffer, OV_SOCKET_SEND_KEEP, 0, 0), 0u);
    EXPECT_FALSE(OvSocketIsConnected(second));
    EXPECT_FALSE(OvSocketOpen(socket, 5));
    EXPECT_FALSE(OvSocketConnect(socket, "127.0.0.1", 1));  // not opened
}

// The third argument of OvSocketOpen: any family, or IPv4 / IPv6 only.
TEST_F(SocketEngine, OpenFamilyDecidesWhichAddressesConnectAndListen) {
    ASSERT_TRUE(OvSocketOpen(socket, OV_SOCKET_ANY));
    ASSERT_TRUE(OvSocketListen(socket, 0, 16));
    const uint16_t port = OvSocketLocalPort(socket);
    ASSERT_NE(port, 0);
    struct Case {
        const char* host;
        int family;
        bool connects;
    } cases[] = {
        {"127.0.0.1", OV_SOCKET_ANY, true}, {"::1", OV_SOCKET_ANY, true},
        {"localhost", OV_SOCKET_ANY, true}, {"127.0.0.1", OV_SOCKET_IPV4, true},
        {"::1", OV_SOCKET_IPV4, false},     {"127.0.0.1", OV_SOCKET_IPV6, false},
        {"::1", OV_SOCKET_IPV6, true},      {"no-such-host.invalid", OV_SOCKET_ANY, false},
    };
    for (const Case& c : cases) {
        OvHandle client{}, accepted{};
        ASSERT_TRUE(OvSocketCreate(&client));
        ASSERT_TRUE(OvSocketCreate(&accepted));
        ASSERT_TRUE(OvSocketOpen(client, c.family));
        EXPECT_EQ(OvSocketConnect(client, c.host, port) == 1, c.connects) << c.host << " " << c.family;
        EXPECT_EQ(OvSocketIsConnected(client) == 1, c.connects);
        if (c.connects) {
            EXPECT_TRUE(OvSocketAccept(accepted, socket));
            EXPECT_TRUE(OvSocketIsConnected(accepted));
        }
        OvSocketDestroy(client);
        OvSocketDestroy(accepted);
    }
    // An IPv4-only listener refuses IPv6 clients; nothing listens after destroy.
    OvHandle v4{};
    ASSERT_TRUE(OvSocketCreate(&v4));
    ASSERT_TRUE(OvSocketOpen(v4, OV_SOCKET_IPV4));
    ASSERT_TRUE(OvSocketListen(v4, 0, 0));
    const uint16_t v4Port = OvSocketLocalPort(v4);
    EXPECT_EQ(peer::Connect(v4Port, AF_INET6), -1);
    const int plain = peer::Connect(v4Port, AF_INET);
    EXPECT_GE(plain, 0);
    close(plain);
    OvSocketDestroy(v4);
    EXPECT_EQ(peer::Connect(v4Port, AF_INET), -1);
    // A port in use cannot be listened on twice.
    OvHandle again{};
    ASSERT_TRUE(OvSocketCreate(&again));
    ASSERT_TRUE(OvSocketOpen(again, OV_SOCKET_ANY));
    EXPECT_FALSE(OvSocketListen(again, port, 0));
    OvSocketDestroy(again);
}

TEST_F(SocketEngine, AcceptOnANonBlockingListenerReturnsAtOnceWhenNobodyWaits) {
    ASSERT_TRUE(OvSocketOpen(socket, OV_SOCKET_ANY));
    ASSERT_TRUE(OvSocketListen(socket, 0, 0));
    ASSERT_TRUE(OvSocketAsync(socket, 1));
    OvHandle pending{};
    ASSERT_TRUE(OvSocketCreate(&pending));
    EXPECT_FALSE(OvSocketAccept(pending, socket));
    EXPECT_FALSE(OvSocketAccept(pending, pending));
    OvSocketDestroy(pending);
}

// Bytes on the wire both ways, received blocks replacing the buffer's content.
TEST_F(SocketEngine, SendAndReceiveCarryExactBytesInTheFrameworkBuffer) {
    const int remote = ConnectToPeer();
    ASSERT_GE(remote, 0);
    EXPECT_TRUE(OvSocketNagle(socket, 1));
    Bytes out(std::string("hello\0world", 11));
    EXPECT_EQ(OvSocketSend(socket, &out.buffer, OV_SOCKET_SEND_KEEP, 6, 5), 5u);
    EXPECT_EQ(OvSocketSend(socket, &out.buffer, OV_SOCKET_SEND_NOW, 0, 0), 11u);
    EXPECT_EQ(OvSocketSend(socket, &out.buffer, OV_SOCKET_SEND_NOW, 8, 100), 3u);  // clamped to the array
    EXPECT_EQ(OvSocketSend(socket, &out.buffer, OV_SOCKET_SEND_NOW, 11, 1), 0u);
    EXPECT_EQ(peer::Read(remote, 19), std::string("worldhello\0worldrld", 19));

    Bytes in;
    ASSERT_TRUE(peer::SendAll(remote, "abcdefgh"));
    EXPECT_EQ(OvSocketReceive(socket, &in.buffer, 3, 0), 3u);
    EXPECT_EQ(in.Held(), "abc");
    EXPECT_EQ(in.buffer.capacity, 3u);
    EXPECT_EQ(OvSocketReceive(socket, &in.buffer, 0, 0), 5u);
    EXPECT_EQ(in.Held(), "defgh");
    EXPECT_EQ(in.buffer.capacity, OV_SOCKET_DEFAULT_BLOCK);
    // Nothing waiting on a non-blocking socket: 0 at once, still connected.
    ASSERT_TRUE(OvSocketAsync(socket, 1));
    EXPECT_EQ(OvSocketReceive(socket, &in.buffer, 0, 0), 0u);
    EXPECT_EQ(in.Held(), "");
    EXPECT_TRUE(OvSocketIsConnected(socket));
    // The null handle empties, and with the release flag frees.
    ASSERT_TRUE(peer::SendAll(remote, "z"));
    pollfd wait{remote, 0, 0};
    poll(&wait, 1, 50);
    while (OvSocketReceive(socket, &in.buffer, 0, 0) == 0) poll(&wait, 1, 1);
    EXPECT_EQ(OvSocketReceive(OvHandle{0, 0}, &in.buffer, 0, 0), 0u);
    EXPECT_EQ(in.Held(), "");
    EXPECT_EQ(in.buffer.capacity, OV_SOCKET_DEFAULT_BLOCK);
    OvSocketReceive(OvHandle{0, 0}, &in.buffer, 0, OV_SOCKET_RECEIVE_RELEASE);
    EXPECT_EQ(in.buffer.data, nullptr);
    EXPECT_EQ(in.buffer.capacity, 0u);
    // The peer's close is seen by the next receive.
    close(remote);
    while (OvSocketIsConnected(socket)) OvSocketReceive(socket, &in.buffer, 0, 0);
    EXPECT_EQ(OvSocketSend(socket, &out.buffer, OV_SOCKET_SEND_KEEP, 0, 0), 0u);
}

// The third argument of OvSocketSend on a non-blocking connection whose peer
// does not read: KEEP keeps the rest in order, NOW reports what it sent.
TEST_F(SocketEngine, NonBlockingSendKeepsWhatTheKernelCannotTakeAndNeverDropsIt) {
    const int remote = ConnectToPeer();
    ASSERT_GE(remote, 0);
    ASSERT_TRUE(OvSocketAsync(socket, 1));
    std::string block(1 << 20, '\0');
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 7 + i / 251);
    Bytes out(block);
    std::string expected;
    int sends = 0;
    while (OvSocketQueued(socket) == 0 && sends < 64) {
        ASSERT_EQ(OvSocketSend(socket, &out.buffer, OV_SOCKET_SEND_KEEP, 0, 0), block.size());
        expected += block;
        ++sends;
    }
    ASSERT_GT(OvSocketQueued(socket), 0u) << "the kernel took 64 MiB without pushing back";
    // NOW sends nothing ahead of the kept bytes. The kernel may take all of
    // them during the call (its buffer grows as it pleases); only then may
    // NOW send bytes of its own, after them.
    const uint32_t sentNow = OvSocketSend(socket, &out.buffer, OV_SOCKET_SEND_NOW, 0, 0);
    if (OvSocketQueued(socket) > 0) {
        EXPECT_EQ(sentNow, 0u);
    }
    expected += block.substr(0, sentNow);
    // The queue is bounded: a send that would pass the limit takes nothing.
    uint32_t taken = block.size();
    while (taken == block.size()) {
        taken = OvSocketSend(socket, &out.buffer, OV_SOCKET_SEND_KEEP, 0, 0);
        if (taken) expected += block;
    }
    EXPECT_EQ(taken, 0u);
    EXPECT_LE(OvSocketQueued(socket), OV_SOCKET_QUEUE_LIMIT);
    // The peer reads everything while we flush: every byte, in order.
    std::string received;
    char chunk[65536];
    while (received.size() < expected.size()) {
        OvSocketFlush(socket);
        pollfd waiting{remote, POLLIN, 0};
        ASSERT_EQ(poll(&waiting, 1, 5000), 1);
        const ssize_t n = recv(remote, chunk, sizeof chunk, 0);
        ASSERT_GT(n, 0);
        received.append(chunk, static_cast<size_t>(n));
    }
    EXPECT_EQ(OvSocketQueued(socket), 0u);
    EXPECT_TRUE(received == expected);
    // NOW with nothing kept and a full kernel buffer reports a partial count.
    uint32_t sent = block.size();
    while (sent == block.size()) sent = OvSocketSend(socket, &out.buffer, OV_SOCKET_SEND_NOW, 0, 0);
    EXPECT_LT(sent, block.size());
    EXPECT_EQ(OvSocketQueued(socket), 0u);
    close(remote);
}

// Lookups of many live sockets, some destroyed between them, each reach
// their own socket: a destroyed handle finds nothing, the others their port.
TEST_F(SocketEngine, ManySocketsLookedUpInTurnKeepTheirOwnState) {
    OvHandle listeners[17];
    uint16_t ports[17];
    for (int i = 0; i < 17; ++i) {
        ASSERT_TRUE(OvSocketCreate(&listeners[i]));
        ASSERT_TRUE(OvSocketOpen(listeners[i], OV_SOCKET_IPV4));
        ASSERT_TRUE(OvSocketListen(listeners[i], 0, 0));
        ports[i] = OvSocketLocalPort(listeners[i]);
    }
    for (int i = 0; i < 17; i += 2) OvSocketDestroy(listeners[i]);
    for (int round = 0; round < 2; ++round) {
        for (int i = 16; i >= 0; --i) EXPECT_EQ(OvSocketLocalPort(listeners[i]), i % 2 ? ports[i] : 0) << i;
    }
    for (int i = 1; i < 17; i += 2) OvSocketDestroy(listeners[i]);
    for (int i = 0; i < 17; ++i) EXPECT_EQ(OvSocketLocalPort(listeners[i]), 0) << i;
}

// Writing to a peer that is gone neither raises SIGPIPE nor reports success.
TEST_F(SocketEngine, SendingToAClosedPeerFailsQuietlyWithoutSigpipe) {
    const int remote = ConnectToPeer();
    ASSERT_GE(remote, 0);
    linger reset{1, 0};
    setsockopt(remote, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    close(remote);
    Bytes out(std::string(4096, 'x'));
    uint32_t last = 1;
    for (int i = 0; i < 100 && OvSocketIsConnected(socket); ++i) last = OvSocketSend(socket, &out.buffer, 1, 0, 0);
    EXPECT_FALSE(OvSocketIsConnected(socket));
    EXPECT_EQ(last, 0u);
    EXPECT_EQ(OvSocketSend(socket, &out.buffer, 0, 0, 0), 0u);
}

TEST_F(SocketEngine, BlockingReceiveGivesUpAfterTheTimeoutAndStaysConnected) {
    const int remote = ConnectToPeer(OV_SOCKET_IPV4);
    ASSERT_GE(remote, 0);
    ASSERT_TRUE(OvSocketTimeout(socket, 100));
    Bytes in;
    EXPECT_EQ(OvSocketReceive(socket, &in.buffer, 0, 0), 0u);
    EXPECT_TRUE(OvSocketIsConnected(socket));
    close(remote);
    EXPECT_EQ(OvSocketReceive(socket, &in.buffer, 0, 0), 0u);
    EXPECT_FALSE(OvSocketIsConnected(socket));
}

TEST_F(SocketEngine, ReadableMarksSocketsWithDataOrAnEndAndFlushesKeptBytes) {
    const int remote = ConnectToPeer();
    ASSERT_GE(remote, 0);
    ASSERT_TRUE(OvSocketAsync(socket, 1));
    OvHandle idle{};
    ASSERT_TRUE(OvSocketCreate(&idle));
    const OvHandle handles[3] = {socket, idle, OvHandle{0, 0}};
    uint8_t readable[3] = {9, 9, 9};
    EXPECT_EQ(OvSocketReadable(handles, 1, readable, 0), 0u);
    EXPECT_EQ(readable[0], 0);
    ASSERT_TRUE(peer::SendAll(remote, "ping"));
    EXPECT_EQ(OvSocketReadable(handles, 3, readable, 2000), 3u);  // unconnected ones count as readable
    EXPECT_EQ(readable[0], 1);
    Bytes in;
    EXPECT_EQ(OvSocketReceive(socket, &in.buffer, 0, 0), 4u);
    EXPECT_EQ(OvSocketReadable(handles, 1, readable, 0), 0u);
    close(remote);
    EXPECT_EQ(OvSocketReadable(handles, 1, readable, 2000), 1u);
    OvSocketDestroy(idle);

    // A listener is readable only while a connection waits to be accepted.
    OvHandle listener{}, accepted{};
    ASSERT_TRUE(OvSocketCreate(&listener));
    ASSERT_TRUE(OvSocketCreate(&accepted));
    ASSERT_TRUE(OvSocketOpen(listener, OV_SOCKET_IPV4));
    ASSERT_TRUE(OvSocketListen(listener, 0, 0));
    EXPECT_EQ(OvSocketReadable(&listener, 1, readable, 0), 0u);
    EXPECT_EQ(readable[0], 0);
    const int caller = peer::Connect(OvSocketLocalPort(listener));
    ASSERT_GE(caller, 0);
    EXPECT_EQ(OvSocketReadable(&listener, 1, readable, 2000), 1u);
    EXPECT_EQ(readable[0], 1);
    EXPECT_TRUE(OvSocketAccept(accepted, listener));
    EXPECT_EQ(OvSocketReadable(&listener, 1, readable, 0), 0u);
    close(caller);
    OvSocketDestroy(accepted);
    OvSocketDestroy(listener);
}

TEST(SocketEngineClosure, DestroysEverySocketAndItsDescriptor) {
    const int before = peer::OpenDescriptors();
    ASSERT_TRUE(OvSocketInitiation());
    OvHandle listening{};
    ASSERT_TRUE(OvSocketCreate(&listening));
    ASSERT_TRUE(OvSocketOpen(listening, OV_SOCKET_ANY));
    ASSERT_TRUE(OvSocketListen(listening, 0, 0));
    EXPECT_GT(peer::OpenDescriptors(), before);  // the listener, and the ring watching it where there is one
    OvSocketClosure();
    EXPECT_EQ(peer::OpenDescriptors(), before);
    EXPECT_FALSE(OvSocketIsConnected(listening));
    EXPECT_EQ(OvSocketLocalPort(listening), 0);
}
