#include "scenes/particles/rainbow_timeline.h"

#include <cmath>

#include "common/shaping.h"

namespace rainbow {

namespace {

// A turn about the y axis by `angle` radians (+z toward +x for a positive angle).
Mat4 turnY(float angle) {
    Mat4 m = mat4Identity();
    const float c = std::cos(angle), s = std::sin(angle);
    m[0] = c;
    m[2] = -s;
    m[8] = s;
    m[10] = c;
    return m;
}

Mat4 scaled(float x, float y, float z) {
    Mat4 m = mat4Identity();
    m[0] = x;
    m[5] = y;
    m[10] = z;
    return m;
}

// The middle of the crowd, a little above the ground: what the camera keeps in frame.
const TVector kCrowdCentre(0.0f, 0.9f, -3.0f);

}  // namespace

CameraShot cameraAt(float t) {
    const double td = t;
    const double push = ease(td / 14.0, 3.0);           // the drive: in toward the crowd
    const double rise = ease((td - 15.0) / 14.0, 3.0);  // then up and back over it
    const double arc = -0.3 + 0.55 * ease(td / 24.0, 3.0);
    const double radius = 17.0 - 7.0 * push + 5.0 * rise;
    CameraShot shot;
    shot.eye = TVector(static_cast<float>(kCrowdCentre.x + radius * std::sin(arc)),
                       static_cast<float>(1.3 + 0.3 * push + 2.6 * rise),
                       static_cast<float>(kCrowdCentre.z + radius * std::cos(arc)));
    shot.target = kCrowdCentre + TVector(static_cast<float>(-0.8 * std::sin(arc)), static_cast<float>(0.2 + 0.5 * rise), 0.0f);
    shot.fovDegrees = static_cast<float>(45.0 - 3.0 * push + 5.0 * rise);
    return shot;
}

Mat4 cheetahLocal(float t) {
    const float since = t < kCheetahFrom ? 0.0f : t - kCheetahFrom;
    const int run = static_cast<int>(std::floor(since / kCheetahRunSeconds));
    const float u = since - static_cast<float>(run) * kCheetahRunSeconds;
    const float direction = run % 2 == 0 ? 1.0f : -1.0f;
    const float lane = run % 2 == 0 ? 1.8f : 2.2f;
    const float x = direction * (-11.0f + 3.2f * u);
    const float bound = 0.12f * std::fabs(std::sin(u * 8.2f));
    return mat4Multiply(mat4Translation(x, bound, lane), turnY(direction * 1.5707964f));
}

WalkerPose walkerAt(int walker, float t) {
    static const float kDepth[kWalkers] = {-11.0f, -12.6f};
    static const float kStart[kWalkers] = {-13.0f, 12.0f};
    const int w = walker < 0 ? 0 : (walker >= kWalkers ? kWalkers - 1 : walker);
    const float direction = w == 0 ? 1.0f : -1.0f;
    const float x = kStart[w] + direction * 0.8f * t;
    int frame = static_cast<int>(std::floor(t * 34.0f)) + 23 * w;
    frame %= kWalkFrames;
    if (frame < 0) frame += kWalkFrames;
    WalkerPose pose;
    pose.frame = frame;
    pose.local = mat4Multiply(mat4Translation(x, 0.0f, kDepth[w]), turnY(direction * 1.5707964f));
    return pose;
}

// At the crowd's front right, far enough in to stay in the picture as the camera pushes in.
Mat4 buffaloLocal() { return mat4Multiply(mat4Translation(4.5f, 0.0f, -0.3f), turnY(-1.15f)); }

Mat4 peopleReflectionLocal() { return scaled(1.0f, -1.0f, 1.0f); }

Mat4 distantCrowdLocal() { return mat4Multiply(mat4Translation(0.0f, 0.0f, -22.0f), scaled(1.4f, 1.0f, 1.0f)); }

float veilAlpha(float t) {
    if (t < 1.5f) {
        const float k = 1.0f - (t < 0.0f ? 0.0f : t) / 1.5f;
        return 0.7f * k * k;
    }
    if (t > kEndTime - 1.0f) {
        const float k = (t - (kEndTime - 1.0f)) / 1.0f;
        return 0.7f * (k > 1.0f ? 1.0f : k);
    }
    return 0.0f;
}

}  // namespace rainbow
