// Test support: runs a program as a child process in a folder of its own,
// with extra environment variables, and returns its exit status and what it
// wrote on standard error.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct ChildResult {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string errors;
};

ChildResult RunChild(const std::string& program, const std::string& folder,
                     const std::vector<std::pair<std::string, std::string>>& environment);
