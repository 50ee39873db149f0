#include "ovcore/system/DesktopAssociation.h"

#include "ovcore/platform/ChildProcess.h"
#include "ovcore/platform/CommandLine.h"
#include "ovcore/platform/Diagnostics.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <unistd.h>

namespace OvCore {

namespace {

constexpr const char* kVendor = "orvo-core-";
constexpr const char* kDefaultsSection = "[Default Applications]";

// The XDG folder, else its place under HOME; "" when neither is an
// absolute path (the current folder is no place for a user's settings).
std::string Folder(const char* variable, const char* fallbackUnderHome) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') return "";
    return std::string(home) + "/" + fallbackUnderHome;
}

std::string SafeName(const char* typeName) {
    std::string name;
    for (const char* c = typeName; *c; ++c) {
        unsigned char u = static_cast<unsigned char>(*c);
        bool allowed = std::isalnum(u) || *c == '.' || *c == '-' || *c == '+';
        name += allowed && u < 0x80 ? static_cast<char>(std::tolower(u)) : '-';
    }
    return name;
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// Keys of an entry are one line each: no line breaks or other controls.
std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text) out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    return out;
}

bool NeedsQuotes(const std::string& argument) {
    if (argument.empty()) return true;
    for (char c : argument) {
        if (std::strchr(" \t\"'\\><~|&;$*?#()`", c)) return true;
    }
    return false;
}

// Quoting of the entry format, then the string escape that applies to every
// value (a backslash is written doubled).
std::string ExecArgument(const std::string& argument) {
    if (!NeedsQuotes(argument)) return argument;
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string escaped;
    for (char c : quoted) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
}

// "C:\...\editor.exe,0" names the first icon of a file: the file is the icon.
std::string IconPath(const char* icon) {
    std::string path = icon ? icon : "";
    size_t comma = path.rfind(',');
    if (comma != std::string::npos && comma + 1 < path.size() &&
        path.find_first_not_of("-0123456789", comma + 1) == std::string::npos)
        path.resize(comma);
    return OneLine(path);
}

std::string GlobFor(const char* extension) {
    std::string glob = extension[0] == '.' ? std::string("*") + extension : std::string("*.") + extension;
    return XmlEscaped(OneLine(glob));
}

bool ReplaceFile(const std::string& path, const std::string& text) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::string temporary = path + ".tmp-" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!(out << text) || !out.flush()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string MimePackage(const char* typeName, const char* extension) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           DesktopMimeType(typeName) +
           "\">\n"
           "    <comment>" +
           XmlEscaped(OneLine(typeName)) +
           "</comment>\n"
           "    <glob pattern=\"" +
           GlobFor(extension) +
           "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string DesktopEntry(const char* typeName, const char* openCommand, const char* icon) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           OneLine(typeName) +
           "\n"
           "Exec=" +
           DesktopExecLine(openCommand) +
           "\n"
           "Icon=" +
           IconPath(icon) +
           "\n"
           "MimeType=" +
           DesktopMimeType(typeName) +
           ";\n"
           "NoDisplay=true\n";
}

bool RebuildMimeDatabase(const std::string& folder) {
    std::string output;
    int status = -1;
    return RunAndCapture({"update-mime-database", folder}, &output, &status) && status == 0;
}

}  // namespace

std::string DesktopMimeType(const char* typeName) { return "application/x-" + SafeName(typeName); }

std::string DesktopEntryName(const char* typeName) { return kVendor + SafeName(typeName) + ".desktop"; }

std::string DesktopExecLine(const char* openCommand) {
    std::string line;
    auto add = [&line](const std::string& written) { line += (line.empty() ? "" : " ") + written; };
    for (const std::string& argument : SplitCommandLine(openCommand)) {
        // The text around each field code, '%' doubled, controls blanked.
        std::vector<std::string> pieces(1);
        for (size_t i = 0; i < argument.size(); ++i) {
            if (argument[i] == '%' && i + 1 < argument.size() && (argument[i + 1] == '1' || argument[i + 1] == 'L')) {
                pieces.emplace_back();
                ++i;
            } else {
                pieces.back() += argument[i] == '%' ? "%%" : OneLine(std::string(1, argument[i]));
            }
        }
        if (pieces.size() == 1) {
            add(ExecArgument(pieces[0]));
            continue;
        }
        // A field code inside quotes is undefined: an argument that needs
        // quotes around its field code is split there, the code standing
        // alone and the blank-only pieces dropped.
        bool quoted = false;
        for (const std::string& piece : pieces) quoted = quoted || (!piece.empty() && NeedsQuotes(piece));
        if (!quoted) {
            std::string written = pieces[0];
            for (size_t i = 1; i < pieces.size(); ++i) written += "%f" + pieces[i];
            add(written);
            continue;
        }
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0) add("%f");
            if (pieces[i].find_first_not_of(' ') != std::string::npos) add(ExecArgument(pieces[i]));
        }
    }
    return line;
}

std::string WithDefaultApplication(const std::string& list, const std::string& mimeType, const std::string& entry) {
    std::istringstream in(list);
    std::string out, line;
    bool inDefaults = false, written = false;
    const std::string setting = mimeType + "=" + entry + ";\n";
    while (std::getline(in, line)) {
        bool header = !line.empty() && line[0] == '[';
        if (header && inDefaults && !written) {
            out += setting;
            written = true;
        }
        if (header) inDefaults = line == kDefaultsSection;
        if (inDefaults && line.rfind(mimeType + "=", 0) == 0) continue;
        out += line + "\n";
    }
    if (!written) out += (inDefaults ? "" : std::string(kDefaultsSection) + "\n") + setting;
    return out;
}

bool WriteDesktopAssociation(const char* typeName, const char* extension, const char* openCommand, const char* icon) {
    std::string data = Folder("XDG_DATA_HOME", ".local/share");
    std::string config = Folder("XDG_CONFIG_HOME", ".config");
    if (data.empty() || config.empty()) {
        PlatformReportFailure("system: cannot associate file type: %s: no user folder (HOME and %s unset)", typeName,
                              data.empty() ? "XDG_DATA_HOME" : "XDG_CONFIG_HOME");
        return false;
    }
    std::string name = SafeName(typeName);
    std::string entry = DesktopEntryName(typeName);
    std::string mimeList = config + "/mimeapps.list";
    return ReplaceFile(data + "/mime/packages/" + kVendor + name + ".xml", MimePackage(typeName, extension)) &&
           RebuildMimeDatabase(data + "/mime") &&
           ReplaceFile(data + "/applications/" + entry, DesktopEntry(typeName, openCommand, icon)) &&
           ReplaceFile(mimeList, WithDefaultApplication(ReadFile(mimeList), DesktopMimeType(typeName), entry));
}

}  // namespace OvCore
