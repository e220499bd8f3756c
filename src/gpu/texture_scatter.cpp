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
                const float d1 = drawUnit(state);
                const float d2 = drawUnit(state);
                const auto [r1, r2, r3] = scatterWeights(d1, d2);
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

// ---------------------------------------------------------------------------------------------
// The fast scatter: eight points of a triangle at a time. The generator is stepped ahead (the
// k-th state after s is A_k s + C_k), so the eight points' draws are computed side by side;
// every float operation is the plain definition's, in its order and without fused
// multiply-adds, so the arrays come out bit-identical.

namespace {

struct Jump {
    uint32_t a[17];
    uint32_t c[17];
    Jump() {
        a[0] = 1;
        c[0] = 0;
        for (int k = 1; k <= 16; ++k) {
            a[k] = a[k - 1] * 214013u;
            c[k] = c[k - 1] * 214013u + 2531011u;
        }
    }
};
const Jump kJump;

// The write-index bookkeeping after `written` more texels: the millionth prints, then the wrap.
inline void advance(int64_t& k, int64_t written, int64_t texels) {
    const int64_t before = k;
    k += written;
    for (int64_t m = (before / 1000000 + 1) * 1000000; m <= k; m += 1000000) std::printf("%d\n", static_cast<int>(m));
    if (k >= texels) k = 0;
}

}  // namespace

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

// NOTE: AVX2 only, never FMA: a fused multiply-add rounds once where the plain definition
// rounds twice, and the arrays would no longer be bit-identical.
#pragma GCC push_options
#pragma GCC target("avx2,no-fma")

