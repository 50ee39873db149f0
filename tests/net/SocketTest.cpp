#include "ovcore/app/Core.h"
#include "ovcore/net/SocketCollection.h"
#include "tests/net/PosixPeer.h"
#include "ovcore/world/FrameStep.h"

#include <gtest/gtest.h>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace OvCore;

namespace {

// What a socket's callbacks saw, in order ("accept 3", "data 3 hello", ...).
struct Record {
    std::vector<std::string> events;
    bool acceptAnswer = true;
    bool connectAnswer = true;
    std::string greeting;  // sent by OnConnect while the connection still blocks
    std::string received;  // all bytes given to OnReceive / OnClientReceive
    std::vector<OvHandle> clients;  // accepted, in order
    bool echo = false;  // the server sends every block back to its sender
};

Record& Of(OV_SOCKET* socket) { return *static_cast<Record*>(socket->userData); }

std::string Text(OV_MEMORY_FILE* buffer) {
    EXPECT_EQ(buffer->Tell(), 0u);
    return std::string(reinterpret_cast<char*>(buffer->Data()), buffer->Size());
}

uint32_t SendText(OV_SOCKET& socket, const std::string& text, OvHandle target = {0, 0}, bool broadcast = false) {
    OV_MEMORY_FILE file;
    file.Write(text.data(), static_cast<uint32_t>(text.size()));
    OV_SOCKET_MESSAGE message;
    message.buffer = &file;
    message.target = target;
    message.broadcast = broadcast ? 1 : 0;
    return socket.Send(message);
}

void Hook(OV_SOCKET& socket, Record& record) {
    socket.userData = &record;
    socket.OnAccept = [](OV_SOCKET* s, OvHandle c) {
        Of(s).events.push_back("accept");
        Of(s).clients.push_back(c);
        return Of(s).acceptAnswer;
    };
    socket.OnClientReceive = [](OV_SOCKET* s, OvHandle c, OV_MEMORY_FILE* buffer) {
        const std::string text = Text(buffer);
        Of(s).received += text;
        if (Of(s).echo) SendText(*s, text, c);
    };
    socket.OnClientDisconnect = [](OV_SOCKET* s, OvHandle) { Of(s).events.push_back("client gone"); };
    socket.OnConnect = [](OV_SOCKET* s) {
        Of(s).events.push_back("connect");
        if (!Of(s).greeting.empty()) SendText(*s, Of(s).greeting);
        return Of(s).connectAnswer;
    };
    socket.OnReceive = [](OV_SOCKET* s, OV_MEMORY_FILE* buffer) { Of(s).received += Text(buffer); };
    socket.OnDisconnect = [](OV_SOCKET* s) { Of(s).events.push_back("disconnect"); };
}

// Polls the sockets, a millisecond apart, until done() or 5 s have passed.
bool PollUntil(std::vector<OV_SOCKET*> sockets, const std::function<bool()>& done) {
    for (int i = 0; i < 5000; ++i) {
        for (OV_SOCKET* s : sockets) s->Update();
        if (done()) return true;
        poll(nullptr, 0, 1);
    }
    return false;
}

class SocketTest : public ::testing::Test {
protected:
    OV_SOCKET server;
    Record serverRecord;
    uint16_t port = 0;
    void SetUp() override {
        ASSERT_TRUE(SocketsStartup());
        Hook(server, serverRecord);
        ASSERT_TRUE(server.Listen(0, 0));
        port = server.Port();
        ASSERT_NE(port, 0);
    }
    void TearDown() override { server.Close(); }

    // A plain peer connected and accepted by the server.
    int PlainClient() {
        const int fd = peer::Connect(port);
        const size_t before = server.clients.size();
        EXPECT_TRUE(PollUntil({&server}, [&] { return server.clients.size() == before + 1; }));
        return fd;
    }
};

}  // namespace

