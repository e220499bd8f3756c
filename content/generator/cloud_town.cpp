// smalltown2.ascbbcomp: the town scan of the eighth scene, seen from street level.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "generator/catalogue.h"
#include "generator/cloud_file.h"
#include "generator/clouds.h"
#include "generator/scan.h"
#include "generator/scan_props.h"

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

// A street wall with its windows and door set into it: the openings are cut from the wall,
// each window has reveals as deep as the wall, a sill and faint returns from the glass behind;
// the door is recessed behind its reveals with a step in front of it.
void windowedWall(ScanBuilder& s, P3 origin, P3 along, float height, bool door, float doorAt) {
    const float len = std::sqrt(dot(along, along));
    const int bays = static_cast<int>(std::max(1.0f, std::round(len / 2.6f)));
    const float bay = len / static_cast<float>(bays);
    const float winHalf = 0.55f, reveal = 0.25f;
    auto inDoor = [=](float y, float u) { return door && std::fabs(u - doorAt) < 0.6f && y < 2.3f; };
    auto keep = [=](float y, float u) {
        if (inDoor(y, u)) return false;
        const float floorY = std::fmod(y, 3.0f), k = std::fmod(u, bay);
        if (y > 0.5f && floorY > 0.9f && floorY < 2.3f && std::fabs(k - bay * 0.5f) < winHalf) return false;
        return true;
    };
    s.quad(origin, P3{0, height, 0}, along, keep);
    const P3 dir = along * (1.0f / len);
    const P3 inward = normalized(cross(along, P3{0, 1, 0})) * reveal;   // into the house
    const P3 out = inward * (-1.0f / reveal);
    // The glass and the door leaf, set back: a few faint returns.
    s.quad(origin + inward, P3{0, height, 0}, along, [=](float y, float u) { return !keep(y, u); }, 0.25f);
    // Reveals and sills of every window.
    for (int f = 0; f * 3.0f + 2.3f < height; ++f) {
        const float y0 = static_cast<float>(f) * 3.0f + 0.9f, y1 = static_cast<float>(f) * 3.0f + 2.3f;
        for (int b = 0; b < bays; ++b) {
            const float u0 = (static_cast<float>(b) + 0.5f) * bay - winHalf, u1 = u0 + 2.0f * winHalf;
            if (door && u1 > doorAt - 0.6f && u0 < doorAt + 0.6f && y0 < 2.3f) continue;
            const P3 a = origin + dir * u0, c = origin + dir * u1;
            s.quad(a + P3{0, y0, 0}, inward, P3{0, y1 - y0, 0});                       // left jamb
            s.quad(c + P3{0, y0, 0}, P3{0, y1 - y0, 0}, inward);                       // right jamb
            s.quad(a + P3{0, y1, 0}, dir * (2.0f * winHalf), inward);                  // head
            s.quad(a + P3{0, y0, 0}, inward, dir * (2.0f * winHalf));                  // bottom
            // The sill sticks out of the wall below the window.
            const P3 sill = a - dir * 0.08f + P3{0, y0 - 0.07f, 0};
            s.quad(sill + P3{0, 0.07f, 0} + out * 0.1f, dir * (2.0f * winHalf + 0.16f), out * -0.1f);
            s.quad(sill + out * 0.1f, P3{0, 0.07f, 0}, dir * (2.0f * winHalf + 0.16f));
        }
    }
    if (door) {
        const P3 a = origin + dir * (doorAt - 0.6f), c = origin + dir * (doorAt + 0.6f);
        s.quad(a, inward, P3{0, 2.3f, 0});
        s.quad(c, P3{0, 2.3f, 0}, inward);
        s.quad(a + P3{0, 2.3f, 0}, dir * 1.2f, inward);
        // The step.
        const P3 step = a - dir * 0.15f + out * 0.35f;
        s.quad(step + P3{0, 0.16f, 0}, dir * 1.5f, out * -0.35f);
        s.quad(step, P3{0, 0.16f, 0}, dir * 1.5f);
    }
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
        // Fascia boards along the eaves, where the roof's edge shows its thickness.
        s.quad(e0 - P3{0, 0.18f, 0}, P3{0, 0.18f, 0}, e1 - e0);
        s.quad(f1 - P3{0, 0.18f, 0}, P3{0, 0.18f, 0}, f0 - f1);
        // The chimney stack with its pots.
        s.box({h.x0 + 1.0f, top, zm + 0.6f}, {h.x0 + 1.7f, top + rise + 1.0f, zm + 1.3f});
        s.box({h.x0 + 0.95f, top + rise + 1.0f, zm + 0.55f}, {h.x0 + 1.75f, top + rise + 1.12f, zm + 1.35f});
        s.cylinder({h.x0 + 1.2f, top + rise + 1.12f, zm + 0.95f}, 0.09f, 0.35f, true);
        s.cylinder({h.x0 + 1.5f, top + rise + 1.12f, zm + 0.95f}, 0.09f, 0.3f, true);
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
    branchingTree(s, rng, base, static_cast<float>(rng.uniform(6.5, 8.5)), 0.8f);
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
        // Flagstones on the pavements and setts on the square: shallow joints between them.
        const float joint = square ? 0.5f : 0.9f;
        const float gx = std::fabs(std::fmod(std::fabs(x), joint) - joint * 0.5f), gz = std::fabs(std::fmod(std::fabs(z), joint) - joint * 0.5f);
        const float grooved = (!road || square) && std::max(gx, gz) > joint * 0.5f - 0.015f ? -0.012f : 0.0f;
        return kGround + (square || road ? 0.0f : 0.15f) + 0.02f * std::sin(x * 0.7f) * std::sin(z * 0.6f) + grooved;
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
    // People on the pavements and the square.
    Rng people(32);
    const P3 spots[] = {{16.0f, 0.15f, 5.2f}, {21.5f, 0.15f, -5.0f}, {24.0f, 0.15f, -5.3f}, {29.0f, 0.15f, 5.0f},
                        {4.5f, 0.0f, 3.5f},   {-4.0f, 0.0f, -5.5f}, {-5.0f, 0.0f, -5.0f}, {6.0f, 0.0f, -7.5f},
                        {-13.0f, 0.0f, 8.0f}, {9.5f, 0.0f, 9.0f}};
    for (const P3& at : spots)
        person(s, {at.x, kGround + at.y, at.z}, static_cast<float>(people.uniform(0, 2 * kPi)), people.uniform() < 0.5 ? 0.0f : 0.8f);
    // Benches round the monument.
    for (int i = 0; i < 4; ++i) {
        const float a = static_cast<float>(i) * kPi / 2.0f;
        slattedBench(s, {5.0f * std::cos(a), kGround, 5.0f * std::sin(a)}, a - kPi / 2.0f);
    }
}


}  // namespace

