#include "common/tvector.h"

#include <cmath>

float TVector::length() const { return std::sqrt(x * x + y * y + z * z); }

TVector& TVector::normalize() {
    const float len = length();
    if (len < 1e-8f) {
        x = y = z = 0.0f;
    } else {
        x /= len;
        y /= len;
        z /= len;
    }
    return *this;
}

TVector cross(const TVector& a, const TVector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

TVector TMatrix3::operator*(const TVector& v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

TMatrix3 eulerRotation(float a, float b, float c) {
    const float ca = std::cos(a), sa = std::sin(a);
    const float cb = std::cos(b), sb = std::sin(b);
    const float cc = std::cos(c), sc = std::sin(c);
    // Rx(a) * Ry(b) * Rz(c), multiplied out.
    TMatrix3 r;
    r.m[0][0] = cb * cc;
    r.m[0][1] = -cb * sc;
    r.m[0][2] = sb;
    r.m[1][0] = sa * sb * cc + ca * sc;
    r.m[1][1] = -sa * sb * sc + ca * cc;
    r.m[1][2] = -sa * cb;
    r.m[2][0] = -ca * sb * cc + sa * sc;
    r.m[2][1] = ca * sb * sc + sa * cc;
    r.m[2][2] = ca * cb;
    return r;
}
