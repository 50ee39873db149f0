// OV_HTTP_RESPONSE: an HTTP/1.1 response read piece by piece.
#pragma once

#include "ovcore/data/MemoryFile.h"

#include <cstdint>
#include <string>

namespace OvCore {

// Reads an HTTP/1.1 response from the bytes of a connection, in pieces of
// any size: the head is collected up to its blank line (at most kHeadLimit
// bytes), header names are matched without regard to case, and the body is
// delimited by Content-Length, by chunked transfer coding (decoded, so the
// body holds only the data) or by the end of the connection. Interim 1xx
// heads are skipped (at most kInterimLimit of them), trailer lines after the
// last chunk are read up to kHeadLimit bytes in all. Body bytes are appended
// to the caller's memory file, up to the body limit given to Reset: a
// declared length past it fails at once, and a body that grows past it
// fails and leaves the memory file empty (its array released).
class OV_HTTP_RESPONSE {
public:
    // Where reading stands: the head, the body, done, malformed.
    enum State : int { HEAD, BODY, COMPLETE, FAILED };
    static constexpr uint32_t kHeadLimit = 64 * 1024;  // the most bytes a head (or the trailer) may take
    static constexpr int kInterimLimit = 16;  // the most interim (1xx) heads skipped

    // Starts a new response whose body may hold at most bodyLimit bytes.
    void Reset(uint64_t bodyLimit = UINT32_MAX);
    // Takes the next bytes; false once the response is malformed (FAILED).
    // Bytes after the end of the response are ignored.
    bool Feed(const uint8_t* bytes, uint32_t count, OV_MEMORY_FILE& body);
    // The connection ended: completes a body that runs to the end of the
    // connection, fails a response that is not whole. True when complete.
    bool End(OV_MEMORY_FILE& body);

    State state() const { return state_; }  // where reading stands
    int Status() const { return status_; }  // the status code; 0 before the head is read
    bool HasLength() const { return hasLength_ && !chunked_; }  // true when Content-Length delimits the body
    uint64_t ContentLength() const { return contentLength_; }  // Content-Length's value
    uint64_t BodyBytes() const { return bodyBytes_; }  // body bytes delivered so far
    const std::string& Head() const { return head_; }  // the head's text as received
    // Once the final head has arrived (HasHead): its reason phrase, its
    // header lines as received ("Name: value", "\r\n" between them), and the
    // value of the first header called name (any case), trimmed; "" before,
    // and for a header that is not there (Header then gives false):
    bool HasHead() const { return headDone_; }
    std::string Reason() const;
    std::string Headers() const;
    bool Header(const char* name, std::string* value) const;
    // Why the response failed, as a short phrase ("" while it has not).
    const char* Problem() const { return problem_; }

private:
    enum Chunk : int { SIZE_LINE, DATA, DATA_END, TRAILER };

    State state_ = HEAD;
    std::string head_;
    std::string line_;  // the chunk-size or trailer line being read
    int status_ = 0;
    bool chunked_ = false;
    bool hasLength_ = false;
    bool headDone_ = false;
    uint64_t contentLength_ = 0;
    uint64_t bodyBytes_ = 0;
    Chunk chunk_ = SIZE_LINE;
    uint64_t chunkLeft_ = 0;
    uint32_t savedGrowStep_ = 0;
    uint64_t bodyLimit_ = UINT32_MAX;
    int interimHeads_ = 0;
    uint32_t trailerBytes_ = 0;
    const char* problem_ = "";

    uint32_t FeedHead(const uint8_t* bytes, uint32_t count);
    bool ParseHead(size_t headEnd);
    bool ParseHeader(const std::string& name, const std::string& value);
    uint32_t FeedBody(const uint8_t* bytes, uint32_t count, OV_MEMORY_FILE& body);
    uint32_t FeedChunked(const uint8_t* bytes, uint32_t count, OV_MEMORY_FILE& body);
    bool ReadLine(const uint8_t* bytes, uint32_t count, uint32_t* used);
    bool ChunkLineDone();
    bool Append(const uint8_t* bytes, uint64_t count, OV_MEMORY_FILE& body);
    void Complete(OV_MEMORY_FILE& body);
    bool Fail(const char* problem = "malformed response");
};

}  // namespace OvCore
