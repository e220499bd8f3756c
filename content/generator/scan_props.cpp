#include "generator/scan_props.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace content {
namespace {

const float kTau = 6.2831853f;

float between(Rng& rng, double lo, double hi) { return static_cast<float>(rng.uniform(lo, hi)); }

// `d` turned away from itself by `tilt` radians, towards the side at angle `turn` round it.
P3 tilted(P3 d, float tilt, float turn) {
    const P3 u = normalized(std::fabs(d.y) < 0.95f ? cross(d, {0, 1, 0}) : cross(d, {1, 0, 0}));
    const P3 v = cross(d, u);
    return normalized(d * std::cos(tilt) + (u * std::cos(turn) + v * std::sin(turn)) * std::sin(tilt));
}

// One limb of a broadleaf tree and everything that grows from it. A limb is two pieces with
// a small bend between them; its children leave from its upper half and reach outwards and
// up; the last generation carries the leaf clusters (one crown per twig: the scanner hides
// whatever of a cluster lies inside its neighbours).
void limb(ScanBuilder& s, Rng& rng, P3 start, P3 dir, float length, float radius, int level, int levels, float leaf) {
    const P3 mid = start + dir * (length * 0.5f);
    const P3 bent = normalized(tilted(dir, between(rng, 0.05, 0.2), between(rng, 0, kTau)) + P3{0, 0.08f, 0});
    const P3 end = mid + bent * (length * 0.5f);
    s.tube(start, mid, radius);
    s.tube(mid, end, radius * 0.8f);
    if (level == levels) {
        std::vector<P3> centres;
        std::vector<float> radii;
        const int clusters = 3 + static_cast<int>(rng.below(3));
        for (int i = 0; i < clusters; ++i) {
            const float f = clusters == 1 ? 1.0f : static_cast<float>(i) / static_cast<float>(clusters - 1);
            const P3 jitter{between(rng, -0.8, 0.8), between(rng, -0.3, 0.7), between(rng, -0.8, 0.8)};
            centres.push_back(start + (end - start) * (0.35f + 0.75f * f) + jitter * leaf);
            radii.push_back(leaf * between(rng, 0.4, 0.9));
        }
        s.crown(centres, radii, 0.5f);
        return;
    }
    const int children = level == 0 ? 3 + static_cast<int>(rng.below(2)) : 2 + static_cast<int>(rng.below(2));
    const float first = between(rng, 0, kTau);
    for (int c = 0; c < children; ++c) {
        const float turn = first + static_cast<float>(c) * kTau / static_cast<float>(children) + between(rng, -0.4, 0.4);
        const float tilt = level == 0 ? between(rng, 0.55, 0.85) : between(rng, 0.35, 0.75);
        const P3 childDir = normalized(tilted(bent, tilt, turn) + P3{0, 0.22f, 0});
        const float at = c == 0 ? 1.0f : between(rng, 0.45, 0.95);
        const P3 from = at >= 0.5f ? mid + (end - mid) * (at * 2.0f - 1.0f) : start + (mid - start) * (at * 2.0f);
        limb(s, rng, from, childDir, length * between(rng, 0.62, 0.78), radius * 0.6f, level + 1, levels, leaf);
    }
}

// A box of size (w, h, d) whose bottom face is centred on `base`, turned by `yaw`, with
// `offset` given in the box's own frame (x across, z along its depth).
void boxAt(ScanBuilder& s, P3 base, float yaw, P3 offset, float w, float h, float d) {
    const P3 ax{std::cos(yaw), 0, -std::sin(yaw)}, az{std::sin(yaw), 0, std::cos(yaw)};
    s.orientedBox(base + ax * offset.x + P3{0, offset.y, 0} + az * offset.z, w, h, d, yaw);
}

}  // namespace

void branchingTree(ScanBuilder& s, Rng& rng, P3 base, float height, float spread) {
    const float trunk = height * between(rng, 0.3, 0.4);
    const float radius = 0.12f + height * 0.014f;
    // The trunk leans a little; a root flare where it meets the ground.
    const P3 lean = normalized(P3{between(rng, -0.08, 0.08), 1.0f, between(rng, -0.08, 0.08)});
    s.tube(base - P3{0, 0.3f, 0}, base + lean * trunk, radius);
    s.cylinder(base - P3{0, 0.3f, 0}, radius * 1.45f, 0.7f, false, 0.7f);
    const float leaf = height * 0.045f * spread;
    limb(s, rng, base + lean * trunk, lean, (height - trunk) * 0.5f * spread, radius * 0.75f, 0, 4, leaf);
}

