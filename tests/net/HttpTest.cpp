#include "ovcore/net/Socket.h"
#include "ovcore/platform/Diagnostics.h"
#include "tests/net/BodyText.h"
#include "tests/net/PosixPeer.h"
#include "tests/net/ScriptedServer.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <string>

using namespace OvCore;

namespace {

using Script = std::vector<ScriptedServer::Piece>;

const std::string kHello = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

// Each piece of the text as its own write, a millisecond apart.
Script Trickled(const std::string& text, size_t piece) {
    Script script;
    for (size_t at = 0; at < text.size(); at += piece) script.push_back({text.substr(at, piece), 1});
    return script;
}

struct Get {
    bool ok = false;
    std::string body;
    std::string request;
};

Get BlockingGet(Script script, const char* path = "file", float timeout = 30.0f, bool hangUp = true) {
    ScriptedServer server(std::move(script), hangUp);
    OV_SOCKET socket;
    socket.httpTimeout = timeout;
    OV_MEMORY_FILE body;
    Get get;
    get.ok = socket.HttpGet("127.0.0.1", path, body, server.Port());
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
    get.body = BodyText(body);
    get.request = server.Request();
    return get;
}

// Runs a step-by-step GET to its end; the states it passed through, in order,
// one entry per HttpUpdate that returned true.
struct Steps {
    OV_HTTP_TRANSFER transfer;
    std::string body;
    std::vector<int> states;
    std::vector<int> done;
    std::string request;
};

Steps SteppedGet(Script script, const char* path = "file", uint32_t blockSize = 0) {
    ScriptedServer server(std::move(script));
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    Steps steps;
    EXPECT_TRUE(socket.HttpGetBegin(steps.transfer, "localhost", path, server.Port()));
    EXPECT_EQ(steps.transfer.state, OV_HTTP_TRANSFER::SENDING);
    EXPECT_EQ(socket.mode, OV_SOCKET::HTTP);
    EXPECT_FALSE(socket.HttpUpdate(steps.transfer, body, blockSize));
    EXPECT_EQ(steps.transfer.state, OV_HTTP_TRANSFER::READING_HEAD);
    for (int i = 0; i < 5000 && socket.mode == OV_SOCKET::HTTP; ++i) {
        if (socket.HttpUpdate(steps.transfer, body, blockSize)) {
            steps.states.push_back(steps.transfer.state);
            steps.done.push_back(steps.transfer.done);
        } else {
            poll(nullptr, 0, 1);
        }
    }
    steps.body = BodyText(body);
    steps.request = server.Request();
    return steps;
}

}  // namespace

TEST(Http, RequestsLeaveInTheirExactTemplates) {
    Get get = BlockingGet({{kHello}}, "my file.txt");
    EXPECT_TRUE(get.ok);
    EXPECT_EQ(get.request,
              "GET /my%20file.txt HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: Orvo Core\r\nConnection: close\r\n\r\n");
    Steps steps = SteppedGet({{kHello}}, "a b/c d");
    EXPECT_EQ(
        steps.request,
        "GET /a%20b/c%20d HTTP/1.1\r\nHost: localhost\r\nUser-Agent: Orvo Core\r\nConnection: keep-alive\r\n\r\n");

    ScriptedServer blocking({{kHello}});
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    EXPECT_TRUE(socket.HttpPost("127.0.0.1", "form", "a=1&b=2", body, blocking.Port()));
    EXPECT_EQ(BodyText(body), "hello");
    EXPECT_EQ(blocking.Request(),
              "POST /form HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: Orvo Core\r\nConnection: close\r\n"
              "Content-Length: 7\r\nContent-Type: application/x-www-form-urlencoded\r\n\r\na=1&b=2");
    ScriptedServer stepped({{kHello}});
    OV_HTTP_TRANSFER transfer;
    ASSERT_TRUE(socket.HttpPostBegin(transfer, "127.0.0.1", "", "x=%20", stepped.Port()));
    socket.HttpAbort(transfer);
    EXPECT_EQ(stepped.Request(),
              "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: Orvo Core\r\nConnection: keep-alive\r\n"
              "Content-Length: 5\r\nContent-Type: application/x-www-form-urlencoded\r\n\r\nx=%20");
}

