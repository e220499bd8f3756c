#pragma once
// 4 x 4 float matrices in OpenGL's column-major order (element [col * 4 + row]).
//
//   Mat4 view = mat4LookAt(eye, centre, up);
//   Mat4 mvp  = mat4Multiply(mat4Perspective(60.0f, aspect, 0.01f, 250.0f), view);
//   mat4Store(mvp, engine->mvpMatrix);
//
// The product is the ordinary one: in mat4Multiply(a, b) the right-hand factor b acts first
// on a vector. mat4Perspective and mat4LookAt give the same matrices as gluPerspective and
// gluLookAt, without touching GL state, so scenes can build cameras off the render thread.
#include "common/tvector.h"

struct Mat4 {
    float m[16];

    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
    // Element in column `col`, row `row`.
    float at(int row, int col) const { return m[col * 4 + row]; }
};

Mat4 mat4Identity();
Mat4 mat4Multiply(const Mat4& a, const Mat4& b);
Mat4 mat4Translation(float x, float y, float z);
// fovY in degrees, as gluPerspective. A degenerate request (zNear == zFar, aspect 0, fovY a
// multiple of 360) gives the identity, as GLU then leaves the matrix untouched.
Mat4 mat4Perspective(float fovYDegrees, float aspect, float zNear, float zFar);
Mat4 mat4LookAt(const TVector& eye, const TVector& centre, const TVector& up);

// Reads 16 floats in column-major order; writes 16 floats.
Mat4 mat4Load(const float* values);
void mat4Store(const Mat4& matrix, float* out);

// Transforms the point (x, y, z, 1).
TVector mat4TransformPoint(const Mat4& matrix, const TVector& point);
