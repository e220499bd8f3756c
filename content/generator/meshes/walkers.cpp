// The walk cycle: one person walking in place, 56 frames that loop, for the crowds of
// the reference and closing scenes. Each frame is scattered at a fixed 103 points per
// triangle into a 1000 x 1000 grid, so its budget is a triangle count (5,830-9,700).
#include <cstdio>

#include "generator/catalogue.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/figure.h"
#include "generator/meshes/mesher.h"
#include "generator/meshes/walkers.h"

namespace kit {

namespace {
// The grid step (cm) that gives about 8,000 triangles per frame.
constexpr float kWalkerCell = 2.45f;
}  // namespace

Build walkerBuild() {
    Build b;
    b.height = 175.0f;
    b.skin = {0.95f, 0.83f, 0.72f};
    b.top = {0.90f, 0.87f, 0.80f};
    b.bottom = {0.42f, 0.43f, 0.50f};
    b.shoes = {0.25f, 0.22f, 0.2f};
    b.hair = {0.32f, 0.23f, 0.17f};
    return b;
}

Joints walkerJoints(int frame) {
    return solvePose(walkPose(float(frame - 1) / float(kWalkFrames)), walkerBuild());
}

Mesh walkerFrame(int frame) {
    Shape s;
    addFigure(s, walkerJoints(frame), walkerBuild());
    Mesh m;
    m.parts.push_back(meshShape(s, kWalkerCell));
    // The mesher leaves the soles a fraction of a cell above the ground: set them on it.
    translate(m, Vec3(0, -bounds(m).lo.y, 0));
    return m;
}

}  // namespace kit

// Frame k of the cycle is mesh.000k; the cycle starts at the left heel strike.
CONTENT_ASSETS(walkers) {
    for (int i = 1; i <= kit::kWalkFrames; ++i) {
        char file[64];
        std::snprintf(file, sizeof file, "walkers2/mesh.%04d.objb", i);
        // The budget is a triangle count, so the small set keeps the full frames.
        kit::addMeshAsset({file, 2, 0.15, [i](bool) { return kit::walkerFrame(i); }});
    }
}
