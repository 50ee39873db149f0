#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace OvCore {

// The content of a soft-body model file ("envboxmodel2d", version "2"): one
// value a line, lines ended by CR LF. Sections in file order: substances
// (x, y, mass, range, solid), surfaces (three substance indices, three
// texture coordinates as u, v pairs, a texture name), covalence forces (two
// substance indices, resilience) and bones (texture name, originX, originY,
// width, height, force index, flip, stretch), each after a line with its
// count. Integers are read as C reads them (base prefixes included), reals
// as doubles; indices written as reals are truncated.
class OV_MODEL_FILE {
public:
    struct Substance {
        double x = 0, y = 0, mass = 0, range = 0, solid = 0;
    };
    struct Surface {
        int corners[3] = {0, 0, 0};
        double coords[6] = {0, 0, 0, 0, 0, 0};  // u1, v1, u2, v2, u3, v3
        std::string texture;
    };
    struct Force {
        int first = 0, second = 0;
        double resilience = 0;
    };
    struct Bone {
        std::string texture;
        double originX = 0, originY = 0, width = 0, height = 0;
        int force = 0;
        bool flip = false, stretch = false;
    };

    std::vector<Substance> substances;
    std::vector<Surface> surfaces;
    std::vector<Force> forces;
    std::vector<Bone> bones;

    // Reads the whole text; on any fault the file is refused (false) and
    // this object is left as it was: another header, a file that ends
    // early, a count that is negative or larger than the lines left could
    // hold, or an index outside its section's count. A count is checked
    // against the lines that follow before anything is reserved for it.
    bool Parse(const char* text, size_t length);
    // True when the text starts with the two header lines.
    static bool HasHeader(const char* text, size_t length);
    // The file's text, which Parse reads back to the same content (reals
    // are written with 17 significant digits).
    std::string Write() const;
};

}  // namespace OvCore
