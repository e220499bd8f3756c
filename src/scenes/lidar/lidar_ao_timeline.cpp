#include "scenes/lidar/lidar_ao_timeline.h"

#include <cmath>

#include "common/shaping.h"

namespace lidar_ao {

// The park (see the content generator): 80 x 80 m around the origin, the ground near y = 0, a
// colonnade of radius 10.5 m round a dry fountain in the middle, a ruined chapel to the
// north-east at (21, -23) m, a gateway arch on the western path at (-26, 9.1) m.

namespace {

constexpr float kPi = 3.1415927f;

// A straight move from a to b as u goes from 0 to 1, eased at both ends.
TVector along(const TVector& a, const TVector& b, float u) {
    const float e = 0.5f - 0.5f * std::cos(kPi * std::fmin(std::fmax(u, 0.0f), 1.0f));
    return a + (b - a) * (0.35f * u + 0.65f * e);
}

TVector orbitPoint(float angle, float radius, float height) {
    return TVector(std::cos(angle) * radius, height, std::sin(angle) * radius);
}

// The big orbit's angle: it stays on the statue's side (-z), with the colonnade's standing
// columns and their beam behind the statue; the close orbit carries on from where it was at
// 47.55, faster.
float orbitAngle(float t) { return 4.0f + (t - 27.0f) * 0.055f; }
float closeOrbitAngle(float t) { return orbitAngle(47.55f) + (t - 47.55f) * 0.16f; }

}  // namespace

Shot shotAt(float t) {
    if (t >= 48.8f && t < 50.0f) return Shot::CloseUp;
    if (t >= 47.55f) return Shot::CloseOrbit;
    if (t >= 44.0f) return Shot::OrbitRise;
    if (t >= 27.0f) return Shot::Orbit;
    if (t >= 22.2f) return Shot::DollyRuins;
    if (t > 17.0f) return Shot::DollyIn;
    return Shot::Spline;
}

float fieldOfView(float t) { return (t >= 48.8f && t < 50.0f) ? 26.0f : 35.0f; }

TVector upAt(float t) { return t < 17.0f ? TVector(0.2f, 1.0f, 0.0f) : TVector(0.0f, 1.0f, 0.0f); }

float shakeAmplitude(float t) {
    float a = t < 17.0f ? 1.6965e-07f
                        : easeFloat((t - 37.0f) * 0.5f, 3.0f) * 0.35f * 0.01f * 0.0003393f + 6.786e-07f;
    a *= 0.7f;
    if (t >= 48.8f && t < 50.0f) a *= 0.1f;
    return a;
}

const PathCurve& splineCurve() {
    static const PathCurve curve = [] {
        static const float kPoints[7][2] = {{0.0242f, -0.0304f}, {0.0171f, -0.0288f}, {0.002f, -0.0212f},
                                            {-0.0086f, -0.0073f}, {-0.0161f, 0.016f}, {0.0027f, 0.0021f},
                                            {0.0161f, -0.0104f}};
        PathCurve c;
        c.closed = true;
        for (const auto& p : kPoints) c.points.push_back(TVector(p[0], 0.003f, p[1]));
        return c;
    }();
    return curve;
}

TVector splineAt(float s) { return splineCurve().evaluate(s); }

void shotPose(float t, TVector& eye, TVector& target) {
    switch (shotAt(t)) {
    case Shot::Spline: {
        const float s = t * 0.17f + 0.3f;
        const TVector a = splineAt(s);
        const TVector b = splineAt(s + 0.25f);
        eye = TVector(a.x, (4.0f - 3.0f * easeFloat(t * 0.1f, 3.0f)) * 0.006f, a.z + 0.0027f);
        target = TVector(b.x, 0.0028f, b.z + 0.0027f);
        return;
    }
    case Shot::DollyIn: {
        // Up the western path to the gateway arch, looking through it into the park.
        const float u = (t - 17.0f) / 5.2f;
        eye = along(TVector(-0.0284f, 0.0024f, 0.0209f), TVector(-0.0269f, 0.0024f, 0.0135f), u);
        target = eye + TVector(0.0020f, 0.0004f, -0.0100f);
        return;
    }
    case Shot::DollyRuins: {
        // Along the chapel's broken south wall.
        const float u = (t - 22.2f) / 4.8f;
        eye = along(TVector(0.0320f, 0.0032f, -0.0060f), TVector(0.0130f, 0.0036f, -0.0052f), u);
        target = eye + TVector(-0.0040f, -0.0004f, -0.0110f);
        return;
    }
    case Shot::Orbit:
    case Shot::OrbitRise: {
        // Inside the ring of trees round the colonnade, above the crowns.
        float height = 0.015f;
        if (t >= 44.0f) height += (t - 44.0f) * 0.0012f;
        eye = orbitPoint(orbitAngle(t), 0.018f, height);
        target = TVector(0.0f, 0.0042f, 0.0f);
        return;
    }
    case Shot::CloseOrbit: {
        eye = orbitPoint(closeOrbitAngle(t), 0.0105f, 0.0056f);
        target = kStatueBase + TVector(0.0f, kStatueHeight * 0.55f, 0.0f);
        if (t >= 50.0f && t < 51.2f) {
            // A breath upwards and out after the close-up.
            const float lift = std::sin(kPi * (t - 50.0f) / 1.2f);
            eye += TVector(0.0f, 0.001f, 0.0f) * lift + (eye - kStatueBase) * (0.06f * lift);
        }
        return;
    }
    case Shot::CloseUp: {
        // The statue's head and shoulders from the front (-z), drifting round a little.
        const float a = 4.55f + (t - 48.8f) * 0.08f;
        const TVector head = kStatueBase + TVector(0.0f, kStatueHeight * 0.64f, 0.0f);   // the spear rises above it
        eye = head + TVector(std::cos(a) * 0.0052f, 0.0004f, std::sin(a) * 0.0052f);
        target = head - TVector(0.0f, 0.0003f, 0.0f);
        return;
    }
    }
}

CameraPose cameraAt(float t, const TVector& swayPoint) {
    CameraPose pose;
    shotPose(t, pose.eye, pose.target);
    const TVector shake = swayPoint * shakeAmplitude(t);
    pose.eye += shake;
    pose.target += shake;
    pose.up = upAt(t);
    pose.fieldOfView = fieldOfView(t);
    return pose;
}

}  // namespace lidar_ao
