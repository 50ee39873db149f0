// Reading soft-body model files into a model: its textures, then its body.
#include "ovcore/world/Model.h"
#include "ovcore/world/ModelFile.h"

#include "ovcore/data/MemoryFile.h"

#include <climits>
#include <cmath>
#include <string>

namespace OvCore {

namespace {

// Arguments of the texture loads: one file, nearest filtering, the
// origin at the top-left, the collision box the image's.
constexpr int kLoadFlag = 1;
constexpr int kNearest = OV_TEXTURE_NEAREST;

// Truncation towards zero that saturates instead of overflowing.
int32_t TruncateToInt(double value) {
    if (!(value == value)) return 0;
    if (value >= static_cast<double>(INT32_MAX)) return INT32_MAX;
    if (value <= static_cast<double>(INT32_MIN)) return INT32_MIN;
    return static_cast<int32_t>(value);
}

bool ReadWhole(const char* path, OV_MEMORY_FILE& file) { return path && file.LoadFromFile(path) && file.size > 0; }

bool ParseFile(const char* path, OV_MODEL_FILE& model) {
    OV_MEMORY_FILE file;
    return ReadWhole(path, file) && model.Parse(reinterpret_cast<const char*>(file.Data()), file.size);
}

bool ParseMemory(const void* data, size_t length, OV_MODEL_FILE& model) {
    return data && model.Parse(static_cast<const char*>(data), length);
}

void LoadTexture(const std::string& name, const char* directory, OV_NAMED_LIST<OV_TEXTURE>& textures) {
    if (name.empty() || name.size() >= OV_NAMED_LIST<OV_TEXTURE>::kNameCapacity) return;
    if (!textures.Access(FIND, name.c_str(), 0).IsEnd()) return;
    OV_TEXTURE* texture = textures.Get(name.c_str(), 0);
    if (!texture) return;
    const std::string path = std::string(directory ? directory : ".") + "/" + name + ".ovt";
    texture->Load(path.c_str(), kLoadFlag, kNearest, kNearest, 0, 0, -1, -1, 0, 0);
}

void LoadTextures(const OV_MODEL_FILE& model, const char* directory, OV_NAMED_LIST<OV_TEXTURE>& textures) {
    for (const OV_MODEL_FILE::Surface& surface : model.surfaces) LoadTexture(surface.texture, directory, textures);
    for (const OV_MODEL_FILE::Bone& bone : model.bones) LoadTexture(bone.texture, directory, textures);
}

// The current frame of the named texture; empty when there is none.
OvHandle TextureHandle(OV_NAMED_LIST<OV_TEXTURE>* textures, const std::string& name) {
    if (!textures || name.empty() || name.size() >= OV_NAMED_LIST<OV_TEXTURE>::kNameCapacity) return EmptyHandle();
    auto entry = textures->Access(FIND, name.c_str(), 0);
    return entry.IsEnd() ? EmptyHandle() : entry.Value()->GetCurrentFrame();
}

double Distance(const OvFour& a, const OvFour& b) {
    return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y) + (b.z - a.z) * (b.z - a.z));
}

OvFour PositionOf(OvHandle substance) {
    const auto* position = static_cast<const OvFour*>(OvSubstanceGet(substance, OV_SUBSTANCE_POSITION));
    return position ? *position : OvFour{0, 0, 0, 1};
}

}  // namespace

bool OV_MODEL::LoadTextures(const char* path, const char* textureDirectory, OV_NAMED_LIST<OV_TEXTURE>& textures) {
    OV_MODEL_FILE model;
    if (!ParseFile(path, model)) return false;
    OvCore::LoadTextures(model, textureDirectory, textures);
    return true;
}

bool OV_MODEL::LoadTextures(const void* data, size_t length, const char* textureDirectory,
                            OV_NAMED_LIST<OV_TEXTURE>& textures) {
    OV_MODEL_FILE model;
    if (!ParseMemory(data, length, model)) return false;
    OvCore::LoadTextures(model, textureDirectory, textures);
    return true;
}

bool OV_MODEL::LoadBody(const char* path, OV_NAMED_LIST<OV_TEXTURE>* textures, const OV_MATRIX* transform,
                        double boneScaleX, double boneScaleY, double massScale, double rangeScale,
                        double resilienceScale) {
    OV_MODEL_FILE model;
    if (IsEmptyHandle(dna) || !ParseFile(path, model)) return false;
    return BuildBody(model, textures, transform, boneScaleX, boneScaleY, massScale, rangeScale, resilienceScale);
}

bool OV_MODEL::LoadBody(const void* data, size_t length, OV_NAMED_LIST<OV_TEXTURE>* textures,
                        const OV_MATRIX* transform, double boneScaleX, double boneScaleY, double massScale,
                        double rangeScale, double resilienceScale) {
    OV_MODEL_FILE model;
    if (IsEmptyHandle(dna) || !ParseMemory(data, length, model)) return false;
    return BuildBody(model, textures, transform, boneScaleX, boneScaleY, massScale, rangeScale, resilienceScale);
}

