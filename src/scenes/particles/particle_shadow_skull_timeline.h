#pragma once
// The skull scene's script as plain functions of its clock: where the circling camera stands
// and looks, and the numbers its load and its particle step use. No GL here.
#include "common/tvector.h"

namespace particle_shadow_skull {

constexpr int kGrid = 1536;            // particles per side of both systems
constexpr float kFieldOfView = 42.0f;

// The two sample sets: the statue's bust and the cherub's head. Only their front halves
// (z >= 0, the side the camera sees) are scattered.
struct SampleSet {
    const char* path;
    float densityX, densityY;
    TVector boxMin, boxMax;
};
extern const SampleSet kBust;
extern const SampleSet kHead;

struct CameraPose {
    TVector eye;
    TVector target;
};
// The eye circles the vertical axis at radius 8.5 and height h = 1.8 - 0.12 t, at the angle
// 0.02 (t - 5); each product in double, rounded to float. The target starts at (0, h, 0),
// looks up at the gathering heads first (ease(0.15 t + 0.4, 3) brings it down onto the
// bust's face) and from t = 8 turns toward the cherub behind it (ease((t - 8) 0.15, 3)).
CameraPose cameraAt(float t);

// Loading-screen weights, in the order load() reports them.
constexpr float kWeightAfterSystems = 1.0f;
constexpr float kWeightAfterWorkers = 1.0f;
constexpr float kTotalLoadWeight = 2.0f;

}  // namespace particle_shadow_skull
