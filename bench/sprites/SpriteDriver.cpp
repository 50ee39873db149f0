// Runs the sprite programs (each in its own process, found beside this one)
// scene by scene and prints their frame rates and the ratios to the raw
// limit. Each repeat runs every program in turn, one measurement each, so
// that a machine busy for a while weighs on all of them alike; a program's
// figure is the median of its repeats. Arguments: frames a repeat at 10,000
// and at 100,000 sprites, and the repeats (20, 4 and 3 when none are given:
// about four minutes on llvmpipe).
#include <algorithm>
#include <array>
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

double Median(std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
                    for (const auto& [key, fps] : Run("'" + folder + "/" + kPrograms[p].file + "'" + arguments))
                        measured[p][key].push_back(fps);
                }
            }
        }
    }
    std::array<std::map<Key, double>, kPrograms.size()> results;
    for (size_t p = 0; p < kPrograms.size(); ++p) {
        for (auto& [key, values] : measured[p]) results[p][key] = Median(values);
    }

    std::printf("%-6s %7s", "scene", "sprites");
    for (const Program& program : kPrograms) std::printf(" %18s", program.label);
    std::printf("\n");
    for (const auto& [key, raw] : results[0]) {
        std::printf("%-6c %7d", key.first, key.second);
        for (size_t p = 0; p < kPrograms.size(); ++p) {
            const auto found = results[p].find(key);
            if (found == results[p].end()) std::printf(" %18s", "-");
            else std::printf(" %9.1f (%5.2f)", found->second, raw > 0 ? found->second / raw : 0.0);
        }
        std::printf("\n");
    }
    std::printf("fps, median of the repeats; in brackets the ratio to the raw limit\n");
    return 0;
}
