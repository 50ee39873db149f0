// Datagram endpoints, engine and framework, against a plain POSIX peer on
// loopback: exact bytes each way, both families, lost and reordered
// datagrams, floods, and every refusal.
#include "ovcore/app/Core.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/net/SocketCollection.h"
#include "ovcore/world/FrameStep.h"
#include "tests/net/UdpPeer.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace OvCore;

namespace {

// Datagrams are received into this; the engine grows the array, we free it.
struct Received {
    OvBuffer buffer{0, nullptr, nullptr};
    ~Received() { std::free(buffer.data); }
    std::string Held() const { return std::string(reinterpret_cast<char*>(buffer.data), buffer.cursor - buffer.data); }
};

// The engine's view of bytes to send (a send never grows or frees them).
OvBuffer Outgoing(std::string& bytes) {
    auto* data = reinterpret_cast<uint8_t*>(bytes.data());
    return OvBuffer{static_cast<uint32_t>(bytes.size()), data, data};
}

// Waits (at most 5 s) until the endpoint has a datagram, then takes it.
bool TakeDatagram(OvHandle socket, Received& into, OvAddress* from) {
    for (int i = 0; i < 5000; ++i) {
        if (OvSocketReceiveFrom(socket, &into.buffer, from)) return true;
        poll(nullptr, 0, 1);
    }
    return false;
}

std::string AddressOf(const OvAddress& address) {
    char text[64];
    OvSocketAddressText(&address, text, sizeof text);
    return text;
}

class DatagramEngine : public ::testing::Test {
protected:
    OvHandle socket{1, 0};
    void SetUp() override {
        ASSERT_TRUE(OvSocketInitiation());
        ASSERT_TRUE(OvSocketCreate(&socket));
    }
    void TearDown() override { OvSocketDestroy(socket); }
};

}  // namespace

// Bytes exactly each way: binary, empty, the largest IPv4 datagram; the
// sender named as the family has it (an IPv4 peer of a dual-stack endpoint
// as IPv4).
TEST_F(DatagramEngine, DatagramsTravelWholeEachWayInBothFamilies) {
    const struct {
        int family;
        const char* host;
        int peerDomain;
        const char* peerText;
    } cases[] = {{OV_SOCKET_ANY, nullptr, AF_INET, "127.0.0.1:"},
                 {OV_SOCKET_ANY, nullptr, AF_INET6, "[::1]:"},
                 {OV_SOCKET_IPV4, "127.0.0.1", AF_INET, "127.0.0.1:"},
                 {OV_SOCKET_IPV6, "::1", AF_INET6, "[::1]:"}};
    const std::string binary("\x00\x01\xFFzero\x00", 8), largest(65507, 'L');
    for (const auto& c : cases) {
        SCOPED_TRACE(c.peerText);
        ASSERT_TRUE(OvSocketBind(socket, c.family, c.host, 0));
        UdpPeer peer(c.peerDomain);
        for (const std::string& datagram : {binary, std::string(), largest})
            ASSERT_TRUE(peer.SendTo(OvSocketLocalPort(socket), datagram));
        Received in;
        OvAddress from{}, sender{};
        ASSERT_TRUE(TakeDatagram(socket, in, &sender));
        EXPECT_EQ(in.Held(), binary);
        EXPECT_EQ(AddressOf(sender), c.peerText + std::to_string(peer.Port()));
        ASSERT_TRUE(TakeDatagram(socket, in, &from));
        EXPECT_EQ(in.Held(), "") << "an empty datagram is one too";
        ASSERT_TRUE(TakeDatagram(socket, in, &from));
        EXPECT_EQ(in.Held(), largest);
        EXPECT_FALSE(OvSocketReceiveFrom(socket, &in.buffer, &from));
        EXPECT_EQ(in.buffer.cursor, in.buffer.data);
        EXPECT_EQ(from.family, 0) << "nothing waits: no sender";

        std::string reply("reply\x00tail", 10);
        const OvBuffer out = Outgoing(reply);
        EXPECT_EQ(OvSocketSendTo(socket, &out, 1, 4, &sender), 4u);
        EXPECT_EQ(OvSocketSendTo(socket, &out, 6, 0, &sender), 4u) << "count 0: to the end";
        EXPECT_EQ(peer.Receive(), "eply");
        EXPECT_EQ(peer.Receive(), std::string("tail"));
    }
}

