// smalltown2.ascbbcomp: the town scan of the eighth scene, seen from street level.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "generator/catalogue.h"
#include "generator/cloud_file.h"
#include "generator/clouds.h"
#include "generator/scan.h"

namespace content {
namespace {

const float kPi = 3.14159265f;
const float kGround = -2.0f;   // the street, 2 m below the scene's origin (the camera's eye line)
const float kHalf = 30.0f;

// A house: a block with a street front of windows and a door, a gable or flat roof and a
// chimney. The front stands on z = zFront; the house reaches back towards +z when `face` is
// +1 (a house on the +z side of a street) and towards -z when it is -1.
struct House {
    float x0, x1;   // along the street
    float zFront;   // the front wall's z
    float depth;
    int face;
    int floors;
    bool gable;
};

void windowedWall(ScanBuilder& s, P3 origin, P3 along, float height, bool door, float doorAt) {
    const float len = std::sqrt(dot(along, along));
    const float bay = len / std::max(1.0f, std::round(len / 2.6f));
    auto keep = [=](float y, float u) {
        if (door && std::fabs(u - doorAt) < 0.6f && y < 2.3f) return false;
        const float floorY = std::fmod(y, 3.0f), k = std::fmod(u, bay);
        if (y > 0.5f && floorY > 0.9f && floorY < 2.3f && std::fabs(k - bay * 0.5f) < 0.55f) return false;
        return true;
    };
    s.quad(origin, P3{0, height, 0}, along, keep);
    // The glass and the door, set back: a few faint returns.
    const P3 inward = normalized(cross(along, P3{0, 1, 0})) * 0.25f;
    s.quad(origin + inward, P3{0, height, 0}, along, [=](float y, float u) { return !keep(y, u); }, 0.2f);
}

void house(ScanBuilder& s, const House& h, Rng& rng) {
    const float height = static_cast<float>(h.floors) * 3.0f + 0.4f;
    const float zBack = h.zFront + static_cast<float>(h.face) * h.depth;
    const float zLo = std::min(h.zFront, zBack), zHi = std::max(h.zFront, zBack);
    const P3 a{h.x0, kGround, zLo}, b{h.x1, kGround, zLo}, c{h.x1, kGround, zHi}, d{h.x0, kGround, zHi};
    const float doorAt = (h.x1 - h.x0) * static_cast<float>(rng.uniform(0.3, 0.7));
    // Walls, normals out (quad(origin, up, along) faces along x up).
    const bool frontLow = h.face > 0;  // the front wall is the one at zLo
    windowedWall(s, a, b - a, height, frontLow, doorAt);                       // -z wall, from a to b
    windowedWall(s, c, d - c, height, !frontLow, (h.x1 - h.x0) - doorAt);      // +z wall, from c to d
    s.quad(d, P3{0, height, 0}, a - d);                                        // -x wall
    s.quad(b, P3{0, height, 0}, c - b);                                        // +x wall
    const float top = kGround + height;
    if (h.gable) {
        // Ridge along x, over the middle of the depth; eaves overhang by 0.35 m.
        const float rise = std::min(4.0f, (zHi - zLo) * 0.45f), o = 0.35f;
        const float zm = (zLo + zHi) * 0.5f;
        const P3 e0{h.x0 - o, top - 0.2f, zLo - o}, e1{h.x1 + o, top - 0.2f, zLo - o};
        const P3 f0{h.x0 - o, top - 0.2f, zHi + o}, f1{h.x1 + o, top - 0.2f, zHi + o};
        const P3 r0{h.x0 - o, top + rise, zm}, r1{h.x1 + o, top + rise, zm};
        s.quad(e0, r0 - e0, e1 - e0);  // slope facing -z: (r0 - e0) x (e1 - e0) points up and to -z
        s.quad(f1, r1 - f1, f0 - f1);  // slope facing +z
        s.triangle({h.x0, top, zLo}, {h.x0, top, zHi}, {h.x0, top + rise - 0.1f, zm});  // gable ends
        s.triangle({h.x1, top, zHi}, {h.x1, top, zLo}, {h.x1, top + rise - 0.1f, zm});
        s.box({h.x0 + 1.0f, top, zm + 0.6f}, {h.x0 + 1.7f, top + rise + 1.0f, zm + 1.3f});  // chimney
    } else {
        // Flat roof behind a parapet.
        s.quad({h.x0, top, zLo}, P3{0, 0, zHi - zLo}, P3{h.x1 - h.x0, 0, 0});
        s.box({h.x0, top, zLo}, {h.x1, top + 0.8f, zLo + 0.3f});
        s.box({h.x0, top, zHi - 0.3f}, {h.x1, top + 0.8f, zHi});
        s.box({(h.x0 + h.x1) * 0.5f, top, (zLo + zHi) * 0.5f}, {(h.x0 + h.x1) * 0.5f + 1.5f, top + 1.6f, (zLo + zHi) * 0.5f + 1.5f});
    }
}

// A row of houses along x from x0 to x1, their fronts on z = zFront.
void terrace(ScanBuilder& s, Rng& rng, float x0, float x1, float zFront, int face, float depth) {
    float x = x0;
    while (x1 - x > 4.5f) {
        float w = static_cast<float>(rng.uniform(4.8, 8.0));
        if (x1 - x - w < 4.5f) w = x1 - x;
        House h{x + 0.1f, x + w - 0.1f, zFront, depth, face, 2 + static_cast<int>(rng.below(3)), rng.uniform() < 0.7};
        house(s, h, rng);
        x += w;
    }
}

void streetTree(ScanBuilder& s, Rng& rng, P3 base) {
    const float h = static_cast<float>(rng.uniform(6.0, 8.0));
    s.cylinder(base, 0.14f, h * 0.45f, false);
    std::vector<P3> c{base + P3{0, h * 0.68f, 0}};
    std::vector<float> r{h * 0.22f};
    for (int i = 0; i < 5; ++i) {
        const float a = static_cast<float>(i) * 1.3f + static_cast<float>(rng.uniform(0, 0.5));
        c.push_back(base + P3{std::cos(a) * h * 0.18f, h * static_cast<float>(rng.uniform(0.55, 0.8)), std::sin(a) * h * 0.18f});
        r.push_back(h * static_cast<float>(rng.uniform(0.12, 0.18)));
    }
    s.crown(c, r, 0.9f);
}

void car(ScanBuilder& s, Rng& rng, P3 c, float yaw) {
    s.orientedBox(c + P3{0, 0.3f, 0}, 4.2f, 0.75f, 1.75f, yaw);
    s.orientedBox(c + P3{static_cast<float>(rng.uniform(-0.4, 0.2)), 1.05f, 0}, 2.2f, 0.55f, 1.55f, yaw);
    for (int i = 0; i < 4; ++i) {
        const float wx = (i & 1) ? 1.35f : -1.35f, wz = (i & 2) ? 0.88f : -0.88f;
        const P3 at = c + P3{wx * std::cos(yaw) + wz * std::sin(yaw), 0.33f, -wx * std::sin(yaw) + wz * std::cos(yaw)};
        const P3 side{std::sin(yaw) * 0.12f, 0, std::cos(yaw) * 0.12f};
        s.tube(at - side, at + side, 0.33f);
    }
}

void streetLamp(ScanBuilder& s, P3 base, float towardsZ) {
    s.cylinder(base, 0.08f, 4.5f, false);
    s.tube(base + P3{0, 4.5f, 0}, base + P3{0, 4.6f, towardsZ * 1.2f}, 0.05f);
    s.box(base + P3{-0.2f, 4.3f, towardsZ * 1.2f - 0.2f}, base + P3{0.2f, 4.6f, towardsZ * 1.2f + 0.2f});
}

// The monument in the middle of the square: stepped plinth, a tall column, an urn on top.
void monument(ScanBuilder& s) {
    s.box({-3.0f, kGround, -3.0f}, {3.0f, kGround + 0.35f, 3.0f});
    s.box({-2.3f, kGround + 0.35f, -2.3f}, {2.3f, kGround + 0.7f, 2.3f});
    s.box({-1.2f, kGround + 0.7f, -1.2f}, {1.2f, kGround + 2.6f, 1.2f});
    s.cylinder({0, kGround + 2.6f, 0}, 0.55f, 7.0f, false);
    s.box({-0.8f, kGround + 9.6f, -0.8f}, {0.8f, kGround + 10.1f, 0.8f});
    s.crown({{0, kGround + 10.7f, 0}}, {0.6f}, 1.0f);
}

// The church closing the far end of the street: a nave with a gable front and a tower.
void church(ScanBuilder& s, Rng& rng) {
    house(s, {-30.0f, -18.5f, -5.5f, 11.0f, 1, 4, true}, rng);
    // Tower: a tall shaft with belfry openings and a pyramid roof.
    const float x0 = -21.5f, x1 = -16.5f, z0 = -2.5f, z1 = 2.5f, h = 21.0f, top = kGround + h;
    auto belfry = [&](float y, float u) { return !(y > h - 5.0f && y < h - 1.5f && std::fabs(u - 2.5f) < 0.8f); };
    s.quad({x1, kGround, z0}, {0, h, 0}, {0, 0, z1 - z0}, belfry);                 // +x
    s.quad({x0, kGround, z1}, {0, h, 0}, {0, 0, z0 - z1}, belfry);                 // -x
    s.quad({x0, kGround, z0}, {0, h, 0}, {x1 - x0, 0, 0}, belfry);                 // -z
    s.quad({x1, kGround, z1}, {0, h, 0}, {x0 - x1, 0, 0}, belfry);                 // +z
    const P3 apex{(x0 + x1) * 0.5f, top + 7.0f, 0};
    s.triangle({x0, top, z0}, apex, {x1, top, z0});
    s.triangle({x1, top, z0}, apex, {x1, top, z1});
    s.triangle({x1, top, z1}, apex, {x0, top, z1});
    s.triangle({x0, top, z1}, apex, {x0, top, z0});
}

void buildTown(ScanBuilder& s) {
    Rng rng(31);
    // Street, pavements with kerbs, the square.
    s.ground(-kHalf, kHalf, -kHalf, kHalf, [](float x, float z) {
        const bool square = std::fabs(x) < 11.0f && std::fabs(z) < 11.0f;
        const bool road = std::fabs(z) < 4.0f || std::fabs(x + 13.5f) < 3.0f;
        return kGround + (square || road ? 0.0f : 0.15f) + 0.02f * std::sin(x * 0.7f) * std::sin(z * 0.6f);
    });
    for (int side = -1; side <= 1; side += 2) {
        const float z = 4.0f * static_cast<float>(side);
        // Kerb faces toward the road.
        const P3 up{0, 0.15f, 0}, east{kHalf - 11.0f, 0, 0}, west{kHalf - 24.5f, 0, 0};
        s.quad({11.0f, kGround, z}, side > 0 ? up : east, side > 0 ? east : up);
        s.quad({-kHalf, kGround, z}, side > 0 ? up : west, side > 0 ? west : up);
    }
    // Terraces along the main street (fronts 6.5 m from its middle) and around the square.
    terrace(s, rng, 11.5f, kHalf, 6.5f, 1, 9.0f);
    terrace(s, rng, 11.5f, kHalf, -6.5f, -1, 9.0f);
    terrace(s, rng, -10.5f, 10.5f, 11.5f, 1, 8.0f);
    terrace(s, rng, -10.5f, 10.5f, -11.5f, -1, 8.0f);
    terrace(s, rng, -kHalf, -16.5f, 16.0f, 1, 9.0f);
    terrace(s, rng, -kHalf, -16.5f, -16.0f, -1, 9.0f);
    // Back rows, further from the street.
    terrace(s, rng, 12.0f, kHalf, 20.0f, 1, 8.0f);
    terrace(s, rng, 12.0f, kHalf, -20.0f, -1, 8.0f);
    terrace(s, rng, -10.0f, 10.0f, 22.0f, 1, 7.0f);
    terrace(s, rng, -10.0f, 10.0f, -22.0f, -1, 7.0f);
    church(s, rng);
    monument(s);
    // Street furniture: lamps on the pavements (the fronts stay in view from the street), a
    // tree at each end of the main street, parked cars along the kerbs.
    streetTree(s, rng, {kHalf - 1.5f, kGround + 0.15f, 5.4f});
    streetTree(s, rng, {12.5f, kGround + 0.15f, -5.4f});
    for (float x = 14.0f; x < kHalf - 1.0f; x += 8.5f) {
        streetLamp(s, {x + 4.0f, kGround + 0.15f, 5.9f}, -1.0f);
        streetLamp(s, {x, kGround + 0.15f, -5.9f}, 1.0f);
    }
    for (float x = 13.0f; x < kHalf - 3.0f; x += static_cast<float>(rng.uniform(5.5, 9.0))) {
        if (rng.uniform() < 0.75) car(s, rng, {x, kGround, 2.9f}, static_cast<float>(rng.uniform(-0.03, 0.03)));
        if (rng.uniform() < 0.75) car(s, rng, {x + 2.5f, kGround, -2.9f}, static_cast<float>(kPi + rng.uniform(-0.03, 0.03)));
    }
    for (int i = 0; i < 4; ++i) {
        const float a = static_cast<float>(i) * kPi / 2.0f + kPi / 4.0f;
        streetTree(s, rng, {8.5f * std::cos(a), kGround, 8.5f * std::sin(a)});
    }
}


}  // namespace

std::vector<ScanPoint> townPoints(bool small) {
    return sampleScene(6, small ? 300000.0 : 3200000.0, kHalf, buildTown);
}

namespace {

// The town: 60 x 60 m of terraced houses along a main street that the camera looks down at
// eye height, a square with a monument in the middle, a church tower closing the view, street
// trees, lamps and parked cars. 0.001 units per metre, the street at y = -0.002.
void makeTownCloud(const Context& ctx, const std::string& tmp) {
    const std::vector<ScanPoint> points = townPoints(ctx.small);
    const std::vector<float> vis = skyVisibility(points, ctx.small ? 0.6f : 0.3f, 16.0f);
    writeScanCloud(tmp, points, vis, growthOrder(points, 30.0f, 0.0f, 10), 0.001f);
}

void previewTownCloud(const Context& ctx, const std::string& path) {
    previewCloudFile(ctx, path, "town", {{0.030f, -0.0005f, 0.0f}, {0.0f, -0.0005f, 0.0f}, 25.0f});
}

CONTENT_ASSETS(townCloud) {
    addAsset({"newresources/smalltown2.ascbbcomp", 1, 12.0, makeTownCloud, previewTownCloud});
}

}  // namespace
}  // namespace content
