// Virtual files: packages are zip archives, read and written with libzip.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/files/VirtualFileArchives.h"
#include "ovcore/engine/files/VirtualFileStore.h"
#include "ovcore/platform/Diagnostics.h"

#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kReadChunk = 1u << 20;

struct MemberReader {
    zip_file_t* file = nullptr;
    MemberReader(zip_t* archive, zip_uint64_t member) { file = zip_fopen_index(archive, member, 0); }
    ~MemberReader() {
        if (file) zip_fclose(file);
    }
    MemberReader(const MemberReader&) = delete;
    MemberReader& operator=(const MemberReader&) = delete;
};

bool IsDirectoryName(const char* name, size_t length) { return length > 0 && name[length - 1] == '/'; }

// A member can be listed when it is a file whose name fits the name field
// whole and whose size fits 32 bits.
bool DescribeMember(zip_t* archive, zip_uint64_t member, OvVirtualFileEntry& entry) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, member, 0, &stat) != 0) return false;
    if (!(stat.valid & ZIP_STAT_NAME) || !(stat.valid & ZIP_STAT_SIZE) || !stat.name) return false;
    const size_t length = std::strlen(stat.name);
    if (length == 0 || length >= OV_VIRTUAL_FILE_NAME_SIZE || IsDirectoryName(stat.name, length)) return false;
    if (stat.size > UINT32_MAX) return false;
    entry.member = member;
    entry.size = static_cast<uint32_t>(stat.size);
    std::memcpy(entry.name, stat.name, length + 1);
    return true;
}

bool MemberMatches(zip_t* archive, const OvVirtualFileEntry& expected) {
    OvVirtualFileEntry actual;
    if (!DescribeMember(archive, expected.member, actual)) return false;
    return actual.size == expected.size && std::strcmp(actual.name, expected.name) == 0;
}

// Reads exactly size bytes, growing the copy only as data arrive so that a
// damaged header claiming a huge size costs nothing. The final read past the
// end makes the library verify the checksum.
bool ReadMember(zip_t* archive, zip_uint64_t member, uint32_t size, std::vector<uint8_t>& out) {
    MemberReader reader(archive, member);
    if (!reader.file) return false;
    out.clear();
    out.reserve(size < kReadChunk ? size : kReadChunk);
    while (out.size() < size) {
        const size_t done = out.size();
        const size_t want = std::min<size_t>(kReadChunk, size - done);
        out.resize(done + want);
        const zip_int64_t got = zip_fread(reader.file, out.data() + done, want);
        if (got <= 0) return false;
        out.resize(done + static_cast<size_t>(got));
    }
    uint8_t extra = 0;
    return zip_fread(reader.file, &extra, 1) == 0;
}

bool AddMember(zip_t* archive, const OvVirtualFileSource& file, int flags) {
    static const uint8_t kNothing = 0;
    const void* data = file.size ? file.data : &kNothing;
    zip_source_t* source = zip_source_buffer(archive, data, file.size, 0);
    if (!source) return false;
    const zip_int64_t member = zip_file_add(archive, file.name, source, ZIP_FL_ENC_GUESS);
    if (member < 0) {
        zip_source_free(source);
        return false;
    }
    if (flags & OV_VIRTUAL_FILE_STORE)
        return zip_set_file_compression(archive, static_cast<zip_uint64_t>(member), ZIP_CM_STORE, 0) == 0;
    return true;
}

bool IsValidSource(const OvVirtualFileSource& file) {
    const size_t length = strnlen(file.name, OV_VIRTUAL_FILE_NAME_SIZE);
    return length > 0 && length < OV_VIRTUAL_FILE_NAME_SIZE && (file.data || file.size == 0);
}

}  // namespace

