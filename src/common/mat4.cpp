#include "common/mat4.h"

#include <cmath>

Mat4 mat4Identity() {
    Mat4 r{};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0f;
    return r;
}

Mat4 mat4Multiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[col * 4 + k];
            r.m[col * 4 + row] = sum;
        }
    }
    return r;
}

Mat4 mat4Translation(float x, float y, float z) {
    Mat4 r = mat4Identity();
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

// NOTE: GLU works in double precision here; so do we, and round once at the end.
Mat4 mat4Perspective(float fovYDegrees, float aspect, float zNear, float zFar) {
    const double radians = fovYDegrees / 2.0 * M_PI / 180.0;
    const double deltaZ = static_cast<double>(zFar) - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0.0 || sine == 0.0 || aspect == 0.0f) return mat4Identity();
    const double cotangent = std::cos(radians) / sine;
    Mat4 r{};
    r.m[0] = static_cast<float>(cotangent / aspect);
    r.m[5] = static_cast<float>(cotangent);
    r.m[10] = static_cast<float>(-(static_cast<double>(zFar) + zNear) / deltaZ);
    r.m[11] = -1.0f;
    r.m[14] = static_cast<float>(-2.0 * zNear * zFar / deltaZ);
    r.m[15] = 0.0f;
    return r;
}

// NOTE: GLU builds the rotation in single precision, as here; a zero-length vector stays
// zero in both.
Mat4 mat4LookAt(const TVector& eye, const TVector& centre, const TVector& up) {
    TVector forward = centre - eye;
    forward.normalize();
    TVector side = cross(forward, up);
    side.normalize();
    const TVector newUp = cross(side, forward);

    Mat4 r = mat4Identity();
    r.m[0] = side.x;
    r.m[4] = side.y;
    r.m[8] = side.z;
    r.m[1] = newUp.x;
    r.m[5] = newUp.y;
    r.m[9] = newUp.z;
    r.m[2] = -forward.x;
    r.m[6] = -forward.y;
    r.m[10] = -forward.z;
    return mat4Multiply(r, mat4Translation(-eye.x, -eye.y, -eye.z));
}

Mat4 mat4Load(const float* values) {
    Mat4 r;
    for (int i = 0; i < 16; ++i) r.m[i] = values[i];
    return r;
}

void mat4Store(const Mat4& matrix, float* out) {
    for (int i = 0; i < 16; ++i) out[i] = matrix.m[i];
}

TVector mat4TransformPoint(const Mat4& matrix, const TVector& p) {
    const float* m = matrix.m;
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
            m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}