TEST(Http, BlockingGetReadsBodiesHoweverTheyAreDelimitedAndSplit) {
    EXPECT_EQ(BlockingGet({{kHello}}).body, "hello");
    // The one-chunk example: only the data is the body.
    const std::string oneChunk = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n";
    EXPECT_EQ(BlockingGet({{oneChunk}}).body, "hello");
    // Several chunks, an extension, a trailer, header names in any case,
    // every piece split across writes (the head byte by byte).
    const std::string chunks =
        "HTTP/1.1 200 OK\r\ntransfer-ENCODING:  chunked \r\nX-Other: 1\r\n\r\n"
        "4\r\nWiki\r\n5;name=value\r\npedia\r\nE\r\n in\r\n\r\nchunks.\r\n10\r\n0123456789abcdef\r\n0\r\nTrailer: "
        "t\r\n\r\n";
    const std::string decoded = "Wikipedia in\r\n\r\nchunks.0123456789abcdef";
    Get trickled = BlockingGet(Trickled(chunks, 1));
    EXPECT_TRUE(trickled.ok);
    EXPECT_EQ(trickled.body, decoded);
    EXPECT_EQ(BlockingGet(Trickled(chunks, 7)).body, decoded);
    EXPECT_EQ(BlockingGet({{"HTTP/1.1 200 OK\r\ncontent-length: 3\r\n\r\nabc"}}).body, "abc");
    // Interim responses are skipped; no length and no chunks: to the close.
    Get toClose =
        BlockingGet({{"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.0 200 OK\r\nServer: x\r\n\r\nuntil"}, {" close", 5}});
    EXPECT_TRUE(toClose.ok);
    EXPECT_EQ(toClose.body, "until close");
    // Bytes past the declared length are not body.
    EXPECT_EQ(BlockingGet({{"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nabcdef"}}).body, "ab");
    // A second request into the same memory file holds only the new body.
    {
        ScriptedServer first({{"HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nfirst one"}});
        ScriptedServer second({{kHello}});
        OV_SOCKET socket;
        OV_MEMORY_FILE body;
        ASSERT_TRUE(socket.HttpGet("127.0.0.1", "1", body, first.Port()));
        ASSERT_TRUE(socket.HttpGet("127.0.0.1", "2", body, second.Port()));
        EXPECT_EQ(BodyText(body), "hello");
    }
    Get empty = BlockingGet({{"HTTP/1.1 204 No Content\r\n\r\n"}}, "e", 30.0f, false);
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(empty.body, "");
}

