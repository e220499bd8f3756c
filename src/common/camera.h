#pragma once
// The particle scenes' camera: a perspective projection (vertical field of view in degrees,
// aspect viewWidth / viewHeight, near 0.01, far 250) and a look-at view, written into the
// engine's projectionMatrix, viewMatrix and mvpMatrix (= projection x view).
//
//   setCamera(engine, TVector(13, 0.5f, 0), TVector(0, 0.5f, 0), TVector(0, 1, 0), 55.0f);
//
// Computed on the CPU, without the fixed-function matrix stack; the matrices are the ones
// gluPerspective and gluLookAt would build.
#include "common/mat4.h"
#include "common/tvector.h"

struct Data_Interface;

constexpr float kCameraNear = 0.01f;
constexpr float kCameraFar = 250.0f;

struct CameraMatrices {
    Mat4 projection;
    Mat4 view;
    Mat4 mvp;
};

// The three matrices for a view of `aspect` (width / height).
CameraMatrices cameraMatrices(const TVector& eye, const TVector& target, const TVector& up,
                              float fovDegrees, float aspect);

void setCamera(Data_Interface* engine, const TVector& eye, const TVector& target,
               const TVector& up, float fovDegrees);
