#include "ovcore/net/Socket.h"
#include "ovcore/platform/Diagnostics.h"
#include "tests/net/PosixPeer.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace OvCore;

namespace {

// Every reason reported while it lives, in order.
struct NetReasons {
    std::vector<std::string> seen;
    NetReasons() {
        PlatformSetLogCallback(
            [](const char* reason, void* user) { static_cast<NetReasons*>(user)->seen.push_back(reason); }, this);
    }
    ~NetReasons() { PlatformSetLogCallback(nullptr, nullptr); }
};

// A port on 127.0.0.1 that nothing listens on.
uint16_t ClosedPort() {
    uint16_t port = 0;
    close(peer::Listen(&port));
    return port;
}

// Accepts one connection, reads the request head, sends `bytes`, then closes:
// with an RST when reset, else in order.
void ServeOnce(int listener, std::string bytes, bool reset) {
    const int fd = peer::Accept(listener);
    peer::ReadHead(fd);
    peer::SendAll(fd, bytes);
    const linger abort{1, 0};
    if (reset) setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    close(fd);
}

}  // namespace

TEST(NetFailureReasons, RefusedUnresolvedAndUrlHostsSayWhatFailedOnce) {
    const uint16_t port = ClosedPort();
    const std::string refused = "net: cannot connect: 127.0.0.1:" + std::to_string(port) + ": Connection refused";
    const std::string url = ": a host name or address, not a URL, is expected";
    uint16_t taken = 0;
    const int holder = peer::Listen(&taken);
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    NetReasons log;
    EXPECT_FALSE(socket.Connect("127.0.0.1", port, OV_SOCKET_ANY));
    EXPECT_FALSE(socket.HttpGet("127.0.0.1", "", body, port));
    EXPECT_FALSE(socket.Connect("http://example.org", 80, OV_SOCKET_ANY));
    EXPECT_FALSE(socket.HttpGet("example.org/index.html", "", body));
    EXPECT_FALSE(socket.Connect("::1", port, 7));
    EXPECT_FALSE(socket.Listen(taken, 4));
    EXPECT_FALSE(socket.Connect("no-such-host.invalid", 80, OV_SOCKET_ANY));
    close(holder);
    ASSERT_EQ(log.seen.size(), 7u);
    EXPECT_EQ(
        std::vector<std::string>(log.seen.begin(), log.seen.end() - 1),
        (std::vector<std::string>{refused, refused, "net: cannot resolve: http://example.org" + url,
                                  "net: cannot resolve: example.org/index.html" + url,
                                  "net: cannot open socket: family 7: not 0, 4 or 6",
                                  "net: cannot listen: port " + std::to_string(taken) + ": Address already in use"}));
    EXPECT_EQ(log.seen[6].rfind("net: cannot resolve: no-such-host.invalid: ", 0), 0u) << log.seen[6];
    EXPECT_EQ(std::string(OvLastError()), log.seen[6]);
}

TEST(NetFailureReasons, AResetConnectionIsReportedOnceAnOrderlyCloseNotAtAll) {
    uint16_t port = 0;
    const int listener = peer::Listen(&port);
    const std::string lost = "net: connection lost: 127.0.0.1:" + std::to_string(port) + ": Connection reset by peer";
    const std::string half = "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhalf";
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    NetReasons log;
    std::thread server(ServeOnce, listener, half, true);
    EXPECT_FALSE(socket.HttpGet("127.0.0.1", "", body, port));
    server.join();
    // Step by step, cut short in order: the request's reason names its host.
    server = std::thread(ServeOnce, listener, half, false);
    OV_HTTP_TRANSFER transfer;
    ASSERT_TRUE(socket.HttpGetBegin(transfer, "127.0.0.1", "", port));
    for (int i = 0; i < 5000 && socket.mode == OV_SOCKET::HTTP; ++i)
        if (!socket.HttpUpdate(transfer, body)) poll(nullptr, 0, 1);
    server.join();
    // A client connection reset by its peer, then one closed in order.
    for (const bool reset : {true, false}) {
        ASSERT_TRUE(socket.Connect("127.0.0.1", port, OV_SOCKET_IPV4));
        const int fd = peer::Accept(listener);
        const linger abort{1, 0};
        if (reset) setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        close(fd);
        for (int i = 0; i < 5000 && socket.Update(); ++i) poll(nullptr, 0, 1);
    }
    EXPECT_EQ(log.seen,
              (std::vector<std::string>{
                  lost, "net: HTTP request failed: 127.0.0.1: connection ended before the response was whole", lost}));
    close(listener);
}
