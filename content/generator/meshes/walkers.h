#pragma once
// The walk cycle's frames and joints (for tests and previews).
#include "generator/meshes/figure.h"
#include "generator/meshes/mesh.h"

namespace kit {

constexpr int kWalkFrames = 56;
Build walkerBuild();
// Frame 1..56, centimetres, feet on y = 0, facing +z.
Joints walkerJoints(int frame);
Mesh walkerFrame(int frame);

}  // namespace kit
