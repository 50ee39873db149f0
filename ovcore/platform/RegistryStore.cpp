#include "ovcore/platform/RegistryStore.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
constexpr int kBusyTimeoutMs = 10000;

const char* const kRootNames[RegistryStore::kRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                           "HKEY_LOCAL_MACHINE", "HKEY_USERS", "HKEY_CURRENT_CONFIG"};

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

// Indexed by RegistryStore's Statement enumeration.
const char* const kStatementTexts[] = {
    "BEGIN IMMEDIATE",
    "COMMIT",
    "ROLLBACK",
    "SELECT id FROM keys WHERE parent = ?1 AND name = ?2",
    "INSERT INTO keys(parent, name) VALUES(?1, ?2)",
    "SELECT 1 FROM keys WHERE id = ?1",
    "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1",
    "DELETE FROM vals WHERE key = ?1",
    "DELETE FROM keys WHERE id = ?1",
    ("INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
     "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data"),
    "SELECT type, data FROM vals WHERE key = ?1 AND name = ?2",
    "DELETE FROM vals WHERE key = ?1 AND name = ?2",
};

bool IsDamage(int result) {
    int primary = result & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// A null pointer would bind SQL NULL; an empty view is the empty name.
void BindText(sqlite3_stmt* statement, int index, std::string_view text) {
    sqlite3_bind_text(statement, index, text.data() ? text.data() : "", static_cast<int>(text.size()), SQLITE_STATIC);
}

// Calls `visit` with each component of a backslash-separated key path; false
// for an empty component (a trailing backslash excepted) or one too long.
template <typename Visit>
bool ForEachComponent(std::string_view path, Visit visit) {
    while (!path.empty()) {
        size_t end = path.find('\\');
        std::string_view name = path.substr(0, end);
        if (name.empty() || name.size() > kMaxKeyNameLength) return false;
        if (!visit(name)) return true;
        if (end == std::string_view::npos) break;
        path.remove_prefix(end + 1);
    }
    return true;
}

bool ValidPath(std::string_view path) {
    return ForEachComponent(path, [](std::string_view) { return true; });
}

std::string FreeAsideName(const std::string& path) {
    std::string base = path + ".damaged-" + std::to_string(static_cast<long long>(std::time(nullptr)));
    std::string name = base;
    struct stat info;
    for (int n = 1; stat(name.c_str(), &info) == 0; ++n) name = base + "-" + std::to_string(n);
    return name;
}

}  // namespace

static_assert(sizeof(kStatementTexts) / sizeof(kStatementTexts[0]) == 12, "one text a statement");

RegistryStore& RegistryStore::Instance() {
    static RegistryStore store;
    return store;
}

RegistryStore::~RegistryStore() { Close(); }

std::string RegistryStore::Path() {
    const char* overridden = std::getenv("OV_REGISTRY_PATH");
    if (overridden && *overridden) return overridden;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && config[0] == '/') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home && *home ? home : ".") + "/.config";
    }
    return folder + "/orvo-core/registry.db";
}

LSTATUS RegistryStore::Ready() { return db_ ? ERROR_SUCCESS : Open(); }

void RegistryStore::Close() {
    for (sqlite3_stmt*& statement : statements_) {
        sqlite3_finalize(statement);
        statement = nullptr;
    }
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

LSTATUS RegistryStore::Open() {
    path_ = Path();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
    switch (OpenConnection()) {
    case kOpened: return ERROR_SUCCESS;
    case kDamaged: SetAside(); return ERROR_BADDB;
    default: Close(); return ERROR_CANTOPEN;
    }
}

RegistryStore::OpenResult RegistryStore::OpenConnection() {
    Close();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr) != SQLITE_OK) return Classify();
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    OpenResult checked = Check();
    if (checked != kOpened) return checked;
    if (sqlite3_exec(db_, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK || !PrepareAll() || !MakeRoots())
        return Classify();
    ++generation_;
    return kOpened;
}

// Why the connection failed: damage, or a database of another shape (plain
// SQL errors on our own statements), versus the file being out of reach.
RegistryStore::OpenResult RegistryStore::Classify() const {
    if (!db_) return kFailed;
    int result = sqlite3_extended_errcode(db_);
    return IsDamage(result) || result == SQLITE_ERROR ? kDamaged : kFailed;
}

// A file whose pages do not hold together is damaged.
RegistryStore::OpenResult RegistryStore::Check() {
    sqlite3_stmt* check = nullptr;
    if (sqlite3_prepare_v2(db_, "PRAGMA quick_check", -1, &check, nullptr) != SQLITE_OK) return Classify();
    int result = sqlite3_step(check);
    bool ok =
        result == SQLITE_ROW && std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) == "ok";
    sqlite3_finalize(check);
    if (ok) return kOpened;
    return result == SQLITE_ROW ? kDamaged : Classify();
}

