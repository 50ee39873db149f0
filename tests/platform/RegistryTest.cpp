// The registry calls over a real SQLite file in a scratch folder: paths,
// typed values, sizes, deletion rules, stale handles, damage and durability.
#include "ovcore/platform/Registry.h"
#include "ovcore/platform/Windows.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    OvTest::TempFolder scratch;
    std::string folder = scratch.Root();
    std::string path = scratch.Path("registry.db");

    void SetUp() override {
        setenv("OV_REGISTRY_PATH", path.c_str(), 1);
        PlatformRegistryClose();
    }
    void TearDown() override { PlatformRegistryClose(); }

    std::vector<std::string> AsideFiles() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::string name = entry.path().filename().string();
            if (name.rfind("registry.db.damaged-", 0) == 0 && name.find("-wal") == std::string::npos)
                found.push_back(entry.path().string());
        }
        return found;
    }
};

HKEY Create(HKEY root, const char* path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition), ERROR_SUCCESS);
    return key;
}

std::string Query(HKEY key, const char* name, DWORD* type = nullptr) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return "<missing>";
    std::string data(size, '\0');
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size), ERROR_SUCCESS);
    return data;
}

LSTATUS Set(HKEY key, const char* name, DWORD type, const std::string& data) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
}

}  // namespace

TEST_F(RegistryTest, KeysArePathsComparedWithoutCase) {
    DWORD disposition = 0;
    HKEY made = Create(HKEY_CURRENT_USER, "Software\\Orvo\\Editor", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    HKEY again = Create(HKEY_CURRENT_USER, "SOFTWARE\\orvo\\EDITOR\\", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    ASSERT_EQ(Set(made, "Folder", REG_SZ, std::string("/tmp\0", 5)), ERROR_SUCCESS);
    EXPECT_EQ(Query(again, "FOLDER"), std::string("/tmp\0", 5));

    HKEY opened = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\Orvo", 0, KEY_ALL_ACCESS, &opened), ERROR_SUCCESS);
    HKEY child = nullptr;
    EXPECT_EQ(RegOpenKeyExA(opened, "editor", 0, KEY_READ, &child), ERROR_SUCCESS);
    EXPECT_EQ(Query(child, "folder"), std::string("/tmp\0", 5));
    // The same path under another root is another key.
    HKEY missing = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "Software\\Orvo", 0, KEY_ALL_ACCESS, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    // Empty components and over-long names are refused.
    HKEY bad = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "a\\\\b", 0, nullptr, 0, 0, nullptr, &bad, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, std::string(256, 'k').c_str(), 0, nullptr, 0, 0, nullptr, &bad, nullptr),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvo\\Editor\\Deeper", 0, 0, &bad), ERROR_FILE_NOT_FOUND);

    for (HKEY key : {made, again, opened, child}) EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    // A closed or made-up handle is refused, never followed.
    EXPECT_EQ(RegCloseKey(made), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Set(made, "x", REG_SZ, "y"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(RegistryTest, TypedValuesRoundTripWithSizesAsWindowsReportsThem) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Types");
    const uint32_t dword = 0xDEADBEEF;
    const uint64_t qword = 0x0123456789ABCDEFull;
    const std::string binary("\0\1\2\0\xff", 5);
    const std::string multi("one\0two\0\0", 9);
    ASSERT_EQ(Set(key, "sz", REG_SZ, std::string("text\0", 5)), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "expand", REG_EXPAND_SZ, std::string("%HOME%\0", 7)), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "bin", REG_BINARY, binary), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "dw", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), 4), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "qw", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&qword), 8), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "multi", REG_MULTI_SZ, multi), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "with\\backslash", REG_SZ, std::string("b\0", 2)), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "bad", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);

    DWORD type = 99;
    EXPECT_EQ(Query(key, "SZ", &type), std::string("text\0", 5));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Query(key, "expand", &type), std::string("%HOME%\0", 7));
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(Query(key, "bin", &type), binary);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Query(key, "multi", &type), multi);
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(Query(key, "with\\BACKSLASH"), std::string("b\0", 2));
    EXPECT_EQ(Query(key, "empty", &type), "");
    EXPECT_EQ(Query(key, "bad"), "<missing>");

    uint32_t readDword = 0;
    DWORD size = sizeof(readDword);
    EXPECT_EQ(RegQueryValueExA(key, "dw", nullptr, &type, reinterpret_cast<BYTE*>(&readDword), &size), ERROR_SUCCESS);
    EXPECT_EQ(readDword, dword);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    uint64_t readQword = 0;
    size = sizeof(readQword);
    EXPECT_EQ(RegQueryValueExA(key, "qw", nullptr, &type, reinterpret_cast<BYTE*>(&readQword), &size), ERROR_SUCCESS);
    EXPECT_EQ(readQword, qword);
    EXPECT_EQ(size, 8u);

    // A short buffer: ERROR_MORE_DATA and the size needed; no buffer: the size.
    char shortBuffer[3] = {'x', 'x', 'x'};
    size = sizeof(shortBuffer);
    EXPECT_EQ(RegQueryValueExA(key, "sz", nullptr, &type, reinterpret_cast<BYTE*>(shortBuffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 5u);
    size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "multi", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(RegQueryValueExA(key, "sz", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "nothing", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExA(key, "sz", nullptr, nullptr, reinterpret_cast<BYTE*>(shortBuffer), nullptr),
              ERROR_INVALID_PARAMETER);

    // The default value lives under the empty name; null names it too. A
    // rewrite replaces type and data.
    ASSERT_EQ(Set(key, "", REG_SZ, std::string("default\0", 8)), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, nullptr), std::string("default\0", 8));
    ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), 4), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "", &type).size(), 4u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    EXPECT_EQ(RegDeleteValueA(key, "SZ"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "sz"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query(key, "sz"), "<missing>");
    RegCloseKey(key);
}

