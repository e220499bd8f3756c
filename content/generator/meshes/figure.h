#pragma once
// A human figure: a skeleton posed by joint angles (forward kinematics), and a body of
// smooth-blended primitives around it. Metres, y up, the figure faces +z, its left is +x.
#include "generator/meshes/sdf.h"

namespace kit {

enum Side { kLeft = 0, kRight = 1 };

struct Pose {
    float hipFlex[2] = {0, 0};       // radians; + swings the leg forward
    float hipOut[2] = {0.03f, 0.03f};  // abduction, + away from the body
    float knee[2] = {0, 0};          // + bends the knee
    float ankle[2] = {0, 0};         // + lifts the toes
    float shoulderFlex[2] = {0, 0};  // + swings the arm forward
    float shoulderOut[2] = {0.12f, 0.12f};
    float elbow[2] = {0.15f, 0.15f};  // + bends the elbow
    float lean = 0.0f;               // whole body, + forward
    float spineLean = 0.0f;          // chest over pelvis, + forward
    float twist = 0.0f;              // chest about the spine
    float sideBend = 0.0f;
    float headPitch = 0.0f, headYaw = 0.0f;
    float yaw = 0.0f;                // the whole figure about y
    Vec3 rootOffset;                 // added after the feet are set on the ground
    bool grounded = true;            // lift or lower so the lowest sole touches y = 0
    float tilt = 0.0f;               // whole body about z (for fallers)
    float roll = 0.0f;               // whole body about x, after lean
};

struct Joints {
    Vec3 pelvis, chest, neck, head;
    Vec3 shoulder[2], elbow[2], wrist[2], hand[2];
    Vec3 hip[2], knee[2], ankle[2], heel[2], toe[2];
    Mat3 torso, headRot;
};

struct Build {
    float height = 1.75f;
    float bulk = 1.0f;        // girth of limbs and torso
    float hips = 1.0f;        // width of the pelvis
    int dress = 0;            // 0 trousers, 1 skirt, 2 long coat, 3 drape (statues)
    bool longHair = false;
    Vec3 skin{0.93f, 0.80f, 0.70f};
    Vec3 top{0.80f, 0.78f, 0.74f};
    Vec3 bottom{0.35f, 0.36f, 0.42f};
    Vec3 shoes{0.22f, 0.2f, 0.2f};
    Vec3 hair{0.35f, 0.25f, 0.18f};
    float detail = 1.0f;      // 0 drops the small features (nose, ears, fingers' hint)
    bool bareHead = false;    // no head or hair: the caller models them (the neck stays)
};

Joints solvePose(const Pose& pose, const Build& build);
// Adds the body to the shape (about 30 primitives).
void addFigure(Shape& shape, const Joints& j, const Build& build);

// The walk cycle: phase 0..1, one full stride (left heel strike at 0), walking in place.
Pose walkPose(float phase);
// A relaxed standing pose; `variant` picks the weight leg, arm positions and head turn.
Pose standPose(int variant);
// A figure in free fall, limbs spread; `variant` varies the spread.
Pose fallPose(int variant);

}  // namespace kit
