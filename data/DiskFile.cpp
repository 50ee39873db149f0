#include "data/DiskFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OvCore::DiskFile {

namespace {

struct Descriptor {
    int fd = -1;
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    bool Close() {
        const int result = close(fd);
        fd = -1;
        return result == 0;
    }
};

bool WriteAll(int fd, const uint8_t* bytes, size_t n, off_t offset) {
    while (n > 0) {
        const ssize_t written = pwrite(fd, bytes, n, offset);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        n -= static_cast<size_t>(written);
        offset += written;
    }
    return true;
}

bool ReadAll(int fd, uint8_t* bytes, size_t n, off_t offset, size_t& done) {
    done = 0;
    while (done < n) {
        const ssize_t got = pread(fd, bytes + done, n - done, offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return true;
}

// The size by seeking to the end, so that anything that can be opened and
// sought answers; -1 when it cannot, and for folders, which have no bytes.
off_t EndOf(int fd) {
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) return -1;
    return lseek(fd, 0, SEEK_END);
}

// The file that writing to path would change: through a symbolic link to
// its destination, so that the link itself survives the replacement.
std::string ResolveTarget(const char* path) {
    char* real = realpath(path, nullptr);
    if (!real) return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

int CreateBeside(const std::string& target, std::string& tempPath) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        tempPath = target + ".tmp" + std::to_string(getpid()) + "." + std::to_string(++counter);
        const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void KeepModeOf(const std::string& target, int fd) {
    struct stat existing;
    if (stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        fchmod(fd, existing.st_mode & 07777);
}

}  // namespace

bool ReadRange(const char* path, uint32_t offset, uint32_t length, ReadResult& result) {
    if (!path) return false;
    Descriptor file(open(path, O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) return false;
    const off_t end = EndOf(file.fd);
    if (end < 0 || offset > end) return false;
    const uint64_t arraySize = length ? length : static_cast<uint64_t>(end);
    if (arraySize > UINT32_MAX) return false;
    uint8_t* array = nullptr;
    if (arraySize > 0) {
        array = static_cast<uint8_t*>(std::calloc(arraySize, 1));
        if (!array) return false;
    }
    size_t done = 0;
    if (!ReadAll(file.fd, array, arraySize, offset, done)) {
        std::free(array);
        return false;
    }
    result.array = array;
    result.arraySize = static_cast<uint32_t>(arraySize);
    result.bytesRead = static_cast<uint32_t>(done);
    return true;
}

bool Replace(const char* path, uint32_t offset, const void* bytes, uint32_t n) {
    if (!path || (!bytes && n > 0)) return false;
    const std::string target = ResolveTarget(path);
    std::string tempPath;
    Descriptor temp(CreateBeside(target, tempPath));
    if (temp.fd < 0) return false;
    KeepModeOf(target, temp.fd);
    const bool written = WriteAll(temp.fd, static_cast<const uint8_t*>(bytes), n, offset);
    if (!temp.Close() || !written || rename(tempPath.c_str(), target.c_str()) != 0) {
        unlink(tempPath.c_str());
        return false;
    }
    return true;
}

bool Append(const char* path, const void* bytes, uint32_t n) {
    if (!path || (!bytes && n > 0)) return false;
    Descriptor file(open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    if (file.fd < 0) return false;
    const off_t oldEnd = EndOf(file.fd);
    if (oldEnd < 0) return false;
    if (!WriteAll(file.fd, static_cast<const uint8_t*>(bytes), n, oldEnd)) {
        const bool restored = ftruncate(file.fd, oldEnd) == 0;
        (void)restored;
        return false;
    }
    return file.Close();
}

uint32_t SizeOf(const char* path) {
    if (!path) return 0;
    Descriptor file(open(path, O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) return 0;
    const off_t end = EndOf(file.fd);
    return end < 0 || end > static_cast<off_t>(UINT32_MAX) ? 0 : static_cast<uint32_t>(end);
}

}  // namespace OvCore::DiskFile
