#pragma once
// Meshed figures for the groups and crowds: a posed, dressed figure meshed once and then
// placed many times.
#include "generator/meshes/figure.h"
#include "generator/meshes/mesh.h"
#include "generator/rng.h"

namespace kit {

Part meshFigure(const Pose& pose, const Build& build, float cell);
// A build with clothes, colours and size varied by the generator.
Build randomBuild(content::Rng& rng);

}  // namespace kit