TEST_F(DatagramEngine, AddressesAndRefusalsAreExact) {
    OvAddress peer4{}, peer6{};
    char text[32];
    UdpPeer peer;
    ASSERT_TRUE(OvSocketResolve("127.0.0.1", peer.Port(), OV_SOCKET_ANY, &peer4));
    EXPECT_EQ(std::memcmp(peer4.bytes, "\x7F\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16), 0);
    const std::string printed = "127.0.0.1:" + std::to_string(peer.Port());
    EXPECT_EQ(OvSocketAddressText(&peer4, text, sizeof text), printed.size());
    EXPECT_EQ(text, printed);
    EXPECT_EQ(OvSocketAddressText(&peer4, text, static_cast<uint32_t>(printed.size())), 0u) << "no room for NUL";
    EXPECT_STREQ(text, "");
    ASSERT_TRUE(OvSocketResolve("::1", peer.Port(), OV_SOCKET_IPV6, &peer6));
    EXPECT_EQ(peer6.family, OV_SOCKET_IPV6);
    EXPECT_EQ(peer6.bytes[15], 1);
    OvAddress none{};
    EXPECT_FALSE(OvSocketResolve("::1", 80, OV_SOCKET_IPV4, &none));
    EXPECT_FALSE(OvSocketResolve("no-such-host.invalid", 80, OV_SOCKET_ANY, &none));
    EXPECT_EQ(std::string(OvLastError()).rfind("net: cannot resolve: no-such-host.invalid: ", 0), 0u);
    EXPECT_EQ(none.family, 0);
    EXPECT_EQ(OvSocketAddressText(&none, text, sizeof text), 0u);

    std::string abc = "abc";
    const OvBuffer bytes = Outgoing(abc);
    Received in;
    EXPECT_EQ(OvSocketSendTo(socket, &bytes, 0, 0, &peer4), 0u) << "not bound";
    EXPECT_FALSE(OvSocketReceiveFrom(socket, &in.buffer, nullptr));
    EXPECT_FALSE(OvSocketReceiveLimit(socket, 4096));
    EXPECT_FALSE(OvSocketBind(socket, 5, nullptr, 0));
    EXPECT_FALSE(OvSocketBind(socket, OV_SOCKET_IPV4, "127.0.0.1", peer.Port())) << "the peer has that port";
    EXPECT_EQ(std::string(OvLastError()), "net: cannot bind datagram socket: 127.0.0.1 port " +
                                              std::to_string(peer.Port()) + ": Address already in use");
    ASSERT_TRUE(OvSocketBind(socket, OV_SOCKET_IPV4, nullptr, 0));
    EXPECT_EQ(OvSocketSendTo(socket, &bytes, 0, 0, &peer6), 0u) << "IPv4 only";
    EXPECT_EQ(OvSocketSendTo(socket, &bytes, 1, 3, &peer4), 0u) << "past the array: never cut";
    EXPECT_EQ(OvSocketSendTo(socket, &bytes, 0, 0, &none), 0u);
    std::string tooLarge(OV_SOCKET_DATAGRAM_LIMIT + 1, 'h');
    const OvBuffer huge = Outgoing(tooLarge);
    EXPECT_EQ(OvSocketSendTo(socket, &huge, 0, 0, &peer4), 0u);
    EXPECT_EQ(OvSocketSendTo(socket, &bytes, 2, 1, &peer4), 1u);
    EXPECT_EQ(peer.Receive(), "c") << "only the one that was accepted arrives";
    ASSERT_TRUE(OvSocketBind(socket, OV_SOCKET_IPV6, nullptr, 0));
    EXPECT_EQ(OvSocketSendTo(socket, &bytes, 0, 0, &peer4), 0u) << "IPv6 only";
    EXPECT_FALSE(OvSocketAsync(socket, 0)) << "a datagram socket never blocks";
    EXPECT_FALSE(OvSocketReceiveFrom(socket, &in.buffer, nullptr)) << "nothing waits, and no wait";
}

namespace {

// What OnDatagram saw, as "<sender> <bytes>" lines.
struct SeenDatagrams {
    std::vector<std::string> datagrams;
    OvAddress last{};
    bool closeOnFirst = false;
};

void RecordDatagram(OV_SOCKET* socket, const OvAddress& from, OV_MEMORY_FILE* buffer) {
    auto& seen = *static_cast<SeenDatagrams*>(socket->userData);
    EXPECT_EQ(buffer->Tell(), 0u);
    seen.datagrams.push_back(AddressOf(from) + " " +
                             std::string(reinterpret_cast<char*>(buffer->Data()), buffer->Size()));
    seen.last = from;
    if (seen.closeOnFirst) socket->Close();
}

// Updates until `count` datagrams were seen in all, at most 5 s.
void UpdateUntilSeen(OV_SOCKET& socket, const SeenDatagrams& seen, size_t count) {
    for (int i = 0; i < 5000 && seen.datagrams.size() < count; ++i) {
        socket.Update();
        if (seen.datagrams.size() < count) poll(nullptr, 0, 1);
    }
}

class DatagramSocket : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SocketsStartup());
        socket.userData = &seen;
        socket.OnDatagram = RecordDatagram;
    }
    OV_SOCKET socket;
    SeenDatagrams seen;
};

}  // namespace