bool RegistryStore::PrepareAll() {
    for (int i = 0; i < kStatementCount; ++i) {
        if (sqlite3_prepare_v3(db_, kStatementTexts[i], -1, SQLITE_PREPARE_PERSISTENT, &statements_[i], nullptr) !=
            SQLITE_OK)
            return false;
    }
    return true;
}

bool RegistryStore::MakeRoots() {
    for (int i = 0; i < kRootCount; ++i) {
        bool created = false;
        if (WalkPath(0, kRootNames[i], true, &rootIds_[i], &created) != ERROR_SUCCESS) return false;
    }
    return true;
}

void RegistryStore::SetAside() {
    Close();
    std::string aside = FreeAsideName(path_);
    std::rename(path_.c_str(), aside.c_str());
    std::rename((path_ + "-wal").c_str(), (aside + "-wal").c_str());
    unlink((path_ + "-shm").c_str());
    if (OpenConnection() != kOpened) Close();
}

LSTATUS RegistryStore::Fail(int result, LSTATUS otherwise) {
    if (IsDamage(result)) {
        SetAside();
        return ERROR_BADDB;
    }
    if (result == SQLITE_CONSTRAINT_FOREIGNKEY) return ERROR_KEY_DELETED;
    if ((result & 0xff) == SQLITE_NOMEM) return ERROR_NOT_ENOUGH_MEMORY;
    return otherwise;
}

sqlite3_stmt* RegistryStore::Use(Statement which) {
    sqlite3_stmt* statement = statements_[which];
    sqlite3_reset(statement);
    return statement;
}

LSTATUS RegistryStore::Run(Statement which, LSTATUS otherwise) {
    sqlite3_stmt* statement = statements_[which];
    int result = sqlite3_step(statement);
    sqlite3_reset(statement);
    return result == SQLITE_DONE ? ERROR_SUCCESS : Fail(result, otherwise);
}

LSTATUS RegistryStore::Begin() {
    if (!db_) return ERROR_CANTOPEN;
    Use(kBegin);
    return Run(kBegin, ERROR_CANTWRITE);
}

LSTATUS RegistryStore::Commit() {
    Use(kCommit);
    return Run(kCommit, ERROR_CANTWRITE);
}

void RegistryStore::Rollback() {
    if (db_ && !sqlite3_get_autocommit(db_)) {
        Use(kRollback);
        Run(kRollback, ERROR_CANTWRITE);
    }
}

LSTATUS RegistryStore::FindChild(int64_t parent, std::string_view name, int64_t* id) {
    sqlite3_stmt* statement = Use(kFindChild);
    sqlite3_bind_int64(statement, 1, parent);
    BindText(statement, 2, name);
    int result = sqlite3_step(statement);
    if (result == SQLITE_ROW) *id = sqlite3_column_int64(statement, 0);
    sqlite3_reset(statement);
    if (result == SQLITE_ROW) return ERROR_SUCCESS;
    return result == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : Fail(result, ERROR_CANTREAD);
}

