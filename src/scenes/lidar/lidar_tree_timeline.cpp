#include "scenes/lidar/lidar_tree_timeline.h"

#include <cmath>
#include <cstdlib>

#include "common/shaping.h"

namespace lidar_tree {

namespace {

constexpr float kPi = 3.14159265f;

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

// 0 before `from`, 1 after `from + length`, the shared ease in between.
float easeIn(float t, float from, float length) {
    return static_cast<float>(ease((static_cast<double>(t) - from) / length, 3.0));
}

// Positive remainder of a by b.
float wrap(float a, float b) {
    const float r = std::fmod(a, b);
    return r < 0.0f ? r + b : r;
}

// The meshes' own sizes against the world's (file units to world units).
constexpr float kStandingScale = 0.5f;    // the group's figures are about 3.7 units tall
constexpr float kStatueScale = 0.07f;     // agalma2 is about 81 units tall: 5.7 here
constexpr float kLateStatueScale = 0.045f;
constexpr float kPlateScale = 1.0f;
constexpr float kBirdScale = 1.8f;
constexpr float kBirdMeshHeight = 1.0f;   // the bird mesh floats 1 unit above its origin

// Walkers: 1.4 units a second (a stride per cycle of the walk), across 22 units of plaza.
constexpr float kWalkSpeed = 1.4f;
constexpr float kWalkSpan = 22.0f;

}  // namespace

namespace {

// A move from a to b as u goes from 0 to 1, starting and ending at rest.
TVector glide(const TVector& a, const TVector& b, float u) {
    const float v = clamp01(u);
    return a + (b - a) * (v * v * (3.0f - 2.0f * v));
}

// A move from a to b as u goes from 0 to 1, starting at rest and arriving still moving (a
// shot that a cut ends).
TVector easeOut(const TVector& a, const TVector& b, float u) {
    const float v = clamp01(u);
    return a + (b - a) * (v * v * (1.5f - 0.5f * v));
}

}  // namespace

Shot shotAt(float t) {
    if (t < kLanded) return Shot::Descent;
    if (t >= 11.8 && t < 18.0f) return Shot::FirstOrbit;
    if (t > 24.4 && t < 30.4) return Shot::SecondOrbit;
    if (t < 11.8) return Shot::Plaza;
    if (t < 24.4) return Shot::Ruins;
    if (t < 35.0f) return Shot::Group;
    if (t < 43.6) return Shot::Crane;
    if (t < 54.0f) return Shot::Mosaic;
    if (t < 67.2) return Shot::Park;
    if (t < 77.2) return Shot::Statues;
    return Shot::Birds;
}

CameraPose cameraAt(float t) {
    const double e = ease((static_cast<double>(t) + 13.0) * 0.06, 3.0);
    const CameraPose landed{TVector(0.0f, 2.0f, 0.0f), TVector(0.0f, 2.0f, 10.0f)};
    switch (shotAt(t)) {
    case Shot::Descent:
        return {TVector(0.0f, static_cast<float>((1.0 - e) * 55.0 * 1.2 + 2.0), static_cast<float>(-(1.0 - e) * 55.0)),
                TVector(0.0f, 2.0f, 10.0f)};
    case Shot::FirstOrbit: {
        const float a = -0.03f * t;
        return {TVector(22.0f * std::sin(a), 1.0f, 22.0f * std::cos(a)), TVector(0.0f, 5.0f, 0.0f)};
    }
    case Shot::SecondOrbit: {
        const float a = -0.03f * t;
        return {TVector(32.0f * std::sin(a), 0.8f, 32.0f * std::cos(a) + 7.0f), TVector(0.0f, 5.0f, 7.0f)};
    }
    case Shot::Plaza: {
        // Landed, the camera walks on across the plaza, drifting right and up, as the new
        // scan sweeps in and the walkers cross in front.
        const float u = (t - kLanded) / (11.8f - kLanded);
        return {easeOut(landed.eye, TVector(3.5f, 2.8f, 3.0f), u), easeOut(landed.target, TVector(-2.5f, 1.2f, 12.0f), u)};
    }
    case Shot::Ruins: {
        // Low along the ruined wall south of the plaza, past the archway.
        const float u = (t - 18.0f) / 6.4f;
        return {glide(TVector(-12.5f, 1.3f, 0.5f), TVector(-6.0f, 1.0f, -6.2f), u),
                glide(TVector(-8.5f, 1.5f, -5.5f), TVector(1.5f, 1.1f, -9.5f), u)};
    }
    case Shot::Group: {
        // Close on the standing group before the camera, from their right, sliding round
        // towards their faces.
        const float u = (t - 30.4f) / 4.6f;
        return {glide(TVector(3.2f, 1.6f, 1.6f), TVector(1.6f, 1.7f, 0.4f), u),
                glide(TVector(-0.4f, 1.5f, 4.4f), TVector(-0.4f, 1.6f, 4.4f), u)};
    }
    case Shot::Crane: {
        // Up and round: the landscape from above, the colonnade and the trees beyond it.
        const float u = clamp01((t - 35.0f) / 8.6f);
        const float s = u * u * (3.0f - 2.0f * u);
        const float a = 0.9f + 1.3f * s, r = 9.0f + 9.0f * s;
        return {TVector(r * std::sin(a), 3.0f + 13.0f * s, r * std::cos(a)), TVector(0.0f, 0.5f + 0.5f * s, 0.0f)};
    }
    case Shot::Mosaic: {
        // Over the floral mosaic on the ground, rising slowly to take it in whole.
        const float u = (t - 43.6f) / 10.4f;
        return {glide(TVector(0.0f, 3.0f, 1.0f), TVector(0.0f, 9.0f, 2.5f), u), glide(TVector(0.0f, 0.0f, 9.0f), TVector(0.0f, 0.0f, 11.5f), u)};
    }
    case Shot::Park: {
        // The park's scan again, growing from the middle: a slow circle above the colonnade,
        // looking in across the mosaic.
        const float a = 3.5f - (t - 54.0f) * 0.07f;
        return {TVector(17.0f * std::sin(a), 7.0f - (t - 54.0f) * 0.15f, 17.0f * std::cos(a) + 8.0f), TVector(0.0f, 1.5f, 8.0f)};
    }
    case Shot::Statues: {
        // Low on the plaza, looking up as the statues rise against the sky.
        const float u = (t - 67.2f) / 10.0f;
        return {glide(TVector(-3.0f, 0.6f, 2.0f), TVector(-1.5f, 0.8f, 4.0f), u), glide(TVector(0.5f, 4.8f, 12.0f), TVector(0.5f, 4.2f, 12.5f), u)};
    }
    case Shot::Birds:
        break;
    }
    // The plate and the birds circling over the statues, against the night, from low on the
    // right; the camera pulls back and sinks while the music resolves.
    const float u = (t - 77.2f) / (kEndTime - 77.2f);
    return {glide(TVector(4.5f, 0.8f, 2.0f), TVector(3.0f, 0.5f, -2.0f), u), glide(TVector(-0.5f, 5.5f, 12.0f), TVector(0.0f, 4.0f, 11.0f), u)};
}

int standingWindow(float t) {
    if (t >= 11.8 && t < 18.0f) return 0;
    if (t >= 24.4 && t < 30.4) return 1;
    if (t >= 30.4 && t < 35.0f) return 2;
    return -1;
}

float secondCloudFraction(float t) {
    return clamp01((t - 54.0f) * 2.0f) - clamp01(t - 59.0f) + clamp01(t - 64.5f);
}

bool statueDrawn(int placement, float t) {
    static const double kEnds[kStatues] = {73.0, 76.0, 79.8};
    if (placement < 0 || placement >= kStatues) return false;
    return t > 67.2 && t < kEnds[placement];
}

int walkFrameA(float t) { return std::abs(static_cast<int>(t * 53.0f + 5245.0f)) % kWalkFrames; }
int walkFrameB(float t) { return std::abs(static_cast<int>(t * 53.0f + 550.0f)) % kWalkFrames; }

Mat4 placement(const TVector& position, float yaw, float scale) {
    const float c = std::cos(yaw) * scale;
    const float s = std::sin(yaw) * scale;
    Mat4 m = mat4Identity();
    // Columns: x -> (cos, 0, -sin), y -> (0, 1, 0), z -> (sin, 0, cos); a quarter turn takes
    // +z onto +x.
    m[0] = c;
    m[2] = -s;
    m[5] = scale;
    m[8] = s;
    m[10] = c;
    m[12] = position.x;
    m[13] = position.y;
    m[14] = position.z;
    return m;
}

Mat4 walkerPlacement(int walker, float t) {
    // The walk-cycle meshes walk in place facing +z. Walker 0 crosses at z = 7 toward +x,
    // walker 1 further back toward -x; their wraps fall outside both orbits.
    if (walker == 0) {
        const float x = -kWalkSpan * 0.5f + kWalkSpeed * wrap(t, kWalkSpan / kWalkSpeed);
        return placement(TVector(x, 0.05f, 7.0f), kPi * 0.5f, 1.0f);
    }
    const float x = kWalkSpan * 0.5f - kWalkSpeed * wrap(t + 12.0f, kWalkSpan / kWalkSpeed);
    return placement(TVector(x, 0.05f, 9.5f), -kPi * 0.5f, 1.0f);
}

Mat4 standingPlacement(int window) {
    // The group's rows run toward -z in the file; each window turns its front to the camera.
    switch (window) {
    case 0: return placement(TVector(0.0f, 0.24f, 1.2f), -0.45f, kStandingScale);   // on the plinth
    case 1: return placement(TVector(0.0f, 0.24f, 1.5f), -0.8f, kStandingScale);
    default: return placement(TVector(0.0f, 0.05f, 4.0f), kPi, kStandingScale);     // before the camera
    }
}

Mat4 statuePlacement(int placementIndex, float t) {
    static const TVector kSpots[kStatues] = {TVector(-4.6f, 0.0f, 11.0f), TVector(4.6f, 0.0f, 11.0f),
                                             TVector(0.0f, 0.0f, 14.5f)};
    static const float kEnds[kStatues] = {73.0f, 76.0f, 79.8f};
    static const float kYaw[kStatues] = {kPi - 0.35f, kPi + 0.35f, kPi};
    const int i = placementIndex < 0 ? 0 : (placementIndex >= kStatues ? kStatues - 1 : placementIndex);
    const float height = 81.3f * kStatueScale;
    // Out of the ground over 2.5 s, back into it over the last 1.5 s of the window.
    const float up = easeIn(t, 67.2f + 0.3f * i, 2.5f) - easeIn(t, kEnds[i] - 1.5f, 1.5f);
    TVector at = kSpots[i];
    at.y = (up - 1.0f) * height;
    return placement(at, kYaw[i], kStatueScale);
}

Mat4 lateStatuePlacement(int placementIndex, float t) {
    const float side = placementIndex == 0 ? -1.0f : 1.0f;
    const float height = 81.3f * kLateStatueScale;
    const float up = easeIn(t, 77.5f, 2.0f);
    return placement(TVector(side * 3.4f, (up - 1.0f) * height, 9.0f), kPi - side * 0.5f, kLateStatueScale);
}

Mat4 platePlacement(float t) {
    // Hovers above the plaza where the middle statue sank, with a slow sway.
    const float sway = 0.12f * std::sin((t - 77.2f) * 0.7f);
    return placement(TVector(0.0f, 3.0f + 0.08f * std::sin((t - 77.2f) * 1.1f), 12.0f), kPi + sway, kPlateScale);
}

Mat4 birdPlacement(int bird, float t) {
    const float dir = bird == 0 ? 1.0f : -1.0f;
    const float s = t - 67.6f;
    // In from far behind the camera onto a circle round the statues, over five seconds.
    const float arrive = easeIn(t, 67.6f, 5.0f);
    const float radius = 26.0f + (bird == 0 ? 5.0f - 26.0f : 3.6f - 26.0f) * arrive;
    const float speed = bird == 0 ? 0.45f : 0.6f;
    const float angle = kPi + (bird == 0 ? 0.0f : 0.35f) + dir * speed * s;
    const float height = 9.0f - (bird == 0 ? 4.3f : 3.2f) * arrive + 0.3f * std::sin(s * 0.9f + bird);
    const TVector centre(0.0f, 0.0f, 12.0f);
    const TVector at(centre.x + radius * std::sin(angle), height - kBirdMeshHeight * kBirdScale,
                     centre.z + radius * std::cos(angle));
    // Heading along the circle: the tangent of the angle's motion.
    const float heading = angle + dir * kPi * 0.5f;
    return placement(at, heading, kBirdScale);
}

Mat4 floralFloorPlacement() {
    Mat4 m = mat4Identity();
    m[0] = 8.0f;
    m[10] = 8.0f;
    m[12] = 0.0f;
    m[13] = 0.03f;
    m[14] = 11.0f;
    return m;
}

}  // namespace lidar_tree
