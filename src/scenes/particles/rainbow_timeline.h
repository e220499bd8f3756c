#pragma once
// The rainbow scene's script as plain functions of its clock: the camera, the cheetah's runs
// (it enters at 6.0), the two walkers, and where the meshes and the backdrop stand. Nothing
// here touches GL, so all of it is tested without a context. The clock itself (start 0.0,
// its factors, the end at 33.2) is the Rainbow entry of the clock table.
#include "common/mat4.h"
#include "common/tvector.h"

namespace rainbow {

constexpr int kGrid = 2024;                 // crowd particles per side
constexpr int kWorkGroups = kGrid / 16;     // 126 x 126 per step
constexpr float kPeopleDensityX = 116.0f;   // the people scatter's two densities
constexpr float kPeopleDensityY = 1.0f;
constexpr float kStartTime = 0.0f;          // localTime after load and after a shader reload

// Loading-screen weights, in the order load() reports them (they sum to 9).
constexpr float kWeightSamplesStarted = 1.0f;
constexpr float kWeightBuffalo = 3.0f;
constexpr float kWeightCheetahAndPeople = 3.0f;
constexpr float kWeightCity = 1.0f;
constexpr float kWeightMoon = 1.0f;
constexpr float kTotalLoadWeight = 9.0f;

// Weight of the recorded camera wobble (try1.sav) added to the target.
constexpr double kSwayWeight = 0.00006786;

struct CameraShot {
    TVector eye;
    TVector target;
    float fovDegrees;
};
// The camera before the hand-held sway: from a wide, low view of the crowd under the
// rainbow it pushes in and swings round to the right while the music drives (the clock runs
// 5 % faster before 15), then rises and draws back slowly over the crowd to the end.
CameraShot cameraAt(float t);

// The cheetah runs from scene time 6.0 on (6.0 included); before that it is not drawn.
constexpr float kCheetahFrom = 6.0f;
inline bool cheetahRuns(float t) { return t >= kCheetahFrom; }
// Where the cheetah is: it crosses just in front of the crowd's front row (z = 1), one run
// every kCheetahRunSeconds, alternating direction and lane, bounding (a small rise and fall
// at its stride). Its pace keeps it in the camera's view for two seconds or more of every
// run, the pushed-in shots included.
constexpr float kCheetahRunSeconds = 7.0f;
Mat4 cheetahLocal(float t);

// The two walkers: dark silhouettes crossing between the crowd and the skyline, one each way.
constexpr int kWalkers = 2;
constexpr int kWalkFrames = 56;
struct WalkerPose {
    int frame;   // walk-cycle mesh 0..55
    Mat4 local;  // mesh (walks in place facing +z, metres) to world
};
WalkerPose walkerAt(int walker, float t);

// The buffalo stands at the right of the crowd, turned toward the cheetah's lanes.
Mat4 buffaloLocal();
// The people mesh's other two appearances: its mirror image under the wet ground, and a
// second, distant crowd of silhouettes at the foot of the skyline.
Mat4 peopleReflectionLocal();
Mat4 distantCrowdLocal();

// The final layer: a veil of black that lifts over the first 1.5 s and closes over the last
// second (never fully black: the scene's first and last pictures still show the crowd).
float veilAlpha(float t);
constexpr float kEndTime = 33.2f;

}  // namespace rainbow