void branchingConifer(ScanBuilder& s, Rng& rng, P3 base, float height) {
    s.tube(base - P3{0, 0.3f, 0}, base + P3{0, height * 0.96f, 0}, 0.2f + height * 0.006f);
    float y = height * 0.22f;
    while (y < height * 0.95f) {
        const float f = y / height;
        const float reach = height * 0.26f * (1.0f - f) + 0.3f;
        const int branches = 5 + static_cast<int>(rng.below(3));
        const float first = between(rng, 0, kTau);
        for (int b = 0; b < branches; ++b) {
            const float a = first + static_cast<float>(b) * kTau / static_cast<float>(branches);
            const P3 out{std::cos(a), -0.25f - 0.2f * (1.0f - f), std::sin(a)};
            const P3 from = base + P3{0, y, 0};
            const P3 tip = from + normalized(out) * reach;
            s.tube(from, tip, 0.03f + 0.04f * (1.0f - f));
            std::vector<P3> centres;
            std::vector<float> radii;
            const int tufts = 2 + static_cast<int>(reach / 0.9f);
            for (int k = 1; k <= tufts; ++k) {
                const float u = static_cast<float>(k) / static_cast<float>(tufts);
                centres.push_back(from + (tip - from) * u + P3{0, 0.08f, 0});
                radii.push_back(0.18f + 0.22f * (1.0f - f) * (1.2f - u));
            }
            s.crown(centres, radii, 0.6f);
        }
        y += between(rng, 0.45, 0.7);
    }
}

void person(ScanBuilder& s, P3 feet, float yaw, float stride) {
    const P3 fwd{std::sin(yaw), 0, std::cos(yaw)}, side{std::cos(yaw), 0, -std::sin(yaw)};
    const P3 hip = feet + P3{0, 0.92f, 0};
    for (int leg = -1; leg <= 1; leg += 2) {
        const float l = static_cast<float>(leg);
        const P3 foot = feet + side * (0.11f * l) + fwd * (stride * 0.35f * l);
        s.tube(hip + side * (0.1f * l), foot + P3{0, 0.06f, 0}, 0.075f);
        boxAt(s, foot, yaw, {0, 0, 0.06f}, 0.1f, 0.07f, 0.26f);  // the shoe
    }
    s.tube(hip, hip + P3{0, 0.5f, 0}, 0.16f);                       // body
    s.tube(hip + P3{0, 0.45f, 0} - side * 0.2f, hip + P3{0, 0.45f, 0} + side * 0.2f, 0.07f);  // shoulders
    for (int arm = -1; arm <= 1; arm += 2) {
        const float a = static_cast<float>(arm);
        const P3 shoulder = hip + P3{0, 0.45f, 0} + side * (0.22f * a);
        s.tube(shoulder, shoulder + P3{0, -0.6f, 0} + side * (0.05f * a) - fwd * (stride * 0.3f * a), 0.05f);
    }
    s.tube(hip + P3{0, 0.5f, 0}, hip + P3{0, 0.6f, 0}, 0.05f);  // neck
    s.sphere(hip + P3{0, 0.7f, 0}, 0.11f);
}

void slattedBench(ScanBuilder& s, P3 centre, float yaw) {
    for (int k = 0; k < 4; ++k) boxAt(s, centre, yaw, {0, 0.42f, -0.18f + 0.12f * static_cast<float>(k)}, 1.8f, 0.035f, 0.09f);
    for (int k = 0; k < 3; ++k)
        boxAt(s, centre, yaw, {0, 0.55f + 0.13f * static_cast<float>(k), 0.25f + 0.02f * static_cast<float>(k)}, 1.8f, 0.09f, 0.035f);
    for (int end = -1; end <= 1; end += 2) {
        boxAt(s, centre, yaw, {0.82f * static_cast<float>(end), 0, -0.15f}, 0.06f, 0.42f, 0.06f);
        boxAt(s, centre, yaw, {0.82f * static_cast<float>(end), 0, 0.2f}, 0.06f, 0.92f, 0.06f);
        boxAt(s, centre, yaw, {0.82f * static_cast<float>(end), 0.38f, 0.02f}, 0.06f, 0.05f, 0.5f);
    }
}

void lampPost(ScanBuilder& s, P3 base, float height) {
    s.cylinder(base, 0.14f, 0.5f, true);
    s.cylinder(base + P3{0, 0.5f, 0}, 0.065f, height - 0.5f, false);
    s.box(base + P3{-0.18f, height, -0.18f}, base + P3{0.18f, height + 0.42f, 0.18f});
    s.cylinder(base + P3{0, height + 0.42f, 0}, 0.26f, 0.06f, true);
    s.sphere(base + P3{0, height + 0.55f, 0}, 0.06f);
}

}  // namespace content
