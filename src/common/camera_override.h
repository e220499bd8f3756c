#pragma once
// A camera that takes the place of the scenes' own (developer mode's free camera). The scenes'
// camera calls (setCamera, the lidar scenes' scan pass) pass their pose through apply(): it
// notes the pose and, while an override is set, replaces it. Nothing sets one in a bare start.
#include "common/tvector.h"

struct CameraPoseView {
    TVector eye{0.0f, 0.0f, 0.0f};
    TVector target{0.0f, 0.0f, -1.0f};
    TVector up{0.0f, 1.0f, 0.0f};
    float fovDegrees = 55.0f;
};

namespace camera_override {

// Render thread. `pose` stays owned by the caller; nullptr ends the override.
void set(const CameraPoseView* pose);
// Called by the camera code with the scene's pose, which it may replace.
void apply(TVector& eye, TVector& target, TVector& up, float& fovDegrees);
// The last pose a scene asked for (before any override).
const CameraPoseView& lastScenePose();

}  // namespace camera_override