TEST_F(SocketTest, ServerAndClientTalkBothWaysThroughTheirCallbacks) {
    EXPECT_EQ(server.mode, OV_SOCKET::SERVER);
    OV_SOCKET client;
    Record clientRecord;
    Hook(client, clientRecord);
    clientRecord.greeting = "hello";
    serverRecord.echo = true;
    ASSERT_TRUE(client.Connect("localhost", port, OV_SOCKET_ANY));
    EXPECT_EQ(client.mode, OV_SOCKET::CLIENT);
    ASSERT_TRUE(PollUntil({&server, &client}, [&] { return clientRecord.received == "hello"; }));
    EXPECT_EQ(serverRecord.received, "hello");
    EXPECT_EQ(SendText(client, std::string(200000, 'q')), 200000u);
    ASSERT_TRUE(PollUntil({&server, &client}, [&] { return clientRecord.received.size() == 200005; }));
    EXPECT_EQ(clientRecord.received, "hello" + std::string(200000, 'q'));
    // The server's close reaches the client's Update once.
    server.Close();
    EXPECT_EQ(server.mode, OV_SOCKET::CLOSED);
    EXPECT_FALSE(server.Update());
    ASSERT_TRUE(PollUntil({&client}, [&] { return client.mode == OV_SOCKET::CLOSED; }));
    EXPECT_EQ(clientRecord.events, (std::vector<std::string>{"connect", "disconnect"}));
    EXPECT_TRUE(IsNullSocket(client.socket));
    EXPECT_FALSE(client.Update());
}

TEST_F(SocketTest, ARefusedClientIsDestroyedAtOnceAndNeverHeard) {
    serverRecord.acceptAnswer = false;
    const int fd = peer::Connect(port);
    ASSERT_TRUE(peer::SendAll(fd, "ignored"));
    ASSERT_TRUE(PollUntil({&server}, [&] { return !serverRecord.events.empty(); }));
    EXPECT_TRUE(server.clients.empty());
    EXPECT_TRUE(peer::SeesClose(fd));
    for (int i = 0; i < 10; ++i) server.Update();
    EXPECT_EQ(serverRecord.received, "");
    EXPECT_EQ(serverRecord.events, std::vector<std::string>{"accept"});
    close(fd);
}

TEST_F(SocketTest, ARefusingConnectCallbackLeavesTheClientClosed) {
    OV_SOCKET client;
    Record clientRecord;
    Hook(client, clientRecord);
    clientRecord.connectAnswer = false;
    EXPECT_FALSE(client.Connect("127.0.0.1", port, OV_SOCKET_IPV4));
    EXPECT_EQ(client.mode, OV_SOCKET::CLOSED);
    EXPECT_TRUE(IsNullSocket(client.socket));
    ASSERT_TRUE(PollUntil({&server}, [&] { return serverRecord.events.size() == 2; }));
    EXPECT_EQ(serverRecord.events, (std::vector<std::string>{"accept", "client gone"}));
    EXPECT_TRUE(server.clients.empty());
}

TEST_F(SocketTest, FailedListenAndConnectLeaveNoHandleBehind) {
    const int before = peer::OpenDescriptors();
    OV_SOCKET other;
    EXPECT_FALSE(other.Listen(port, 0));  // in use
    EXPECT_EQ(other.mode, OV_SOCKET::CLOSED);
    EXPECT_TRUE(IsNullSocket(other.socket));
    EXPECT_TRUE(IsNullSocket(other.pending));
    EXPECT_EQ(peer::OpenDescriptors(), before);
    server.Close();
    const int closed = peer::OpenDescriptors();
    EXPECT_LT(closed, before);  // the server's listener is gone
    EXPECT_FALSE(other.Connect("127.0.0.1", port, OV_SOCKET_ANY));  // nobody listens
    EXPECT_FALSE(other.Connect("::1", port, OV_SOCKET_IPV4));
    EXPECT_TRUE(IsNullSocket(other.socket));
    EXPECT_EQ(peer::OpenDescriptors(), closed);
    OV_MEMORY_FILE buffer;
    OV_SOCKET_MESSAGE message;
    message.buffer = &buffer;
    EXPECT_EQ(other.Receive(message), 0u);
    EXPECT_EQ(other.Send(message), 0u);
    EXPECT_FALSE(other.Update());
}