bool OV_MODEL::Load(const char* path, const char* textureDirectory, OV_NAMED_LIST<OV_TEXTURE>* textures,
                    const OV_MATRIX* transform, double boneScaleX, double boneScaleY, double massScale,
                    double rangeScale, double resilienceScale) {
    OV_MEMORY_FILE file;
    if (!ReadWhole(path, file)) return false;
    return Load(file.Data(), file.size, textureDirectory, textures, transform, boneScaleX, boneScaleY, massScale,
                rangeScale, resilienceScale);
}

// The file is read once and checked whole before the textures or the body change.
bool OV_MODEL::Load(const void* data, size_t length, const char* textureDirectory, OV_NAMED_LIST<OV_TEXTURE>* textures,
                    const OV_MATRIX* transform, double boneScaleX, double boneScaleY, double massScale,
                    double rangeScale, double resilienceScale) {
    OV_MODEL_FILE model;
    if (IsEmptyHandle(dna) || !ParseMemory(data, length, model)) return false;
    if (textures) OvCore::LoadTextures(model, textureDirectory, *textures);
    return BuildBody(model, textures, transform, boneScaleX, boneScaleY, massScale, rangeScale, resilienceScale);
}

bool OV_MODEL::BuildBody(const OV_MODEL_FILE& model, OV_NAMED_LIST<OV_TEXTURE>* textures, const OV_MATRIX* transform,
                         double boneScaleX, double boneScaleY, double massScale, double rangeScale,
                         double resilienceScale) {
    const int ns = static_cast<int>(model.substances.size());
    const int nu = static_cast<int>(model.surfaces.size());
    const int nf = static_cast<int>(model.forces.size());
    if (ns > OV_DNA_MAX_LINKS || nu > OV_DNA_MAX_LINKS || nf > OV_DNA_MAX_LINKS) return false;
    if (!OvDnaBirth(dna, ns, 0, 0)) return false;
    for (int i = 0; i < ns; ++i) {
        const OV_MODEL_FILE::Substance& s = model.substances[static_cast<size_t>(i)];
        OV_VECTOR position(s.x, s.y, 0, 1);
        if (transform) position = *transform * position;
        OvHandle handle = EmptyHandle();
        OvSubstanceCreate(&handle);
        OvSubstanceSetPosition(handle, OvFour{position.x, position.y, position.z, position.w}, 0);
        OvSubstanceSetMass(handle, s.mass * massScale);
        OvSubstanceSetRange(handle, s.range * rangeScale);
        OvSubstanceSetSolid(handle, TruncateToInt(s.solid));
        OvDnaLink(dna, OV_DNA_SUBSTANCES, i, &handle);
    }

    OvDnaBirth(dna, 0, 0, nu);
    const OvHandle* substances = Substances();
    for (int j = 0; j < nu; ++j) {
        const OV_MODEL_FILE::Surface& u = model.surfaces[static_cast<size_t>(j)];
        OvHandle handle = EmptyHandle();
        OvSurfaceCreate(&handle);
        for (int k = 0; k < 3; ++k) {
            OvSurfaceSetSubstance(handle, OV_SURFACE_CORNER + k, substances[u.corners[k]]);
            OvSurfaceSetCoord(handle, OV_SURFACE_COORD + k, OvFour{u.coords[2 * k], u.coords[2 * k + 1], 0, 1});
        }
        if (textures) OvSurfaceSetTexture(handle, TextureHandle(textures, u.texture), OV_SURFACE_TEXTURE);
        OvDnaLink(dna, OV_DNA_SURFACES, j, &handle);
    }

    OvDnaBirth(dna, 0, nf, 0);
    for (int k = 0; k < nf; ++k) {
        const OV_MODEL_FILE::Force& f = model.forces[static_cast<size_t>(k)];
        const OvHandle first = substances[f.first];
        const OvHandle second = substances[f.second];
        OvHandle handle = EmptyHandle();
        OvCovalenceForceCreate(&handle);
        OvCovalenceForceSetSubstance(handle, OV_FORCE_FIRST, first);
        OvCovalenceForceSetSubstance(handle, OV_FORCE_SECOND, second);
        OvCovalenceForceSetResilience(handle, f.resilience * resilienceScale);
        OvCovalenceForceSetForce(handle, Distance(PositionOf(first), PositionOf(second)));
        OvDnaLink(dna, OV_DNA_FORCES, k, &handle);
    }

    bones.assign(model.bones.size(), OV_BONE{});
    OvHandle* forces = Forces();
    for (size_t b = 0; b < bones.size(); ++b) {
        const OV_MODEL_FILE::Bone& read = model.bones[b];
        OV_BONE& bone = bones[b];
        if (textures) bone.texture = TextureHandle(textures, read.texture);
        bone.originX = TruncateToInt(read.originX * boneScaleX);
        bone.originY = TruncateToInt(read.originY * boneScaleY);
        bone.width = TruncateToInt(read.width * boneScaleX);
        bone.height = TruncateToInt(read.height * boneScaleY);
        bone.force = forces + read.force;
        bone.flip = read.flip;
        bone.stretch = read.stretch;
    }
    return true;
}

}  // namespace OvCore
