#pragma once
// Pieces the scan scenes share around their scene pass: the common start (clear, camera,
// fixed state, the generator's seed) and the clamped textures of their composite.
//
//   ScanView view;
//   beginScanPass(engine, eye, target, up, 25.0f, view);   // fills view.modelView, .projection
//   program.setMat4("MV", view.modelView);
//   program.setMat4("MP", view.projection);
#include <GL/glew.h>

#include "common/tvector.h"

struct Data_Interface;

// The scans are in scene units of about a thousandth: a metre is 0.001.
constexpr float kScanNear = 0.001f;
constexpr float kScanFar = 0.4f;
constexpr unsigned kScanRandSeed = 424;

struct ScanView {
    float modelView[16];   // "MV"
    float projection[16];  // "MP"
};

// Clears colour (0, 0, 0, 1) and depth, selects texture unit 0, loads the fixed-function
// projection (fovDegrees, aspect viewWidth / viewHeight, kScanNear, kScanFar) and the look-at
// model-view and stores both in `view`; then culling and 2D texturing off, colour (1, 1, 0),
// and the C library generator seeded with kScanRandSeed.
void beginScanPass(const Data_Interface* engine, const TVector& eye, const TVector& target, const TVector& up,
                   float fovDegrees, ScanView& view);

// Clamps a 2D texture's wrapping at its edges in both directions.
void clampTextureEdges(GLuint texture);
