// lidar4.objb: the scanned landscape of the closing scene, which the scene bakes into points
// from a ring of cameras. Rolling ground 50 units across; a plaza at the centre with a plinth,
// ringed by a broken colonnade of radius 6.5; ruined walls with their windows and an arch;
// rubble; trees on the slopes beyond, grown as branching limbs with clumps of leaves.
#include <cmath>

#include "generator/catalogue.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/heightfield.h"
#include "generator/meshes/mesher.h"
#include "generator/meshes/noise.h"
#include "generator/rng.h"

namespace kit {

namespace {

float between(content::Rng& rng, double lo, double hi) { return static_cast<float>(rng.uniform(lo, hi)); }

float landscapeGround(float x, float z) {
    const float r = std::sqrt(x * x + z * z);
    const float hills = 3.5f * (fbm3(Vec3(x * 0.06f, 0, z * 0.06f), 21, 4) - 0.45f);
    const float plaza = smoothstepf(6.0f, 12.0f, r);
    // Small relief everywhere off the paving: tussocks and hollows a few centimetres deep.
    const float rough = 0.12f * (fbm3(Vec3(x * 0.7f, 0, z * 0.7f), 29, 2) - 0.5f) * smoothstepf(7.5f, 9.0f, r);
    return 0.05f + hills * plaza + rough;
}

// `d` turned away from itself by `tilt` radians towards the side at angle `turn` round it.
Vec3 tilted(const Vec3& d, float tilt, float turn) {
    const Vec3 u = normalize(std::fabs(d.y) < 0.95f ? cross(d, Vec3(0, 1, 0)) : cross(d, Vec3(1, 0, 0)));
    const Vec3 v = cross(d, u);
    return normalize(d * std::cos(tilt) + (u * std::cos(turn) + v * std::sin(turn)) * std::sin(tilt));
}

// A limb of a tree and what grows from it: tapering round cones that fork, reaching out and
// up, and at the last generation a clump of leaf balls, loosely joined so the crown keeps its
// gaps and its ragged outline.
void limb(Shape& s, content::Rng& rng, Vec3 start, Vec3 dir, float length, float radius, int level, float leaf) {
    const Vec3 end = start + dir * length;
    s.capsule(start, end, radius, radius * 0.7f).colour(Vec3(0.33f, 0.26f, 0.2f)).blend(0.04f);
    if (level == 2) {
        const int balls = 4 + static_cast<int>(rng.below(4));
        for (int i = 0; i < balls; ++i) {
            const Vec3 c = end + Vec3(between(rng, -1, 1), between(rng, -0.4, 0.8), between(rng, -1, 1)) * leaf;
            const Vec3 tone = lerp(Vec3(0.26f, 0.38f, 0.24f), Vec3(0.4f, 0.5f, 0.3f), between(rng, 0, 1));
            s.sphere(c, leaf * between(rng, 0.45, 0.75)).colour(tone).blend(0.12f);
        }
        return;
    }
    const int children = level == 0 ? 3 + static_cast<int>(rng.below(2)) : 2 + static_cast<int>(rng.below(2));
    const float first = between(rng, 0, 2 * kPi);
    for (int c = 0; c < children; ++c) {
        const float turn = first + static_cast<float>(c) * 2 * kPi / static_cast<float>(children) + between(rng, -0.4, 0.4);
        const Vec3 childDir = normalize(tilted(dir, between(rng, 0.45, 0.8), turn) + Vec3(0, 0.25f, 0));
        const Vec3 from = lerp(start, end, c == 0 ? 1.0f : between(rng, 0.6, 0.95));
        limb(s, rng, from, childDir, length * between(rng, 0.6, 0.75), std::max(radius * 0.6f, 0.07f), level + 1, leaf);
    }
}

void tree(Shape& s, content::Rng& rng, Vec3 base, float height) {
    const float trunk = height * between(rng, 0.32, 0.42);
    const Vec3 lean = normalize(Vec3(between(rng, -0.1, 0.1), 1.0f, between(rng, -0.1, 0.1)));
    s.capsule(base - Vec3(0, 0.3f, 0), base + lean * trunk, 0.26f, 0.18f).colour(Vec3(0.35f, 0.27f, 0.2f));
    limb(s, rng, base + lean * trunk, lean, (height - trunk) * 0.45f, 0.15f, 0, height * 0.11f);
}

// A column standing on its base block; whole ones carry a capital, broken ones end in a
// slanted break.
void column(Shape& s, content::Rng& rng, Vec3 base, float height, bool whole, const Vec3& stone) {
    s.roundBox(base + Vec3(0, 0.2f, 0), Vec3(0.6f, 0.2f, 0.6f), 0.03f).colour(stone);
    s.cylinder(base + Vec3(0, 0.38f, 0), base + Vec3(0, 0.5f, 0), 0.5f, 0.03f).colour(stone);
    s.cylinder(base + Vec3(0, 0.45f, 0), base + Vec3(0, height, 0), 0.36f, 0.02f).colour(stone);
    if (whole) {
        s.cylinder(base + Vec3(0, height - 0.05f, 0), base + Vec3(0, height + 0.15f, 0), 0.48f, 0.04f).colour(stone);
        s.roundBox(base + Vec3(0, height + 0.3f, 0), Vec3(0.6f, 0.15f, 0.6f), 0.03f).colour(stone);
    } else {
        const Mat3 tilt = Mat3::rotZ(between(rng, 0.3, 0.6)) * Mat3::rotY(between(rng, 0, 2 * kPi));
        s.roundBox(base + Vec3(0, height + 0.5f, 0), Vec3(1.0f, 0.5f, 1.0f), 0.0f, tilt).sub().blend(0.05f);
    }
}

// A stretch of ruined wall along x (before `turn`), centred on `c`: courses broken off at
// uneven heights, window openings, and the rubble that fell from it.
void wall(Shape& s, content::Rng& rng, Vec3 c, float length, float height, float turn, const Vec3& stone) {
    const Mat3 rot = Mat3::rotY(turn);
    auto at = [&](float x, float y, float z) { return c + rot * Vec3(x, y, z); };
    s.roundBox(at(0, height * 0.5f, 0), Vec3(length * 0.5f, height * 0.5f, 0.3f), 0.04f, rot).colour(stone);
    s.roundBox(at(0, 0.15f, 0), Vec3(length * 0.5f + 0.15f, 0.15f, 0.45f), 0.03f, rot).colour(stone);  // plinth course
    for (float x = -length * 0.5f + 1.4f; x < length * 0.5f - 1.0f; x += 2.2f)  // windows
        s.roundBox(at(x, height * 0.55f, 0), Vec3(0.4f, 0.65f, 0.5f), 0.02f, rot).sub().blend(0.02f);
    for (int k = 0; k < 5; ++k)  // the broken top
        s.sphere(at(between(rng, -length * 0.5, length * 0.5), height + between(rng, -0.2, 0.6), 0), between(rng, 0.5, 1.2))
            .sub()
            .blend(0.08f);
    for (int k = 0; k < 6; ++k) {  // fallen blocks at its foot
        const float side = rng.uniform() < 0.5 ? -1.0f : 1.0f;
        const Vec3 p = at(between(rng, -length * 0.5, length * 0.5), 0.0f, side * between(rng, 0.6, 1.8));
        const Vec3 half(between(rng, 0.2, 0.4), between(rng, 0.12, 0.22), between(rng, 0.15, 0.3));
        s.roundBox(Vec3(p.x, landscapeGround(p.x, p.z) + half.y * 0.8f, p.z), half, 0.03f,
                   Mat3::rotY(between(rng, 0, kPi)) * Mat3::rotX(between(rng, -0.2, 0.2)))
            .colour(stone);
    }
}

// An archway: two piers and a round arch cut from the block between them.
void arch(Shape& s, Vec3 c, float turn, const Vec3& stone) {
    const Mat3 rot = Mat3::rotY(turn);
    s.roundBox(c + rot * Vec3(0, 2.0f, 0), Vec3(2.2f, 2.0f, 0.5f), 0.04f, rot).colour(stone);
    s.roundBox(c + rot * Vec3(0, 1.2f, 0), Vec3(1.2f, 1.3f, 0.8f), 0.02f, rot).sub();
    s.cylinder(c + rot * Vec3(0, 2.5f, -0.8f), c + rot * Vec3(0, 2.5f, 0.8f), 1.2f).sub();
}

// The landscape, 50 units across, for the closing scene's bake.
Mesh makeLandscape(bool small) {
    Mesh m;
    m.parts.push_back(heightfield(
        landscapeGround,
        [](const Vec3& p) {
            const float n = fbm3(p * 0.5f, 23, 3);
            const float r = std::sqrt(p.x * p.x + p.z * p.z);
            const Vec3 grass = lerp(Vec3(0.33f, 0.4f, 0.26f), Vec3(0.48f, 0.5f, 0.36f), n);
            return r < 8.0f ? lerp(Vec3(0.62f, 0.6f, 0.55f), grass, smoothstepf(6.0f, 8.0f, r)) : grass;
        },
        -25, -25, 25, 25, small ? 64 : 220, small ? 64 : 220));

    content::Rng rng(0x7EE5);
    const float cell = small ? 0.2f : 0.12f;
    // Trees on the slopes, away from the plaza; a few stand close in front of the plaza's
    // north side, where the camera looks after the descent.
    Shape trees;
    for (int i = 0; i < 46; ++i) {
        const float a = between(rng, 0, 2 * kPi), r = between(rng, 11, 23);
        const float x = r * std::cos(a), z = r * std::sin(a);
        tree(trees, rng, Vec3(x, landscapeGround(x, z), z), between(rng, 4.0, 7.5));
    }
    m.parts.push_back(meshShape(trees, cell));

    // Ruins: a broken colonnade round the plaza, walls with windows, an arch, a fallen column.
    Shape ruins;
    const Vec3 stone{0.72f, 0.7f, 0.64f};
    for (int i = 0; i < 12; ++i) {
        const float a = 2 * kPi * float(i) / 12.0f + 0.13f;
        const bool stump = i % 3 == 1;
        const float h = stump ? between(rng, 0.6, 1.6) : between(rng, 3.0, 4.2);
        column(ruins, rng, Vec3(6.5f * std::cos(a), 0.0f, 6.5f * std::sin(a)), h, !stump && rng.uniform() < 0.6, stone);
    }
    // The fallen column in drums, and a stretch of beam lying beside it.
    for (int d = 0; d < 3; ++d) {
        const Vec3 p0(2.0f + 1.1f * float(d), 0.42f, -3.0f + 0.62f * float(d));
        ruins.cylinder(p0, p0 + Vec3(0.95f, 0.0f, 0.54f), 0.37f, 0.03f).colour(stone);
    }
    ruins.roundBox(Vec3(-3.5f, 0.3f, 3.8f), Vec3(1.6f, 0.3f, 0.45f), 0.03f, Mat3::rotY(0.5f)).colour(stone);
    wall(ruins, rng, Vec3(0.0f, 0.0f, -9.5f), 7.0f, 2.6f, 0.0f, stone);
    wall(ruins, rng, Vec3(9.5f, 0.0f, 2.0f), 5.5f, 2.0f, kPi * 0.5f, stone);
    wall(ruins, rng, Vec3(-8.0f, 0.0f, 9.0f), 5.0f, 2.3f, -0.7f, stone);
    arch(ruins, Vec3(-9.8f, 0.0f, -4.0f), 1.2f, stone);
    ruins.roundBox(Vec3(0, 0.12f, 0), Vec3(2.5f, 0.12f, 2.5f), 0.05f).colour(Vec3(0.66f, 0.64f, 0.58f));  // plinth
    ruins.roundBox(Vec3(0, 0.3f, 0), Vec3(1.6f, 0.08f, 1.6f), 0.03f).colour(Vec3(0.66f, 0.64f, 0.58f));   // its step
    // Scattered blocks on the paving.
    for (int k = 0; k < 14; ++k) {
        const float a = between(rng, 0, 2 * kPi), r = between(rng, 3.2, 9.0);
        const Vec3 half(between(rng, 0.15, 0.35), between(rng, 0.1, 0.2), between(rng, 0.15, 0.3));
        const float x = r * std::cos(a), z = r * std::sin(a);
        ruins.roundBox(Vec3(x, landscapeGround(x, z) + half.y * 0.8f, z), half, 0.03f, Mat3::rotY(between(rng, 0, kPi))).colour(stone);
    }
    m.parts.push_back(meshShape(ruins, cell));
    return m;
}

}  // namespace

}  // namespace kit

CONTENT_ASSETS(landscape) {
    kit::addMeshAsset({"lidar4.objb", 4, 3.0, kit::makeLandscape});
}
