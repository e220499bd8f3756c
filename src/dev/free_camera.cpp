#include "dev/free_camera.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dev {

namespace {

constexpr float kTurnPerPixel = 0.003f;  // radians
constexpr float kMaxPitch = 1.5f;

}  // namespace

void FreeCamera::toggle(const CameraPoseView& scene) {
    active_ = !active_;
    if (!active_) {
        camera_override::set(nullptr);
        return;
    }
    pose_ = scene;
    const float dx = scene.target.x - scene.eye.x;
    const float dy = scene.target.y - scene.eye.y;
    const float dz = scene.target.z - scene.eye.z;
    distance_ = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!(distance_ > 1e-6f)) distance_ = 1.0f;
    yaw_ = std::atan2(dx, -dz);
    pitch_ = std::asin(std::clamp(dy / distance_, -1.0f, 1.0f));
    pose_.up = TVector{0.0f, 1.0f, 0.0f};
    move(0.0f, 0, 0, 0.0f, 0.0f, 0.0f);
    camera_override::set(&pose_);
}

void FreeCamera::move(float seconds, int dx, int dy, float forward, float right, float up) {
    yaw_ += static_cast<float>(dx) * kTurnPerPixel;
    pitch_ = std::clamp(pitch_ - static_cast<float>(dy) * kTurnPerPixel, -kMaxPitch, kMaxPitch);
    const float cp = std::cos(pitch_);
    const float ahead[3] = {std::sin(yaw_) * cp, std::sin(pitch_), -std::cos(yaw_) * cp};
    const float side[3] = {std::cos(yaw_), 0.0f, std::sin(yaw_)};
    const float step = distance_ * seconds;
    pose_.eye.x += (ahead[0] * forward + side[0] * right) * step;
    pose_.eye.y += (ahead[1] * forward + up) * step;
    pose_.eye.z += (ahead[2] * forward + side[2] * right) * step;
    pose_.target.x = pose_.eye.x + ahead[0] * distance_;
    pose_.target.y = pose_.eye.y + ahead[1] * distance_;
    pose_.target.z = pose_.eye.z + ahead[2] * distance_;
}

std::string cameraPasteLine(const CameraPoseView& p) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "setCamera(engine, TVector(%.4ff, %.4ff, %.4ff), TVector(%.4ff, %.4ff, %.4ff), "
                  "TVector(%.4ff, %.4ff, %.4ff), %.2ff);",
                  p.eye.x, p.eye.y, p.eye.z, p.target.x, p.target.y, p.target.z, p.up.x, p.up.y, p.up.z, p.fovDegrees);
    return line;
}

}  // namespace dev
