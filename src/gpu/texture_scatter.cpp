#include "gpu/texture_scatter.h"

#include <cmath>
#include <cstdio>

#include "formats/tg_object.h"

int64_t scatterPointCount(float density, float pointsPerTriangle, const TVector& p0, const TVector& p1,
                          const TVector& p2) {
    float s = pointsPerTriangle > 0.0f ? pointsPerTriangle : 25.0f * cross(p1 - p0, p2 - p0).length();
    float n = density * s;
    if (!(n > 0.0f)) return 0;
    // The integers i with 0 <= i < n, counted as the float comparison counts them.
    if (n >= 9.0e15f) return static_cast<int64_t>(9.0e15);
    return static_cast<int64_t>(std::ceil(static_cast<double>(n)));
}

namespace {

inline float drawUnit(uint32_t& state) {
    state = state * 214013u + 2531011u;
    return static_cast<float>((state >> 16) & 32767u) / 32767.0f;
}

inline TVector vertex(const std::vector<float>& a, uint32_t i) { return {a[3 * i], a[3 * i + 1], a[3 * i + 2]}; }

}  // namespace

int32_t scatterMeshPlain(const TGObject& mesh, float densityX, float densityY, const TVector& boxMin,
                         const TVector& boxMax, float pointsPerTriangle, uint32_t& state,
                         const ScatterArrays& out) {
    if (out.texels <= 0) return 0;
    const float density = densityX * densityY;
    int64_t k = 0;
    for (int p = 0; p < mesh.partCount; ++p) {
        const TGObjectPart& part = mesh.parts[p];
        const int64_t triangles = static_cast<int64_t>(part.indices.size() / 3);
        for (int64_t t = 0; t < triangles; ++t) {
            const uint32_t i0 = part.indices[3 * t], i1 = part.indices[3 * t + 1], i2 = part.indices[3 * t + 2];
            const TVector p0 = vertex(part.positions, i0), p1 = vertex(part.positions, i1), p2 = vertex(part.positions, i2);
            const TVector c0 = vertex(part.colours, i0), c1 = vertex(part.colours, i1), c2 = vertex(part.colours, i2);
            const TVector n0 = vertex(part.normals, i0), n1 = vertex(part.normals, i1), n2 = vertex(part.normals, i2);
            const int64_t count = scatterPointCount(density, pointsPerTriangle, p0, p1, p2);
            for (int64_t i = 0; i < count; ++i) {
                if (k >= out.texels) k = 0;
                float r1 = drawUnit(state);
                float r2 = drawUnit(state);
                if (r1 + r2 > 1.0f) {
                    r1 = 1.0f - r1;
                    r2 = 1.0f - r2;
                }
                const float r3 = 1.0f - r1 - r2;
                const float qx = r1 * p0.x + r2 * p1.x + r3 * p2.x;
                const float qy = r1 * p0.y + r2 * p1.y + r3 * p2.y;
                const float qz = r1 * p0.z + r2 * p1.z + r3 * p2.z;
                if (!(boxMin.x <= qx && qx <= boxMax.x && boxMin.y <= qy && qy <= boxMax.y &&
                      boxMin.z <= qz && qz <= boxMax.z))
                    continue;
                float* pos = out.positions + 4 * k;
                pos[0] = qx;
                pos[1] = qy;
                pos[2] = qz;
                pos[3] = static_cast<float>(p);
                float* col = out.colours + 4 * k;
                col[0] = r1 * c0.x + r2 * c1.x + r3 * c2.x;
                col[1] = r1 * c0.y + r2 * c1.y + r3 * c2.y;
                col[2] = r1 * c0.z + r2 * c1.z + r3 * c2.z;
                col[3] = r1 * n0.z + r2 * n1.z + r3 * n2.z;
                float* nor = out.normals + 3 * k;
                nor[0] = r1 * n0.x + r2 * n1.x + r3 * n2.x;
                nor[1] = r1 * n0.y + r2 * n1.y + r3 * n2.y;
                nor[2] = r1 * n0.z + r2 * n1.z + r3 * n2.z;
                ++k;
                if (k % 1000000 == 0) std::printf("%d\n", static_cast<int>(k));
                if (k >= out.texels) k = 0;
            }
        }
    }
    return static_cast<int32_t>(k);
}

int32_t scatterMesh(const TGObject& mesh, float densityX, float densityY, const TVector& boxMin,
                    const TVector& boxMax, float pointsPerTriangle, uint32_t& state,
                    const ScatterArrays& out) {
    return scatterMeshPlain(mesh, densityX, densityY, boxMin, boxMax, pointsPerTriangle, state, out);
}
