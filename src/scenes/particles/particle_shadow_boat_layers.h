#pragma once
// The boat scene's procedural line and point layers, as plain geometry: the stars, the moon's
// glitter on the water, the rings from the oars, the wake, the moonlight falling on the heap,
// the embers rising from it and the eyes' stare. Each fills a caller's fixed array (nothing
// is allocated per frame) and returns how many vertices it wrote. Every value comes from a
// hash of the element's index and the time, never from a shared generator, so frames are
// the same on every run.
#include "common/tvector.h"
#include "scenes/particles/fixed_layers.h"

namespace boat {

constexpr int kStars = 700;
constexpr int kGlints = 420;          // line segments
constexpr int kRippleRings = 6;
constexpr int kRingSegments = 48;
constexpr int kWakeSegments = 40;
constexpr int kMoonRays = 90;
constexpr int kEmbers = 500;
constexpr int kGazeLines = 48;

// Points on a sphere of radius 200 about the eye, above the horizon (GL_POINTS).
int makeStars(const TVector& eye, ColouredVertex* out);
// Short horizontal strokes on the water between the eye and the moon, flickering (GL_LINES).
int makeGlints(const TVector& eye, float t, ColouredVertex* out);
// Rings spreading from the oars (GL_LINES); `strength` 0..1 fades them in and out.
int makeRipples(float t, float strength, ColouredVertex* out);
// Two arms of a wake trailing behind the boat (GL_LINES).
int makeWake(float t, float strength, ColouredVertex* out);
// Lines falling steeply from the moon's side onto the heap (GL_LINES).
int makeMoonRays(float t, float strength, ColouredVertex* out);
// Sparks rising from the heap (GL_POINTS).
int makeEmbers(float t, float strength, ColouredVertex* out);
// The eyes' stare: thin lines from the eyes toward +x (GL_LINES).
int makeGazeLines(float t, float strength, ColouredVertex* out);

// Where the eyes stare out of the heap's flank, and how far apart they are (centre to centre).
const TVector kEyesCentre(1.05f, 1.6f, 0.0f);
constexpr float kEyesSpacing = 0.65f;

}  // namespace boat
