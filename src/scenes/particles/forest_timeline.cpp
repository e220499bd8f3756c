#include "scenes/particles/forest_timeline.h"

#include <cmath>

#include "common/c_random.h"
#include "common/shaping.h"

namespace forest {

namespace {

// A turn about the y axis by `angle` radians (+z toward +x for a positive angle).
Mat4 turnY(float angle) {
    Mat4 m = mat4Identity();
    const float c = std::cos(angle), s = std::sin(angle);
    m[0] = c;    // column 0: the image of +x
    m[2] = -s;
    m[8] = s;    // column 2: the image of +z
    m[10] = c;
    return m;
}

// 0 below 0, 1 above 1, and x^2 (3 - 2x) between: a rise that starts moving at once.
double smoothRise(double x) {
    x = x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x);
    return x * x * (3.0 - 2.0 * x);
}

}  // namespace

CameraShot cameraAt(float t) {
    const double td = t;
    // Up and back as the trees grow, from the first second on, so that the trunks (full height
    // by about 6) and then the crowns (by about 12) stay in the picture.
    const double rise = smoothRise((td - 1.0) / 11.0);
    const double settle = ease((td - 21.0) / 8.5, 3.0);   // the close: a little nearer again
    const double arc = -0.30 + 0.55 * ease(td / 29.85, 3.0);
    const double radius = 8.0 + 4.5 * rise - 1.2 * settle;
    const double eyeY = 0.9 + 2.1 * rise - 0.4 * settle;
    const double targetY = 0.7 + 2.5 * rise - 0.3 * settle;
    const TVector centre(0.0f, 0.0f, -0.5f);
    CameraShot shot;
    shot.eye = centre + TVector(static_cast<float>(radius * std::sin(arc)), static_cast<float>(eyeY),
                                static_cast<float>(radius * std::cos(arc)));
    shot.target = centre + TVector(static_cast<float>(-0.6 * std::sin(arc)), static_cast<float>(targetY), 0.0f);
    shot.up = TVector(0.0f, 1.0f, 0.0f);
    shot.fovDegrees = 50.0f;
    return shot;
}

WalkerPose walkerAt(int walker, float t) {
    static const float kDepth[kWalkers] = {-7.2f, -8.4f, -9.6f, -10.8f};
    static const float kStart[kWalkers] = {-12.5f, 11.0f, -15.5f, 14.0f};
    const int w = walker < 0 ? 0 : (walker >= kWalkers ? kWalkers - 1 : walker);
    const float direction = w % 2 == 0 ? 1.0f : -1.0f;
    const float speed = 0.8f * (0.95f + 0.04f * static_cast<float>(w));
    const float x = kStart[w] + direction * speed * t;
    int frame = static_cast<int>(std::floor(t * 34.0f * (0.95f + 0.04f * static_cast<float>(w)))) + 13 * w;
    frame %= kWalkFrames;
    if (frame < 0) frame += kWalkFrames;
    WalkerPose pose;
    pose.frame = frame;
    pose.local = mat4Multiply(mat4Translation(x, 0.0f, kDepth[w]), turnY(direction * 1.5707964f));
    return pose;
}

void makeGrass(GrassBlade (&blades)[kGrassBlades]) {
    CRandom random(7301);
    for (GrassBlade& b : blades) {
        const float x = random.unit15() * 30.0f - 15.0f;
        const float z = random.unit15() * 20.0f - 13.0f;
        const float h = 0.12f + 0.35f * random.unit15() * random.unit15();
        const float lean = random.unit15() * 0.2f - 0.1f;
        const float leanZ = random.unit15() * 0.2f - 0.1f;
        b.root = TVector(x, 0.0f, z);
        b.tip = TVector(x + lean, h, z + leanZ);
        b.grey = 0.05f + 0.11f * random.unit15();
    }
}

Mat4 buffaloLocal() { return mat4Multiply(mat4Translation(-8.6f, 0.0f, -4.2f), turnY(0.9f)); }

Mat4 standing3Local() { return mat4Multiply(mat4Translation(7.4f, 0.0f, -6.2f), turnY(-0.45f)); }

Mat4 mirrored(const Mat4& local) {
    Mat4 flip = mat4Identity();
    flip[5] = -1.0f;
    return mat4Multiply(flip, local);
}

}  // namespace forest
