#pragma once
// The particle-shadow scene's script as plain functions of its clock: which walk-cycle frame
// each crowd shows (the clock itself is in driver/scene_clock.h), when the statue simulates and shows, which
// material rows are drawn, where the camera stands, and the row of grey points. Nothing here
// touches GL, so all of it is tested without a context.
#include <cstdint>

#include "common/tvector.h"

namespace particle_shadow {

constexpr int kWalkFrames = 56;
constexpr int kGrid = 1000;                 // particles per side of every system
constexpr int kGreyPointCount = 50;

// Walk-cycle frame of crowd A at scene time t: (int)(t * 34 + 2524) mod 56, in float.
int crowdAFrame(float t);
// Walk-cycle frame of crowd B: (int)(t * 35 + 41 + 2515) mod 56, additions in that order.
int crowdBFrame(float t);

// The statue system simulates while t > 15 and is drawn from t >= 16.
inline bool statueSimulates(float t) { return t > 15.0f; }
inline bool statueDrawn(float t) { return t >= 16.0f; }

enum class RowMesh : uint8_t { Statue, Island };
struct MaterialRow {
    float object;   // "object" uniform
    float refl;     // "Refl" uniform: 1 draws the mirrored copy
    RowMesh mesh;
};
constexpr int kMaterialRows = 10;
extern const MaterialRow kMaterialRowTable[kMaterialRows];
// Whether row `row` is drawn at time t. NOTE: the bounds 8.1, 0.2, 28.8 and 28.9 are compared
// in double precision, so t = 0.2f (slightly above 0.2) is already inside its window.
bool materialRowDrawn(int row, float t);

struct CameraPose {
    TVector eye;
    TVector target;
};
// Eye (13, 0.5, 0) toward (0, 0.5, 0); while 13 <= t < 16 the camera stands closer, at
// (8, 0.5, z) toward (0, 0.5, z), sliding from z = -3 to -1.8.
CameraPose cameraAt(float t);
constexpr float kFieldOfView = 55.0f;

struct GreyPoint {
    float grey;
    TVector position;
};
// The 50 grey points: a generator of their own seeded with 42424 (the numbers of the C
// library's rand() after srand(42424)), two draws per point (r1, then r2), each masked to
// 15 bits and divided by 32767 (CRandom::unit15). The process-wide rand() is not touched.
void makeGreyPoints(GreyPoint (&points)[kGreyPointCount]);

// Loading-screen weights, in the order load() reports them; they add up to 35.5.
constexpr float kWeightPerTwoAllocations = 0.25f;   // after each even-numbered walk frame
constexpr float kWeightPerBatch = 1.0f;             // before each batch of four workers
constexpr float kWeightPerTwoUploads = 0.25f;       // after each even-numbered upload
constexpr float kWeightBeforeMeshes = 4.25f;
constexpr float kWeightPerMesh = 1.0f;              // after the statue and the island
constexpr float kWeightAtEnd = 1.25f;
constexpr float kTotalLoadWeight = 35.5f;

}  // namespace particle_shadow
