#pragma once
// The forest scene's script as plain functions of its clock: the camera, when the trees
// still grow, the walkers crossing behind the clearing, and the fixed pieces of the picture
// (the grass lines). Nothing here touches GL, so all of it is tested without a context.
// The clock itself (start 0.3, its factors, the end) is the Forest entry of the clock table.
#include <cstdint>

#include "common/mat4.h"
#include "common/tvector.h"

namespace forest {

constexpr int kTreeGrid = 1224;       // tree particles per side (two trees)
constexpr int kStandingGrid = 800;    // standing-figure particles per side
constexpr float kStartTime = 0.3f;    // localTime after load
constexpr float kReloadTime = 0.0f;   // localTime after a shader reload

// Loading-screen weights, in the order load() reports them.
constexpr float kWeightBuffalo = 2.0f;
constexpr float kWeightStanding3 = 1.0f;
constexpr float kWeightShaders = 1.0f;
constexpr float kTotalLoadWeight = 4.0f;

// The trees regrow while the scene time is below 23; after that they keep their last shape.
constexpr float kGrowthStopTime = 23.0f;
inline bool treesGrowing(float t) { return t < kGrowthStopTime; }
// The scene time a frame's trees are built for when every frame builds its own (capture
// mode): the frame's time, held at 23 from then on.
inline float treeBuildTime(float t) { return t < kGrowthStopTime ? t : kGrowthStopTime; }

struct CameraShot {
    TVector eye;
    TVector target;
    TVector up;
    float fovDegrees;
};
// The camera before the hand-held sway: low between the sprouting trunks at first, then
// rising and drawing back in a slow arc as the crowns spread, and settling on the grown trees
// at the end.
CameraShot cameraAt(float t);
// Weight of the recorded camera wobble (try1.sav) added to the target.
constexpr double kSwayWeight = 0.00006786;

// The four walkers: silhouettes that cross the back of the clearing, two each way.
constexpr int kWalkers = 4;
constexpr int kWalkFrames = 56;
struct WalkerPose {
    int frame;       // walk-cycle mesh 0..55
    Mat4 local;      // mesh (walks in place facing +z, metres) to world
};
WalkerPose walkerAt(int walker, float t);

// The grass: short fixed-colour lines scattered over the clearing, made once at load from a
// private generator (the same every run).
constexpr int kGrassBlades = 1400;
struct GrassBlade {
    TVector root;
    TVector tip;
    float grey;
};
void makeGrass(GrassBlade (&blades)[kGrassBlades]);

// Where the meshes stand: the buffalo grazes at the left edge, the second standing group
// waits at the back right. Both are drawn at their files' size (metres).
Mat4 buffaloLocal();
Mat4 standing3Local();
// A copy of `local` mirrored in the ground plane (y -> -y), for reflections.
Mat4 mirrored(const Mat4& local);

}  // namespace forest
