// OV_MODEL_FILE: the soft-body model file, read and written.
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
    // A substance of the body.
    struct Substance {
        // Position x, y in pixels, mass, range, solid, as the file holds them:
        double x = 0, y = 0, mass = 0, range = 0, solid = 0;
    };
    // A surface: three substance indices, texture coordinates, a texture name.
    struct Surface {
        int corners[3] = {0, 0, 0};  // indices into substances
        double coords[6] = {0, 0, 0, 0, 0, 0};  // u1, v1, u2, v2, u3, v3
        std::string texture;  // the texture's name, without directory or extension
    };
    // A covalence force between two substances.
    struct Force {
        // Indices into substances:
        int first = 0, second = 0;
        double resilience = 0;  // the spring's stiffness
    };
    // A bone drawn along a force.
    struct Bone {
        std::string texture;  // the texture's name
        // The anchor inside the quad and the quad's size, in pixels:
        double originX = 0, originY = 0, width = 0, height = 0;
        int force = 0;  // index into forces
        // BONE_FLIP and BONE_STRETCH (see OV_BONE):
        bool flip = false, stretch = false;
    };

    // The file's four sections, in file order:
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