namespace {

int32_t scatterAvx2(const TGObject& mesh, float density, const TVector& boxMin,
                                 const TVector& boxMax, float pointsPerTriangle, uint32_t& state,
                                 const ScatterArrays& out) {
    const __m256i oddA = _mm256_setr_epi32(int(kJump.a[1]), int(kJump.a[3]), int(kJump.a[5]), int(kJump.a[7]),
                                           int(kJump.a[9]), int(kJump.a[11]), int(kJump.a[13]), int(kJump.a[15]));
    const __m256i oddC = _mm256_setr_epi32(int(kJump.c[1]), int(kJump.c[3]), int(kJump.c[5]), int(kJump.c[7]),
                                           int(kJump.c[9]), int(kJump.c[11]), int(kJump.c[13]), int(kJump.c[15]));
    const __m256i evenA = _mm256_setr_epi32(int(kJump.a[2]), int(kJump.a[4]), int(kJump.a[6]), int(kJump.a[8]),
                                            int(kJump.a[10]), int(kJump.a[12]), int(kJump.a[14]), int(kJump.a[16]));
    const __m256i evenC = _mm256_setr_epi32(int(kJump.c[2]), int(kJump.c[4]), int(kJump.c[6]), int(kJump.c[8]),
                                            int(kJump.c[10]), int(kJump.c[12]), int(kJump.c[14]), int(kJump.c[16]));
    const __m256i low15 = _mm256_set1_epi32(32767);
    const __m256 inv = _mm256_set1_ps(32767.0f);
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 bx0 = _mm256_set1_ps(boxMin.x), by0 = _mm256_set1_ps(boxMin.y), bz0 = _mm256_set1_ps(boxMin.z);
    const __m256 bx1 = _mm256_set1_ps(boxMax.x), by1 = _mm256_set1_ps(boxMax.y), bz1 = _mm256_set1_ps(boxMax.z);
    const int64_t texels = out.texels;
    int64_t k = 0;
    alignas(32) float lane[11][8];

    for (int p = 0; p < mesh.partCount; ++p) {
        const TGObjectPart& part = mesh.parts[p];
        const __m256 partIndex = _mm256_set1_ps(static_cast<float>(p));
        const int64_t triangles = static_cast<int64_t>(part.indices.size() / 3);
        for (int64_t t = 0; t < triangles; ++t) {
            const uint32_t i0 = part.indices[3 * t], i1 = part.indices[3 * t + 1], i2 = part.indices[3 * t + 2];
            const TVector p0 = vertex(part.positions, i0), p1 = vertex(part.positions, i1), p2 = vertex(part.positions, i2);
            const int64_t count = scatterPointCount(density, pointsPerTriangle, p0, p1, p2);
            if (count == 0) continue;
            const float* c0 = &part.colours[3 * i0];
            const float* c1 = &part.colours[3 * i1];
            const float* c2 = &part.colours[3 * i2];
            const float* n0 = &part.normals[3 * i0];
            const float* n1 = &part.normals[3 * i1];
            const float* n2 = &part.normals[3 * i2];
            // The twelve attributes a point interpolates: position, colour, normal z, normal.
            const __m256 a0[11] = {_mm256_set1_ps(p0.x), _mm256_set1_ps(p0.y), _mm256_set1_ps(p0.z),
                                   _mm256_set1_ps(c0[0]), _mm256_set1_ps(c0[1]), _mm256_set1_ps(c0[2]),
                                   _mm256_set1_ps(n0[2]), _mm256_set1_ps(n0[0]), _mm256_set1_ps(n0[1]),
                                   _mm256_set1_ps(n0[2]), _mm256_setzero_ps()};
            const __m256 a1[11] = {_mm256_set1_ps(p1.x), _mm256_set1_ps(p1.y), _mm256_set1_ps(p1.z),
                                   _mm256_set1_ps(c1[0]), _mm256_set1_ps(c1[1]), _mm256_set1_ps(c1[2]),
                                   _mm256_set1_ps(n1[2]), _mm256_set1_ps(n1[0]), _mm256_set1_ps(n1[1]),
                                   _mm256_set1_ps(n1[2]), _mm256_setzero_ps()};
            const __m256 a2[11] = {_mm256_set1_ps(p2.x), _mm256_set1_ps(p2.y), _mm256_set1_ps(p2.z),
                                   _mm256_set1_ps(c2[0]), _mm256_set1_ps(c2[1]), _mm256_set1_ps(c2[2]),
                                   _mm256_set1_ps(n2[2]), _mm256_set1_ps(n2[0]), _mm256_set1_ps(n2[1]),
                                   _mm256_set1_ps(n2[2]), _mm256_setzero_ps()};

            for (int64_t i = 0; i < count; i += 8) {
                const int rem = count - i < 8 ? static_cast<int>(count - i) : 8;
                const __m256i s = _mm256_set1_epi32(static_cast<int>(state));
                const __m256i s1 = _mm256_add_epi32(_mm256_mullo_epi32(s, oddA), oddC);
                const __m256i s2 = _mm256_add_epi32(_mm256_mullo_epi32(s, evenA), evenC);
                state = kJump.a[2 * rem] * state + kJump.c[2 * rem];
                __m256 r1 = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_and_si256(_mm256_srli_epi32(s1, 16), low15)), inv);
                __m256 r2 = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_and_si256(_mm256_srli_epi32(s2, 16), low15)), inv);
                const __m256 fold = _mm256_cmp_ps(_mm256_add_ps(r1, r2), one, _CMP_GT_OQ);
                r1 = _mm256_blendv_ps(r1, _mm256_sub_ps(one, r1), fold);
                r2 = _mm256_blendv_ps(r2, _mm256_sub_ps(one, r2), fold);
                const __m256 r3 = _mm256_sub_ps(_mm256_sub_ps(one, r1), r2);
                auto mix = [&](int a) {
                    return _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(r1, a0[a]), _mm256_mul_ps(r2, a1[a])),
                                         _mm256_mul_ps(r3, a2[a]));
                };
                const __m256 qx = mix(0), qy = mix(1), qz = mix(2);
                const __m256 inside = _mm256_and_ps(
                    _mm256_and_ps(_mm256_and_ps(_mm256_cmp_ps(bx0, qx, _CMP_LE_OQ), _mm256_cmp_ps(qx, bx1, _CMP_LE_OQ)),
                                  _mm256_and_ps(_mm256_cmp_ps(by0, qy, _CMP_LE_OQ), _mm256_cmp_ps(qy, by1, _CMP_LE_OQ))),
                    _mm256_and_ps(_mm256_cmp_ps(bz0, qz, _CMP_LE_OQ), _mm256_cmp_ps(qz, bz1, _CMP_LE_OQ)));
                const unsigned mask = static_cast<unsigned>(_mm256_movemask_ps(inside)) & ((1u << rem) - 1u);
                if (mask == 0) continue;
                const __m256 cr = mix(3), cg = mix(4), cb = mix(5), nz = mix(6), nx = mix(7), ny = mix(8);

                if (mask == 0xFFu && k + 8 <= texels) {
                    // All eight inside and no wrap: write texels k .. k + 7 at once.
                    auto store4 = [](float* dst, __m256 x, __m256 y, __m256 z, __m256 w) {
                        const __m256 t0 = _mm256_unpacklo_ps(x, y), t1 = _mm256_unpackhi_ps(x, y);
                        const __m256 t2 = _mm256_unpacklo_ps(z, w), t3 = _mm256_unpackhi_ps(z, w);
                        const __m256 v0 = _mm256_shuffle_ps(t0, t2, 0x44), v1 = _mm256_shuffle_ps(t0, t2, 0xEE);
                        const __m256 v2 = _mm256_shuffle_ps(t1, t3, 0x44), v3 = _mm256_shuffle_ps(t1, t3, 0xEE);
                        _mm256_storeu_ps(dst + 0, _mm256_permute2f128_ps(v0, v1, 0x20));
                        _mm256_storeu_ps(dst + 8, _mm256_permute2f128_ps(v2, v3, 0x20));
                        _mm256_storeu_ps(dst + 16, _mm256_permute2f128_ps(v0, v1, 0x31));
                        _mm256_storeu_ps(dst + 24, _mm256_permute2f128_ps(v2, v3, 0x31));
                    };
                    store4(out.positions + 4 * k, qx, qy, qz, partIndex);
                    store4(out.colours + 4 * k, cr, cg, cb, nz);
                    // Normals are three floats a texel: transpose as four, then store three of each.
                    alignas(32) float n4[32];
                    store4(n4, nx, ny, nz, nz);
                    float* dst = out.normals + 3 * k;
                    for (int j = 0; j < 7; ++j) _mm_storeu_ps(dst + 3 * j, _mm_load_ps(n4 + 4 * j));
                    dst[21] = n4[28];
                    dst[22] = n4[29];
                    dst[23] = n4[30];
                    advance(k, 8, texels);
                    continue;
                }
                // Some points outside, or a wrap inside the batch: one texel at a time.
                const __m256 v[11] = {qx, qy, qz, cr, cg, cb, nz, nx, ny, nz, partIndex};
                for (int a = 0; a < 11; ++a) _mm256_store_ps(lane[a], v[a]);
                for (unsigned m = mask; m; m &= m - 1) {
                    const int j = __builtin_ctz(m);
                    float* pos = out.positions + 4 * k;
                    pos[0] = lane[0][j];
                    pos[1] = lane[1][j];
                    pos[2] = lane[2][j];
                    pos[3] = lane[10][j];
                    float* col = out.colours + 4 * k;
                    col[0] = lane[3][j];
                    col[1] = lane[4][j];
                    col[2] = lane[5][j];
                    col[3] = lane[6][j];
                    float* nor = out.normals + 3 * k;
                    nor[0] = lane[7][j];
                    nor[1] = lane[8][j];
                    nor[2] = lane[9][j];
                    advance(k, 1, texels);
                }
            }
        }
    }
    return static_cast<int32_t>(k);
}

}  // namespace
#pragma GCC pop_options
#endif

int32_t scatterMesh(const TGObject& mesh, float densityX, float densityY, const TVector& boxMin,
                    const TVector& boxMax, float pointsPerTriangle, uint32_t& state,
                    const ScatterArrays& out) {
    if (out.texels <= 0) return 0;
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) return scatterAvx2(mesh, densityX * densityY, boxMin, boxMax, pointsPerTriangle, state, out);
#endif
    return scatterMeshPlain(mesh, densityX, densityY, boxMin, boxMax, pointsPerTriangle, state, out);
}