TEST_F(RegistryTest, DeletingRefusesKeysWithSubkeysAndStaleHandlesSayDeleted) {
    HKEY leaf = Create(HKEY_CURRENT_USER, "Software\\Doomed\\Leaf");
    HKEY doomed = Create(HKEY_CURRENT_USER, "Software\\Doomed");
    ASSERT_EQ(Set(doomed, "v", REG_SZ, "1"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Doomed"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Query(doomed, "v"), "1");
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "software\\doomed\\LEAF"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Doomed\\Leaf"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Doomed"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);

    EXPECT_EQ(Set(doomed, "v", REG_SZ, "2"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegQueryValueExA(doomed, "v", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    HKEY under = nullptr;
    EXPECT_EQ(RegCreateKeyExA(leaf, "Child", 0, nullptr, 0, 0, nullptr, &under, nullptr), ERROR_KEY_DELETED);
    // A new key of the same name starts without the old values.
    HKEY reborn = Create(HKEY_CURRENT_USER, "Software\\Doomed");
    EXPECT_EQ(Query(reborn, "v"), "<missing>");
    EXPECT_EQ(Query(doomed, "v"), "<missing>");
    for (HKEY key : {leaf, doomed, reborn}) RegCloseKey(key);
}

TEST_F(RegistryTest, StoreIsOneDurableWalFileThatOutlivesItsConnection) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Kept");
    ASSERT_EQ(Set(key, "name", REG_SZ, "value"), ERROR_SUCCESS);
    EXPECT_EQ(PlatformRegistryPath(), path);
    PlatformRegistryClose();
    EXPECT_EQ(Set(key, "name", REG_SZ, "other"), ERROR_KEY_DELETED);
    RegCloseKey(key);
    key = Create(HKEY_CURRENT_USER, "software\\kept");
    EXPECT_EQ(Query(key, "NAME"), "value");

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* mode = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &mode, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(mode), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(mode, 0)), "wal");
    sqlite3_finalize(mode);
    sqlite3_close(db);
    RegCloseKey(key);

    // Without the override the store sits under the user's config folder.
    unsetenv("OV_REGISTRY_PATH");
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    EXPECT_EQ(PlatformRegistryPath(), folder + "/orvo-core/registry.db");
    setenv("OV_REGISTRY_PATH", path.c_str(), 1);
}

TEST_F(RegistryTest, DamagedDatabaseIsSetAsideAndTheFindingCallFails) {
    {
        std::ofstream garbage(path, std::ios::binary);
        garbage << std::string(8192, 'G');
    }
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\After", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_BADDB);
    EXPECT_EQ(key, nullptr);
    std::vector<std::string> aside = AsideFiles();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(std::filesystem::file_size(aside[0]), 8192u);
    key = Create(HKEY_CURRENT_USER, "Software\\After");
    EXPECT_EQ(Set(key, "v", REG_SZ, "fresh"), ERROR_SUCCESS);
    RegCloseKey(key);
    PlatformRegistryClose();

    // A real database cut short: its pages no longer hold together.
    key = Create(HKEY_CURRENT_USER, "Software\\Big");
    ASSERT_EQ(Set(key, "big", REG_BINARY, std::string(400000, 'v')), ERROR_SUCCESS);
    RegCloseKey(key);
    PlatformRegistryClose();
    std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Big", 0, 0, &key), ERROR_BADDB);
    EXPECT_EQ(AsideFiles().size(), 2u);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Big", 0, 0, &key), ERROR_FILE_NOT_FOUND);
}

// A child writes values in a loop and reports each write that returned; it
// is killed at a random moment. Every reported write must be there and the
// database must open without being set aside.
TEST_F(RegistryTest, EveryReturnedWriteSurvivesSigkill) {
    std::mt19937 random(14);
    uint32_t confirmedTotal = 0;
    for (int round = 0; round < 50; ++round) {
        PlatformRegistryClose();
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            HKEY key = nullptr;
            if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Durable", 0, nullptr, 0, 0, nullptr, &key, nullptr))
                _exit(2);
            for (uint32_t i = 0;; ++i) {
                std::string name = "r" + std::to_string(round) + "_" + std::to_string(i);
                if (RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), 4)) _exit(3);
                if (write(pipeEnds[1], &i, sizeof(i)) != sizeof(i)) _exit(4);
            }
        }
        close(pipeEnds[1]);
        uint32_t reported = 0;
        ASSERT_EQ(read(pipeEnds[0], &reported, sizeof(reported)), static_cast<ssize_t>(sizeof(reported)));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "child ended by itself: " << status;
        int64_t confirmed = 0;
        while (read(pipeEnds[0], &reported, sizeof(reported)) == static_cast<ssize_t>(sizeof(reported))) ++confirmed;
        close(pipeEnds[0]);

        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Durable", 0, 0, &key), ERROR_SUCCESS);
        for (uint32_t i = 0; i <= confirmed; ++i) {
            std::string name = "r" + std::to_string(round) + "_" + std::to_string(i);
            uint32_t value = ~0u;
            DWORD size = sizeof(value);
            ASSERT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
                      ERROR_SUCCESS)
                << "round " << round << " lost " << name;
            ASSERT_EQ(value, i);
        }
        RegCloseKey(key);
        confirmedTotal += static_cast<uint32_t>(confirmed + 1);
    }
    EXPECT_TRUE(AsideFiles().empty());
    EXPECT_GE(confirmedTotal, 50u);
}
