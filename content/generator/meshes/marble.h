#pragma once
// Carved detail for the marble statues: a head with a face and a coiffure, drapery in folds,
// and the body's modelling (chest, belly, knees). Head coordinates: centre c, rotation H
// (local to world), unit u (1 for a figure 1.75 m tall); the face looks along local +z.
#include <cstdint>

#include "generator/meshes/figure.h"

namespace kit {

enum class Coiffure {
    Waves,       // parted in the middle, waved back into a knot at the nape
    Curls,       // short snail curls
    CurlsBeard,  // short curls and a curled beard
};

struct MarbleHead {
    Coiffure hair = Coiffure::Waves;
    uint64_t seed = 1;
    float fullness = 0.0f;  // 0 an adult's face; 1 a child's (rounder cheeks, shorter nose)
    Vec3 skin{0.93f, 0.91f, 0.87f};
    Vec3 hairColour{0.86f, 0.84f, 0.8f};
};

// The face, ears and hair (no neck).
void addMarbleHead(Shape& s, const Vec3& c, const Mat3& H, float u, const MarbleHead& head);

// A hanging garment between two rings: centre `top` (radius rTop) down to `bottom` (radius
// rBottom), elliptical (depth = radius * depth), with `folds` vertical folds whose depth
// grows from ampTop to ampBottom. `sway` bends the folds as they fall.
struct Drape {
    Vec3 top, bottom;
    float rTop = 0.15f, rBottom = 0.25f, depth = 0.75f;
    float ampTop = 0.003f, ampBottom = 0.02f;
    int folds = 14;
    float sway = 0.8f;
    float phase = 0.0f;
};
Shape::Ref addDrape(Shape& s, const Drape& d);

// The body's modelling for a marble figure: collarbones, chest (or breasts), belly,
// navel and knee caps.
void addMarbleBody(Shape& s, const Joints& j, float u, bool female, const Vec3& colour);

}  // namespace kit
