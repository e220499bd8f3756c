// Groups of people: the standing figures of the forest scene (one part per figure), a
// second standing group, the rainbow scene's crowd and figures in free fall. Figures are
// meshed once per variant and placed with a rotation and an offset.
#include "generator/meshes/crowds.h"

#include "generator/catalogue.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/mesher.h"

namespace kit {

Part meshFigure(const Pose& pose, const Build& build, float cell) {
    Shape s;
    addFigure(s, solvePose(pose, build), build);
    Part part = meshShape(s, cell);
    // The mesher leaves the soles a fraction of a cell above the ground: set them on it.
    if (pose.grounded) {
        const float low = bounds(part).lo.y;
        for (Vec3& p : part.pos) p.y -= low;
    }
    return part;
}

Build randomBuild(content::Rng& rng) {
    static const Vec3 tops[] = {{0.86f, 0.84f, 0.78f}, {0.55f, 0.6f, 0.7f}, {0.7f, 0.45f, 0.38f}, {0.38f, 0.42f, 0.36f},
                                {0.92f, 0.9f, 0.86f}, {0.3f, 0.3f, 0.34f}, {0.78f, 0.68f, 0.5f}};
    static const Vec3 bottoms[] = {{0.3f, 0.32f, 0.4f}, {0.22f, 0.22f, 0.24f}, {0.55f, 0.5f, 0.42f}, {0.4f, 0.38f, 0.36f}};
    static const Vec3 hairs[] = {{0.15f, 0.12f, 0.1f}, {0.35f, 0.25f, 0.17f}, {0.6f, 0.5f, 0.35f}, {0.55f, 0.55f, 0.55f}};
    static const Vec3 skins[] = {{0.95f, 0.82f, 0.72f}, {0.82f, 0.64f, 0.5f}, {0.6f, 0.44f, 0.34f}, {0.9f, 0.75f, 0.62f}};
    Build b;
    b.height = float(rng.uniform(1.58, 1.9));
    b.bulk = float(rng.uniform(0.9, 1.15));
    b.top = tops[rng.below(7)];
    b.bottom = bottoms[rng.below(4)];
    b.hair = hairs[rng.below(4)];
    b.skin = skins[rng.below(4)];
    const uint32_t d = rng.below(6);
    b.dress = d < 3 ? 0 : (d < 5 ? 1 : 2);
    b.longHair = b.dress == 1 || rng.below(4) == 0;
    b.hips = b.dress == 1 ? 1.12f : 1.0f;
    return b;
}

namespace {

struct Figure {
    Part part;
};

// `count` figures standing on a loose grid of rows, each a part of its own when `partEach`.
Mesh standingGroup(uint64_t seed, int count, int variants, float spacing, float cell, bool partEach) {
    content::Rng rng(seed);
    std::vector<Part> kinds;
    for (int v = 0; v < variants; ++v) kinds.push_back(meshFigure(standPose(v), randomBuild(rng), cell));
    Mesh m;
    const int perRow = std::max(1, int(std::ceil(std::sqrt(double(count) * 1.6))));
    Part all;
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow, col = i % perRow;
        Placement at;
        at.rot = Mat3::rotY(float(rng.uniform(-0.7, 0.7)));
        at.offset = Vec3((col - 0.5f * (perRow - 1)) * spacing + float(rng.uniform(-0.25, 0.25)) * spacing, 0,
                         -row * spacing * 0.9f + float(rng.uniform(-0.2, 0.2)) * spacing);
        const Part& kind = kinds[(i * 7 + row) % variants];
        if (partEach) {
            Part p;
            append(p, kind, at);
            m.parts.push_back(std::move(p));
        } else {
            append(all, kind, at);
        }
    }
    if (!partEach) m.parts.push_back(std::move(all));
    return m;
}

// The forest scene's standing figures: twenty of them, one part each (the closing scene
// draws parts 0-17 one by one).
Mesh makeStanding(bool small) { return standingGroup(0x57A4D1, 20, small ? 6 : 20, 1.1f, small ? 0.05f : 0.022f, true); }

// A second, smaller standing group, drawn as geometry in the forest.
Mesh makeStanding3(bool small) { return standingGroup(0x57A4D3, 7, 7, 1.0f, small ? 0.05f : 0.02f, true); }

// The rainbow scene's crowd: many figures, some walking, in loose rows.
Mesh makePeople(bool small) {
    content::Rng rng(0xC0D0);
    const int variants = small ? 6 : 16;
    std::vector<Part> kinds;
    for (int v = 0; v < variants; ++v) {
        const Pose pose = v % 3 == 2 ? walkPose(float(v) / variants) : standPose(v);
        kinds.push_back(meshFigure(pose, randomBuild(rng), small ? 0.06f : 0.03f));
    }
    Mesh m;
    const int count = 140, perRow = 20;
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow, col = i % perRow;
        Placement at;
        at.rot = Mat3::rotY(float(rng.uniform(-0.9, 0.9)));
        at.offset = Vec3((col - 0.5f * (perRow - 1)) * 0.9f + float(rng.uniform(-0.3, 0.3)) + (row % 2) * 0.45f, 0,
                         -row * 1.1f + float(rng.uniform(-0.3, 0.3)));
        // One part per row of the crowd.
        if (col == 0) m.parts.emplace_back();
        append(m.parts.back(), kinds[rng.below(variants)], at);
    }
    return m;
}

// Figures in free fall, limbs spread, at different heights and turns (all above y = 0).
Mesh makeFallers(bool small) {
    content::Rng rng(0xFA11);
    Mesh m;
    const int count = 6;
    for (int i = 0; i < count; ++i) {
        Build b = randomBuild(rng);
        b.dress = 0;
        Pose pose = fallPose(i);
        pose.yaw = float(rng.uniform(0, 2 * kPi));
        pose.tilt = float(rng.uniform(-0.8, 0.8));
        Part p = meshFigure(pose, b, small ? 0.05f : 0.02f);
        const Box box = bounds(p);
        Placement at;
        at.offset = Vec3((i % 3 - 1) * 1.6f + float(rng.uniform(-0.3, 0.3)), 0.3f - box.lo.y + (i / 3) * 1.8f + float(rng.uniform(0, 0.6)),
                         (i / 3 - 0.5f) * 1.2f);
        Part placed;
        append(placed, p, at);
        m.parts.push_back(std::move(placed));
    }
    return m;
}

}  // namespace

}  // namespace kit

CONTENT_ASSETS(crowds) {
    kit::addMeshAsset({"standing.objb", 2, 2.0, kit::makeStanding});
    kit::addMeshAsset({"standing3.objb", 2, 1.0, kit::makeStanding3});
    kit::addMeshAsset({"people.objb", 2, 2.0, kit::makePeople});
    kit::addMeshAsset({"fallers.objb", 2, 1.0, kit::makeFallers});
}
