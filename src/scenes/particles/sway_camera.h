#pragma once
// The particle scenes' hand-held camera: a scripted eye and target with the recorded sway of
// the camera path laid over it. The path's sample at the scene time (the shared index rule,
// formats/path_sway.h) moves the target by its position times a weight, and its value B tilts
// the up vector sideways.
//
//   setSwayedCamera(engine, path, localTime, shot.eye, shot.target, shot.fov, 0.00006786);
//
// A weight of 0 leaves the scripted camera as it is (up = (0, 1, 0)).
#include "common/tvector.h"
#include "formats/camera_path.h"

struct Data_Interface;

// Turns value B (times the weight) into the up vector's sideways tilt.
constexpr double kSwayTiltRate = 1.7188733375604615;

struct SwayedAim {
    TVector target;
    TVector up;
};

// target + position x weight; up = (0.4 sin(valueB x 1.7188733375604615 x weight), 1, 0).
// The products are taken in double and rounded to float.
SwayedAim swayAim(const PathSample& sample, const TVector& target, double weight);

// The path's sample at scene time t, laid over the script, then setCamera (common/camera.h).
void setSwayedCamera(Data_Interface* engine, const CameraPath& path, float t, const TVector& eye,
                     const TVector& target, float fovDegrees, double weight);
