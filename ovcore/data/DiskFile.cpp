#include "ovcore/data/DiskFile.h"

#include "ovcore/data/AppendJournal.h"
#include "ovcore/data/FolderSync.h"
#include "ovcore/platform/Diagnostics.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OvCore::DiskFile {

namespace {

// Records why `what` failed on `path`, from errno; always false.
bool ReportFailure(const char* what, const char* path) {
    const int error = errno;
    PlatformReportFailure("data: %s: %s: %s", what, path, error ? std::strerror(error) : "nothing transferred");
    return false;
}

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
    if (fstat(fd, &info) != 0) return -1;
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return -1;
    }
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

void KeepModeOf(const std::string& target, int fd) {
    struct stat existing;
    if (stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) fchmod(fd, existing.st_mode & 07777);
}

// Temporaries are named "<target>.tmp<process>.<number>"; one whose process
// is gone was left by a save that was killed between naming it and renaming
// it over the target.
std::string TemporaryName(const std::string& target) {
    static unsigned counter = 0;
    return target + ".tmp" + std::to_string(getpid()) + "." + std::to_string(++counter);
}

bool AllDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// The process of a temporary of the target, or 0 when name is not one.
long TemporaryOwner(const std::string& name, const std::string& prefix) {
    if (name.compare(0, prefix.size(), prefix) != 0) return 0;
    const std::string rest = name.substr(prefix.size());
    const size_t dot = rest.find('.');
    if (dot == std::string::npos || dot > 9 || !AllDigits(rest.substr(0, dot)) || !AllDigits(rest.substr(dot + 1)))
        return 0;
    return std::stol(rest.substr(0, dot));
}

void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderSync::FolderOf(target);
    const std::string prefix = target.substr(target.rfind('/') + 1) + ".tmp";
    DIR* listing = opendir(folder.c_str());
    if (!listing) return;
    while (const dirent* entry = readdir(listing)) {
        const long owner = TemporaryOwner(entry->d_name, prefix);
        if (owner > 0 && !FolderSync::ProcessAlive(owner)) unlinkat(dirfd(listing), entry->d_name, 0);
    }
    closedir(listing);
}

int CreateBeside(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 64; ++attempt) {
        tempPath = TemporaryName(target);
        const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Gives a file made with O_TMPFILE a temporary name; false when this
// system cannot link it.
bool NameUnnamed(int fd, const std::string& target, std::string& tempPath) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 64; ++attempt) {
        tempPath = TemporaryName(target);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempPath.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

// Writes the bytes to a file that is not yet the target and flushes them.
bool WriteFlushed(int fd, const std::string& target, const void* bytes, uint32_t n, uint32_t offset) {
    KeepModeOf(target, fd);
    return WriteAll(fd, static_cast<const uint8_t*>(bytes), n, offset) && fsync(fd) == 0;
}

// Puts a flushed temporary in the target's place and flushes the folder.
bool MoveIntoPlace(const std::string& tempPath, const std::string& target) {
    if (rename(tempPath.c_str(), target.c_str()) != 0) {
        unlink(tempPath.c_str());
        return false;
    }
    return FolderSync::Flush(FolderSync::FolderOf(target));
}

// The bytes go to an unnamed file in the target's folder, which gets a name
// only once it is written and flushed: a save killed before then leaves
// nothing behind. Unsupported where the filesystem cannot make unnamed files
// or link them.
enum class Outcome { Done, Failed, Unsupported };

Outcome ReplaceThroughUnnamed(const std::string& target, const void* bytes, uint32_t n, uint32_t offset) {
    Descriptor temp(open(FolderSync::FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (temp.fd < 0) return errno == ENOENT || errno == EACCES ? Outcome::Failed : Outcome::Unsupported;
    if (!WriteFlushed(temp.fd, target, bytes, n, offset)) return Outcome::Failed;
    std::string tempPath;
    if (!NameUnnamed(temp.fd, target, tempPath)) return Outcome::Unsupported;
    temp.Close();
    return MoveIntoPlace(tempPath, target) ? Outcome::Done : Outcome::Failed;
}

bool ReplaceThroughNamed(const std::string& target, const void* bytes, uint32_t n, uint32_t offset) {
    std::string tempPath;
    Descriptor temp(CreateBeside(target, tempPath));
    if (temp.fd < 0) return false;
    const bool written = WriteFlushed(temp.fd, target, bytes, n, offset);
    if (!temp.Close() || !written) {
        unlink(tempPath.c_str());
        return false;
    }
    return MoveIntoPlace(tempPath, target);
}

}  // namespace

bool ReadRange(const char* path, uint32_t offset, uint32_t length, ReadResult& result) {
    if (!path) return false;
    AppendJournal::Recover(ResolveTarget(path));
    Descriptor file(open(path, O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) return ReportFailure("cannot open file", path);
    const off_t end = EndOf(file.fd);
    if (end < 0) return ReportFailure("cannot read file", path);
    if (offset > end) {
        PlatformReportFailure("data: cannot read file: %s: offset %u beyond its end", path, offset);
        return false;
    }
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
        return ReportFailure("cannot read file", path);
    }
    result.array = array;
    result.arraySize = static_cast<uint32_t>(arraySize);
    result.bytesRead = static_cast<uint32_t>(done);
    return true;
}

bool Replace(const char* path, uint32_t offset, const void* bytes, uint32_t n) {
    if (!path || (!bytes && n > 0)) return false;
    const std::string target = ResolveTarget(path);
    AppendJournal::Recover(target);
    RemoveStaleTemporaries(target);
    switch (ReplaceThroughUnnamed(target, bytes, n, offset)) {
    case Outcome::Done: return true;
    case Outcome::Failed: return ReportFailure("cannot write file", path);
    case Outcome::Unsupported: break;
    }
    return ReplaceThroughNamed(target, bytes, n, offset) || ReportFailure("cannot write file", path);
}

// Opens the target for an append with its journal begun: a file that did
// not exist is created only after the journal says so.
int OpenJournaled(const std::string& target, off_t& oldEnd) {
    int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT || !AppendJournal::Begin(target, AppendJournal::kAbsent)) return -1;
        fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        oldEnd = 0;
        return fd;
    }
    oldEnd = EndOf(fd);
    if (oldEnd < 0 || !AppendJournal::Begin(target, static_cast<uint64_t>(oldEnd))) {
        close(fd);
        return -1;
    }
    return fd;
}

bool Append(const char* path, const void* bytes, uint32_t n) {
    if (!path || (!bytes && n > 0)) return false;
    const std::string target = ResolveTarget(path);
    if (!AppendJournal::Recover(target)) return ReportFailure("cannot append to file", path);
    off_t oldEnd = 0;
    Descriptor file(OpenJournaled(target, oldEnd));
    if (file.fd < 0) {
        ReportFailure("cannot open file for appending", path);
        AppendJournal::Recover(target);
        return false;
    }
    const bool written = WriteAll(file.fd, static_cast<const uint8_t*>(bytes), n, oldEnd) && fsync(file.fd) == 0;
    if (!file.Close() || !written) {
        ReportFailure("cannot append to file", path);
        AppendJournal::Recover(target);
        return false;
    }
    return AppendJournal::Commit(target) || ReportFailure("cannot append to file", path);
}

uint32_t SizeOf(const char* path) {
    if (!path) return 0;
    AppendJournal::Recover(ResolveTarget(path));
    Descriptor file(open(path, O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) return 0;
    const off_t end = EndOf(file.fd);
    return end < 0 || end > static_cast<off_t>(UINT32_MAX) ? 0 : static_cast<uint32_t>(end);
}

}  // namespace OvCore::DiskFile
