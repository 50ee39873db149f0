// The registry layer against plain SQLite with the same schema and settings,
// in the same run, on a store of 100,000 values in 1,000 keys: QueryValue
// and durable SetValue per second (the layer's overhead is the ratio), and
// opening a key in stores of 1,000 and 100,000 keys (an index keeps it flat).
#include "ovcore/platform/Registry.h"
#include "ovcore/system/System.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

using OvCore::OV_SYSTEM;

namespace {

constexpr int kKeys = 1000;
constexpr int kValuesPerKey = 100;

// The same tables and settings the layer's store uses.
const char* const kSchema =
    "PRAGMA journal_mode=WAL;"
    "PRAGMA synchronous=FULL;"
    "PRAGMA foreign_keys=ON;"
    "CREATE TABLE IF NOT EXISTS keys("
    "  id INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  parent INTEGER NOT NULL,"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  UNIQUE(parent, name));"
    "CREATE TABLE IF NOT EXISTS vals("
    "  key INTEGER NOT NULL REFERENCES keys(id),"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  type INTEGER NOT NULL,"
    "  data BLOB NOT NULL,"
    "  PRIMARY KEY(key, name)) WITHOUT ROWID;";

std::string Folder() {
    static const std::string folder = [] {
        std::string path =
            (std::filesystem::temp_directory_path() / ("ov-registry-bench-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

std::string KeyName(int i) { return "Level" + std::to_string(i); }
std::string ValueName(int j) { return "Setting" + std::to_string(j); }

// Fills `keyCount` keys under `parent` with `valuesPerKey` values each, in one
// transaction (the layer would take one durable transaction a value).
void Fill(sqlite3* db, int64_t parent, int keyCount, int valuesPerKey) {
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* key = nullptr;
    sqlite3_stmt* value = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO keys(parent, name) VALUES(?1, ?2)", -1, &key, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, 4, ?3)", -1, &value, nullptr);
    for (int i = 0; i < keyCount; ++i) {
        std::string name = KeyName(i);
        sqlite3_bind_int64(key, 1, parent);
        sqlite3_bind_text(key, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(key);
        sqlite3_reset(key);
        int64_t id = sqlite3_last_insert_rowid(db);
        for (int j = 0; j < valuesPerKey; ++j) {
            std::string valueName = ValueName(j);
            uint32_t data = static_cast<uint32_t>(i * valuesPerKey + j);
            sqlite3_bind_int64(value, 1, id);
            sqlite3_bind_text(value, 2, valueName.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_blob(value, 3, &data, sizeof(data), SQLITE_TRANSIENT);
            sqlite3_step(value);
            sqlite3_reset(value);
        }
    }
    sqlite3_finalize(key);
    sqlite3_finalize(value);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

int64_t KeyId(sqlite3* db, int64_t parent, const char* name) {
    sqlite3_stmt* find = nullptr;
    sqlite3_prepare_v2(db, "SELECT id FROM keys WHERE parent = ?1 AND name = ?2", -1, &find, nullptr);
    sqlite3_bind_int64(find, 1, parent);
    sqlite3_bind_text(find, 2, name, -1, SQLITE_TRANSIENT);
    int64_t id = sqlite3_step(find) == SQLITE_ROW ? sqlite3_column_int64(find, 0) : -1;
    sqlite3_finalize(find);
    return id;
}

// A layer store of `keyCount` keys under HKEY_CURRENT_USER\Bench; the layer
// makes the file and its roots, SQLite fills it.
std::string LayerStore(int keyCount, int valuesPerKey) {
    std::string path = Folder() + "/layer-" + std::to_string(keyCount) + ".db";
    if (std::filesystem::exists(path)) return path;
    setenv("OV_REGISTRY_PATH", path.c_str(), 1);
    PlatformRegistryClose();
    HKEY bench = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Bench", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &bench, nullptr);
    RegCloseKey(bench);
    PlatformRegistryClose();
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    int64_t user = KeyId(db, 0, "HKEY_CURRENT_USER");
    Fill(db, KeyId(db, user, "Bench"), keyCount, valuesPerKey);
    sqlite3_close(db);
    return path;
}

void UseLayerStore(int keyCount, int valuesPerKey) {
    std::string path = LayerStore(keyCount, valuesPerKey);
    const char* current = std::getenv("OV_REGISTRY_PATH");
    if (current && path == current) return;
    setenv("OV_REGISTRY_PATH", path.c_str(), 1);
    PlatformRegistryClose();
}

struct PlainStore {
    sqlite3* db = nullptr;
    sqlite3_stmt* query = nullptr;
    sqlite3_stmt* upsert = nullptr;
    std::vector<int64_t> keyIds;

    PlainStore() {
        std::string path = Folder() + "/plain.db";
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
        Fill(db, 0, kKeys, kValuesPerKey);
        for (int i = 0; i < kKeys; ++i) keyIds.push_back(KeyId(db, 0, KeyName(i).c_str()));
        sqlite3_prepare_v3(db, "SELECT type, data FROM vals WHERE key = ?1 AND name = ?2", -1,
                           SQLITE_PREPARE_PERSISTENT, &query, nullptr);
        sqlite3_prepare_v3(db,
                           "INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
                           "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data",
                           -1, SQLITE_PREPARE_PERSISTENT, &upsert, nullptr);
    }
};

PlainStore& Plain() {
    static PlainStore store;
    return store;
}

std::vector<std::string> ValueNames() {
    std::vector<std::string> names;
    for (int j = 0; j < kValuesPerKey; ++j) names.push_back(ValueName(j));
    return names;
}

std::vector<HKEY> OpenAllKeys(OV_SYSTEM& system, int keyCount) {
    std::vector<HKEY> keys;
    for (int i = 0; i < keyCount; ++i)
        keys.push_back(system.OpenKey(HKEY_CURRENT_USER, ("Bench\\" + KeyName(i)).c_str(), OV_SYSTEM::OPEN_EXISTING));
    return keys;
}

void CloseAll(OV_SYSTEM& system, const std::vector<HKEY>& keys) {
    for (HKEY key : keys) system.CloseKey(key);
}

void BM_QueryValue_Layer(benchmark::State& state) {
    UseLayerStore(kKeys, kValuesPerKey);
    OV_SYSTEM system(nullptr);
    std::vector<HKEY> keys = OpenAllKeys(system, kKeys);
    std::vector<std::string> names = ValueNames();
    std::mt19937 random(1);
    for (auto _ : state) {
        uint32_t data = 0;
        DWORD type = 0, size = sizeof(data);
        bool found =
            system.QueryValue(keys[random() % kKeys], names[random() % kValuesPerKey].c_str(), &type, &data, &size);
        benchmark::DoNotOptimize(found);
    }
    CloseAll(system, keys);
    state.SetItemsProcessed(state.iterations());
}

void BM_QueryValue_PlainSqlite(benchmark::State& state) {
    PlainStore& store = Plain();
    std::vector<std::string> names = ValueNames();
    std::mt19937 random(1);
    for (auto _ : state) {
        const std::string& name = names[random() % kValuesPerKey];
        sqlite3_bind_int64(store.query, 1, store.keyIds[random() % kKeys]);
        sqlite3_bind_text(store.query, 2, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
        uint32_t data = 0;
        if (sqlite3_step(store.query) == SQLITE_ROW) std::memcpy(&data, sqlite3_column_blob(store.query, 1), 4);
        sqlite3_reset(store.query);
        benchmark::DoNotOptimize(data);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SetValueDurable_Layer(benchmark::State& state) {
    UseLayerStore(kKeys, kValuesPerKey);
    OV_SYSTEM system(nullptr);
    std::vector<HKEY> keys = OpenAllKeys(system, kKeys);
    std::vector<std::string> names = ValueNames();
    std::mt19937 random(2);
    uint32_t data = 0;
    for (auto _ : state) {
        ++data;
        benchmark::DoNotOptimize(system.SetValue(keys[random() % kKeys], names[random() % kValuesPerKey].c_str(),
                                                 REG_DWORD, &data, sizeof(data)));
    }
    CloseAll(system, keys);
    state.SetItemsProcessed(state.iterations());
}

void BM_SetValueDurable_PlainSqlite(benchmark::State& state) {
    PlainStore& store = Plain();
    std::vector<std::string> names = ValueNames();
    std::mt19937 random(2);
    uint32_t data = 0;
    for (auto _ : state) {
        ++data;
        const std::string& name = names[random() % kValuesPerKey];
        sqlite3_bind_int64(store.upsert, 1, store.keyIds[random() % kKeys]);
        sqlite3_bind_text(store.upsert, 2, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
        sqlite3_bind_int64(store.upsert, 3, REG_DWORD);
        sqlite3_bind_blob(store.upsert, 4, &data, sizeof(data), SQLITE_STATIC);
        benchmark::DoNotOptimize(sqlite3_step(store.upsert));
        sqlite3_reset(store.upsert);
    }
    state.SetItemsProcessed(state.iterations());
}

// Opening (and closing) one key of Bench in a store of range(0) keys.
void BM_OpenKey_Layer(benchmark::State& state) {
    int keyCount = static_cast<int>(state.range(0));
    UseLayerStore(keyCount, 1);
    OV_SYSTEM system(nullptr);
    std::vector<std::string> paths;
    for (int i = 0; i < keyCount; i += keyCount / 1000) paths.push_back("Bench\\" + KeyName(i));
    std::mt19937 random(3);
    for (auto _ : state) {
        HKEY key = system.OpenKey(HKEY_CURRENT_USER, paths[random() % paths.size()].c_str(), OV_SYSTEM::OPEN_EXISTING);
        benchmark::DoNotOptimize(key);
        system.CloseKey(key);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_QueryValue_Layer);
BENCHMARK(BM_QueryValue_PlainSqlite);
BENCHMARK(BM_SetValueDurable_Layer)->MinTime(2.0);
BENCHMARK(BM_SetValueDurable_PlainSqlite)->MinTime(2.0);
BENCHMARK(BM_OpenKey_Layer)->Arg(1000)->Arg(100000);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PlatformRegistryClose();
    std::filesystem::remove_all(Folder());
    return 0;
}
