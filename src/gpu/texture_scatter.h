#pragma once
// The scatter: points placed at random over a mesh's triangles, written into the particle
// arrays of a TextureObject. Pure CPU work, safe on worker threads (it uses its own random
// generator, never the C library's).
//
// Per triangle, n = densityX x densityY x s points, s being the fixed points-per-triangle value
// when it is positive and otherwise 25 x |(P1 - P0) x (P2 - P0)|; ceil(n) points in all. Each
// point draws r1, r2 from state = state x 214013 + 2531011, r = ((state >> 16) & 32767) / 32767,
// folds them when r1 + r2 > 1, and is written only when it lies inside the box. The write
// index wraps at the number of texels, so extra points overwrite earlier ones.
#include <cstdint>

#include "common/tvector.h"

class TGObject;

struct ScatterArrays {
    float* positions = nullptr;  // 4 per texel: x, y, z, part index
    float* colours = nullptr;    // 4 per texel: r, g, b, normal z
    float* normals = nullptr;    // 3 per texel: normal x, y, z
    int64_t texels = 0;          // width x height
};

// The scatter as the show runs it. Returns the filled count (the texels written since the
// last wrap) and advances `state`. Prints every millionth write index ("%d\n").
int32_t scatterMesh(const TGObject& mesh, float densityX, float densityY, const TVector& boxMin,
                    const TVector& boxMax, float pointsPerTriangle, uint32_t& state,
                    const ScatterArrays& out);

// The plain, point-by-point definition. scatterMesh gives bit-identical arrays, counts and
// state; this one is kept for the tests and the benchmark.
int32_t scatterMeshPlain(const TGObject& mesh, float densityX, float densityY, const TVector& boxMin,
                         const TVector& boxMax, float pointsPerTriangle, uint32_t& state,
                         const ScatterArrays& out);

struct ScatterWeights {
    float r1, r2, r3;
};
// The barycentric weights of a point from its two draws: a pair that sums above 1 is folded
// back into the triangle as (1 - r1, 1 - r2).
inline ScatterWeights scatterWeights(float r1, float r2) {
    if (r1 + r2 > 1.0f) {
        r1 = 1.0f - r1;
        r2 = 1.0f - r2;
    }
    return {r1, r2, 1.0f - r1 - r2};
}

// The number of points a triangle receives: ceil(densityX x densityY x s), 0 when n <= 0.
int64_t scatterPointCount(float density, float pointsPerTriangle, const TVector& p0, const TVector& p1,
                          const TVector& p2);
