#include "ovcore/net/Socket.h"
#include "tests/net/BodyText.h"
#include "tests/net/NginxServer.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <string>

using namespace OvCore;

namespace {

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
    return bytes;
}

class Nginx : public ::testing::Test {
protected:
    static inline NginxServer* server = nullptr;
    static inline const std::string big = Pattern(3 * 1024 * 1024 + 17);

    static void SetUpTestSuite() {
        server = new NginxServer;
        server->Serve("hello.txt", "hello nginx\n");
        server->Serve("my file.txt", "a name with a space");
        server->Serve("empty.txt", "");
        server->Serve("big.bin", big);
        if (!server->Start()) {
            delete server;
            server = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override { ASSERT_NE(server, nullptr) << "nginx (" << NginxServer::kProgram << ") did not start"; }
};

}  // namespace

TEST_F(Nginx, BlockingGetAndPostReadWhatNginxServes) {
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    EXPECT_TRUE(socket.HttpGet("127.0.0.1", "hello.txt", body, server->Port()));
    EXPECT_EQ(BodyText(body), "hello nginx\n");
    EXPECT_TRUE(socket.HttpGet("localhost", "my file.txt", body, server->Port(), 7));
    EXPECT_EQ(BodyText(body), "a name with a space");
    EXPECT_TRUE(socket.HttpGet("127.0.0.1", "empty.txt", body, server->Port()));
    EXPECT_EQ(body.Size(), 0u);
    EXPECT_TRUE(socket.HttpGet("127.0.0.1", "big.bin", body, server->Port(), 65536));
    EXPECT_TRUE(BodyText(body) == big);
    EXPECT_TRUE(socket.HttpPost("127.0.0.1", "form", "a=1&b=2", body, server->Port()));
    EXPECT_EQ(BodyText(body), "posted");
    // No status interpretation: a missing file gives nginx's error page.
    EXPECT_TRUE(socket.HttpGet("127.0.0.1", "missing.txt", body, server->Port()));
    EXPECT_NE(BodyText(body).find("404"), std::string::npos);
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
}

// nginx keeps the connection open (keep-alive): the transfer must end on the length.
TEST_F(Nginx, SteppedGetEndsOnTheLengthOfAKeptAliveResponse) {
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    for (uint32_t block : {65536u, 1000u}) {
        OV_HTTP_TRANSFER transfer;
        ASSERT_TRUE(socket.HttpGetBegin(transfer, "127.0.0.1", "big.bin", server->Port()));
        int lastDone = -1;
        int bodySteps = 0;
        for (int i = 0; i < 200000 && transfer.state != OV_HTTP_TRANSFER::COMPLETE; ++i) {
            if (!socket.HttpUpdate(transfer, body, block)) {
                ASSERT_NE(transfer.state, OV_HTTP_TRANSFER::IDLE);
                poll(nullptr, 0, 1);
                continue;
            }
            if (transfer.state == OV_HTTP_TRANSFER::READING_BODY) {
                EXPECT_EQ(transfer.total, static_cast<int>(big.size()));
                EXPECT_GT(transfer.done, lastDone);
                EXPECT_LE(transfer.done - std::max(lastDone, 0), static_cast<int>(block));
                lastDone = transfer.done;
                ++bodySteps;
            }
        }
        EXPECT_EQ(transfer.state, OV_HTTP_TRANSFER::COMPLETE);
        EXPECT_EQ(transfer.done, static_cast<int>(big.size()));
        EXPECT_GT(bodySteps, static_cast<int>(big.size() / block) - 2);
        EXPECT_TRUE(BodyText(body) == big);
        EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
        body.Clear();
    }
}
