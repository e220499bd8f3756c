#pragma once
// TVector: three floats x, y, z with the small set of operations the scenes need, and the
// Euler rotation matrix Rx(a) * Ry(b) * Rz(c).
struct TVector {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    TVector() = default;
    TVector(float xValue, float yValue, float zValue) : x(xValue), y(yValue), z(zValue) {}

    TVector operator+(const TVector& o) const { return {x + o.x, y + o.y, z + o.z}; }
    TVector operator-(const TVector& o) const { return {x - o.x, y - o.y, z - o.z}; }
    TVector operator*(float s) const { return {x * s, y * s, z * s}; }
    TVector operator-() const { return {-x, -y, -z}; }
    TVector& operator+=(const TVector& o) { x += o.x; y += o.y; z += o.z; return *this; }
    TVector& operator-=(const TVector& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    TVector& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }

    float dot(const TVector& o) const { return x * o.x + y * o.y + z * o.z; }
    float length() const;
    // Scales to unit length in place. NOTE: a vector shorter than 1e-8 becomes (0, 0, 0)
    // rather than being divided by (almost) zero.
    TVector& normalize();
};

inline TVector operator*(float s, const TVector& v) { return v * s; }

// a x b = (a.y b.z - a.z b.y, a.z b.x - a.x b.z, a.x b.y - a.y b.x)
TVector cross(const TVector& a, const TVector& b);

// A 3 x 3 matrix, row-major: m[row][col].
struct TMatrix3 {
    float m[3][3];
    TVector operator*(const TVector& v) const;
};

// Rx(a) * Ry(b) * Rz(c), angles in radians; its first row is (cos b cos c, -cos b sin c, sin b).
TMatrix3 eulerRotation(float a, float b, float c);
