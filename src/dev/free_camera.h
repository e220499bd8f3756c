#pragma once
// C in developer mode: a camera flown by hand in place of the scene's (common/camera_override.h).
// It starts from the scene's own pose; the mouse turns it (yaw and pitch), W A S D move it
// forward, left, back and right, Q and E down and up, at a speed scaled to the scene (its
// eye-to-target distance per second). P prints the pose as a setCamera call.
#include <string>

#include "common/camera_override.h"

namespace dev {

class FreeCamera {
public:
    bool active() const { return active_; }
    // Takes over from `scene` (the scene's last pose), or hands back to the scene.
    void toggle(const CameraPoseView& scene);
    // One frame: `dx`, `dy` mouse motion in pixels, `held(scancode)` whether a key is down.
    template <typename Held>
    void step(float seconds, int dx, int dy, Held held) {
        const float f = (held(26) ? 1.0f : 0.0f) - (held(22) ? 1.0f : 0.0f);  // W, S
        const float r = (held(7) ? 1.0f : 0.0f) - (held(4) ? 1.0f : 0.0f);   // D, A
        const float u = (held(8) ? 1.0f : 0.0f) - (held(20) ? 1.0f : 0.0f);  // E, Q
        move(seconds, dx, dy, f, r, u);
    }
    void move(float seconds, int dx, int dy, float forward, float right, float up);
    const CameraPoseView& pose() const { return pose_; }

private:
    bool active_ = false;
    CameraPoseView pose_;
    float yaw_ = 0.0f;    // radians, about the up axis
    float pitch_ = 0.0f;  // radians, above the horizon
    float distance_ = 1.0f;
};

// "setCamera(engine, TVector(x, y, z), TVector(...), TVector(...), fov);": a pose ready to
// paste into a scene.
std::string cameraPasteLine(const CameraPoseView& pose);

}  // namespace dev
