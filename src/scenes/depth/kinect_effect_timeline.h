#pragma once
// The depth-camera scene's script as plain functions of its clock: the recording clock that
// picks the recording frame, the gates of its two particle systems, the camera, the recording's
// file names and the loading-screen weights. Nothing here touches GL.
#include <string>

#include "common/tvector.h"

namespace kinect_effect {

constexpr int kRainGrid = 1024;     // particles per side of the rain system
constexpr int kStartGrid = 1100;    // particles per side of the start system
constexpr int kSampleGrid = 1100;   // texels per side of both sample sets
constexpr int kSampleSets = 40;     // entries 0 (the plate) and 1 (the title) are filled

constexpr int kFirstRecordingFrame = 175;
constexpr int kLastRecordingFrame = 639;
constexpr float kRecordingRate = 18.0f;   // recording frames per scene second
constexpr const char* kRecordingFolder = "..//newresources//3//";

// "..//newresources//3//D_00175.tiff" and its signal twin "..//newresources//3//Dv00175.tiff".
std::string depthFileName(int number);
std::string signalFileName(int number);

struct RecordingStep {
    int index;           // frame index after the step
    float accumulator;   // recording frames elapsed and not yet shown
    bool advanced;       // a new frame is due: decode `index`
};
// One render call of the recording clock: the accumulator gains frameStep x 18; while it is
// above 1 the index moves on by one frame and the accumulator gives back 1, so every frame
// that is due is passed, however long the step, and only the last one needs decoding (at 18
// calls a second or more that is one frame per call at most). The index wraps as
// (index + n + 10 x count) mod count, the sum taken unsigned. With no frames (count 0) the
// accumulator runs on but nothing advances.
RecordingStep stepRecording(int index, float accumulator, float frameStep, int count);

// The start system simulates while t < 10.8 (compared in double) and is drawn while t < 12,
// so it stands frozen in between. The rain is drawn from t > 3.
inline bool startSimulates(float t) { return static_cast<double>(t) < 10.8; }
inline bool startDrawn(float t) { return t < 12.0f; }
inline bool rainDrawn(float t) { return t > 3.0f; }
// The scene pass never sees a negative time.
inline float passTime(float t) { return t < 0.0f ? 0.0f : t; }

// A fixed camera: three units in front of the origin, looking at it.
inline TVector cameraEye() { return TVector(0.0f, 0.0f, 3.0f); }
inline TVector cameraTarget() { return TVector(0.0f, 0.0f, 0.0f); }
inline TVector cameraUp() { return TVector(0.0f, 1.0f, 0.0f); }
constexpr float kFieldOfView = 45.0f;

// Loading-screen weights, in the order load() reports them.
constexpr float kWeightMaterial = 1.0f;   // after the material program
constexpr float kWeightWorkers = 1.0f;    // after starting the two mesh workers
constexpr float kWeightFrames = 2.0f;     // after the recording scan
constexpr float kTotalLoadWeight = 4.0f;

}  // namespace kinect_effect
