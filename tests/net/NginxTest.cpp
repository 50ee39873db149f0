#include "ovcore/net/Socket.h"
#include "tests/net/BodyText.h"
#include "tests/net/NginxServer.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <filesystem>
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
        std::filesystem::create_directory(server->FilePath("ssi"));
        server->Serve("ssi/page.txt", "[<!--# include file=\"/hello.txt\" -->]");
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

TEST_F(Nginx, StatusReasonAndHeadersAreThereBesideWhatTheCallsReturn) {
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    EXPECT_EQ(socket.HttpStatus(), 0);
    ASSERT_TRUE(socket.HttpGet("127.0.0.1", "missing.txt", body, server->Port()));
    EXPECT_EQ(socket.HttpStatus(), 404);
    EXPECT_EQ(socket.HttpReason(), "Not Found");
    EXPECT_EQ(socket.HttpHeader("content-TYPE"), "text/html");
    EXPECT_EQ(socket.HttpHeader("X-Absent"), "");
    EXPECT_EQ(socket.HttpHeaders().rfind("Server: nginx", 0), 0u) << socket.HttpHeaders();
    ASSERT_TRUE(socket.HttpGet("127.0.0.1", "hello.txt", body, server->Port()));
    EXPECT_EQ(socket.HttpStatus(), 200);
    EXPECT_EQ(socket.HttpReason(), "OK");
    EXPECT_EQ(socket.HttpHeader("Content-Length"), "12");
    // A chunked body, decoded; the coding shows in the headers.
    ASSERT_TRUE(socket.HttpGet("127.0.0.1", "ssi/page.txt", body, server->Port()));
    EXPECT_EQ(BodyText(body), "[hello nginx\n]");
    EXPECT_EQ(socket.HttpHeader("Transfer-Encoding"), "chunked");
    EXPECT_EQ(socket.HttpHeader("Content-Length"), "");
    // Stepped: known once the head is read, kept after the end.
    body.Clear();
    OV_HTTP_TRANSFER transfer;
    ASSERT_TRUE(socket.HttpGetBegin(transfer, "127.0.0.1", "ssi/page.txt", server->Port()));
    EXPECT_EQ(socket.HttpStatus(), 0);
    for (int i = 0; i < 5000 && transfer.state != OV_HTTP_TRANSFER::COMPLETE; ++i)
        if (!socket.HttpUpdate(transfer, body, 0)) poll(nullptr, 0, 1);
    EXPECT_EQ(transfer.state, OV_HTTP_TRANSFER::COMPLETE);
    EXPECT_EQ(BodyText(body), "[hello nginx\n]");
    EXPECT_EQ(socket.HttpStatus(), 200);
    EXPECT_EQ(socket.HttpHeader("transfer-encoding"), "chunked");
    // A request that never got a head has no status.
    EXPECT_FALSE(socket.HttpGet("127.0.0.1", "x\r\ny", body, server->Port()));
    EXPECT_EQ(socket.HttpStatus(), 0);
    EXPECT_EQ(socket.HttpHeaders(), "");
}

TEST_F(Nginx, BlockingGetFollowsRedirectsOnlyWhenAskedAndOnlySoFar) {
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    ASSERT_TRUE(socket.HttpGet("127.0.0.1", "moved", body, server->Port()));
    EXPECT_EQ(socket.HttpStatus(), 301);
    EXPECT_EQ(socket.HttpHeader("Location"), "http://127.0.0.1:" + std::to_string(server->Port()) + "/hello.txt");
    EXPECT_NE(BodyText(body).find("301"), std::string::npos);
    socket.httpRedirects = 3;
    // A path (302) to an absolute address (301) to the file.
    ASSERT_TRUE(socket.HttpGet("localhost", "relative", body, server->Port()));
    EXPECT_EQ(socket.HttpStatus(), 200);
    EXPECT_EQ(BodyText(body), "hello nginx\n");
    // A loop ends after the hops allowed, with the last answer as it came.
    ASSERT_TRUE(socket.HttpGet("127.0.0.1", "loop", body, server->Port()));
    EXPECT_EQ(socket.HttpStatus(), 307);
    socket.httpRedirects = 1;
    ASSERT_TRUE(socket.HttpGet("127.0.0.1", "relative", body, server->Port()));
    EXPECT_EQ(socket.HttpStatus(), 301);
    // The form is never redirected.
    socket.httpRedirects = 3;
    ASSERT_TRUE(socket.HttpPost("127.0.0.1", "moved", "a=1", body, server->Port()));
    EXPECT_EQ(socket.HttpStatus(), 301);
}
