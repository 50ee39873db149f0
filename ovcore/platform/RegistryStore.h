// The registry's SQLite database: keys as (parent, name) rows compared
// without regard to case, typed values as blobs. Every write is one
// transaction on a WAL database with full synchronisation, so a write that
// returned survives the process being killed. A damaged database is set aside
// under its own name plus a suffix and a new one begun; the call that found
// the damage reports ERROR_BADDB. Results are Windows error codes.
#pragma once

#include "ovcore/platform/Windows.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class RegistryStore {
public:
    static constexpr int kRootCount = 5;

    static RegistryStore& Instance();

    ~RegistryStore();

    // Opens the database on first use (at RegistryStorePath()).
    LSTATUS Ready();
    // Closes the database; the next use opens it again, at the path the
    // environment names then.
    void Close();
    // Grows each time a database is opened: key handles of an earlier
    // database are stale.
    uint64_t Generation() const { return generation_; }

    int64_t RootId(int rootIndex) const { return rootIds_[rootIndex]; }
    // ERROR_FILE_NOT_FOUND when `parent` has no child of that name.
    LSTATUS FindChild(int64_t parent, std::string_view name, int64_t* id);
    // Walks `path` (components separated by backslashes) from `parent`,
    // creating what is missing when `create` is set, in one transaction.
    LSTATUS WalkPath(int64_t parent, std::string_view path, bool create, int64_t* id, bool* created);
    // ERROR_KEY_DELETED when the key is gone.
    LSTATUS CheckKey(int64_t id);
    // Refused with ERROR_ACCESS_DENIED while the key has subkeys; removes the
    // key's values with it.
    LSTATUS DeleteKey(int64_t id);

    LSTATUS SetValue(int64_t key, std::string_view name, DWORD type, const BYTE* data, DWORD size);
    // Windows query semantics: a null `data` asks for the size only; a short
    // buffer gives ERROR_MORE_DATA with the needed size in *size.
    LSTATUS QueryValue(int64_t key, std::string_view name, DWORD* type, BYTE* data, DWORD* size);
    LSTATUS DeleteValue(int64_t key, std::string_view name);

    // Where the database lives: $OV_REGISTRY_PATH, else
    // $XDG_CONFIG_HOME/orvo-core/registry.db, else ~/.config/orvo-core/registry.db.
    static std::string Path();

private:
    enum Statement {
        kBegin,
        kCommit,
        kRollback,
        kFindChild,
        kInsertKey,
        kKeyExists,
        kHasChild,
        kDeleteKeyValues,
        kDeleteKey,
        kSetValue,
        kGetValue,
        kDeleteValue,
        kStatementCount
    };

    sqlite3* db_ = nullptr;
    sqlite3_stmt* statements_[kStatementCount] = {};
    int64_t rootIds_[kRootCount] = {};
    uint64_t generation_ = 0;
    std::string path_;

    enum OpenResult { kOpened, kDamaged, kFailed };

    RegistryStore() = default;
    LSTATUS Open();
    // Opens, checks and prepares; on failure the connection stays open so
    // Classify can read why.
    OpenResult OpenConnection();
    OpenResult Classify() const;
    OpenResult Check();
    bool PrepareAll();
    bool MakeRoots();
    void SetAside();
    // The Windows code for a SQLite result, setting the database aside when
    // the result says it is damaged.
    LSTATUS Fail(int result, LSTATUS otherwise);
    sqlite3_stmt* Use(Statement which);
    LSTATUS Run(Statement which, LSTATUS otherwise);
    LSTATUS Begin();
    LSTATUS Commit();
    void Rollback();
    LSTATUS WalkExisting(int64_t parent, std::string_view path, int64_t* id, size_t* walked);
};
