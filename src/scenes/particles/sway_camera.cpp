#include "scenes/particles/sway_camera.h"

#include <cmath>

#include "common/camera.h"
#include "formats/path_sway.h"

SwayedAim swayAim(const PathSample& sample, const TVector& target, double weight) {
    SwayedAim aim;
    aim.target = TVector(static_cast<float>(target.x + sample.position.x * weight),
                         static_cast<float>(target.y + sample.position.y * weight),
                         static_cast<float>(target.z + sample.position.z * weight));
    aim.up = TVector(static_cast<float>(0.4 * std::sin(sample.valueB * kSwayTiltRate * weight)), 1.0f, 0.0f);
    return aim;
}

void setSwayedCamera(Data_Interface* engine, const CameraPath& path, float t, const TVector& eye,
                     const TVector& target, float fovDegrees, double weight) {
    const SwayedAim aim = swayAim(pathSwayAt(path, t), target, weight);
    setCamera(engine, eye, aim.target, aim.up, fovDegrees);
}
