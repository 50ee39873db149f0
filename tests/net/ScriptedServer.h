// Test support: an HTTP peer that plays a script. It accepts one connection,
// reads the request (head and Content-Length body), then writes each piece
// of the script with a pause before it, and closes, or, with hangUp false,
// keeps the connection open without a word until it is destroyed.
#pragma once

#include "tests/net/PosixPeer.h"

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

class ScriptedServer {
public:
    struct Piece {
        std::string bytes;
        int pauseMs = 0;
    };

    explicit ScriptedServer(std::vector<Piece> script, bool hangUp = true)
        : script_(std::move(script)),
          hangUp_(hangUp) {
        listener_ = peer::Listen(&port_);
        thread_ = std::thread([this] { Serve(); });
    }
    ~ScriptedServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        close(listener_);
    }

    uint16_t Port() const { return port_; }
    // The request as it arrived; ends the script's silence first.
    const std::string& Request() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return request_;
    }

private:
    std::vector<Piece> script_;
    bool hangUp_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::string request_;
    std::thread thread_;

    void Serve() {
        const int fd = peer::Accept(listener_);
        if (fd < 0) return;
        request_ = peer::ReadHead(fd);
        const size_t length = request_.find("Content-Length: ");
        if (length != std::string::npos)
            request_ += peer::Read(fd, std::strtoul(request_.c_str() + length + 16, nullptr, 10));
        for (const Piece& piece : script_) {
            if (piece.pauseMs) usleep(piece.pauseMs * 1000);
            if (!peer::SendAll(fd, piece.bytes)) break;
        }
        while (!hangUp_ && !stop_) usleep(1000);
        close(fd);
    }
};
