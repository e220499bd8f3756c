#pragma once
// The boat scene's script as plain functions of its clock: the sample sets it scatters, when
// the heads replace the boat, the camera shots and their sway weights, and the time windows
// of its layers. Nothing here touches GL, so all of it is tested without a context.
//
// The scene clock itself is the Boat entry of the shared clock table (driver/scene_clock.h).
#include <cstdint>

#include "common/tvector.h"

namespace boat {

constexpr int kGrid = 2560;                  // particles per side of the one system
constexpr int kEyesGrid = 512;               // the eyes set's texels per side
constexpr float kStartTime = -2.0f;          // localTime after load and after a shader reload
constexpr float kHeadsFrom = 35.0f;          // the heads replace the boat from here on

// [SECTION] Sample sets

// One mesh scattered by area into a TextureObject by a worker thread.
struct SampleSetDesc {
    const char* path;
    int grid;                // texels per side
    float densityX, densityY;
    TVector boxMin, boxMax;  // the clip box
};

// Worker order: 0 scene, 1 car, 2 heads, 3 eyes.
enum SampleSet : int { kSceneSet = 0, kCarSet = 1, kHeadsSet = 2, kEyesSet = 3, kSampleSets = 4 };
extern const SampleSetDesc kSampleSetDescs[kSampleSets];

// The order finishLoad uploads the sets in: scene, heads, car, eyes.
extern const SampleSet kUploadOrder[kSampleSets];

// From 35 on (35 included) the heads set takes the boat scene's units, and the eyes are bound.
inline bool headsActive(float t) { return t >= kHeadsFrom; }

// [SECTION] Camera

struct CameraShot {
    TVector eye;
    TVector target;
    float fov;       // vertical, degrees
    int window;      // which shot of the script (0 before 6, 1 from 6, ... 13 from 67)
};

constexpr int kCameraWindows = 14;
// Where each shot starts; shot 0 has no start.
extern const float kCameraWindowStarts[kCameraWindows];

// The shot at scene time t, before the recorded sway.
CameraShot cameraShot(float t);

// Vertical field of view: 45, from 41.5 on 28 + 18 ease((t - 41.5) / 4, 3), and in every
// shot minus 5 ramp(t - 68.6).
float fieldOfView(float t);

// The sway weight on the recorded path: 0.00006786 before 35, 0.00084825 in [35, 43),
// 0.00027144 from 43.
double swayWeight(float t);

// [SECTION] Layers

// The layers of the scene pass that are gated by time (the others are drawn always).
enum class Layer : uint8_t {
    Ripples,       // rings spreading from the oars, while the boat is on the water
    Wake,          // the boat's wake in the wide shot
    DipToBlack,    // the fade before the long shot at 20.7
    FadeIn,        // the heads come out of the dark at 35
    MoonRays,      // light falling from the moon onto the heap
    Embers,        // sparks rising from the heap
    GazeLines,     // the eyes' stare
};

struct LayerWindow {
    Layer layer;
    float from;    // drawn while from <= t < below
    float below;
};

constexpr int kLayerWindows = 10;
extern const LayerWindow kLayerWindowTable[kLayerWindows];

// Whether `layer` is drawn at scene time t.
bool layerDrawn(Layer layer, float t);
// Where t stands inside the first window of `layer` that holds it, 0..1 (0 outside).
float layerProgress(Layer layer, float t);

// [SECTION] Placement of the moon, the island and its statues

// The low moon, seen from anywhere in the scene (toward -x, a little to +z, 8 degrees up).
const TVector kMoonDirection(-0.9589f, 0.1392f, 0.2471f);
constexpr float kMoonDistance = 180.0f;   // from the eye, so it stays at the horizon
constexpr float kMoonHalfSize = 5.5f;

// The island stands behind the boat, toward the moon.
const TVector kIslandCentre(-34.0f, 0.0f, -6.0f);
constexpr float kIslandScale = 1.0f;     // island.objb is 27.6 units across, 2.1 high
// Approximate height of the island's surface above the water at (x, z), from its dome.
float islandHeight(float x, float z);

// The C library generator's seeds for the copies; reseeded every frame before placing them.
constexpr unsigned kStatueSeed = 4711;
constexpr unsigned kRowSeed = 815;
constexpr int kStatueCopies = 5;
constexpr int kRowCopies = 2;

// Loading-screen weights, in the order load and finishLoad report them; they add up to 7.4.
constexpr float kWeightLoadStep = 1.0f;     // six times in load
constexpr float kWeightBeforeUploads = 0.2f;
constexpr float kWeightPerUpload = 0.3f;
constexpr float kTotalLoadWeight = 7.4f;

}  // namespace boat
