#include "generator/meshes/figure.h"

namespace kit {

namespace {

const Vec3 kDown(0, -1, 0);

// A periodic bump centred at c (phase units) of width w.
float bump(float phase, float c, float w) {
    float d = phase - c;
    d -= std::floor(d + 0.5f);
    return std::exp(-(d / w) * (d / w));
}

}  // namespace

Joints solvePose(const Pose& pose, const Build& build) {
    const float u = build.height / 1.75f;
    Joints j;
    const Mat3 root = Mat3::rotY(pose.yaw) * Mat3::rotZ(pose.tilt) * Mat3::rotX(pose.lean) * Mat3::rotX(pose.roll);
    j.torso = root * Mat3::rotY(pose.twist) * Mat3::rotX(pose.spineLean) * Mat3::rotZ(pose.sideBend);
    j.pelvis = Vec3(0, 0.95f * u, 0);
    j.chest = j.pelvis + j.torso * Vec3(0, 0.32f * u, 0);
    j.neck = j.chest + j.torso * Vec3(0, 0.19f * u, -0.01f * u);
    j.headRot = j.torso * Mat3::rotY(pose.headYaw) * Mat3::rotX(pose.headPitch);
    j.head = j.neck + j.headRot * Vec3(0, 0.13f * u, 0.015f * u);
    const Mat3 pelvisRot = root * Mat3::rotY(-pose.twist * 0.5f);
    for (int s = 0; s < 2; ++s) {
        const float sx = s == kLeft ? 1.0f : -1.0f;
        j.shoulder[s] = j.chest + j.torso * Vec3(sx * 0.165f * u * build.bulk, 0.115f * u, -0.015f * u);
        const Mat3 armBase = j.torso * Mat3::rotZ(sx * pose.shoulderOut[s]);
        const Vec3 upper = armBase * (Mat3::rotX(-pose.shoulderFlex[s]) * kDown);
        const Vec3 fore = armBase * (Mat3::rotX(-(pose.shoulderFlex[s] + pose.elbow[s])) * kDown);
        j.elbow[s] = j.shoulder[s] + upper * (0.29f * u);
        j.wrist[s] = j.elbow[s] + fore * (0.25f * u);
        j.hand[s] = j.wrist[s] + fore * (0.15f * u);

        j.hip[s] = j.pelvis + pelvisRot * Vec3(sx * 0.09f * u * build.hips, -0.04f * u, 0);
        const Mat3 legBase = pelvisRot * Mat3::rotZ(sx * pose.hipOut[s]);
        const Vec3 thigh = legBase * (Mat3::rotX(-pose.hipFlex[s]) * kDown);
        const float shinAngle = pose.hipFlex[s] - pose.knee[s];
        const Vec3 shin = legBase * (Mat3::rotX(-shinAngle) * kDown);
        j.knee[s] = j.hip[s] + thigh * (0.43f * u);
        j.ankle[s] = j.knee[s] + shin * (0.42f * u);
        const Mat3 footRot = legBase * Mat3::rotX(-(shinAngle + pose.ankle[s]));
        const Vec3 footDir = footRot * Vec3(0, 0, 1);
        const Vec3 footUp = footRot * Vec3(0, 1, 0);
        j.heel[s] = j.ankle[s] - footUp * (0.05f * u) - footDir * (0.045f * u);
        j.toe[s] = j.ankle[s] - footUp * (0.06f * u) + footDir * (0.17f * u);
    }
    Vec3 shift = pose.rootOffset;
    if (pose.grounded) {
        float ground = 1e9f;
        for (int s = 0; s < 2; ++s) ground = std::min(ground, std::min(j.heel[s].y, j.toe[s].y) - 0.03f * u);
        shift.y -= ground;
    }
    Vec3* all[] = {&j.pelvis, &j.chest, &j.neck, &j.head};
    for (Vec3* p : all) *p += shift;
    for (int s = 0; s < 2; ++s) {
        Vec3* limb[] = {&j.shoulder[s], &j.elbow[s], &j.wrist[s], &j.hand[s], &j.hip[s], &j.knee[s], &j.ankle[s], &j.heel[s], &j.toe[s]};
        for (Vec3* p : limb) *p += shift;
    }
    return j;
}

void addFigure(Shape& s, const Joints& j, const Build& b) {
    const float u = b.height / 1.75f;
    const float g = b.bulk;
    const Mat3& T = j.torso;
    const Mat3& H = j.headRot;
    // Torso: pelvis, belly and chest.
    s.ellipsoid(j.pelvis + T * Vec3(0, -0.03f * u, 0), Vec3(0.155f * b.hips, 0.12f, 0.105f) * (u * g), T).colour(b.bottom).blend(0.04f * u);
    s.ellipsoid(j.pelvis + T * Vec3(0, 0.15f * u, 0.005f * u), Vec3(0.14f, 0.15f, 0.1f) * (u * g), T).colour(b.top).blend(0.08f * u);
    s.ellipsoid(j.chest + T * Vec3(0, 0.03f * u, 0), Vec3(0.172f, 0.17f, 0.112f) * (u * g), T).colour(b.top).blend(0.08f * u);
    // Sloping shoulders from the base of the neck.
    for (int side = 0; side < 2; ++side)
        s.capsule(j.neck + T * Vec3(0, -0.04f * u, -0.01f * u), j.shoulder[side], 0.055f * u * g, 0.05f * u * g).colour(b.top).blend(0.05f * u);
    // Neck and head.
    s.capsule(j.neck + T * Vec3(0, -0.03f * u, 0), j.head + H * Vec3(0, -0.05f * u, -0.02f * u), 0.05f * u * g, 0.042f * u).colour(b.skin).blend(0.035f * u);
    if (!b.bareHead) {
        s.ellipsoid(j.head + H * Vec3(0, 0.01f * u, -0.01f * u), Vec3(0.082f, 0.106f, 0.1f) * u, H).colour(b.skin).blend(0.02f * u);
        s.ellipsoid(j.head + H * Vec3(0, -0.055f * u, 0.028f * u), Vec3(0.058f, 0.055f, 0.062f) * u, H).colour(b.skin).blend(0.03f * u);
        if (b.detail > 0) {
            s.capsule(j.head + H * Vec3(0, 0.0f, 0.08f * u), j.head + H * Vec3(0, -0.032f * u, 0.097f * u), 0.011f * u, 0.016f * u).colour(b.skin).blend(0.012f * u);
            for (float sx : {-1.0f, 1.0f})
                s.ellipsoid(j.head + H * Vec3(sx * 0.078f * u, -0.005f * u, -0.005f * u), Vec3(0.012f, 0.03f, 0.02f) * u, H).colour(b.skin).blend(0.01f * u);
        }
        // Hair: a cap over the back and top of the head; longer hair falls to the shoulders.
        s.ellipsoid(j.head + H * Vec3(0, 0.035f * u, -0.025f * u), Vec3(0.09f, 0.095f, 0.1f) * u, H).colour(b.hair).blend(0.01f * u);
        if (b.longHair)
            s.ellipsoid(j.head + H * Vec3(0, -0.08f * u, -0.055f * u), Vec3(0.085f, 0.13f, 0.05f) * u, H).colour(b.hair).blend(0.03f * u);
    }
    // Arms.
    for (int side = 0; side < 2; ++side) {
        s.sphere(j.shoulder[side], 0.05f * u * g).colour(b.top).blend(0.04f * u);
        s.capsule(j.shoulder[side], j.elbow[side], 0.05f * u * g, 0.04f * u * g).colour(b.top).blend(0.025f * u);
        s.capsule(j.elbow[side], j.wrist[side], 0.04f * u * g, 0.029f * u * g).colour(b.top).blend(0.02f * u);
        const Vec3 dir = normalize(j.hand[side] - j.wrist[side]);
        s.ellipsoid(j.wrist[side] + dir * (0.07f * u), Vec3(0.022f, 0.075f, 0.042f) * u, Mat3::yOnto(dir) * Mat3::rotY(side == kLeft ? 0.0f : 0.0f))
            .colour(b.skin).blend(0.02f * u);
    }
    // Legs and feet.
    for (int side = 0; side < 2; ++side) {
        const Vec3 thigh = j.knee[side] - j.hip[side];
        const Vec3 shin = j.ankle[side] - j.knee[side];
        s.capsule(j.hip[side], j.knee[side], 0.085f * u * g, 0.058f * u * g).colour(b.bottom).blend(0.04f * u);
        s.ellipsoid(j.knee[side] + shin * 0.3f + cross(shin, Vec3(1, 0, 0)) * 0.0f, Vec3(0.05f * g, 0.13f, 0.052f * g) * u,
                    Mat3::yOnto(shin)).colour(b.bottom).blend(0.03f * u);
        s.capsule(j.knee[side], j.ankle[side], 0.056f * u * g, 0.038f * u * g).colour(b.bottom).blend(0.025f * u);
        (void)thigh;
        s.capsule(j.heel[side], j.toe[side], 0.036f * u, 0.03f * u).colour(b.shoes).blend(0.03f * u);
    }
    // Dress: a skirt to the knees, a long coat, or a heavy drape to the ankles.
    if (b.dress != 0) {
        const Vec3 waist = j.pelvis + T * Vec3(0, 0.06f * u, 0);
        const float reach = b.dress == 1 ? 0.5f : (b.dress == 2 ? 0.7f : 0.85f);
        const Vec3 hem = (j.knee[0] + j.knee[1]) * 0.5f * (1.0f - (reach - 0.5f) * 2.0f) +
                         (j.ankle[0] + j.ankle[1]) * 0.5f * ((reach - 0.5f) * 2.0f);
        const float hemR = std::max(0.2f * u, length(j.knee[0] - j.knee[1]) * 0.5f + 0.09f * u);
        const Vec3 c = b.dress == 2 ? b.top : b.bottom;
        s.capsule(waist, hem, 0.15f * u * g, hemR * (b.dress == 3 ? 1.05f : 1.0f)).colour(c).blend(0.05f * u);
        if (b.dress == 2) s.capsule(j.chest, waist, 0.17f * u * g, 0.16f * u * g).colour(c).blend(0.05f * u);
    }
}

Pose walkPose(float phase) {
    Pose p;
    const float tau = 2.0f * kPi;
    for (int s = 0; s < 2; ++s) {
        const float ph = phase + (s == kLeft ? 0.0f : 0.5f);
        // Hip: forward at heel strike, back at toe-off.
        p.hipFlex[s] = 0.06f + 0.38f * std::cos(tau * ph) + 0.05f * std::sin(2 * tau * ph);
        // Knee: a small bend after heel strike, a large one in swing.
        p.knee[s] = 0.05f + 0.28f * bump(ph, 0.13f, 0.07f) + 1.05f * bump(ph, 0.72f, 0.12f);
        // Ankle: toes up at heel strike, pushed down at toe-off.
        p.ankle[s] = 0.12f * bump(ph, 0.0f, 0.06f) - 0.3f * bump(ph, 0.6f, 0.06f) + 0.15f * bump(ph, 0.8f, 0.08f);
        // Arms swing against the legs.
        p.shoulderFlex[s] = -0.42f * std::cos(tau * ph) + 0.03f;
        p.elbow[s] = 0.3f + 0.22f * (0.5f - 0.5f * std::cos(tau * ph));
        p.shoulderOut[s] = 0.09f;
        p.hipOut[s] = 0.02f;
    }
    p.lean = 0.05f;
    p.twist = 0.1f * std::cos(tau * phase);
    p.sideBend = 0.03f * std::sin(tau * phase);
    p.headPitch = 0.05f;
    return p;
}

Pose standPose(int variant) {
    Pose p;
    const int w = variant % 2;  // weight on the left or the right leg
    p.hipFlex[w] = 0.0f;
    p.hipFlex[1 - w] = 0.12f;
    p.knee[1 - w] = 0.22f;
    p.hipOut[1 - w] = 0.08f;
    p.sideBend = (w == 0 ? 1.0f : -1.0f) * 0.05f;
    p.headYaw = 0.25f * float((variant * 7) % 5 - 2) / 2.0f;
    p.headPitch = 0.05f * float((variant * 3) % 3 - 1);
    switch ((variant / 2) % 4) {
        case 0:  // arms hang
            break;
        case 1:  // hands on hips
            for (int s = 0; s < 2; ++s) {
                p.shoulderOut[s] = 0.55f;
                p.shoulderFlex[s] = -0.2f;
                p.elbow[s] = 1.8f;
            }
            break;
        case 2:  // arms folded
            for (int s = 0; s < 2; ++s) {
                p.shoulderFlex[s] = 0.35f;
                p.shoulderOut[s] = 0.2f;
                p.elbow[s] = 1.9f;
            }
            break;
        case 3:  // one hand raised to the chin
            p.shoulderFlex[w] = 0.75f;
            p.elbow[w] = 2.3f;
            p.shoulderOut[w] = 0.15f;
            break;
    }
    return p;
}

Pose fallPose(int variant) {
    Pose p;
    p.grounded = false;
    const float v = float(variant % 5) / 4.0f;
    for (int s = 0; s < 2; ++s) {
        const float sx = s == 0 ? 1.0f : -1.0f;
        p.shoulderOut[s] = 1.3f + 0.6f * v + 0.2f * sx * (v - 0.5f);
        p.shoulderFlex[s] = 0.3f * sx * (1 - v);
        p.elbow[s] = 0.4f + 0.5f * v;
        p.hipOut[s] = 0.35f + 0.2f * v;
        p.hipFlex[s] = (s == 0 ? 0.5f : -0.2f) * (1.0f - v) + 0.2f;
        p.knee[s] = 0.6f + 0.6f * (s == 0 ? v : 1 - v);
    }
    p.lean = 0.3f + 1.2f * v;
    p.roll = 0.2f * (1 - v);
    p.headPitch = -0.3f;
    return p;
}

}  // namespace kit
