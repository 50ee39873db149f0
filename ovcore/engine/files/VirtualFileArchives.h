// The engine's open package archives, kept open between loads so that
// loading every entry of a package reads its directory once, not per entry.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <string>
#include <vector>

typedef struct zip zip_t;

namespace ov {

class VirtualFileArchives {
public:
    static VirtualFileArchives& Instance();
    ~VirtualFileArchives();

    // The archive at path, opened read-only with consistency checks; reopened
    // when the file on disk is no longer the one that was opened. Null when
    // it cannot be opened. The archive stays valid until the next call.
    zip_t* Open(const char* path);
    void CloseAll();

private:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
    };
    struct OpenArchive {
        std::string path;
        Identity identity;
        zip_t* archive = nullptr;
    };
    static constexpr size_t kKept = 4;

    std::vector<OpenArchive> open;  // most recently used last

    static void ReportZipError(const char* path, int code);
    static bool Identify(const char* path, Identity& identity);
    static bool Same(const Identity& a, const Identity& b);
    void Forget(size_t index);
};

}  // namespace ov
