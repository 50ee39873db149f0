#include "ovcore/world/Model.h"

#include <cmath>

namespace OvCore {

namespace {

// The bone quad's texture coordinates: the whole texture, corner by corner.
const OvFour kBoneCoords[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};

const OvFour* PositionOf(const OvHandle* substance) {
    if (!substance || IsEmptyHandle(*substance)) return nullptr;
    return static_cast<const OvFour*>(OvSubstanceGet(*substance, OV_SUBSTANCE_POSITION));
}

const OvHandle* ForceEnd(OvHandle force, int end) {
    return static_cast<const OvHandle*>(OvCovalenceForceGet(force, end));
}

}  // namespace

void OV_MODEL::Recreate() {
    OvDnaDie(dna, 1);
    OvDnaDestroy(dna);
    OvDnaCreate(&dna);
}

bool OV_MODEL::Birth(int substances, int surfaces, int forces, int boneCount) {
    if (boneCount < 0) return false;
    const bool born = OvDnaBirth(dna, substances, forces, surfaces) != 0;
    if (boneCount > 0) bones.assign(static_cast<size_t>(boneCount), OV_BONE{});
    return born;
}

void OV_MODEL::Destroy() {
    OvDnaDie(dna, 1);
    OvDnaDestroy(dna);
    dna = EmptyHandle();
    std::vector<OV_BONE>().swap(bones);
}

bool OV_MODEL::LinkSubstance(int index, OvHandle handle) { return OvDnaLink(dna, OV_DNA_SUBSTANCES, index, &handle); }
bool OV_MODEL::LinkSurface(int index, OvHandle handle) { return OvDnaLink(dna, OV_DNA_SURFACES, index, &handle); }
bool OV_MODEL::LinkForce(int index, OvHandle handle) { return OvDnaLink(dna, OV_DNA_FORCES, index, &handle); }
bool OV_MODEL::LinkFourthKind(OvHandle handle) { return OvDnaLink(dna, OV_DNA_TEXTURE, 0, &handle); }

OvHandle* OV_MODEL::Substances() const { return static_cast<OvHandle*>(OvDnaGet(dna, OV_DNA_SUBSTANCES, 0)); }
OvHandle* OV_MODEL::Surfaces() const { return static_cast<OvHandle*>(OvDnaGet(dna, OV_DNA_SURFACES, 0)); }
OvHandle* OV_MODEL::Forces() const { return static_cast<OvHandle*>(OvDnaGet(dna, OV_DNA_FORCES, 0)); }

OvHandle OV_MODEL::FourthKind() const {
    const auto* handle = static_cast<const OvHandle*>(OvDnaGet(dna, OV_DNA_TEXTURE, 0));
    return handle ? *handle : EmptyHandle();
}

int OV_MODEL::SubstanceCount() const { return OvDnaCount(dna, OV_DNA_SUBSTANCES); }
int OV_MODEL::SurfaceCount() const { return OvDnaCount(dna, OV_DNA_SURFACES); }
int OV_MODEL::ForceCount() const { return OvDnaCount(dna, OV_DNA_FORCES); }

bool OV_MODEL::SetBone(int index, OvHandle texture, OvHandle* force, int32_t originX, int32_t originY, int32_t width,
                       int32_t height, int flags, double angle) {
    if (index < 0 || static_cast<size_t>(index) >= bones.size()) return false;
    bones[static_cast<size_t>(index)] = OV_BONE{
        texture, force, originX, originY, width, height, (flags & BONE_FLIP) != 0, (flags & BONE_STRETCH) != 0, angle};
    return true;
}

void OV_MODEL::Draw() {
    OvDnaDraw(dna);
    for (OV_BONE& bone : bones) DrawBone(bone);
}

void OV_MODEL::DrawBone(OV_BONE& bone) {
    if (IsEmptyHandle(bone.texture) || !bone.force || IsEmptyHandle(*bone.force)) return;
    const OvHandle force = *bone.force;
    const OvFour* a = PositionOf(ForceEnd(force, bone.flip ? OV_FORCE_SECOND : OV_FORCE_FIRST));
    const OvFour* b = PositionOf(ForceEnd(force, bone.flip ? OV_FORCE_FIRST : OV_FORCE_SECOND));
    if (!a || !b) return;
    OvFour direction{};
    OvDirection(*a, *b, &direction);
    bone.angle = direction.x;
    const double length =
        std::sqrt((b->x - a->x) * (b->x - a->x) + (b->y - a->y) * (b->y - a->y) + (b->z - a->z) * (b->z - a->z));
    const double left = -bone.originX;
    const double top = -bone.originY;
    const double right = bone.stretch ? length : static_cast<double>(bone.width - bone.originX);
    const double bottom = static_cast<double>(bone.height - bone.originY);
    const OvFour corners[4] = {{left, top, 0, 1}, {right, top, 0, 1}, {right, bottom, 0, 1}, {left, bottom, 0, 1}};
    OvMatrixPush();
    OvMatrixIdentity();
    OvMatrixTranslate(a->x, a->y, a->z);
    OvMatrixRotate(bone.angle, 0, 0, 1);
    OvTextureActivate(bone.texture);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, kBoneCoords, nullptr, nullptr, OV_COMPONENTS_DOUBLE, 0, 0, 0,
               0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    OvMatrixPop();
}

}  // namespace OvCore
