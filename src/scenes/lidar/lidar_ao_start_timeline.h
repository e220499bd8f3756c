#pragma once
// The town scan's script as plain functions of its clock: the camera (a base shot backing
// down the main street, three fixed shots, the hand-held shake), the material clock the
// point shader sees, and the loading weights. Nothing here touches GL.
//
// Positions are written in metres (the scan's own scale) and converted to scene units
// (x 0.001) in cameraAt().
#include "common/tvector.h"

namespace lidar_ao_start {

constexpr float kStartTime = 0.0f;
constexpr float kEndTime = 35.5f;
constexpr float kFieldOfView = 25.0f;
constexpr float kUnitsPerMetre = 0.001f;

// Which shot the camera is in. The fixed shots replace the base shot; their edges are cuts.
enum class Shot { Base, Push, Glide, Roofs };
// Push for 8 <= t < 13, Glide for 21.4 <= t < 24.33, Roofs for 26 <= t < 28.
Shot shotAt(float t);

struct CameraPose {
    TVector eye;      // scene units, shake included
    TVector target;
    TVector up;
    float rePosX;     // the shake's x and y, for the occlusion pass
    float rePosY;
};

// The shake's scale for a path sample: 8.4825e-08 while t < 13, 6.786e-07 from 13 on.
float shakeAmplitude(float t);
// The shot at time t in metres, before scaling and shake.
void shotAt(float t, TVector& eyeMetres, TVector& targetMetres);
// The full pose; `swayPoint` is the camera-path sample the sway rule picks for t (pathSwayAt).
CameraPose cameraAt(float t, const TVector& swayPoint);

// "ttime" of the material program: t, minus `controller` (the engine's third controller
// value) while 8 <= t < 13, minus 5 from 13 on and a further 4 once t > 24.33.
float materialTime(float t, float controller);

// Loading weight: one step when the town is loaded.
constexpr float kTotalLoadWeight = 1.0f;

}  // namespace lidar_ao_start