// The network may lose and reorder datagrams; the endpoint hands each one
// that arrives on, whole and in arrival order, with its sender to answer.
TEST_F(DatagramSocket, EachArrivingDatagramReachesTheCallbackWithItsSender) {
    ASSERT_TRUE(socket.Bind(0, OV_SOCKET_IPV4, "127.0.0.1"));
    EXPECT_EQ(socket.mode, OV_SOCKET::DATAGRAM);
    UdpPeer peer;
    const std::string from = "127.0.0.1:" + std::to_string(peer.Port()) + " ";
    for (const char* datagram : {"seq 1", "seq 3", "seq 2", "seq 5"})  // 4 was lost
        ASSERT_TRUE(peer.SendTo(socket.Port(), datagram));
    UpdateUntilSeen(socket, seen, 4);
    const std::vector<std::string> arrived{from + "seq 1", from + "seq 3", from + "seq 2", from + "seq 5"};
    EXPECT_EQ(seen.datagrams, arrived);

    OV_MEMORY_FILE reply;
    reply.Write("ack 5 and more", 14);
    EXPECT_EQ(socket.SendDatagram(seen.last, reply, 0, 5), 5u);
    EXPECT_EQ(socket.SendDatagram(seen.last, reply, 10), 4u);
    EXPECT_EQ(socket.SendDatagram(seen.last, reply, 10, 5), 0u) << "past the content";
    EXPECT_EQ(peer.Receive(), "ack 5");
    EXPECT_EQ(peer.Receive(), "more");

    OV_SOCKET_MESSAGE message;
    message.buffer = &reply;
    EXPECT_EQ(socket.Send(message), 0u) << "no stream in datagram mode";
    seen.closeOnFirst = true;
    ASSERT_TRUE(peer.SendTo(socket.Port(), "x"));
    ASSERT_TRUE(peer.SendTo(socket.Port(), "y"));
    UpdateUntilSeen(socket, seen, 5);
    EXPECT_EQ(seen.datagrams.size(), 5u) << "closed by its callback: nothing more is taken";
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
    EXPECT_FALSE(socket.Update());
    EXPECT_EQ(socket.SendDatagram(seen.last, reply), 0u);
    EXPECT_FALSE(socket.SetReceiveLimit(4096));
}

// A flood waits in a bounded kernel queue and is taken a limited number of
// datagrams a frame; what passes the queue is dropped, never stored.
TEST_F(DatagramSocket, AFloodIsTakenALimitedNumberAFrameFromABoundedQueue) {
    ASSERT_TRUE(socket.Bind(0, OV_SOCKET_ANY));
    ASSERT_TRUE(socket.SetReceiveLimit(4096));
    socket.datagramsPerUpdate = 3;
    UdpPeer peer;
    const std::string block(200, 'f');
    for (int i = 0; i < 3000; ++i) peer.SendTo(socket.Port(), block);
    UpdateUntilSeen(socket, seen, 1);
    EXPECT_EQ(seen.datagrams.size(), 3u);
    size_t before = 0;
    do {
        before = seen.datagrams.size();
        socket.Update();
    } while (seen.datagrams.size() > before);
    EXPECT_LT(seen.datagrams.size(), 200u) << "the kernel kept only what fits its limit";
}

TEST_F(DatagramSocket, BindFailuresLeaveItClosedAndTheFrameStepPollsTheCoresOnes) {
    UdpPeer peer;
    EXPECT_FALSE(socket.Bind(peer.Port(), OV_SOCKET_IPV4, "127.0.0.1"));
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
    EXPECT_FALSE(socket.Bind(0, 9));
    EXPECT_EQ(socket.Port(), 0);

    OV_SOCKET* named = Sockets().Get("datagrams", 0);
    ASSERT_NE(named, nullptr);
    named->userData = &seen;
    named->OnDatagram = RecordDatagram;
    ASSERT_TRUE(named->Bind(0, OV_SOCKET_IPV6, "::1"));
    UdpPeer peer6(AF_INET6);
    ASSERT_TRUE(peer6.SendTo(named->Port(), "frame"));
    for (int i = 0; i < 5000 && seen.datagrams.empty(); ++i) {
        World().FrameStep();
        poll(nullptr, 0, 1);
    }
    EXPECT_EQ(seen.datagrams, std::vector<std::string>{"[::1]:" + std::to_string(peer6.Port()) + " frame"});
    core.Clear();
    EXPECT_EQ(Sockets().Count(), 0u);
}
