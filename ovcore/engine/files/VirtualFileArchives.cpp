#include "ovcore/engine/files/VirtualFileArchives.h"

#include "ovcore/platform/Diagnostics.h"

#include <zip.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace ov {

VirtualFileArchives& VirtualFileArchives::Instance() {
    static VirtualFileArchives archives;
    return archives;
}

VirtualFileArchives::~VirtualFileArchives() { CloseAll(); }

zip_t* VirtualFileArchives::Open(const char* path) {
    Identity identity;
    if (!path || !Identify(path, identity)) return nullptr;
    for (size_t i = 0; i < open.size(); ++i) {
        if (open[i].path != path) continue;
        if (Same(open[i].identity, identity)) {
            OpenArchive used = std::move(open[i]);
            open.erase(open.begin() + static_cast<long>(i));
            open.push_back(std::move(used));
            return open.back().archive;
        }
        Forget(i);
        break;
    }
    int error = 0;
    zip_t* archive = zip_open(path, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) {
        ReportZipError(path, error);
        return nullptr;
    }
    if (open.size() == kKept) Forget(0);
    open.push_back(OpenArchive{path, identity, archive});
    return archive;
}

void VirtualFileArchives::CloseAll() {
    while (!open.empty()) Forget(open.size() - 1);
}

void VirtualFileArchives::ReportZipError(const char* path, int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    PlatformReportFailure("engine: archive refused: %s: %s", path, zip_error_strerror(&error));
    zip_error_fini(&error);
}

bool VirtualFileArchives::Identify(const char* path, Identity& identity) {
    struct stat info;
    if (stat(path, &info) != 0) {
        PlatformReportFailure("engine: cannot open archive: %s: %s", path, std::strerror(errno));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        PlatformReportFailure("engine: cannot open archive: %s: not a regular file", path);
        return false;
    }
    identity = Identity{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    return true;
}

bool VirtualFileArchives::Same(const Identity& a, const Identity& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modified.tv_sec == b.modified.tv_sec &&
           a.modified.tv_nsec == b.modified.tv_nsec;
}

void VirtualFileArchives::Forget(size_t index) {
    zip_discard(open[index].archive);
    open.erase(open.begin() + static_cast<long>(index));
}

}  // namespace ov
