// OV_MODEL: a soft-body model, an engine DNA with bones drawn over it.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/Matrix.h"
#include "ovcore/foundation/NamedList.h"
#include "ovcore/render/Texture.h"
#include "ovcore/world/Bone.h"

#include <cstddef>
#include <vector>

namespace OvCore {

class OV_MODEL_FILE;

// A soft body: an engine DNA (substances, covalence forces, surfaces),
// which the engine simulates, and the framework's bones drawn over its
// forces. A model starts with an empty DNA handle; Recreate gives it one.
class OV_MODEL {
public:
    OvHandle dna = EmptyHandle();  // the engine DNA; empty until Recreate
    std::vector<OV_BONE> bones;  // drawn after the surfaces, in order

    // Ends the old DNA with everything linked to it and makes a fresh one.
    void Recreate();
    // Reborn arrays of the non-zero counts (OvDnaBirth); a non-zero bone
    // count replaces the bones by as many zeroed ones.
    bool Birth(int substances, int surfaces, int forces, int boneCount);

    // Loads every surface and bone texture that `textures` lacks from
    // "<textureDirectory>/<name>.ovt", once per name. False, loading
    // nothing, when the file cannot be read or is not a whole model file.
    bool LoadTextures(const char* path, const char* textureDirectory, OV_NAMED_LIST<OV_TEXTURE>& textures);
    // The same, from length bytes of a model file in memory:
    bool LoadTextures(const void* data, size_t length, const char* textureDirectory,
                      OV_NAMED_LIST<OV_TEXTURE>& textures);
    // Builds the DNA and the bones from a model file. The whole file is read
    // and checked first: on any fault (wrong header, early end, a count the
    // file cannot hold, an index outside its count) or an empty DNA the
    // result is false and the model is as it was. textures may be null (no
    // textures); transform, when given, places every substance.
    bool LoadBody(const char* path, OV_NAMED_LIST<OV_TEXTURE>* textures, const OV_MATRIX* transform, double boneScaleX,
                  double boneScaleY, double massScale, double rangeScale, double resilienceScale);
    // The same, from length bytes of a model file in memory:
    bool LoadBody(const void* data, size_t length, OV_NAMED_LIST<OV_TEXTURE>* textures, const OV_MATRIX* transform,
                  double boneScaleX, double boneScaleY, double massScale, double rangeScale, double resilienceScale);
    // LoadTextures, then LoadBody only when the textures loaded.
    bool Load(const char* path, const char* textureDirectory, OV_NAMED_LIST<OV_TEXTURE>* textures,
              const OV_MATRIX* transform, double boneScaleX, double boneScaleY, double massScale, double rangeScale,
              double resilienceScale);
    // The same, from length bytes of a model file in memory:
    bool Load(const void* data, size_t length, const char* textureDirectory, OV_NAMED_LIST<OV_TEXTURE>* textures,
              const OV_MATRIX* transform, double boneScaleX, double boneScaleY, double massScale, double rangeScale,
              double resilienceScale);

    // The DNA's surfaces through the engine, then every drawable bone.
    void Draw();
    // Ends the DNA with everything linked to it and frees the bones.
    void Destroy();

    // Link an engine object into slot index of the DNA's substances, surfaces or
    // forces, or the DNA's texture (OvDnaLink): false when the slot or the object is not
    // there. The arrays of slots (null when the DNA has none; valid until the next
    // Birth, Destroy or Recreate), the texture (empty when none), and the slot counts:
    bool LinkSubstance(int index, OvHandle handle);
    bool LinkSurface(int index, OvHandle handle);
    bool LinkForce(int index, OvHandle handle);
    bool LinkFourthKind(OvHandle handle);
    OvHandle* Substances() const;
    OvHandle* Surfaces() const;
    OvHandle* Forces() const;
    OvHandle FourthKind() const;
    int SubstanceCount() const;
    int SurfaceCount() const;
    int ForceCount() const;

    // Overwrites bone index (flags: BONE_FLIP | BONE_STRETCH); false when
    // index is not below the bone count.
    bool SetBone(int index, OvHandle texture, OvHandle* force, int32_t originX, int32_t originY, int32_t width,
                 int32_t height, int flags, double angle);
    OV_BONE* BonesArray() { return bones.data(); }  // the bones as an array, for the engine-facing callers

private:
    bool BuildBody(const OV_MODEL_FILE& file, OV_NAMED_LIST<OV_TEXTURE>* textures, const OV_MATRIX* transform,
                   double boneScaleX, double boneScaleY, double massScale, double rangeScale, double resilienceScale);
    void DrawBone(OV_BONE& bone);
};

}  // namespace OvCore
