#include "ovcore/platform/DialogCommand.h"
#include "ovcore/platform/ChildProcess.h"

#include <cstring>

namespace {

std::string WindowsPatternsToGlobs(std::string patterns) {
    for (char& c : patterns) {
        if (c == ';') c = ' ';
    }
    std::string globs;
    size_t start = 0;
    while (start < patterns.size()) {
        size_t end = patterns.find(' ', start);
        if (end == std::string::npos) end = patterns.size();
        std::string pattern = patterns.substr(start, end - start);
        if (pattern == "*.*") pattern = "*";
        if (!pattern.empty()) globs += (globs.empty() ? "" : " ") + pattern;
        start = end + 1;
    }
    return globs;
}

// zenity splits its filter argument at the first '|'.
std::string WithoutBars(std::string name) {
    for (char& c : name) {
        if (c == '|') c = '/';
    }
    return name;
}

std::vector<std::string> SplitLines(std::string output) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        if (end > start) lines.push_back(output.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ParseFilterList(const char* list, unsigned selected) {
    std::vector<std::pair<std::string, std::string>> filters;
    if (!list) return filters;
    while (*list) {
        const char* patterns = list + std::strlen(list) + 1;
        if (!*patterns) break;
        filters.emplace_back(list, WindowsPatternsToGlobs(patterns));
        list = patterns + std::strlen(patterns) + 1;
    }
    if (selected > 1 && selected <= filters.size()) {
        auto chosen = filters[selected - 1];
        filters.erase(filters.begin() + selected - 1);
        filters.insert(filters.begin(), chosen);
    }
    return filters;
}

std::vector<std::string> ZenityArguments(const std::string& program, const DialogRequest& request) {
    std::vector<std::string> arguments = {program, "--file-selection"};
    if (!request.title.empty()) arguments.push_back("--title=" + request.title);
    if (!request.startPath.empty()) arguments.push_back("--filename=" + request.startPath);
    if (request.kind == DialogRequest::kSave) arguments.push_back("--save");
    if (request.kind == DialogRequest::kFolder) arguments.push_back("--directory");
    if (request.kind == DialogRequest::kSave && request.confirmOverwrite) arguments.push_back("--confirm-overwrite");
    if (request.kind == DialogRequest::kOpen && request.multiple) {
        arguments.push_back("--multiple");
        arguments.push_back("--separator=\n");
    }
    if (request.owner) arguments.push_back("--attach=" + std::to_string(request.owner));
    for (const auto& [name, patterns] : request.filters)
        arguments.push_back("--file-filter=" + WithoutBars(name) + " | " + patterns);
    return arguments;
}

// Options first, values joined to their option, then "--": the start path
// and the filter, which come from outside, are never read as options.
std::vector<std::string> KdialogArguments(const std::string& program, const DialogRequest& request) {
    const char* mode = request.kind == DialogRequest::kOpen   ? "--getopenfilename"
                       : request.kind == DialogRequest::kSave ? "--getsavefilename"
                                                              : "--getexistingdirectory";
    std::vector<std::string> arguments = {program};
    if (request.kind == DialogRequest::kOpen && request.multiple) {
        arguments.push_back("--multiple");
        arguments.push_back("--separate-output");
    }
    if (!request.title.empty()) arguments.push_back("--title=" + request.title);
    if (request.owner) arguments.push_back("--attach=" + std::to_string(request.owner));
    arguments.push_back(mode);
    arguments.push_back("--");
    arguments.push_back(request.startPath.empty() ? "." : request.startPath);
    if (request.kind != DialogRequest::kFolder && !request.filters.empty()) {
        std::string filter;
        for (const auto& [name, patterns] : request.filters)
            filter += (filter.empty() ? "" : "\n") + name + " (" + patterns + ")";
        arguments.push_back(filter);
    }
    return arguments;
}

DialogOutcome RunDialog(const DialogRequest& request, std::vector<std::string>* paths) {
    paths->clear();
    std::vector<std::string> arguments;
    if (std::string zenity = FindProgram("zenity"); !zenity.empty()) {
        arguments = ZenityArguments(zenity, request);
    } else if (std::string kdialog = FindProgram("kdialog"); !kdialog.empty()) {
        arguments = KdialogArguments(kdialog, request);
    } else {
        return DialogOutcome::kUnavailable;
    }
    std::string output;
    int status = 0;
    if (!RunAndCapture(arguments, &output, &status)) return DialogOutcome::kUnavailable;
    if (status != 0) return DialogOutcome::kCancelled;
    if (request.kind == DialogRequest::kOpen && request.multiple) {
        *paths = SplitLines(output);
    } else {
        if (!output.empty() && output.back() == '\n') output.pop_back();
        if (!output.empty()) paths->push_back(output);
    }
    return paths->empty() ? DialogOutcome::kCancelled : DialogOutcome::kChosen;
}
