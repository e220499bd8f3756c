#include "common/camera_override.h"

namespace camera_override {

namespace {

const CameraPoseView* active = nullptr;  // render thread only
CameraPoseView scene;

}  // namespace

void set(const CameraPoseView* pose) { active = pose; }

void apply(TVector& eye, TVector& target, TVector& up, float& fovDegrees) {
    scene = {eye, target, up, fovDegrees};
    if (active == nullptr) return;
    eye = active->eye;
    target = active->target;
    up = active->up;
    fovDegrees = active->fovDegrees;
}

const CameraPoseView& lastScenePose() { return scene; }

}  // namespace camera_override