LSTATUS RegistryStore::WalkPath(int64_t parent, std::string_view path, bool create, int64_t* id, bool* created) {
    if (created) *created = false;
    if (!ValidPath(path)) return ERROR_INVALID_PARAMETER;
    size_t walked = 0;
    LSTATUS status = WalkExisting(parent, path, id, &walked);
    if (status != ERROR_FILE_NOT_FOUND) return status;
    if (CheckKey(*id) != ERROR_SUCCESS) return ERROR_KEY_DELETED;
    if (!create) return status;
    if ((status = Begin()) != ERROR_SUCCESS) return status;
    // Another process may have made part of the path since the walk above.
    status = WalkExisting(parent, path, id, &walked);
    while (status == ERROR_FILE_NOT_FOUND) {
        std::string_view rest = path.substr(walked);
        std::string_view name = rest.substr(0, rest.find('\\'));
        sqlite3_stmt* statement = Use(kInsertKey);
        sqlite3_bind_int64(statement, 1, *id);
        BindText(statement, 2, name);
        status = Run(kInsertKey, ERROR_CANTWRITE);
        if (status != ERROR_SUCCESS) break;
        *id = sqlite3_last_insert_rowid(db_);
        walked += name.size() + 1;
        status = walked >= path.size() ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    if (status == ERROR_SUCCESS) status = Commit();
    if (status != ERROR_SUCCESS) {
        Rollback();
        return status;
    }
    if (created) *created = true;
    return ERROR_SUCCESS;
}

// Follows the existing part of `path`: *id is the deepest key reached and
// *walked the length of path consumed up to it.
LSTATUS RegistryStore::WalkExisting(int64_t parent, std::string_view path, int64_t* id, size_t* walked) {
    *id = parent;
    *walked = 0;
    LSTATUS status = ERROR_SUCCESS;
    ForEachComponent(path, [&](std::string_view name) {
        int64_t child = 0;
        status = FindChild(*id, name, &child);
        if (status != ERROR_SUCCESS) return false;
        *id = child;
        *walked += name.size() + 1;
        return true;
    });
    return status;
}

LSTATUS RegistryStore::CheckKey(int64_t id) {
    if (!db_) return ERROR_CANTOPEN;
    if (id == 0) return ERROR_SUCCESS;
    sqlite3_stmt* statement = Use(kKeyExists);
    sqlite3_bind_int64(statement, 1, id);
    int result = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (result == SQLITE_ROW) return ERROR_SUCCESS;
    return result == SQLITE_DONE ? ERROR_KEY_DELETED : Fail(result, ERROR_CANTREAD);
}

LSTATUS RegistryStore::DeleteKey(int64_t id) {
    LSTATUS status = Begin();
    if (status != ERROR_SUCCESS) return status;
    sqlite3_stmt* statement = Use(kHasChild);
    sqlite3_bind_int64(statement, 1, id);
    int result = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (result == SQLITE_ROW) {
        status = ERROR_ACCESS_DENIED;
    } else if (result != SQLITE_DONE) {
        status = Fail(result, ERROR_CANTREAD);
    } else {
        sqlite3_bind_int64(Use(kDeleteKeyValues), 1, id);
        status = Run(kDeleteKeyValues, ERROR_CANTWRITE);
        if (status == ERROR_SUCCESS) {
            sqlite3_bind_int64(Use(kDeleteKey), 1, id);
            status = Run(kDeleteKey, ERROR_CANTWRITE);
        }
        if (status == ERROR_SUCCESS && sqlite3_changes(db_) == 0) status = ERROR_KEY_DELETED;
    }
    if (status == ERROR_SUCCESS) status = Commit();
    if (status != ERROR_SUCCESS) Rollback();
    return status;
}

LSTATUS RegistryStore::SetValue(int64_t key, std::string_view name, DWORD type, const BYTE* data, DWORD size) {
    if (name.size() > kMaxValueNameLength) return ERROR_INVALID_PARAMETER;
    static const BYTE kNothing = 0;
    sqlite3_stmt* statement = Use(kSetValue);
    sqlite3_bind_int64(statement, 1, key);
    BindText(statement, 2, name);
    sqlite3_bind_int64(statement, 3, type);
    // A null pointer would bind SQL NULL; an empty value is an empty blob.
    sqlite3_bind_blob(statement, 4, data ? data : &kNothing, static_cast<int>(size), SQLITE_STATIC);
    LSTATUS status = Run(kSetValue, ERROR_CANTWRITE);
    if (db_) sqlite3_bind_null(statements_[kSetValue], 4);
    return status;
}

LSTATUS RegistryStore::QueryValue(int64_t key, std::string_view name, DWORD* type, BYTE* data, DWORD* size) {
    if (name.size() > kMaxValueNameLength) return ERROR_FILE_NOT_FOUND;
    sqlite3_stmt* statement = Use(kGetValue);
    sqlite3_bind_int64(statement, 1, key);
    BindText(statement, 2, name);
    int result = sqlite3_step(statement);
    if (result != SQLITE_ROW) {
        sqlite3_reset(statement);
        if (result != SQLITE_DONE) return Fail(result, ERROR_CANTREAD);
        return CheckKey(key) == ERROR_KEY_DELETED ? ERROR_KEY_DELETED : ERROR_FILE_NOT_FOUND;
    }
    LSTATUS status = ERROR_SUCCESS;
    DWORD needed = static_cast<DWORD>(sqlite3_column_bytes(statement, 1));
    if (type) *type = static_cast<DWORD>(sqlite3_column_int64(statement, 0));
    if (data) {
        if (*size < needed) {
            status = ERROR_MORE_DATA;
        } else if (needed > 0) {
            std::memcpy(data, sqlite3_column_blob(statement, 1), needed);
        }
    }
    if (size) *size = needed;
    sqlite3_reset(statement);
    return status;
}

LSTATUS RegistryStore::DeleteValue(int64_t key, std::string_view name) {
    if (name.size() > kMaxValueNameLength) return ERROR_FILE_NOT_FOUND;
    sqlite3_stmt* statement = Use(kDeleteValue);
    sqlite3_bind_int64(statement, 1, key);
    BindText(statement, 2, name);
    LSTATUS status = Run(kDeleteValue, ERROR_CANTWRITE);
    if (status != ERROR_SUCCESS) return status;
    if (sqlite3_changes(db_) > 0) return ERROR_SUCCESS;
    return CheckKey(key) == ERROR_KEY_DELETED ? ERROR_KEY_DELETED : ERROR_FILE_NOT_FOUND;
}
