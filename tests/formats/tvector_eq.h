#pragma once
// Exact comparison and printing of TVector for the format tests.
#include <ostream>

#include "common/tvector.h"

inline bool operator==(const TVector& a, const TVector& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline bool operator!=(const TVector& a, const TVector& b) { return !(a == b); }
inline std::ostream& operator<<(std::ostream& os, const TVector& v) {
    return os << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}
