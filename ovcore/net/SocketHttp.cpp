// The HTTP/1.1 client of OV_SOCKET.
#include "ovcore/net/Socket.h"

#include "ovcore/net/EngineBuffer.h"
#include "ovcore/platform/Diagnostics.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <string>
#include <strings.h>

namespace OvCore {

namespace {

constexpr const char* kGetClose = "GET /%s HTTP/1.1\r\nHost: %s\r\nUser-Agent: Orvo Core\r\nConnection: close\r\n\r\n";
constexpr const char* kGetKeepAlive =
    "GET /%s HTTP/1.1\r\nHost: %s\r\nUser-Agent: Orvo Core\r\nConnection: keep-alive\r\n\r\n";
constexpr const char* kPostClose =
    "POST /%s HTTP/1.1\r\nHost: %s\r\nUser-Agent: Orvo Core\r\nConnection: close\r\nContent-Length: "
    "%u\r\nContent-Type: application/x-www-form-urlencoded\r\n\r\n%s";
constexpr const char* kPostKeepAlive =
    "POST /%s HTTP/1.1\r\nHost: %s\r\nUser-Agent: Orvo Core\r\nConnection: keep-alive\r\nContent-Length: "
    "%u\r\nContent-Type: application/x-www-form-urlencoded\r\n\r\n%s";

OV_STRING EscapedPath(const char* path) {
    OV_STRING escaped;
    OV_STRING(path ? path : "").ReplaceAll(escaped, " ", "%20");
    return escaped;
}

bool HoldsControl(const char* text) {
    for (const auto* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if (*c < 0x20 || *c == 0x7F) return true;
    }
    return false;
}

// A line break in a host or path would let the caller's text write header
// lines, or whole requests, of its own; any control character is refused.
bool Acceptable(const char* host, const char* path) {
    if (!host) return false;
    if (HoldsControl(host)) {
        PlatformReportFailure("net: HTTP request refused: host name: holds a control character");
        return false;
    }
    if (path && HoldsControl(path)) {
        PlatformReportFailure("net: HTTP request refused: %s: path holds a control character", host);
        return false;
    }
    return true;
}

bool GetRequest(OV_STRING& request, const char* format, const char* host, const char* path) {
    return Acceptable(host, path) && request.Format(format, EscapedPath(path).Get(), host);
}

bool PostRequest(OV_STRING& request, const char* format, const char* host, const char* path, const char* form) {
    if (!Acceptable(host, path)) return false;
    const char* data = form ? form : "";
    return request.Format(format, EscapedPath(path).Get(), host, static_cast<unsigned>(OV_STRING(data).Length()), data);
}

uint32_t Milliseconds(float seconds) {
    if (!(seconds > 0.0f)) return 0;
    return static_cast<uint32_t>(std::min(std::ceil(seconds * 1000.0f), 4.0e9f));
}

// A body read again into the same memory file reuses its array: a large
// download then costs no fresh pages the second time.
void EmptyKeepingArray(OV_MEMORY_FILE& body) {
    body.size = 0;
    body.Seek(0, false, false);
}

int Clamped(uint64_t value) { return value > INT_MAX ? INT_MAX : static_cast<int>(value); }

uint64_t SteadyMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

uint64_t MillisecondsSince(uint64_t start) { return SteadyMilliseconds() - start; }

constexpr int kMaximumRedirects = 10;

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// A Location the blocking GET can follow: "/path" on the same server, or
// "http://host[:port][/path]" ("//host..." too). The fragment is dropped.
bool ParseLocation(std::string location, std::string* host, uint16_t* port, std::string* path) {
    location = location.substr(0, location.find('#'));
    size_t at = 0;
    if (strncasecmp(location.c_str(), "http://", 7) == 0)
        at = 7;
    else if (location.compare(0, 2, "//") == 0)
        at = 2;
    else if (location.compare(0, 1, "/") == 0) {
        *path = location.substr(1);
        return true;
    } else {
        return false;
    }
    const size_t slash = std::min(location.find('/', at), location.size());
    std::string authority = location.substr(at, slash - at);
    uint32_t number = 80;
    size_t colon = authority.rfind(':');
    if (colon != std::string::npos && authority.find(']', colon) == std::string::npos) {
        const std::string digits = authority.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        number = static_cast<uint32_t>(std::stoul(digits));
        authority.resize(colon);
    }
    if (authority.size() > 2 && authority.front() == '[' && authority.back() == ']')
        authority = authority.substr(1, authority.size() - 2);
    if (authority.empty() || number == 0 || number > 65535) return false;
    *host = authority;
    *port = static_cast<uint16_t>(number);
    *path = slash < location.size() ? location.substr(slash + 1) : "";
    return true;
}

uint32_t ShorterTimeout(uint32_t a, uint64_t b) {
    if (a == 0) return static_cast<uint32_t>(b);
    return static_cast<uint32_t>(std::min<uint64_t>(a, b));
}

}  // namespace

// The request goes out in a memory file of exactly its length.
bool OV_SOCKET::SendRequest(const OV_STRING& request) {
    OV_MEMORY_FILE file;
    const uint32_t length = static_cast<uint32_t>(request.Length());
    if (length == 0 || !file.Write(request.Get(), length)) return false;
    return OvSocketSend(socket, AsEngineBuffer(file), OV_SOCKET_SEND_NOW, 0, 0) == length;
}

uint64_t OV_SOCKET::BodyLimit() const { return std::min<uint64_t>(httpBodyLimit, INT_MAX); }

bool OV_SOCKET::BlockingExchange(const char* host, const OV_STRING& request, OV_MEMORY_FILE& body, uint16_t port,
                                 uint32_t blockSize, uint64_t start) {
    response_.Reset(BodyLimit());
    const uint32_t timeoutMs = Milliseconds(httpTimeout);
    const uint64_t deadlineMs = Milliseconds(httpDeadline);
    const uint64_t before = MillisecondsSince(start);
    if (deadlineMs && before >= deadlineMs) {
        PlatformReportFailure("net: HTTP request failed: %s: deadline passed", host);
        return false;
    }
    const uint32_t connectMs = deadlineMs ? ShorterTimeout(timeoutMs, deadlineMs - before) : timeoutMs;
    if (!OpenAndConnect(host, port, OV_SOCKET_ANY, connectMs)) return false;
    mode = HTTP;
    // A connection that fails under the request has told why already.
    const uint64_t reported = PlatformFailureCount();
    if (!SendRequest(request)) {
        if (PlatformFailureCount() == reported) PlatformReportFailure("net: HTTP request failed: %s: not sent", host);
        Close();
        return false;
    }
    EmptyKeepingArray(body);
    const char* problem = nullptr;
    while (response_.state() == OV_HTTP_RESPONSE::HEAD || response_.state() == OV_HTTP_RESPONSE::BODY) {
        if (deadlineMs) {
            const uint64_t elapsed = MillisecondsSince(start);
            if (elapsed >= deadlineMs) {
                problem = "deadline passed";
                break;
            }
            OvSocketTimeout(socket, ShorterTimeout(timeoutMs, deadlineMs - elapsed));
        }
        const uint32_t received = ReceiveInto(socket, incoming_, blockSize);
        if (received == 0) {
            // Still connected: the silence outlasted the timeout.
            if (!OvSocketIsConnected(socket))
                response_.End(body);
            else if (deadlineMs && MillisecondsSince(start) >= deadlineMs)
                problem = "deadline passed";
            else
                problem = "no reply within the timeout";
            break;
        }
        response_.Feed(incoming_.data, received, body);
        EmptyBuffer(incoming_);
    }
    const bool complete = response_.state() == OV_HTTP_RESPONSE::COMPLETE;
    if (response_.state() == OV_HTTP_RESPONSE::FAILED) problem = response_.Problem();
    if (!complete && problem && PlatformFailureCount() == reported)
        PlatformReportFailure("net: HTTP request failed: %s: %s", host, problem);
    Close();
    return complete;
}

bool OV_SOCKET::HttpGet(const char* host, const char* path, OV_MEMORY_FILE& body, uint16_t port, uint32_t blockSize) {
    const uint64_t start = SteadyMilliseconds();
    response_.Reset();
    OV_STRING request;
    if (!GetRequest(request, kGetClose, host, path) || !BlockingExchange(host, request, body, port, blockSize, start))
        return false;
    std::string nextHost = host, nextPath, location;
    const int hops = std::clamp(httpRedirects, 0, kMaximumRedirects);
    for (int hop = 0; hop < hops && IsRedirect(response_.Status()); ++hop) {
        if (!response_.Header("Location", &location) || !ParseLocation(location, &nextHost, &port, &nextPath)) break;
        response_.Reset();
        if (!GetRequest(request, kGetClose, nextHost.c_str(), nextPath.c_str()) ||
            !BlockingExchange(nextHost.c_str(), request, body, port, blockSize, start))
            return false;
    }
    return true;
}

bool OV_SOCKET::HttpPost(const char* host, const char* path, const char* form, OV_MEMORY_FILE& body, uint16_t port,
                         uint32_t blockSize) {
    response_.Reset();
    OV_STRING request;
    return PostRequest(request, kPostClose, host, path, form) &&
           BlockingExchange(host, request, body, port, blockSize, SteadyMilliseconds());
}

int OV_SOCKET::HttpStatus() const { return response_.HasHead() ? response_.Status() : 0; }

std::string OV_SOCKET::HttpReason() const { return response_.Reason(); }

std::string OV_SOCKET::HttpHeaders() const { return response_.Headers(); }

std::string OV_SOCKET::HttpHeader(const char* name) const {
    std::string value;
    response_.Header(name, &value);
    return value;
}

bool OV_SOCKET::BeginTransfer(OV_HTTP_TRANSFER& transfer, const char* host, const OV_STRING& request, uint16_t port) {
    transfer = OV_HTTP_TRANSFER();
    response_.Reset(BodyLimit());
    httpHost_ = host;
    if (!OpenAndConnect(host, port, OV_SOCKET_ANY, Milliseconds(httpTimeout))) return false;
    mode = HTTP;
    const uint64_t reported = PlatformFailureCount();
    if (!SendRequest(request)) {
        if (PlatformFailureCount() == reported) PlatformReportFailure("net: HTTP request failed: %s: not sent", host);
        Close();
        return false;
    }
    OvSocketAsync(socket, 1);
    transfer.state = OV_HTTP_TRANSFER::SENDING;
    return true;
}

bool OV_SOCKET::HttpGetBegin(OV_HTTP_TRANSFER& transfer, const char* host, const char* path, uint16_t port) {
    response_.Reset();
    OV_STRING request;
    if (!GetRequest(request, kGetKeepAlive, host, path)) {
        Close();
        transfer = OV_HTTP_TRANSFER();
        return false;
    }
    return BeginTransfer(transfer, host, request, port);
}

bool OV_SOCKET::HttpPostBegin(OV_HTTP_TRANSFER& transfer, const char* host, const char* path, const char* form,
                              uint16_t port) {
    response_.Reset();
    OV_STRING request;
    if (!PostRequest(request, kPostKeepAlive, host, path, form)) {
        Close();
        transfer = OV_HTTP_TRANSFER();
        return false;
    }
    return BeginTransfer(transfer, host, request, port);
}

bool OV_SOCKET::FinishTransfer(OV_HTTP_TRANSFER& transfer, bool complete, bool reported) {
    if (complete) {
        transfer.state = OV_HTTP_TRANSFER::COMPLETE;
        transfer.done = Clamped(response_.BodyBytes());
        transfer.total = transfer.done;
    } else {
        transfer.state = OV_HTTP_TRANSFER::IDLE;
        if (!reported)
            PlatformReportFailure("net: HTTP request failed: %s: %s", httpHost_.c_str(), response_.Problem());
    }
    Close();
    return complete;
}

bool OV_SOCKET::HttpUpdate(OV_HTTP_TRANSFER& transfer, OV_MEMORY_FILE& body, uint32_t blockSize) {
    if (IsNullSocket(socket) || mode != HTTP) {
        transfer = OV_HTTP_TRANSFER();
        return false;
    }
    if (transfer.state == OV_HTTP_TRANSFER::SENDING) {
        transfer.state = OV_HTTP_TRANSFER::READING_HEAD;
        transfer.total = transfer.done = 0;
        return false;
    }
    if (transfer.state != OV_HTTP_TRANSFER::READING_HEAD && transfer.state != OV_HTTP_TRANSFER::READING_BODY)
        return false;
    const uint64_t reported = PlatformFailureCount();
    const uint32_t received = ReceiveInto(socket, incoming_, blockSize);
    if (received == 0) {
        if (OvSocketIsConnected(socket)) return false;  // nothing arrived yet
        return FinishTransfer(transfer, response_.End(body), PlatformFailureCount() != reported);
    }
    response_.Feed(incoming_.data, received, body);
    EmptyBuffer(incoming_);
    if (response_.state() == OV_HTTP_RESPONSE::FAILED) return FinishTransfer(transfer, false, false);
    if (response_.state() != OV_HTTP_RESPONSE::HEAD) {
        transfer.state = OV_HTTP_TRANSFER::READING_BODY;
        transfer.total = response_.HasLength() ? Clamped(response_.ContentLength()) : 0;
        transfer.done = Clamped(response_.BodyBytes());
    }
    if (response_.state() == OV_HTTP_RESPONSE::COMPLETE) FinishTransfer(transfer, true, false);
    return true;
}

bool OV_SOCKET::HttpAbort(OV_HTTP_TRANSFER& transfer) {
    if (mode != HTTP) return false;
    Close();
    transfer.state = OV_HTTP_TRANSFER::IDLE;
    return true;
}

}  // namespace OvCore
