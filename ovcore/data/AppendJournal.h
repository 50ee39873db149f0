#pragma once

#include <cstdint>
#include <string>

// Makes an append to a file land whole or not at all, across crashes and
// power cuts. Before the bytes go in, a small journal beside the file
// ("<file>.ov-append") records the file's old length and the appending
// process, and reaches the disk; once the appended bytes are on disk the
// journal is removed. A journal found later whose process is gone (or is
// this one: process numbers come back after a restart) marks an append cut
// short: the file is cut back to its old length and the journal removed.
// Appends to one file from several threads of one process at once are not
// supported.
namespace OvCore::AppendJournal {

std::string PathFor(const std::string& target);

// Undoes an append that was cut short. False when another live process is
// appending to the target right now (its journal is left alone).
bool Recover(const std::string& target);

// The old length of a file the append creates: undoing it removes the file.
constexpr uint64_t kAbsent = UINT64_MAX;

// Records the target's length before an append and flushes the record and
// the folder. False (nothing recorded) when the journal cannot be made.
bool Begin(const std::string& target, uint64_t oldLength);

// Removes the journal once the appended bytes are flushed, and flushes the
// folder so that the removal holds too.
bool Commit(const std::string& target);

}  // namespace OvCore::AppendJournal
