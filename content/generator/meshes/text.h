#pragma once
// Solid letters: a small stroke font (the capitals the show needs) extruded along z.
// Letters stand in the xy plane, baseline y = 0, reading along +x, facing +z.
#include <string>

#include "generator/meshes/sdf.h"

namespace kit {

struct TextStyle {
    float height = 1.0f;      // cap height
    float weight = 0.075f;    // stroke half width, in cap heights
    float depth = 0.09f;      // extrusion half depth, in cap heights
    float round = 0.02f;      // edge rounding, in cap heights
    float spacing = 0.22f;    // gap between letters, in cap heights
    float z = 0.0f;           // centre of the extrusion
    float y = 0.0f;           // baseline
    Vec3 colour{0.95f, 0.93f, 0.88f};
};

// Adds one letter at x (left edge) and returns its advance; unknown letters add nothing.
float addLetter(Shape& shape, char letter, float x, const TextStyle& style);
// The width of a word, to centre it.
float textWidth(const std::string& text, const TextStyle& style);

}  // namespace kit
