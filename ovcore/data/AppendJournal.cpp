#include "ovcore/data/AppendJournal.h"

#include "ovcore/data/FolderSync.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OvCore::AppendJournal {

namespace {

constexpr char kMagic[4] = {'O', 'V', 'A', 'J'};

// The journal's bytes: magic, old length (64 bits), process (32 bits), all
// little-endian. A journal of any other shape was cut short while being
// written, before the append began, and only needs removing.
struct Record {
    uint64_t oldLength = 0;
    uint32_t pid = 0;
};
constexpr size_t kRecordBytes = 16;

void Encode(const Record& record, uint8_t* out) {
    std::memcpy(out, kMagic, 4);
    for (int i = 0; i < 8; ++i) out[4 + i] = static_cast<uint8_t>(record.oldLength >> (8 * i));
    for (int i = 0; i < 4; ++i) out[12 + i] = static_cast<uint8_t>(record.pid >> (8 * i));
}

bool Decode(const uint8_t* bytes, Record& record) {
    if (std::memcmp(bytes, kMagic, 4) != 0) return false;
    record = Record{};
    for (int i = 0; i < 8; ++i) record.oldLength |= uint64_t{bytes[4 + i]} << (8 * i);
    for (int i = 0; i < 4; ++i) record.pid |= uint32_t{bytes[12 + i]} << (8 * i);
    return true;
}

// Reads a whole journal; false when it is missing or not a whole record.
bool ReadRecord(const std::string& path, Record& record) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    uint8_t bytes[kRecordBytes + 1];
    ssize_t got;
    do got = pread(fd, bytes, sizeof(bytes), 0);
    while (got < 0 && errno == EINTR);
    close(fd);
    return got == static_cast<ssize_t>(kRecordBytes) && Decode(bytes, record);
}

bool CutBack(const std::string& target, uint64_t oldLength) {
    if (oldLength == kAbsent) return unlink(target.c_str()) == 0 || errno == ENOENT;
    const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    struct stat info;
    bool done = fstat(fd, &info) == 0;
    if (done && static_cast<uint64_t>(info.st_size) > oldLength)
        done = ftruncate(fd, static_cast<off_t>(oldLength)) == 0 && fsync(fd) == 0;
    close(fd);
    return done;
}

bool RemoveJournal(const std::string& target) {
    if (unlink(PathFor(target).c_str()) != 0 && errno != ENOENT) return false;
    return FolderSync::Flush(FolderSync::FolderOf(target));
}

}  // namespace

std::string PathFor(const std::string& target) { return target + ".ov-append"; }

bool Recover(const std::string& target) {
    const std::string path = PathFor(target);
    if (access(path.c_str(), F_OK) != 0) return true;
    Record record;
    if (ReadRecord(path, record)) {
        const bool ours = record.pid == static_cast<uint32_t>(getpid());
        if (!ours && FolderSync::ProcessAlive(record.pid)) return false;
        if (!CutBack(target, record.oldLength)) return false;
    }
    return RemoveJournal(target);
}

bool Begin(const std::string& target, uint64_t oldLength) {
    const std::string path = PathFor(target);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    uint8_t bytes[kRecordBytes];
    Encode(Record{oldLength, static_cast<uint32_t>(getpid())}, bytes);
    ssize_t written;
    do written = pwrite(fd, bytes, sizeof(bytes), 0);
    while (written < 0 && errno == EINTR);
    const bool flushed = written == static_cast<ssize_t>(sizeof(bytes)) && fsync(fd) == 0;
    close(fd);
    if (flushed && FolderSync::Flush(FolderSync::FolderOf(target))) return true;
    unlink(path.c_str());
    return false;
}

bool Commit(const std::string& target) { return RemoveJournal(target); }

}  // namespace OvCore::AppendJournal
