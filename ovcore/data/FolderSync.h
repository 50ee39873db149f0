#pragma once

#include <string>

// Where a file's directory entry lives, and flushing that entry to disk.
namespace OvCore::FolderSync {

// The folder holding path: "." for a bare name, "/" for a file at the root.
std::string FolderOf(const std::string& path);

// Flushes the folder's entries (new, renamed and removed names) to disk.
bool Flush(const std::string& folder);

// Whether process pid still runs (a process we may not signal counts).
bool ProcessAlive(long pid);

}  // namespace OvCore::FolderSync
