#pragma once
// Mist over the ground or the water: a few horizontal sheets stacked above each other, drawn
// with a smog program ("ttime", "height", "MV", "Local", "MyTexture") that shapes the mist
// from its texture and noise. Blended over the picture (source alpha, one minus source
// alpha), depth-tested but not written, so whatever is drawn later still shows through.
//
//   SmogLayer mist;
//   mist.centre = TVector(0, 0, 0); mist.halfSize = 60.0f;
//   mist.sheets = 4; mist.lowest = 0.08f; mist.spacing = 0.22f;
//   drawSmogLayer(smogProgram, engine->mvpMatrix, localTime, mist, marble.texture);
#include <GL/glew.h>

#include "common/tvector.h"

class ShaderProgram;

struct SmogLayer {
    TVector centre;          // the middle of the sheets, at the ground
    float halfSize = 50.0f;  // each sheet spans centre +- halfSize in x and z
    int sheets = 3;
    float lowest = 0.1f;     // height of the first sheet above centre.y
    float spacing = 0.25f;   // between sheets
};

// Height of sheet i above the ground.
inline float smogSheetHeight(const SmogLayer& layer, int i) { return layer.lowest + layer.spacing * static_cast<float>(i); }

// Draws the sheets from the top down. "MyTexture" = texture on unit 0; for each sheet "height"
// is its height and "Local" places the unit square [-1, 1]^2 (texture coordinates 0..1).
// Restores the depth mask and turns blending off.
void drawSmogLayer(ShaderProgram& program, const float* mvp, float ttime, const SmogLayer& layer, GLuint texture);