extern "C" OV_API int OvVirtualFileInfoOpen(const char* path, OvVirtualFileTable* table) {
    if (!table) return 0;
    table->count = 0;
    table->entries = nullptr;
    if (!path) return 0;
    zip_t* archive = ov::VirtualFileArchives::Instance().Open(path);
    if (!archive) return 0;
    const zip_int64_t members = zip_get_num_entries(archive, 0);
    if (members < 0 || members > UINT32_MAX) return 0;
    std::vector<OvVirtualFileEntry> listed;
    listed.reserve(static_cast<size_t>(members));
    for (zip_int64_t member = 0; member < members; ++member) {
        OvVirtualFileEntry entry;
        if (DescribeMember(archive, static_cast<zip_uint64_t>(member), entry)) listed.push_back(entry);
    }
    if (listed.empty()) return 1;
    auto* entries = static_cast<OvVirtualFileEntry*>(std::malloc(listed.size() * sizeof(OvVirtualFileEntry)));
    if (!entries) return 0;
    std::memcpy(entries, listed.data(), listed.size() * sizeof(OvVirtualFileEntry));
    table->count = static_cast<uint32_t>(listed.size());
    table->entries = entries;
    return 1;
}

extern "C" OV_API void OvVirtualFileInfoClose(OvVirtualFileTable* table) {
    ov::VirtualFileArchives::Instance().CloseAll();
    if (!table) return;
    std::free(table->entries);
    table->entries = nullptr;
    table->count = 0;
}

extern "C" OV_API int OvVirtualFileLoad(OvHandle* handle, const char* path, const OvVirtualFileEntry* entry) {
    if (!handle) return 0;
    *handle = OvHandle{1, 0};
    if (!path || !entry) return 0;
    zip_t* archive = ov::VirtualFileArchives::Instance().Open(path);
    if (!archive) return 0;
    if (!MemberMatches(archive, *entry)) {
        PlatformReportFailure("engine: archive member refused: %s: %.*s: not as listed", path,
                              OV_VIRTUAL_FILE_NAME_SIZE, entry->name);
        return 0;
    }
    std::vector<uint8_t> bytes;
    if (!ReadMember(archive, entry->member, entry->size, bytes)) {
        PlatformReportFailure("engine: cannot read archive member: %s: %.*s: %s", path, OV_VIRTUAL_FILE_NAME_SIZE,
                              entry->name, zip_strerror(archive));
        return 0;
    }
    return ov::VirtualFileStore::Instance().Add(std::move(bytes), *handle) ? 1 : 0;
}

extern "C" OV_API uint32_t OvVirtualFileSize(OvHandle handle) {
    const std::vector<uint8_t>* bytes = ov::VirtualFileStore::Instance().Find(handle);
    return bytes ? static_cast<uint32_t>(bytes->size()) : 0;
}

extern "C" OV_API int OvVirtualFileGetData(OvHandle handle, void* data, uint32_t size) {
    const std::vector<uint8_t>* bytes = ov::VirtualFileStore::Instance().Find(handle);
    if (!bytes || (!data && size > 0)) return 0;
    const size_t count = std::min<size_t>(size, bytes->size());
    if (count > 0) std::memcpy(data, bytes->data(), count);
    return 1;
}

extern "C" OV_API void OvVirtualFileFree(OvHandle handle) { ov::VirtualFileStore::Instance().Remove(handle); }

extern "C" OV_API int OvVirtualFileMakeFile(OvVirtualFileSource* file, const char* name, const void* data,
                                            uint32_t size) {
    if (!file || !name) return 0;
    const size_t length = strnlen(name, OV_VIRTUAL_FILE_NAME_SIZE);
    if (length == 0 || length >= OV_VIRTUAL_FILE_NAME_SIZE || (!data && size > 0)) return 0;
    std::memcpy(file->name, name, length + 1);
    file->data = data;
    file->size = size;
    return 1;
}

extern "C" OV_API int OvVirtualFileSave(const char* path, const OvVirtualFileSource* files, uint32_t count, int flags) {
    if (!path || !files || count == 0) return 0;
    for (uint32_t i = 0; i < count; ++i)
        if (!IsValidSource(files[i])) return 0;
    int error = 0;
    zip_t* archive = zip_open(path, ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        PlatformReportFailure("engine: cannot write archive: %s: libzip error %d", path, error);
        return 0;
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (!AddMember(archive, files[i], flags)) {
            PlatformReportFailure("engine: cannot add to archive: %s: %s: %s", path, files[i].name,
                                  zip_strerror(archive));
            zip_discard(archive);
            return 0;
        }
    }
    if (zip_close(archive) != 0) {
        PlatformReportFailure("engine: cannot write archive: %s: %s", path, zip_strerror(archive));
        zip_discard(archive);
        return 0;
    }
    return 1;
}
