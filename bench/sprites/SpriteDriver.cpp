// Runs the sprite programs (each in its own process, found beside this one)
// scene by scene and prints their frame rates and the ratios to the raw
// limit. Each repeat runs every program in turn, one measurement each, so
// that a machine busy for a while weighs on all of them alike; a program's
// frame rate is the median of its repeats, and its ratio the median of its
// ratios to raw within each repeat, so that a change in the machine's speed
// between repeats cancels. Arguments: frames a repeat at 10,000
// and at 100,000 sprites, and the repeats (20, 4 and 3 when none are given:
// about four minutes on llvmpipe).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

struct Program {
    const char* label;
    const char* file;
};
constexpr std::array<Program, 5> kPrograms = {{{"raw", "sprites_raw"},
                                               {"framework", "sprites_framework"},
                                               {"SFML", "sprites_sfml"},
                                               {"SDL2", "sprites_sdl"},
                                               {"Allegro", "sprites_allegro"}}};

using Key = std::pair<char, int>;  // scene, sprite count

std::string OwnFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    std::string own(path, static_cast<size_t>(length));
    return own.substr(0, own.rfind('/'));
}

std::map<Key, double> Run(const std::string& command) {
    std::map<Key, double> results;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return results;
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
        char scene = 0;
        int count = 0;
        double fps = 0;
        if (std::sscanf(line, "RESULT %c %d %lf", &scene, &count, &fps) == 3) results[{scene, count}] = fps;
    }
    pclose(pipe);
    return results;
}

// The median of the values that are numbers; 0 when there are none.
double Median(const std::vector<double>& values) {
    std::vector<double> known;
    for (double value : values) {
        if (!std::isnan(value)) known.push_back(value);
    }
    if (known.empty()) return 0.0;
    std::sort(known.begin(), known.end());
    return known[known.size() / 2];
}

// Per repeat, one program's frame rate over raw's (not a number where
// either gave none).
std::vector<double> RatiosToRaw(const std::vector<double>& program, const std::vector<double>& raw) {
    std::vector<double> ratios;
    for (size_t repeat = 0; repeat < program.size() && repeat < raw.size(); ++repeat) {
        ratios.push_back(raw[repeat] > 0 ? program[repeat] / raw[repeat] : std::nan(""));
    }
    return ratios;
}

}  // namespace

int main(int argc, char** argv) {
    const int framesSmall = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int framesLarge = argc > 2 ? std::max(1, std::atoi(argv[2])) : 4;
    const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::string folder = OwnFolder();
    std::array<std::map<Key, std::vector<double>>, kPrograms.size()> measured;
    for (const int count : {10000, 100000}) {
        for (const char scene : {'A', 'B', 'C', 'D'}) {
            std::fprintf(stderr, "scene %c, %d sprites\n", scene, count);
            const int frames = count > 10000 ? framesLarge : framesSmall;
            const std::string arguments =
                " " + std::to_string(frames) + " 1 " + scene + " " + std::to_string(count) + " 2>/dev/null";
            for (int repeat = 0; repeat < repeats; ++repeat) {
                for (size_t p = 0; p < kPrograms.size(); ++p) {
                    for (const auto& [key, fps] : Run("'" + folder + "/" + kPrograms[p].file + "'" + arguments)) {
                        std::vector<double>& values = measured[p][key];
                        values.resize(static_cast<size_t>(repeats), std::nan(""));
                        values[static_cast<size_t>(repeat)] = fps;
                    }
                }
            }
        }
    }

    std::printf("%-6s %7s", "scene", "sprites");
    for (const Program& program : kPrograms) std::printf(" %18s", program.label);
    std::printf("\n");
    for (const auto& [key, raw] : measured[0]) {
        std::printf("%-6c %7d", key.first, key.second);
        for (size_t p = 0; p < kPrograms.size(); ++p) {
            const auto found = measured[p].find(key);
            if (found == measured[p].end())
                std::printf(" %18s", "-");
            else
                std::printf(" %9.1f (%5.2f)", Median(found->second), Median(RatiosToRaw(found->second, raw)));
        }
        std::printf("\n");
    }
    std::printf("fps, median of the repeats; in brackets the median of the ratios to raw in each repeat\n");
    return 0;
}
