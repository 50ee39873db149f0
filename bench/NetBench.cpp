// Network costs on loopback.
//   Download*: a 256 MiB file from a local nginx, by blocking HttpGet, by
//     step-by-step HttpUpdate with 64 KiB blocks, and by curl into /dev/null
//     (bytes_per_second; the ratio to curl is what counts).
//   Echo: 64-byte round trips between an OV_SOCKET client and server, both
//     polled in one loop, and over plain blocking POSIX sockets, in the same
//     iterations; prints the ratio.
//   IdleServerUpdate: one Update of a server with N connected idle clients.
// Needs /usr/sbin/nginx and /usr/bin/curl; the download benchmarks skip without them.
#include <benchmark/benchmark.h>

#include "TurnClocks.h"
#include "ovcore/net/Socket.h"
#include "tests/net/NginxServer.h"

#include <netinet/tcp.h>

#include <cstdio>
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

// The same round trips over plain blocking POSIX sockets with TCP_NODELAY.
struct PlainEcho {
    int listener = -1, client = -1, server = -1;

    PlainEcho() {
        uint16_t port = 0;
        listener = peer::Listen(&port);
        client = peer::Connect(port);
        server = peer::Accept(listener);
        const int one = 1;
        setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        setsockopt(server, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    ~PlainEcho() {
        close(server);
        close(client);
        close(listener);
    }
    bool Ready() const { return listener >= 0 && client >= 0 && server >= 0; }
};

// Round trips a side makes in one turn, so that reading the clock costs
// nothing beside them.
constexpr int kTripsPerTurn = 200;

// The measured parts, kept out of line so that an instruction profile can
// name them. False when the connection is lost.
[[gnu::noinline]] bool OvSocketTrips(Echo& echo, const OV_SOCKET_MESSAGE& message) {
    for (int trip = 0; trip < kTripsPerTurn; ++trip) {
        echo.arrived = 0;
        echo.client.Send(message);
        while (echo.arrived < kEchoBytes) {
            echo.server.Update();
            if (!echo.client.Update()) return false;
        }
    }
    return true;
}

[[gnu::noinline]] bool PlainTrips(PlainEcho& plain) {
    char out[kEchoBytes] = {}, in[kEchoBytes];
    for (int trip = 0; trip < kTripsPerTurn; ++trip) {
        send(plain.client, out, kEchoBytes, MSG_NOSIGNAL);
        for (size_t got = 0; got < kEchoBytes;) {
            const ssize_t n = recv(plain.server, in + got, kEchoBytes - got, 0);
            if (n <= 0) return false;
            got += static_cast<size_t>(n);
        }
        send(plain.server, in, kEchoBytes, MSG_NOSIGNAL);
        for (size_t got = 0; got < kEchoBytes;) {
            const ssize_t n = recv(plain.client, in + got, kEchoBytes - got, 0);
            if (n <= 0) return false;
            got += static_cast<size_t>(n);
        }
    }
    return true;
}

// 64-byte round trips between an OV_SOCKET client and server, both polled
// in one loop, and between plain blocking sockets: each iteration runs
// kTripsPerTurn of each, taking turns at going first, so that load on the
// machine weighs on both alike. Reported: ns per round trip of each side
// (thread CPU and wall time) and the ratios plain / OV_SOCKET (1.0 = as fast
// as plain sockets).
void BM_Echo(benchmark::State& state) {
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
    PlainEcho plain;
    if (!plain.Ready()) return state.SkipWithError("no plain connection");
    TurnClocks ours, theirs;
    long long turns = 0;
    for (auto _ : state) {
        const bool oursFirst = turns++ % 2 == 0;
        for (int side = 0; side < 2; ++side) {
            const bool mine = (side == 0) == oursFirst;
            const TurnClocks start = TurnClocks::Now();
            if (!(mine ? OvSocketTrips(echo, message) : PlainTrips(plain)))
                return state.SkipWithError("connection lost");
            (mine ? ours : theirs).AddSince(start);
        }
    }
    const double perTrip = 1e9 / (static_cast<double>(turns) * kTripsPerTurn);
    state.counters["ov_cpu_ns"] = ours.cpu * perTrip;
    state.counters["plain_cpu_ns"] = theirs.cpu * perTrip;
    state.counters["ov_wall_ns"] = ours.wall * perTrip;
    state.counters["plain_wall_ns"] = theirs.wall * perTrip;
    state.counters["cpu_ratio"] = theirs.cpu / ours.cpu;
    state.counters["wall_ratio"] = theirs.wall / ours.wall;
    std::printf(
        "ratio echo round trip (%u bytes): OV_SOCKET %.0f ns, plain sockets %.0f ns (wall); "
        "plain / OV_SOCKET = %.3f CPU, %.3f wall\n",
        kEchoBytes, ours.wall * perTrip, theirs.wall * perTrip, theirs.cpu / ours.cpu, theirs.wall / ours.wall);
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
BENCHMARK(BM_Echo)->Iterations(100)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IdleServerUpdate)->Arg(1000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
