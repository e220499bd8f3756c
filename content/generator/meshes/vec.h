#pragma once
// Small vector and matrix types for the modelling kit (float, value semantics).
#include <algorithm>
#include <cmath>

namespace kit {

struct Vec3 {
    float x = 0, y = 0, z = 0;
    Vec3() = default;
    constexpr Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Vec3 operator/(float s) const { return {x / s, y / s, z / s}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3& operator+=(const Vec3& o) { x += o.x; y += o.y; z += o.z; return *this; }
    Vec3& operator-=(const Vec3& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    Vec3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
};

inline Vec3 operator*(float s, const Vec3& v) { return v * s; }
inline Vec3 mul(const Vec3& a, const Vec3& b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
inline float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(const Vec3& v) { return std::sqrt(dot(v, v)); }
inline Vec3 normalize(const Vec3& v) {
    float l = length(v);
    return l > 1e-12f ? v / l : Vec3(0, 0, 0);
}
inline Vec3 vmin(const Vec3& a, const Vec3& b) { return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)}; }
inline Vec3 vmax(const Vec3& a, const Vec3& b) { return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)}; }
inline Vec3 vabs(const Vec3& a) { return {std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)}; }
inline Vec3 lerp(const Vec3& a, const Vec3& b, float t) { return a + (b - a) * t; }
inline float clampf(float v, float lo, float hi) { return std::min(std::max(v, lo), hi); }
inline float mixf(float a, float b, float t) { return a + (b - a) * t; }
inline float smoothstepf(float e0, float e1, float x) {
    float t = clampf((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}
constexpr float kPi = 3.14159265358979f;

// A 3 x 3 matrix, rows r[0..2]; m * v = (r0.v, r1.v, r2.v).
struct Mat3 {
    Vec3 r[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 operator*(const Vec3& v) const { return {dot(r[0], v), dot(r[1], v), dot(r[2], v)}; }
    Mat3 operator*(const Mat3& o) const {
        Mat3 m;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m.r[i][j] = r[i].x * o.r[0][j] + r[i].y * o.r[1][j] + r[i].z * o.r[2][j];
        return m;
    }
    Mat3 transposed() const {
        Mat3 m;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m.r[i][j] = r[j][i];
        return m;
    }
    static Mat3 rotX(float a) {
        Mat3 m;
        float c = std::cos(a), s = std::sin(a);
        m.r[1] = {0, c, -s};
        m.r[2] = {0, s, c};
        return m;
    }
    static Mat3 rotY(float a) {
        Mat3 m;
        float c = std::cos(a), s = std::sin(a);
        m.r[0] = {c, 0, s};
        m.r[2] = {-s, 0, c};
        return m;
    }
    static Mat3 rotZ(float a) {
        Mat3 m;
        float c = std::cos(a), s = std::sin(a);
        m.r[0] = {c, -s, 0};
        m.r[1] = {s, c, 0};
        return m;
    }
    static Mat3 scale(const Vec3& s) {
        Mat3 m;
        m.r[0] = {s.x, 0, 0};
        m.r[1] = {0, s.y, 0};
        m.r[2] = {0, 0, s.z};
        return m;
    }
    // A rotation that carries +y onto dir (ellipsoids along a limb, curls round a lock).
    static Mat3 yOnto(const Vec3& dir) {
        const Vec3 y = normalize(dir);
        const Vec3 helper = std::fabs(y.z) < 0.9f ? Vec3(0, 0, 1) : Vec3(1, 0, 0);
        const Vec3 x = normalize(cross(y, helper));
        const Vec3 z = cross(x, y);
        Mat3 m;  // columns x, y, z
        m.r[0] = {x.x, y.x, z.x};
        m.r[1] = {x.y, y.y, z.y};
        m.r[2] = {x.z, y.z, z.z};
        return m;
    }
};

// A rigid placement with uniform scale: p' = rot * (p * scale) + offset.
struct Placement {
    Mat3 rot;
    float scale = 1.0f;
    Vec3 offset;
    Vec3 apply(const Vec3& p) const { return rot * (p * scale) + offset; }
    Vec3 applyDir(const Vec3& d) const { return rot * d; }
};

}  // namespace kit
