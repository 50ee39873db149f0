// Registry values of any type, size and name written and read back: the
// bytes, type and size must come back exactly, a short buffer must report
// ERROR_MORE_DATA with the size needed, and deleting must leave nothing.
// Input: 4 bytes of type, a key path and a value name (each up to a zero
// byte; names may hold backslashes and run past the longest allowed), then
// the value's bytes (zeros included).
#include "FuzzInput.h"

#include "ovcore/platform/Registry.h"
#include "ovcore/platform/Windows.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr size_t kLongestValueName = 16383;
constexpr size_t kLongestKeyName = 255;

std::string& ScratchPath() {
    static std::string path;
    return path;
}

void RemoveScratchRegistry() {
    PlatformRegistryClose();
    for (const char* suffix : {"", "-wal", "-shm"}) unlink((ScratchPath() + suffix).c_str());
}

void UseScratchRegistry() {
    if (!ScratchPath().empty()) return;
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    ScratchPath() = std::string(folder) + "/fuzz-registry-" + std::to_string(getpid()) + ".db";
    setenv("OV_REGISTRY_PATH", ScratchPath().c_str(), 1);
    PlatformRegistryClose();
    std::atexit(RemoveScratchRegistry);
}

bool ValidKeyPath(const std::string& path) {
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end == start || end - start > kLongestKeyName) return false;
        start = end + 1;
    }
    return true;
}

void CheckValue(HKEY key, const std::string& name, DWORD type, const std::vector<BYTE>& bytes) {
    DWORD size = 0, readType = ~0u;
    FuzzCheck(RegQueryValueExA(key, name.c_str(), nullptr, &readType, nullptr, &size) == ERROR_SUCCESS);
    FuzzCheck(size == bytes.size() && readType == type);
    std::vector<BYTE> back(bytes.size() + 1, 0xA5);
    size = static_cast<DWORD>(bytes.size());
    FuzzCheck(RegQueryValueExA(key, name.c_str(), nullptr, &readType, back.data(), &size) == ERROR_SUCCESS);
    FuzzCheck(size == bytes.size() && (bytes.empty() || std::memcmp(back.data(), bytes.data(), bytes.size()) == 0));
    FuzzCheck(back[bytes.size()] == 0xA5);
    if (!bytes.empty()) {
        size = static_cast<DWORD>(bytes.size() - 1);
        FuzzCheck(RegQueryValueExA(key, name.c_str(), nullptr, nullptr, back.data(), &size) == ERROR_MORE_DATA);
        FuzzCheck(size == bytes.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    UseScratchRegistry();
    FuzzInput input(data, size);
    DWORD type = 0;
    for (int i = 0; i < 4; ++i) type = type << 8 | input.TakeByte();
    std::string path = input.TakeWord(600);
    std::string name = input.TakeWord(20000);
    std::vector<BYTE> bytes(input.RestData(), input.RestData() + input.RestSize());

    HKEY key = nullptr;
    DWORD disposition = 0;
    LSTATUS opened =
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition);
    FuzzCheck((opened == ERROR_SUCCESS) == ValidKeyPath(path));
    if (opened != ERROR_SUCCESS) return 0;

    LSTATUS written = RegSetValueExA(key, name.c_str(), 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    FuzzCheck((written == ERROR_SUCCESS) == (name.size() <= kLongestValueName));
    if (written == ERROR_SUCCESS) {
        CheckValue(key, name, type, bytes);
        FuzzCheck(RegDeleteValueA(key, name.c_str()) == ERROR_SUCCESS);
        FuzzCheck(RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND);
    }
    FuzzCheck(RegCloseKey(key) == ERROR_SUCCESS);
    if (disposition == REG_CREATED_NEW_KEY && !path.empty() && path.find('\\') == std::string::npos)
        FuzzCheck(RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS);
    return 0;
}
