#pragma once
// Part_Fallers' script as plain functions of its clock: the camera (a fixed eye that starts to
// lift at 16 s, the recorded hand-held sway on its target and its roll), the drift of the
// mist, and the dust streaks of the last layer. Nothing here touches GL, so all of it is
// tested without a context. The clock itself is the scene's entry in driver/scene_clock.h.
#include <cstdint>

#include "common/tvector.h"
#include "formats/camera_path.h"

namespace fallers {

constexpr int kGrid = 2024;                    // particles per side: 4,096,576 in all
constexpr float kFieldOfView = 45.0f;
constexpr double kSwayWeight = 0.000118755;    // the recorded path's share of the camera
constexpr double kRollRate = 1.7188733375604615;
constexpr double kRollAmount = 0.3;
constexpr double kMistDrift = 0.0002;          // the mist follows the sway, much reduced

// How far the camera has lifted: ramp((t - 16) * 0.2), 0 up to t = 16.
double cameraLift(float t);

struct CameraPose {
    TVector eye;
    TVector target;
    TVector up;
    float swayX = 0.0f;   // the sample's x and y times the sway weight
    float swayY = 0.0f;
};
// Eye (7, 0.4 r, 0) toward (0, 0.5, 0) plus the sample's position times the sway weight; up
// (0.3 sin(B x 1.7188733375604615 x weight), 1, 0) with B the sample's value B. Products in
// double, rounded to float.
CameraPose cameraAt(float t, const PathSample& sway);

// "RePosX" / "RePosY" of the mist: the sway position times 0.0002, in double.
struct MistDrift {
    float x;
    float y;
};
MistDrift mistDrift(float swayX, float swayY);

// The last layer: motes of dust falling through the picture as short streaks, each its own
// column, speed and phase (a hash of its index, so the layer is the same on every run).
constexpr int kStreakCount = 240;
struct Streak {
    TVector head;       // the lower, leading end
    TVector tail;       // above it
    float brightness;   // 0..1, fading in at the top and out at the water
};
Streak streakAt(int index, float t);

// The world the shaders and layers share (world units; y up, the camera looks down -x).
constexpr float kWaterY = -1.4f;   // the dark mirror the statues stand in

// Loading-screen weights, in the order load() reports them.
constexpr float kWeightBackground = 1.0f;
constexpr float kWeightMoon = 1.0f;
constexpr float kTotalLoadWeight = 2.0f;

}  // namespace fallers
