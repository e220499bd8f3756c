#pragma once
// TVector: three 32-bit floats, the system's point and direction type.
#include <cmath>

struct TVector {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    TVector() = default;
    TVector(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    TVector operator+(const TVector& o) const { return {x + o.x, y + o.y, z + o.z}; }
    TVector operator-(const TVector& o) const { return {x - o.x, y - o.y, z - o.z}; }
    TVector operator-() const { return {-x, -y, -z}; }
    TVector operator*(float s) const { return {x * s, y * s, z * s}; }
    TVector& operator+=(const TVector& o) { x += o.x; y += o.y; z += o.z; return *this; }
    TVector& operator-=(const TVector& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    TVector& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
    bool operator==(const TVector& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const TVector& o) const { return !(*this == o); }

    float length() const { return std::sqrt(x * x + y * y + z * z); }

    // a x b = (a.y b.z - a.z b.y, a.z b.x - a.x b.z, a.x b.y - a.y b.x)
    static TVector cross(const TVector& a, const TVector& b) {
        return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    }
    static float dot(const TVector& a, const TVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

    // NOTE: a vector shorter than 1e-8 becomes (0, 0, 0) instead of being divided.
    void normalize() {
        float l = length();
        if (l < 1e-8f) {
            x = y = z = 0.0f;
            return;
        }
        x /= l;
        y /= l;
        z /= l;
    }
};

inline TVector operator*(float s, const TVector& v) { return v * s; }
