// Network costs on loopback.
//   Download*: a 256 MiB file from a local nginx, by blocking HttpGet, by
//     step-by-step HttpUpdate with 64 KiB blocks, and by curl into /dev/null
//     (bytes_per_second; the ratio to curl is what counts).
//   Echo*: 64-byte round trips between an OV_SOCKET client and server, both
//     polled in one loop, against plain blocking POSIX sockets (items_per_second).
//   IdleServerUpdate: one Update of a server with N connected idle clients.
// Needs /usr/sbin/nginx and /usr/bin/curl; the download benchmarks skip without them.
#include <benchmark/benchmark.h>

#include "ovcore/net/Socket.h"
#include "tests/net/NginxServer.h"

#include <netinet/tcp.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace OvCore;

namespace {

constexpr size_t kFileBytes = 256u << 20;
constexpr uint32_t kStepBlock = 64 * 1024;
constexpr uint32_t kEchoBytes = 64;

// One nginx for all download benchmarks, serving "big.bin".
NginxServer* Server() {
    static std::unique_ptr<NginxServer> server = [] {
        auto made = std::make_unique<NginxServer>();
        std::string file(kFileBytes, '\0');
        for (size_t i = 0; i < file.size(); i += 4096) file[i] = static_cast<char>(i >> 12);
        made->Serve("big.bin", file);
        if (!made->Start()) made.reset();
        return made;
    }();
    return server.get();
}

// The body stays in memory; a first untimed download touches its pages, as
// curl's /dev/null never has to.
void BM_DownloadHttpGet(benchmark::State& state) {
    if (!Server()) return state.SkipWithError("nginx did not start");
    SocketsStartup();
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    socket.HttpGet("127.0.0.1", "big.bin", body, Server()->Port(), kStepBlock);
    for (auto _ : state) {
        if (!socket.HttpGet("127.0.0.1", "big.bin", body, Server()->Port(), kStepBlock) || body.Size() != kFileBytes)
            return state.SkipWithError("download failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}

// One HttpUpdate per loop turn, as a frame would call it; a turn that finds
// nothing waits until the connection is readable instead of spinning.
void BM_DownloadHttpUpdate(benchmark::State& state) {
    if (!Server()) return state.SkipWithError("nginx did not start");
    SocketsStartup();
    OV_SOCKET socket;
    OV_MEMORY_FILE body;
    body.Allocate(static_cast<uint32_t>(kFileBytes));  // touched once, kept across downloads
    std::memset(body.Data(), 1, kFileBytes);
    for (auto _ : state) {
        OV_HTTP_TRANSFER transfer;
        body.size = 0;
        body.Seek(0, false, false);
        if (!socket.HttpGetBegin(transfer, "127.0.0.1", "big.bin", Server()->Port()))
            return state.SkipWithError("begin failed");
        while (transfer.state != OV_HTTP_TRANSFER::COMPLETE && transfer.state != OV_HTTP_TRANSFER::IDLE) {
            if (socket.HttpUpdate(transfer, body, kStepBlock) || socket.mode != OV_SOCKET::HTTP) continue;
            uint8_t readable = 0;
            OvSocketReadable(&socket.socket, 1, &readable, 10);
        }
        if (transfer.state != OV_HTTP_TRANSFER::COMPLETE || body.Size() != kFileBytes)
            return state.SkipWithError("download failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}

void BM_DownloadCurl(benchmark::State& state) {
    if (!Server()) return state.SkipWithError("nginx did not start");
    const std::string command =
        "curl -s -f -o /dev/null http://127.0.0.1:" + std::to_string(Server()->Port()) + "/big.bin";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) return state.SkipWithError("curl failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}

struct Echo {
    OV_SOCKET server, client;
    OV_MEMORY_FILE message;
    uint32_t arrived = 0;
};

void EchoBack(OV_SOCKET* socket, OvHandle client, OV_MEMORY_FILE* buffer) {
    OV_SOCKET_MESSAGE reply;
    reply.buffer = buffer;
    reply.target = client;
    socket->Send(reply);
}

void CountArrived(OV_SOCKET* socket, OV_MEMORY_FILE* buffer) {
    static_cast<Echo*>(socket->userData)->arrived += buffer->size;
}

void BM_EchoOvSocket(benchmark::State& state) {
    SocketsStartup();
    Echo echo;
    echo.server.OnClientReceive = EchoBack;
    echo.client.OnReceive = CountArrived;
    echo.client.userData = &echo;
    if (!echo.server.Listen(0, 0) || !echo.client.Connect("127.0.0.1", echo.server.Port(), OV_SOCKET_IPV4))
        return state.SkipWithError("no connection");
    while (echo.server.clients.empty()) echo.server.Update();
    const std::string bytes(kEchoBytes, 'e');
    echo.message.Write(bytes.data(), kEchoBytes);
    OV_SOCKET_MESSAGE message;
    message.buffer = &echo.message;
    for (auto _ : state) {
        echo.arrived = 0;
        echo.client.Send(message);
        while (echo.arrived < kEchoBytes) {
            echo.server.Update();
            if (!echo.client.Update()) return state.SkipWithError("connection lost");
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_EchoPosix(benchmark::State& state) {
    uint16_t port = 0;
    const int listener = peer::Listen(&port);
    const int client = peer::Connect(port);
    const int server = peer::Accept(listener);
    if (listener < 0 || client < 0 || server < 0) return state.SkipWithError("no connection");
    const int one = 1;
    setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    setsockopt(server, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    char out[kEchoBytes] = {}, in[kEchoBytes];
    for (auto _ : state) {
        send(client, out, kEchoBytes, MSG_NOSIGNAL);
        for (size_t got = 0; got < kEchoBytes;) got += static_cast<size_t>(recv(server, in + got, kEchoBytes - got, 0));
        send(server, in, kEchoBytes, MSG_NOSIGNAL);
        for (size_t got = 0; got < kEchoBytes;) got += static_cast<size_t>(recv(client, in + got, kEchoBytes - got, 0));
    }
    state.SetItemsProcessed(state.iterations());
    close(server);
    close(client);
    close(listener);
}

void BM_IdleServerUpdate(benchmark::State& state) {
    SocketsStartup();
    OV_SOCKET server;
    if (!server.Listen(0, 0)) return state.SkipWithError("no listener");
    const size_t count = static_cast<size_t>(state.range(0));
    std::vector<int> peers;
    while (peers.size() < count) {
        const int fd = peer::Connect(server.Port());
        if (fd < 0) return state.SkipWithError("connect failed");
        peers.push_back(fd);
        server.Update();
    }
    while (server.clients.size() < count) server.Update();
    for (auto _ : state) server.Update();
    state.counters["clients"] = static_cast<double>(server.clients.size());
    server.Close();
    for (int fd : peers) close(fd);
}

}  // namespace

BENCHMARK(BM_DownloadHttpGet)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();
BENCHMARK(BM_DownloadHttpUpdate)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();
BENCHMARK(BM_DownloadCurl)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();
BENCHMARK(BM_EchoOvSocket)->UseRealTime();
BENCHMARK(BM_EchoPosix)->UseRealTime();
BENCHMARK(BM_IdleServerUpdate)->Arg(1000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
