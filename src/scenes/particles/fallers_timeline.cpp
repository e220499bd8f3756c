#include "scenes/particles/fallers_timeline.h"

#include <algorithm>
#include <cmath>

#include "common/shaping.h"

namespace fallers {

namespace {

// A well-mixed 32-bit hash (the shaders' hashU), as a number in [0, 1).
float unitHash(uint32_t x, uint32_t stream) {
    x = x * 0x9e3779b9u + stream * 0x85ebca6bu;
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return static_cast<float>(x >> 8) * (1.0f / 16777216.0f);
}

float smooth01(float edge0, float edge1, float x) {
    const float v = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return v * v * (3.0f - 2.0f * v);
}

}  // namespace

double cameraLift(float t) { return ramp((static_cast<double>(t) - 16.0) * 0.2); }

CameraPose cameraAt(float t, const PathSample& sway) {
    CameraPose pose;
    pose.eye = TVector(7.0f, static_cast<float>(0.4 * cameraLift(t)), 0.0f);
    pose.swayX = static_cast<float>(static_cast<double>(sway.position.x) * kSwayWeight);
    pose.swayY = static_cast<float>(static_cast<double>(sway.position.y) * kSwayWeight);
    const float swayZ = static_cast<float>(static_cast<double>(sway.position.z) * kSwayWeight);
    pose.target = TVector(0.0f, 0.5f, 0.0f) + TVector(pose.swayX, pose.swayY, swayZ);
    pose.up = TVector(static_cast<float>(kRollAmount * std::sin(sway.valueB * kRollRate * kSwayWeight)), 1.0f, 0.0f);
    return pose;
}

MistDrift mistDrift(float swayX, float swayY) {
    return {static_cast<float>(static_cast<double>(swayX) * kMistDrift),
            static_cast<float>(static_cast<double>(swayY) * kMistDrift)};
}

Streak streakAt(int index, float t) {
    const uint32_t i = static_cast<uint32_t>(index);
    constexpr float kTop = 5.5f;
    constexpr float kFall = kTop - kWaterY;   // the height a mote falls through
    const float x = -4.0f + 6.5f * unitHash(i, 1u);
    const float z = -6.5f + 13.0f * unitHash(i, 2u);
    const float speed = 1.1f + 1.1f * unitHash(i, 3u);
    const float length = 0.12f + 0.25f * unitHash(i, 4u);
    const float travelled = std::fmod(unitHash(i, 5u) * kFall + speed * std::max(t, 0.0f), kFall);
    const float y = kTop - travelled;
    Streak s;
    s.head = TVector(x, y, z);
    s.tail = TVector(x, y + length, z);
    // Dim in, and gone before the water, so a mote that starts over is never seen to jump.
    s.brightness = (0.35f + 0.65f * unitHash(i, 6u)) * smooth01(0.0f, 1.0f, travelled) *
                   (1.0f - smooth01(kFall - 1.0f, kFall - 0.1f, travelled));
    return s;
}

}  // namespace fallers
