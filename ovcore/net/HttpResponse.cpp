#include "ovcore/net/HttpResponse.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace OvCore {

namespace {

constexpr size_t kLineLimit = 8 * 1024;

std::string Trimmed(const std::string& text, size_t from, size_t to) {
    while (from < to && (text[from] == ' ' || text[from] == '\t')) ++from;
    while (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t')) --to;
    return text.substr(from, to - from);
}

bool ParseNumber(const std::string& text, int base, uint64_t* value) {
    if (text.empty()) return false;
    uint64_t result = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || result > (UINT32_MAX - digit) / base) return false;  // bodies fit 32 bits
        result = result * base + digit;
    }
    *value = result;
    return true;
}

// The last coding of a Transfer-Encoding list decides how the body ends.
bool EndsWithChunked(const std::string& value) {
    const size_t comma = value.rfind(',');
    const std::string last = Trimmed(value, comma == std::string::npos ? 0 : comma + 1, value.size());
    return strcasecmp(last.c_str(), "chunked") == 0;
}

}  // namespace

void OV_HTTP_RESPONSE::Reset(uint64_t bodyLimit) {
    *this = OV_HTTP_RESPONSE();
    bodyLimit_ = bodyLimit;
}

bool OV_HTTP_RESPONSE::Fail(const char* problem) {
    if (state_ != FAILED) problem_ = problem;
    state_ = FAILED;
    return false;
}

bool OV_HTTP_RESPONSE::Feed(const uint8_t* bytes, uint32_t count, OV_MEMORY_FILE& body) {
    uint32_t used = 0;
    while (used < count && (state_ == HEAD || state_ == BODY)) {
        used += state_ == HEAD ? FeedHead(bytes + used, count - used) : FeedBody(bytes + used, count - used, body);
    }
    if (state_ == BODY && hasLength_ && !chunked_ && bodyBytes_ == contentLength_) Complete(body);
    return state_ != FAILED;
}

bool OV_HTTP_RESPONSE::End(OV_MEMORY_FILE& body) {
    if (state_ == BODY && !chunked_ && !hasLength_) Complete(body);
    if (state_ != COMPLETE) Fail("connection ended before the response was whole");
    return state_ == COMPLETE;
}

// Takes bytes up to and including the blank line; the rest is the body's.
uint32_t OV_HTTP_RESPONSE::FeedHead(const uint8_t* bytes, uint32_t count) {
    const size_t before = head_.size();
    const size_t room = kHeadLimit - before;
    head_.append(reinterpret_cast<const char*>(bytes), std::min<size_t>(count, room));
    const size_t end = head_.find("\r\n\r\n", before >= 3 ? before - 3 : 0);
    if (end == std::string::npos) {
        if (head_.size() >= kHeadLimit) Fail("head longer than its limit");
        return static_cast<uint32_t>(head_.size() - before);
    }
    const uint32_t used = static_cast<uint32_t>(end + 4 - before);
    head_.resize(end);
    if (!ParseHead(end) && state_ != FAILED) Fail();
    return used;
}

bool OV_HTTP_RESPONSE::ParseHead(size_t headEnd) {
    const size_t lineEnd = std::min(head_.find("\r\n"), headEnd);
    if (head_.compare(0, 7, "HTTP/1.") != 0 || lineEnd < 12 || head_[8] != ' ') return false;
    uint64_t status = 0;
    if (!ParseNumber(head_.substr(9, 3), 10, &status) || (lineEnd > 12 && head_[12] != ' ')) return false;
    status_ = static_cast<int>(status);
    if (status_ < 100 || status_ > 599) return false;
    if (status_ < 200 && status_ != 101) {  // interim: the real head follows
        if (++interimHeads_ > kInterimLimit) return Fail("too many interim heads");
        head_.clear();
        return true;
    }
    for (size_t at = lineEnd + 2; at < headEnd + 2;) {
        size_t next = head_.find("\r\n", at);
        if (next == std::string::npos || next > headEnd) next = headEnd;
        const size_t colon = head_.find(':', at);
        if (colon == std::string::npos || colon >= next || colon == at) return false;
        if (!ParseHeader(head_.substr(at, colon - at), Trimmed(head_, colon + 1, next))) return false;
        at = next + 2;
    }
    state_ = BODY;
    headDone_ = true;
    if (status_ == 204 || status_ == 304) hasLength_ = true, contentLength_ = 0, chunked_ = false;
    if (hasLength_ && !chunked_ && contentLength_ > bodyLimit_) return Fail("body longer than its limit");
    return true;
}

bool OV_HTTP_RESPONSE::ParseHeader(const std::string& name, const std::string& value) {
    if (strcasecmp(name.c_str(), "Transfer-Encoding") == 0) {
        chunked_ = EndsWithChunked(value);
        return true;
    }
    if (strcasecmp(name.c_str(), "Content-Length") != 0) return true;
    uint64_t length = 0;
    if (!ParseNumber(value, 10, &length) || (hasLength_ && length != contentLength_)) return false;
    hasLength_ = true;
    contentLength_ = length;
    return true;
}

