#include "scenes/lidar/lidar_ao_start_timeline.h"

#include "common/shaping.h"

namespace lidar_ao_start {

// The town (see the content generator): a main street along x with its middle on z = 0, the
// street surface 2 m below the eye line (y = -2), a square with a monument around the origin,
// and the church tower closing the view at x = -19.

Shot shotAt(float t) {
    if (t >= 8.0f && t < 13.0f) return Shot::Push;
    if (t >= 21.4f && t < 24.33f) return Shot::Glide;
    if (t >= 26.0f && t < 28.0f) return Shot::Roofs;
    return Shot::Base;
}

void shotAt(float t, TVector& eye, TVector& target) {
    switch (shotAt(t)) {
    case Shot::Push: {
        // Across the square past the monument, looking up at the church tower.
        const float o = (t - 6.0f) * 0.4f;
        eye = TVector(10.0f - 1.2f * o, -0.6f + 0.3f * o, -3.8f + 0.3f * o);
        target = TVector(-19.0f, 9.0f + 1.0f * o, 0.0f);
        return;
    }
    case Shot::Glide: {
        // Down the middle of the street, over the parked cars, the house fronts on its far
        // side receding towards the square.
        const float g = (t - 21.4f) * 1.4f;
        const float d = (t - 21.4f) * 0.2f;
        eye = TVector(24.0f - g, 0.8f, 0.6f - d);
        target = TVector(8.0f - g, 1.5f, -5.0f);
        return;
    }
    case Shot::Roofs: {
        // High over the roofs, looking down the street to the square and the tower.
        const float q = 4.0f - (t - 26.0f) * 1.2f;
        eye = TVector(34.0f + q, 24.0f + q, 12.0f + 0.5f * q);
        target = TVector(-14.0f, 2.0f, 0.0f);
        return;
    }
    case Shot::Base:
        break;
    }
    // Backing away down the main street, rising from t = 23.
    eye = TVector(t * 0.4f + 22.0f, -0.5f + 2.2f * easeFloat((t - 23.0f) * 0.17f, 3.0f), 0.0f);
    target = TVector(0.0f, -0.5f, 0.0f);
}

float shakeAmplitude(float t) { return t < 13.0f ? 8.4825e-08f : 6.786e-07f; }

CameraPose cameraAt(float t, const TVector& swayPoint) {
    TVector eye, target;
    shotAt(t, eye, target);
    const TVector shake = swayPoint * shakeAmplitude(t);
    CameraPose pose;
    pose.eye = eye * kUnitsPerMetre + shake;
    pose.target = target * kUnitsPerMetre + shake;
    pose.up = TVector(0.02f, 1.0f, 0.0f);
    pose.rePosX = shake.x;
    pose.rePosY = shake.y;
    return pose;
}

float materialTime(float t, float controller) {
    float m = t;
    if (t >= 8.0f && t < 13.0f) m -= controller;
    if (t >= 13.0f) m -= 5.0f;
    if (t > 24.33f) m -= 4.0f;
    return m;
}

}  // namespace lidar_ao_start
