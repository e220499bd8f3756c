#pragma once
// The point bake's geometry and selection rule, without GL: where the bake camera stands in
// each of its 60 passes, and which texels of a read-back position image become points.
//
//   CRandom random(kBakeSeed);
//   for (int pass = 0; pass < kBakePasses; ++pass) {
//       ... render, read back `texels` (RGBA floats) ...
//       collectBakedTexels(texels, kBakeSize * kBakeSize, bakeEye(pass), random, points);
//   }
//
// The rule draws the C library generator's sequence from seed 42342, from a generator of its
// own: the bake runs while other scenes' loader threads may draw numbers, and its points must
// not depend on them.
#include <cstddef>
#include <vector>

#include "common/c_random.h"
#include "common/tvector.h"

namespace point_bake {

constexpr int kBakePasses = 60;
constexpr int kBakeSize = 1000;
constexpr unsigned kBakeSeed = 42342;
constexpr float kBakeFieldOfView = 65.0f;
constexpr float kBakeNear = 0.01f;
constexpr float kBakeFar = 50.0f;

// (0, 5, 10) for passes 0-30, (0, 5, 2) after.
TVector bakeEye(int pass);
// (20 sin a, 0, 20 cos a) with a = pass x 2 pi / 30, moved by (0, 0, -8) after pass 30.
TVector bakeTarget(int pass);

// The keep divisor for a texel at `distance` from the eye: (int)(f^2 + 3) with
// f = clamp(10 - distance, 0, 10): 3 at 10 units or more, up to 103 at the eye.
int keepDivisor(float distance);

// Walks texels 0 .. texelCount - 4 of `rgba` (four floats each; the last three texels are
// never examined). A texel is a candidate when |x|, |y| and |z| are all above 0.001; each
// candidate takes the next number of `random` and is kept when it is divisible by
// keepDivisor(|xyz - eye|). Kept texels append their four floats to `out`.
// NOTE: `out` should have room reserved by the caller; nothing here allocates per texel.
// Returns the number of texels kept.
size_t collectBakedTexels(const float* rgba, size_t texelCount, const TVector& eye, CRandom& random,
                          std::vector<float>& out);

// Makes sure `out` can take one more pass of `texelCount` texels without reallocating,
// growing it geometrically so that 60 passes reallocate a handful of times.
void reserveForPass(std::vector<float>& out, size_t texelCount);

}  // namespace point_bake
