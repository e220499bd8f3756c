#pragma once
// The park scan's script as plain functions of its clock: when the statue simulates and
// shows, when the fog slices and the sky cube are drawn, and the camera (a looping spline
// over the park, then fixed shots: two dollies, an orbit that rises, a close orbit round the
// statue and a close-up). Positions are in scene units (0.001 per metre). Nothing here
// touches GL.
#include "common/tvector.h"
#include "formats/camera_path.h"

namespace lidar_ao {

constexpr float kStartTime = 0.4f;
constexpr double kEndTime = 55.8;
constexpr int kGrid = 1000;                 // statue particles per side

// The statue system steps while t > 31 or t < 0.6 (its first frames, to settle its buffers).
inline bool particleStepRuns(float t) { return t > 31.0f || t < 0.6f; }
// The statue is drawn from t > 32.
inline bool statueDrawn(float t) { return t > 32.0f; }

// Fog: 40 slices while 27 <= t < 51.2, slice i at height i x 0.015 / 40.
constexpr int kFogSlices = 40;
inline bool fogShown(float t) { return t >= 27.0f && t < 51.2f; }
inline float fogSliceHeight(int i) { return static_cast<float>(i) * 0.015f / 40.0f; }
constexpr float kFogColour[4] = {0.7f, 0.3f, 0.3f, 0.04f};

// The sky cube of half-size 0.034 from t = 47.55.
constexpr float kSkyHalfSize = 0.034f;
inline bool skyShown(float t) { return t >= 47.55f; }

// The camera's windows, in the order they take over; each edge is a cut.
enum class Shot { Spline, DollyIn, DollyRuins, Orbit, OrbitRise, CloseOrbit, CloseUp };
// Spline before 17, DollyIn for 17 < t < 22.2, DollyRuins for 22.2 <= t < 27, Orbit from 27,
// OrbitRise from 44, CloseOrbit from 47.55 except CloseUp for 48.8 <= t < 50.
Shot shotAt(float t);

// 35 degrees, 26 during the close-up.
float fieldOfView(float t);
// (0.2, 1, 0) before 17, (0, 1, 0) from then on.
TVector upAt(float t);
// The shake's scale for a path sample (see the scene's notes): 1.6965e-07 before 17, then
// growing from t = 37; times 0.7, and times 0.1 more during the close-up.
float shakeAmplitude(float t);

// The looping Catmull-Rom curve through the seven (x, z) points at height 0.003.
const PathCurve& splineCurve();
// The curve at parameter s (one loop every 7).
TVector splineAt(float s);

struct CameraPose {
    TVector eye;
    TVector target;
    TVector up;
    float fieldOfView;
};
// The shot at time t before the shake.
void shotPose(float t, TVector& eye, TVector& target);
// The full pose; `swayPoint` is the camera-path sample the sway rule picks for t.
CameraPose cameraAt(float t, const TVector& swayPoint);

// Where the statue stands: on the fountain's pedestal in the middle of the colonnade.
const TVector kStatueBase(0.0f, 0.00172f, 0.0f);
constexpr float kStatueHeight = 0.0052f;

// Loading weight: none; the scene reports nothing to the loading screen.
constexpr float kTotalLoadWeight = 0.0f;

}  // namespace lidar_ao