// Bytes on the wire at three plain peers for each target and broadcast rule.
TEST_F(SocketTest, SendReachesExactlyTheTargetsItsRulesName) {
    EXPECT_EQ(SendText(server, "nobody"), 0u);
    EXPECT_FALSE(server.Disconnect(OvHandle{0, 999999}));
    const int a = PlainClient(), b = PlainClient(), c = PlainClient();
    ASSERT_EQ(server.clients.size(), 3u);
    EXPECT_FALSE(server.Disconnect(server.socket));
    EXPECT_EQ(server.clients.size(), 3u);
    const OvHandle first = serverRecord.clients[0];

    EXPECT_EQ(SendText(server, "all."), 4u);
    EXPECT_EQ(SendText(server, "a.", first), 2u);
    EXPECT_EQ(SendText(server, "bc.", first, true), 3u);
    OV_MEMORY_FILE file;
    file.growStep = 64;  // the array is longer than the content: only the content goes out
    file.Write("0123456789", 10);
    OV_SOCKET_MESSAGE part;
    part.buffer = &file;
    part.offset = 7;
    EXPECT_EQ(server.Send(part), 3u);
    part.offset = 2;
    part.count = 3;
    EXPECT_EQ(server.Send(part), 3u);
    part.offset = 10;
    EXPECT_EQ(server.Send(part), 0u);
    EXPECT_EQ(peer::Read(a, 12), "all.a.789234");
    EXPECT_EQ(peer::Read(b, 13), "all.bc.789234");
    EXPECT_EQ(peer::Read(c, 13), "all.bc.789234");

    // Receive on a given client, and on nothing in server mode.
    ASSERT_TRUE(peer::SendAll(b, "from b"));
    OV_SOCKET_MESSAGE incoming;
    incoming.buffer = &file;
    incoming.target = serverRecord.clients[1];
    ASSERT_TRUE(PollUntil({}, [&] { return server.Receive(incoming) > 0; }));
    EXPECT_EQ(Text(&file), "from b");
    server.EmptyBuffer(file);
    EXPECT_EQ(file.Size(), 0u);

    EXPECT_TRUE(server.Disconnect(first));
    EXPECT_EQ(server.clients.size(), 2u);
    EXPECT_TRUE(peer::SeesClose(a));
    EXPECT_FALSE(server.Disconnect(first));
    close(a), close(b), close(c);
    ASSERT_TRUE(PollUntil({&server}, [&] { return server.clients.empty(); }));
    EXPECT_EQ(serverRecord.events.size(), 5u);  // three accepts, two peers gone (a was disconnected by us)
}

TEST_F(SocketTest, ClientSendsOnItsConnectionUnlessThatIsTheExcludedTarget) {
    uint16_t plainPort = 0;
    const int listener = peer::Listen(&plainPort);
    OV_SOCKET client;
    ASSERT_TRUE(client.Connect("127.0.0.1", plainPort, OV_SOCKET_ANY));
    const int remote = peer::Accept(listener);
    EXPECT_EQ(SendText(client, "x", client.socket, true), 0u);
    EXPECT_EQ(SendText(client, "y", OvHandle{0, 123456}, true), 1u);
    EXPECT_EQ(SendText(client, "z"), 1u);
    EXPECT_EQ(peer::Read(remote, 2), "yz");
    close(remote);
    close(listener);
}

// The core polls its named sockets in the frame step and closes them in Clear.
TEST_F(SocketTest, TheCoresSocketsArePolledByTheFrameStepAndClosedByClear) {
    server.Close();
    OV_SOCKET* named = OvCore::Sockets().Get("server", 0);
    ASSERT_NE(named, nullptr);
    Record record;
    Hook(*named, record);
    ASSERT_TRUE(named->Listen(0, 0));
    const int fd = peer::Connect(named->Port());
    ASSERT_TRUE(peer::SendAll(fd, "frame"));
    for (int i = 0; i < 5000 && record.received != "frame"; ++i) {
        World().FrameStep();
        poll(nullptr, 0, 1);
    }
    EXPECT_EQ(record.received, "frame");
    core.Clear();
    EXPECT_EQ(OvCore::Sockets().Count(), 0u);
    EXPECT_TRUE(peer::SeesClose(fd));
    close(fd);
}

namespace {

// A server learns of arrivals without asking the kernel each frame; a
// connection must still be taken by the first Update after it arrived:
// one alone, a burst from another thread larger than the watch's room, and
// one after the server read its clients by polling for a while. The server
// listens in the calling thread.
void ExpectEveryArrivalAcceptedByTheNextUpdate() {
    OV_SOCKET server;
    Record record;
    Hook(server, record);
    ASSERT_TRUE(server.Listen(0, 0));
    const uint16_t port = server.Port();
    std::vector<int> peers;
    server.Update();  // nobody waits: the server now knows its queue is empty
    peers.push_back(peer::Connect(port));
    server.Update();
    ASSERT_EQ(server.clients.size(), 1u);
    std::thread burst([&] {
        for (int i = 0; i < 20; ++i) peers.push_back(peer::Connect(port));
    });
    burst.join();
    server.Update();
    ASSERT_EQ(server.clients.size(), 21u);
    for (size_t count = 22; count <= 34; ++count) {  // more arrivals than the watch has room for
        peers.push_back(peer::Connect(port));
        server.Update();  // enough clients to poll them
        ASSERT_EQ(server.clients.size(), count);
    }
    for (size_t i = 2; i < peers.size(); ++i) close(peers[i]);
    ASSERT_TRUE(PollUntil({&server}, [&] { return server.clients.size() == 2; }));
    peers.resize(2);
    server.Update();
    peers.push_back(peer::Connect(port));
    server.Update();  // reads each client again
    EXPECT_EQ(server.clients.size(), 3u);
    peer::SendAll(peers[0], "first");
    server.Update();
    EXPECT_EQ(record.received, "first");
    for (int fd : peers) close(fd);
}

// Makes io_uring_setup fail with EPERM in the calling thread (and threads it
// starts), as a container's system-call filter does.
bool ForbidKernelRings() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_io_uring_setup, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

}  // namespace

