#include "ovcore/world/ModelFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace OvCore {

namespace {

constexpr std::string_view kMagic = "envboxmodel2d";
constexpr std::string_view kVersion = "2";
constexpr size_t kSubstanceLines = 5;
constexpr size_t kSurfaceLines = 10;
constexpr size_t kForceLines = 3;
constexpr size_t kBoneLines = 8;

// The lines of a text, each without its CR LF (or lone LF) ending; a last
// line without an ending counts, the empty rest after a final ending does not.
std::vector<std::string_view> SplitLines(const char* text, size_t length) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < length) {
        const void* found = std::memchr(text + start, '\n', length - start);
        const size_t end = found ? static_cast<size_t>(static_cast<const char*>(found) - text) : length;
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.emplace_back(text + start, stop - start);
        start = end + 1;
    }
    return lines;
}

// Reads the lines one after the other; every read fails past the end.
class LineReader {
public:
    explicit LineReader(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

    size_t Remaining() const { return lines_.size() - next_; }

    bool Text(std::string& out) {
        if (next_ >= lines_.size()) return false;
        out.assign(lines_[next_++]);
        return true;
    }
    bool Real(double& out) {
        std::string line;
        if (!Text(line)) return false;
        out = std::strtod(line.c_str(), nullptr);
        return true;
    }
    bool Integer(long& out) {
        std::string line;
        if (!Text(line)) return false;
        out = std::strtol(line.c_str(), nullptr, 0);
        return true;
    }
    // A count of groups of linesPerGroup lines that the rest of the file holds.
    bool Count(size_t linesPerGroup, size_t& out) {
        long count = 0;
        if (!Integer(count) || count < 0) return false;
        if (static_cast<unsigned long>(count) > Remaining() / linesPerGroup) return false;
        out = static_cast<size_t>(count);
        return true;
    }
    // A real that names an entry of a section of `count` entries.
    bool Index(size_t count, int& out) {
        double value = 0;
        // Truncation makes -0.5 name entry 0, which an empty section lacks.
        if (!Real(value) || count == 0 || !(value > -1.0) || !(value < static_cast<double>(count))) return false;
        out = static_cast<int>(value);
        return true;
    }
    bool Flag(bool& out) {
        double value = 0;
        if (!Real(value)) return false;
        out = value != 0;
        return true;
    }

private:
    std::vector<std::string_view> lines_;
    size_t next_ = 0;
};

bool ReadSubstance(LineReader& in, OV_MODEL_FILE::Substance& s) {
    return in.Real(s.x) && in.Real(s.y) && in.Real(s.mass) && in.Real(s.range) && in.Real(s.solid);
}

bool ReadSurface(LineReader& in, size_t substanceCount, OV_MODEL_FILE::Surface& u) {
    for (int& corner : u.corners)
        if (!in.Index(substanceCount, corner)) return false;
    for (double& coord : u.coords)
        if (!in.Real(coord)) return false;
    return in.Text(u.texture);
}

bool ReadForce(LineReader& in, size_t substanceCount, OV_MODEL_FILE::Force& f) {
    return in.Index(substanceCount, f.first) && in.Index(substanceCount, f.second) && in.Real(f.resilience);
}

bool ReadBone(LineReader& in, size_t forceCount, OV_MODEL_FILE::Bone& b) {
    return in.Text(b.texture) && in.Real(b.originX) && in.Real(b.originY) && in.Real(b.width) && in.Real(b.height) &&
           in.Index(forceCount, b.force) && in.Flag(b.flip) && in.Flag(b.stretch);
}

// Reads a count line and its groups; the vector is sized only after the
// count has proved to fit the lines left.
template <class T, class ReadOne>
bool ReadSection(LineReader& in, size_t linesPerGroup, std::vector<T>& out, ReadOne readOne) {
    size_t count = 0;
    if (!in.Count(linesPerGroup, count)) return false;
    out.resize(count);
    for (T& entry : out)
        if (!readOne(in, entry)) return false;
    return true;
}

void AppendLine(std::string& text, std::string_view line) {
    text.append(line);
    text.append("\r\n");
}

void AppendReal(std::string& text, double value) {
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    AppendLine(text, digits);
}

}  // namespace

bool OV_MODEL_FILE::HasHeader(const char* text, size_t length) {
    if (!text) return false;
    const std::vector<std::string_view> lines = SplitLines(text, length);
    return lines.size() >= 2 && lines[0] == kMagic && lines[1] == kVersion;
}

bool OV_MODEL_FILE::Parse(const char* text, size_t length) {
    if (!HasHeader(text, length)) return false;
    LineReader in(SplitLines(text, length));
    std::string header;
    in.Text(header);
    in.Text(header);
    OV_MODEL_FILE read;
    const bool complete =
        ReadSection(in, kSubstanceLines, read.substances, ReadSubstance) &&
        ReadSection(in, kSurfaceLines, read.surfaces,
                    [&](LineReader& r, Surface& u) { return ReadSurface(r, read.substances.size(), u); }) &&
        ReadSection(in, kForceLines, read.forces,
                    [&](LineReader& r, Force& f) { return ReadForce(r, read.substances.size(), f); }) &&
        ReadSection(in, kBoneLines, read.bones,
                    [&](LineReader& r, Bone& b) { return ReadBone(r, read.forces.size(), b); });
    if (!complete) return false;
    *this = std::move(read);
    return true;
}

std::string OV_MODEL_FILE::Write() const {
    std::string text;
    AppendLine(text, kMagic);
    AppendLine(text, kVersion);
    AppendLine(text, std::to_string(substances.size()));
    for (const Substance& s : substances)
        for (double value : {s.x, s.y, s.mass, s.range, s.solid}) AppendReal(text, value);
    AppendLine(text, std::to_string(surfaces.size()));
    for (const Surface& u : surfaces) {
        for (int corner : u.corners) AppendReal(text, corner);
        for (double coord : u.coords) AppendReal(text, coord);
        AppendLine(text, u.texture);
    }
    AppendLine(text, std::to_string(forces.size()));
    for (const Force& f : forces)
        for (double value : {static_cast<double>(f.first), static_cast<double>(f.second), f.resilience})
            AppendReal(text, value);
    AppendLine(text, std::to_string(bones.size()));
    for (const Bone& b : bones) {
        AppendLine(text, b.texture);
        for (double value : {b.originX, b.originY, b.width, b.height, static_cast<double>(b.force), b.flip ? 1.0 : 0.0,
                             b.stretch ? 1.0 : 0.0})
            AppendReal(text, value);
    }
    return text;
}

}  // namespace OvCore