TEST(Http, BlockingGetFailsOnCutShortMalformedOrSilentResponses) {
    struct Case {
        const char* what;
        Script script;
    } cases[] = {
        {"lying length", {{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly ten.."}}},
        {"close inside the head", {{"HTTP/1.1 200 OK\r\nContent-Le"}}},
        {"close before a word", {}},
        {"chunks cut short", {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhel"}}},
        {"bad chunk size", {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nhello\r\n0\r\n\r\n"}}},
        {"not http", {{"SSH-2.0-OpenSSH\r\n\r\n"}}},
        {"two lengths", {{"HTTP/1.1 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab"}}},
        {"bad length", {{"HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\nab"}}},
        {"endless head", {{"HTTP/1.1 200 OK\r\n" + std::string(70000, 'h')}}},
    };
    for (Case& c : cases) {
        Get get = BlockingGet(c.script);
        EXPECT_FALSE(get.ok) << c.what;
    }
    // A peer that never answers: the request gives up after the silence.
    Get silent = BlockingGet({{"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhe"}}, "x", 0.2f, false);
    EXPECT_FALSE(silent.ok);
    EXPECT_EQ(silent.body, "he");
    EXPECT_FALSE(BlockingGet({}, "x", 0.2f, false).ok);
    // Nobody listening.
    uint16_t port = 0;
    close(peer::Listen(&port));
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    EXPECT_FALSE(socket.HttpGet("127.0.0.1", "x", body, port));
    EXPECT_FALSE(socket.HttpGet(nullptr, "x", body, port));
    OV_HTTP_TRANSFER transfer{17, 3, 3};
    EXPECT_FALSE(socket.HttpGetBegin(transfer, "127.0.0.1", "x", port));
    EXPECT_EQ(transfer.state, OV_HTTP_TRANSFER::IDLE);
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
}

TEST(Http, SteppedGetOfOneBlockCompletesInOneUpdate) {
    ScriptedServer server({{kHello}});
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    OV_HTTP_TRANSFER transfer;
    ASSERT_TRUE(socket.HttpGetBegin(transfer, "127.0.0.1", "one", server.Port()));
    EXPECT_FALSE(socket.HttpUpdate(transfer, body, 0));
    int updates = 0;
    while (!socket.HttpUpdate(transfer, body, 0) && updates++ < 5000) {
        EXPECT_EQ(transfer.state, OV_HTTP_TRANSFER::READING_HEAD);
        poll(nullptr, 0, 1);
    }
    EXPECT_EQ(transfer.state, OV_HTTP_TRANSFER::COMPLETE);
    EXPECT_EQ(transfer.total, 5);
    EXPECT_EQ(transfer.done, 5);
    EXPECT_EQ(BodyText(body), "hello");
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
    EXPECT_FALSE(socket.HttpUpdate(transfer, body, 0));
    EXPECT_EQ(transfer.state, OV_HTTP_TRANSFER::IDLE);
    EXPECT_FALSE(socket.HttpAbort(transfer));
}

TEST(Http, SteppedGetFollowsSplitHeadsChunksAndCloseDelimitedBodies) {
    // A head split across blocks: reading it takes several updates in state 17.
    Steps split = SteppedGet(Trickled("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123456789", 3));
    EXPECT_EQ(split.body, "0123456789");
    EXPECT_EQ(split.transfer.state, OV_HTTP_TRANSFER::COMPLETE);
    EXPECT_EQ(split.transfer.total, 10);
    EXPECT_EQ(split.states.front(), OV_HTTP_TRANSFER::READING_HEAD);
    EXPECT_EQ(split.states.back(), OV_HTTP_TRANSFER::COMPLETE);
    for (size_t i = 1; i < split.done.size(); ++i) EXPECT_GE(split.done[i], split.done[i - 1]);

    Steps chunked = SteppedGet(
        Trickled("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n", 5), "c", 4);
    EXPECT_EQ(chunked.body, "abcde");
    EXPECT_EQ(chunked.transfer.state, OV_HTTP_TRANSFER::COMPLETE);
    EXPECT_EQ(chunked.transfer.total, 5);
    EXPECT_EQ(chunked.transfer.done, 5);

    Steps toClose = SteppedGet({{"HTTP/1.1 200 OK\r\n\r\nsome"}, {" more", 20}});
    EXPECT_EQ(toClose.body, "some more");
    EXPECT_EQ(toClose.transfer.state, OV_HTTP_TRANSFER::COMPLETE);
    EXPECT_EQ(toClose.transfer.total, 9);

    Steps cut = SteppedGet({{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort"}});
    EXPECT_EQ(cut.transfer.state, OV_HTTP_TRANSFER::IDLE);
    EXPECT_EQ(cut.body, "short");
    Steps garbage = SteppedGet({{"garbage\r\n\r\n"}});
    EXPECT_EQ(garbage.transfer.state, OV_HTTP_TRANSFER::IDLE);
}

TEST(Http, AbortEndsAStepByStepRequestAndNothingElse) {
    ScriptedServer server({}, false);
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    OV_HTTP_TRANSFER transfer;
    EXPECT_FALSE(socket.HttpAbort(transfer));
    ASSERT_TRUE(socket.HttpGetBegin(transfer, "127.0.0.1", "slow", server.Port()));
    socket.HttpUpdate(transfer, body, 0);
    EXPECT_FALSE(socket.HttpUpdate(transfer, body, 0));  // nothing yet, and no waiting
    EXPECT_TRUE(socket.HttpAbort(transfer));
    EXPECT_EQ(transfer.state, OV_HTTP_TRANSFER::IDLE);
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
    EXPECT_FALSE(socket.Update());
    ASSERT_TRUE(socket.Listen(0, 0));
    EXPECT_FALSE(socket.HttpAbort(transfer));
    OV_HTTP_TRANSFER stale{18, 10, 4};
    EXPECT_FALSE(socket.HttpUpdate(stale, body, 0));
    EXPECT_EQ(stale.state, 0);
    EXPECT_EQ(stale.total, 0);
}

namespace {

std::string Repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

struct Limited {
    bool ok = false;
    std::string body;
    uint32_t capacity = 0;
    std::string reason;
};

Limited LimitedGet(Script script, uint32_t bodyLimit, bool hangUp = true) {
    ScriptedServer server(std::move(script), hangUp);
    OV_SOCKET socket;
    socket.httpTimeout = 5.0f;
    socket.httpBodyLimit = bodyLimit;
    OV_MEMORY_FILE body;
    PlatformReportFailure("%s", "");
    Limited got;
    got.ok = socket.HttpGet("127.0.0.1", "big", body, server.Port());
    got.body = BodyText(body);
    got.capacity = body.capacity;
    got.reason = PlatformLastFailure();
    return got;
}

const std::string kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
const std::string kRefusedPath = "net: HTTP request refused: 127.0.0.1: path holds a control character";

}  // namespace

TEST(Http, InterimHeadsAndTrailersAreBounded) {
    // A server that keeps sending interim heads, or trailer lines, ends the
    // request at once instead of holding it until the timeout.
    Limited interim = LimitedGet({{Repeated(kContinue, OV_HTTP_RESPONSE::kInterimLimit + 1) + kHello}}, 1000, false);
    EXPECT_FALSE(interim.ok);
    EXPECT_EQ(interim.reason, "net: HTTP request failed: 127.0.0.1: too many interim heads");
    EXPECT_EQ(LimitedGet({{Repeated(kContinue, OV_HTTP_RESPONSE::kInterimLimit) + kHello}}, 1000).body, "hello");
    Steps stepped = SteppedGet({{Repeated(kContinue, OV_HTTP_RESPONSE::kInterimLimit + 1) + kHello}});
    EXPECT_EQ(stepped.transfer.state, OV_HTTP_TRANSFER::IDLE);
    EXPECT_EQ(stepped.body, "");

    const std::string lastChunk = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n0\r\n";
    const std::string line = "X-Trailer: " + std::string(100, 't') + "\r\n";
    const int fitting = static_cast<int>(OV_HTTP_RESPONSE::kHeadLimit / line.size());
    Limited endless = LimitedGet({{lastChunk + Repeated(line, fitting + 1) + "\r\n"}}, 1000, false);
    EXPECT_FALSE(endless.ok);
    EXPECT_EQ(endless.reason, "net: HTTP request failed: 127.0.0.1: trailer longer than its limit");
    Limited fits = LimitedGet({{lastChunk + Repeated(line, fitting - 1) + "\r\n"}}, 1000);
    EXPECT_TRUE(fits.ok);
    EXPECT_EQ(fits.body, "ok");
}

TEST(Http, BodiesPastTheLimitFailAndLeaveTheBodyEmpty) {
    EXPECT_EQ(OV_SOCKET().httpBodyLimit, 256u << 20);
    const std::string eleven = "0123456789a";
    struct Case {
        const char* what;
        std::string response;
    } cases[] = {
        {"declared", "HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\n" + eleven},
        {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n6\r\n012345\r\n5\r\n6789a\r\n0\r\n\r\n"},
        {"to the close", "HTTP/1.1 200 OK\r\n\r\n" + eleven},
    };
    for (const Case& c : cases) {
        Limited got = LimitedGet(Trickled(c.response, 4), 10);
        EXPECT_FALSE(got.ok) << c.what;
        EXPECT_EQ(got.body, "") << c.what;
        EXPECT_EQ(got.capacity, 0u) << c.what;
        EXPECT_EQ(got.reason, "net: HTTP request failed: 127.0.0.1: body longer than its limit") << c.what;
    }
    EXPECT_EQ(LimitedGet({{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123456789"}}, 10).body, "0123456789");
    // The largest length a header may state fails before a byte of it is
    // waited for, with the default limit and with the largest one.
    const std::string huge = "HTTP/1.1 200 OK\r\nContent-Length: 4294967295\r\n\r\nxx";
    EXPECT_FALSE(LimitedGet({{huge}}, 256u << 20, false).ok);
    EXPECT_FALSE(LimitedGet({{huge}}, UINT32_MAX, false).ok);

    // Step by step: done and total never pass what an int holds, because a
    // body never may.
    ScriptedServer server({{"HTTP/1.1 200 OK\r\nContent-Length: 2147483648\r\n\r\nxx"}}, false);
    OV_SOCKET socket;
    socket.httpBodyLimit = UINT32_MAX;
    OV_MEMORY_FILE body;
    OV_HTTP_TRANSFER transfer;
    ASSERT_TRUE(socket.HttpGetBegin(transfer, "127.0.0.1", "big", server.Port()));
    for (int i = 0; i < 5000 && socket.mode == OV_SOCKET::HTTP; ++i) {
        if (!socket.HttpUpdate(transfer, body, 0)) poll(nullptr, 0, 1);
    }
    EXPECT_EQ(transfer.state, OV_HTTP_TRANSFER::IDLE);
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
    EXPECT_EQ(BodyText(body), "");
}

TEST(Http, ControlCharactersInHostOrPathAreRefusedBeforeAnythingIsSent) {
    uint16_t port = 0;
    const int listener = peer::Listen(&port);
    ASSERT_GE(listener, 0);
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    OV_HTTP_TRANSFER transfer;
    for (const char* path : {"file.bin HTTP/1.1\r\nHost: other\r\nX-Injected: yes\r\n\r\nGET /second", "a\nb", "a\rb",
                             "tab\there", "bell\x07", "del\x7f", "\x1f"}) {
        EXPECT_FALSE(socket.HttpGet("127.0.0.1", path, body, port)) << path;
        EXPECT_EQ(PlatformLastFailure(), kRefusedPath);
        EXPECT_FALSE(socket.HttpPost("127.0.0.1", path, "a=1", body, port)) << path;
        EXPECT_FALSE(socket.HttpGetBegin(transfer, "127.0.0.1", path, port)) << path;
        EXPECT_FALSE(socket.HttpPostBegin(transfer, "127.0.0.1", path, "a=1", port)) << path;
        EXPECT_EQ(transfer.state, OV_HTTP_TRANSFER::IDLE);
    }
    EXPECT_FALSE(socket.HttpGet("127.0.0.1\r\nX-Injected: yes", "x", body, port));
    EXPECT_EQ(std::string(PlatformLastFailure()), "net: HTTP request refused: host name: holds a control character");
    EXPECT_FALSE(socket.HttpGetBegin(transfer, "localhost\n", "x", port));
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
    // Not even a connection was opened.
    pollfd waiting{listener, POLLIN, 0};
    EXPECT_EQ(poll(&waiting, 1, 0), 0);
    close(listener);
}

TEST(Http, TheDeadlineEndsARequestThatTricklesForever) {
    Script trickle{{"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n"}};
    for (int i = 0; i < 1000; ++i) trickle.push_back({"x", 20});
    ScriptedServer server(trickle);
    OV_SOCKET socket;
    socket.httpTimeout = 5.0f;  // every byte comes well within it
    socket.httpDeadline = 0.15f;
    OV_MEMORY_FILE body;
    EXPECT_FALSE(socket.HttpGet("127.0.0.1", "slow", body, server.Port()));
    EXPECT_EQ(std::string(PlatformLastFailure()), "net: HTTP request failed: 127.0.0.1: deadline passed");
    EXPECT_LT(body.Size(), 1000u);
    EXPECT_EQ(socket.mode, OV_SOCKET::CLOSED);
    // Within its deadline a request completes as ever.
    ScriptedServer quick({{kHello}});
    EXPECT_TRUE(socket.HttpGet("127.0.0.1", "quick", body, quick.Port()));
    EXPECT_EQ(BodyText(body), "hello");
}

TEST(Http, RedirectsGoWhereTheirLocationSaysOrNowhere) {
    // An absolute address with a port: the next request goes there, with
    // that host and path on the wire.
    ScriptedServer target({{kHello}});
    const std::string there = "http://127.0.0.1:" + std::to_string(target.Port()) + "/next/file?q=1#part";
    ScriptedServer first({{"HTTP/1.1 308 Permanent Redirect\r\nLocation: " + there + "\r\nContent-Length: 0\r\n\r\n"}});
    OV_SOCKET socket;
    socket.httpRedirects = 2;
    OV_MEMORY_FILE body;
    ASSERT_TRUE(socket.HttpGet("localhost", "start", body, first.Port()));
    EXPECT_EQ(BodyText(body), "hello");
    EXPECT_EQ(socket.HttpStatus(), 200);
    EXPECT_EQ(target.Request(),
              "GET /next/file?q=1 HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: Orvo Core\r\nConnection: close\r\n\r\n");
    // Locations that cannot be followed leave the redirect as it came.
    for (const char* location : {"https://127.0.0.1/x", "mailto:a@b", "relative/path", "http://:80/x",
                                 "http://127.0.0.1:99999/x", "http://127.0.0.1:8x/x", ""}) {
        ScriptedServer server(
            {{std::string("HTTP/1.1 302 Found\r\nLocation: ") + location + "\r\nContent-Length: 4\r\n\r\nmove"}});
        EXPECT_TRUE(socket.HttpGet("127.0.0.1", "a", body, server.Port())) << location;
        EXPECT_EQ(socket.HttpStatus(), 302) << location;
        EXPECT_EQ(socket.HttpReason(), "Found");
        EXPECT_EQ(BodyText(body), "move") << location;
    }
    // A Location with a line break in it is refused like any path.
    ScriptedServer injecting({{"HTTP/1.1 301 Moved\r\nLocation: /a\rX-Injected: yes\r\nContent-Length: 0\r\n\r\n"}});
    EXPECT_FALSE(socket.HttpGet("127.0.0.1", "a", body, injecting.Port()));
    EXPECT_EQ(PlatformLastFailure(), kRefusedPath);
}