TEST_F(SocketTest, EveryArrivalIsAcceptedByTheNextUpdate) { ExpectEveryArrivalAcceptedByTheNextUpdate(); }

// Where the kernel refuses rings, a listener costs one descriptor and each
// Update asks the kernel for arrivals instead.
TEST_F(SocketTest, EveryArrivalIsAcceptedByTheNextUpdateWithoutKernelRings) {
    std::thread filtered([] {
        ASSERT_TRUE(ForbidKernelRings());
        const int before = peer::OpenDescriptors();
        OV_SOCKET listener;
        ASSERT_TRUE(listener.Listen(0, 0));
        EXPECT_EQ(peer::OpenDescriptors(), before + 1);
        listener.Close();
        ExpectEveryArrivalAcceptedByTheNextUpdate();
    });
    filtered.join();
}

// Abuse, bounded: churn, garbage, resets and a client that never reads; the
// server stays responsive and every descriptor comes back.
TEST_F(SocketTest, AbusedServerKeepsServingAndLeaksNoDescriptor) {
    serverRecord.echo = true;
    const int before = peer::OpenDescriptors();
    const auto accepts = [&] { return std::count(serverRecord.events.begin(), serverRecord.events.end(), "accept"); };
    for (int i = 0; i < 1000; ++i) {
        const int fd = peer::Connect(port);
        ASSERT_GE(fd, 0);
        close(fd);
        if (i % 50 == 49) server.Update();
    }
    ASSERT_TRUE(PollUntil({&server}, [&] { return accepts() == 1000 && server.clients.empty(); }));
    std::vector<int> garbage;
    std::string noise(100000, '\0');
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 131 % 251);
    for (int i = 0; i < 8; ++i) {
        garbage.push_back(peer::Connect(port));
        peer::SendAll(garbage.back(), noise);
    }
    for (int i = 0; i < 20; ++i) {
        const int fd = peer::Connect(port);
        peer::SendAll(fd, "reset");
        linger reset{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        close(fd);
    }
    ASSERT_TRUE(PollUntil({&server}, [&] { return accepts() == 1028 && server.clients.size() == 8; }));
    // A client that never reads while the server keeps sending it 1 MiB blocks.
    const int deaf = PlainClient();
    const OvHandle deafHandle = server.clients.back();
    const std::string block(1 << 20, 'd');
    uint32_t accepted = 1;
    int sends = 0;
    while (accepted > 0 && sends < 100) {
        accepted = SendText(server, block, deafHandle);
        ++sends;
        server.Update();
    }
    EXPECT_EQ(accepted, 0u);  // the kept bytes are bounded, the refusal reported
    ASSERT_TRUE(PollUntil({&server}, [&] { return serverRecord.received.size() >= 8 * noise.size(); }));
    for (int fd : garbage) close(fd);
    ASSERT_TRUE(PollUntil({&server}, [&] { return server.clients.size() == 1; }));
    EXPECT_GE(serverRecord.events.size(), 1029u);

    // Still accepting and serving.
    OV_SOCKET client;
    Record clientRecord;
    Hook(client, clientRecord);
    clientRecord.greeting = "still here";
    ASSERT_TRUE(client.Connect("127.0.0.1", port, OV_SOCKET_ANY));
    ASSERT_TRUE(PollUntil({&server, &client}, [&] { return clientRecord.received == "still here"; }));
    client.Close();
    close(deaf);
    ASSERT_TRUE(PollUntil({&server}, [&] { return server.clients.empty(); }));
    EXPECT_EQ(peer::OpenDescriptors(), before);
}
