// The renderer's program variants, compiled on first use in the current
// object namespace, with their uniform locations.
#pragma once

#include "ovcore/engine/render/BatchShaders.h"

namespace ov {

struct BatchProgram {
    unsigned name = 0;
    int projection = -1;
    // The planar variant's scales and shifts (x, y, then their shifts) and
    // clip-space depth, in place of the projection.
    int plane = -1;
    int depth = -1;
    int pointSprite = -1;
    int smoothPoints = -1;
    int colour = -1;
    // The one-sampler variant's sampler; its unit is set per draw.
    int sampler = -1;
    int samplerUnit = -1;
    // The vertex attributes the program reads, one bit per BatchAttribute.
    unsigned attributes = 0;
};

class BatchPrograms {
public:
    static constexpr int kSamplerClasses = 6;  // 0, 1, 2, 4, 8, 16 samplers

    // The program for at least variant.samplers samplers (at most
    // unitLimit), built when first asked for; null when GL cannot build it.
    BatchProgram* Get(const ShaderVariant& variant, int unitLimit);
    // Forgets every program (their namespace is gone).
    void Forget();

private:
    static int SamplersOf(int samplerClass);
    static int ClassOf(int samplers);
    static bool Build(const ShaderVariant& variant, BatchProgram& program);

    static constexpr int kVariants = kSamplerClasses * 64;
    static int IndexOf(int samplerClass, const ShaderVariant& variant);

    BatchProgram programs_[kVariants] = {};
    bool failed_[kVariants] = {};
};

}  // namespace ov