uint32_t OV_HTTP_RESPONSE::FeedBody(const uint8_t* bytes, uint32_t count, OV_MEMORY_FILE& body) {
    if (chunked_) return FeedChunked(bytes, count, body);
    uint64_t take = count;
    if (hasLength_) take = std::min<uint64_t>(take, contentLength_ - bodyBytes_);
    if (!Append(bytes, take, body)) return count;
    if (hasLength_ && bodyBytes_ == contentLength_) {
        Complete(body);
        return count;  // bytes after the body are not ours
    }
    return static_cast<uint32_t>(take);
}

uint32_t OV_HTTP_RESPONSE::FeedChunked(const uint8_t* bytes, uint32_t count, OV_MEMORY_FILE& body) {
    uint32_t used = 0;
    if (chunk_ == DATA) {
        const uint64_t take = std::min<uint64_t>(count, chunkLeft_);
        if (!Append(bytes, take, body)) return count;
        chunkLeft_ -= take;
        if (chunkLeft_ == 0) chunk_ = DATA_END;
        return static_cast<uint32_t>(take);
    }
    const bool whole = ReadLine(bytes, count, &used);
    if (chunk_ == TRAILER && state_ != FAILED) {
        trailerBytes_ += used;
        if (trailerBytes_ > kHeadLimit) {
            Fail("trailer longer than its limit");
            return count;
        }
    }
    if (!whole) return used;
    if (!ChunkLineDone()) {
        Fail();
        return count;
    }
    if (state_ == COMPLETE) {
        Complete(body);
        return count;
    }
    return used;
}

// Collects one line up to its CRLF into line_; true when it is whole.
bool OV_HTTP_RESPONSE::ReadLine(const uint8_t* bytes, uint32_t count, uint32_t* used) {
    const void* found = std::memchr(bytes, '\n', count);
    const uint32_t length = found ? static_cast<uint32_t>(static_cast<const uint8_t*>(found) - bytes) + 1 : count;
    line_.append(reinterpret_cast<const char*>(bytes), length);
    *used = length;
    if (line_.size() > kLineLimit) {
        Fail("line longer than its limit");
        *used = count;
        return false;
    }
    return found != nullptr;
}

bool OV_HTTP_RESPONSE::ChunkLineDone() {
    if (line_.size() < 2 || line_[line_.size() - 2] != '\r') return false;
    line_.resize(line_.size() - 2);
    bool valid = true;
    if (chunk_ == DATA_END) {
        valid = line_.empty();
        chunk_ = SIZE_LINE;
    } else if (chunk_ == SIZE_LINE) {
        const size_t extension = line_.find(';');
        valid =
            ParseNumber(Trimmed(line_, 0, extension == std::string::npos ? line_.size() : extension), 16, &chunkLeft_);
        chunk_ = chunkLeft_ == 0 ? TRAILER : DATA;
    } else if (line_.empty()) {
        state_ = COMPLETE;
    }
    line_.clear();
    return valid;
}

// Appends at the end of the body, growing it geometrically (a byte-exact
// growth would copy the whole body again for every block).
bool OV_HTTP_RESPONSE::Append(const uint8_t* bytes, uint64_t count, OV_MEMORY_FILE& body) {
    if (count == 0) return true;
    if (bodyBytes_ + count > bodyLimit_) {
        // What came so far is no use to anyone: give its memory back.
        if (bodyBytes_ > 0) body.growStep = savedGrowStep_;
        body.Free();
        return Fail("body longer than its limit");
    }
    if (bodyBytes_ == 0) savedGrowStep_ = body.growStep;
    const uint64_t needed = uint64_t{body.size} + count;
    if (needed > UINT32_MAX) return Fail("body longer than its limit");
    body.growStep = std::max<uint32_t>({savedGrowStep_, body.capacity, 64 * 1024});
    body.Seek(0, true, false);
    const bool written = body.Write(bytes, static_cast<uint32_t>(count));
    body.growStep = savedGrowStep_;
    if (!written) return Fail("out of memory for the body");
    bodyBytes_ += count;
    return true;
}

void OV_HTTP_RESPONSE::Complete(OV_MEMORY_FILE& body) {
    state_ = COMPLETE;
    if (body.growStep == 0 && body.capacity > body.size) body.Reallocate(body.size);
}

std::string OV_HTTP_RESPONSE::Reason() const {
    if (!headDone_) return "";
    const size_t lineEnd = std::min(head_.find("\r\n"), head_.size());
    return lineEnd > 13 ? head_.substr(13, lineEnd - 13) : "";
}

std::string OV_HTTP_RESPONSE::Headers() const {
    const size_t lineEnd = head_.find("\r\n");
    return headDone_ && lineEnd != std::string::npos ? head_.substr(lineEnd + 2) : "";
}

bool OV_HTTP_RESPONSE::Header(const char* name, std::string* value) const {
    value->clear();
    if (!headDone_ || !name) return false;
    const size_t length = std::strlen(name);
    for (size_t at = head_.find("\r\n"); at != std::string::npos;) {
        at += 2;
        const size_t next = std::min(head_.find("\r\n", at), head_.size());
        if (next - at > length && head_[at + length] == ':' && strncasecmp(head_.c_str() + at, name, length) == 0) {
            *value = Trimmed(head_, at + length + 1, next);
            return true;
        }
        at = next < head_.size() ? next : std::string::npos;
    }
    return false;
}

}  // namespace OvCore