// Where the scanner stood: down the main street the camera backs along, round the square,
// up the cross street in front of the church, and one position high above the east end of
// the street (a mast) for the roofs. The head is 1.7 m above the street.
std::vector<P3> townStations() {
    const float eye = kGround + 1.7f;
    return {{34.0f, eye, 0.0f},   {27.0f, eye, 1.2f},  {20.5f, eye, -1.0f}, {13.5f, eye, 0.5f},
            {7.5f, eye, 7.5f},    {-7.5f, eye, -7.5f}, {7.5f, eye, -7.5f},  {-7.5f, eye, 7.5f},
            {-13.5f, eye, 0.0f},  {-13.5f, eye, 12.0f}, {-13.5f, eye, -12.0f}, {38.0f, kGround + 16.0f, 4.0f}};
}

std::vector<ScanPoint> townPoints(bool small, std::vector<ScanPoint>* surface) {
    ScannerModel model;
    if (small) model.azimuthStep = model.elevationStep = 0.012f;
    return scanScene(6, small ? 40.0f : 320.0f, townStations(), model, small ? 300000 : 3600000, kHalf, buildTown, surface);
}

namespace {

// The town: 60 x 60 m of terraced houses along a main street that the camera looks down at
// eye height, a square with a monument in the middle, a church tower closing the view, street
// trees, lamps and parked cars. 0.001 units per metre, the street at y = -0.002.
void makeTownCloud(const Context& ctx, const std::string& tmp) {
    std::vector<ScanPoint> surface;
    const std::vector<ScanPoint> points = townPoints(ctx.small, &surface);
    const std::vector<float> vis = skyVisibility(points, ctx.small ? 0.6f : 0.3f, 16.0f, &surface);
    surface = {};
    writeScanCloud(tmp, points, vis, growthOrder(points, 30.0f, 0.0f, 10), 0.001f);
}

void previewTownCloud(const Context& ctx, const std::string& path) {
    previewCloudFile(ctx, path, "town", {{0.030f, -0.0005f, 0.0f}, {0.0f, -0.0005f, 0.0f}, 25.0f});
}

CONTENT_ASSETS(townCloud) {
    addAsset({"newresources/smalltown2.ascbbcomp", 3, 12.0, makeTownCloud, previewTownCloud});
}

}  // namespace
}  // namespace content
