#pragma once
// Recorded camera paths ("try1.sav"): 28-byte records of a point and two values. Loading
// closes the recording's loop and smooths it with Catmull-Rom curves resampled at equal arc
// length, so that scenes can look samples up by index every frame.
//
//   CameraPath path;
//   path.load("..//newresources//try1.sav");
//   PathSample s = path.swayAt(int32_t(35 * t - 76));   // safe for any path length
//
// File layout (little-endian, no header): float32 x, y, z, float64 value A, float64 value B;
// a trailing partial record is ignored.
#include <cstdint>
#include <string>
#include <vector>

#include "common/tvector.h"

struct PathRecord {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    double valueA = 0.0;
    double valueB = 0.0;
};

constexpr size_t kPathRecordBytes = 28;

// Writer for the content generator. False (with a message printed) on I/O failure.
bool writePathRecords(const std::string& path, const std::vector<PathRecord>& records);
// The largest value a record may hold, in any field.
constexpr double kMaxPathValue = 100000.0;

// Reads every whole record. False (with `error` naming the file and the fault) when it cannot
// be read, or when a field is not a finite number or lies beyond kMaxPathValue; `records` is
// then empty.
bool readPathRecords(const std::string& path, std::vector<PathRecord>& records, std::string& error);

// An open or closed Catmull-Rom curve through its control points; control point i sits at t = i.
class PathCurve {
public:
    std::vector<TVector> points;
    int type = 3;         // always cubic
    bool closed = false;  // no curve of the show is closed

    int count() const { return static_cast<int>(points.size()); }

    // The point at parameter t. An empty curve gives (0, 0, 0).
    TVector evaluate(float t) const;
    // Replaces the control points by targetCount points at equal arc length along the curve,
    // measured with `subdivisions` steps per segment. No change with fewer than 4 control
    // points or 0 subdivisions.
    void resample(int targetCount, int subdivisions);
};

// One sample as the scenes read it.
struct PathSample {
    TVector position;
    double valueA = 0.0;
    double valueB = 0.0;
};

class CameraPath {
public:
    std::vector<TVector> points;   // after the loop blend
    std::vector<double> valuesA;   // after the loop blend and smoothing
    std::vector<double> valuesB;
    PathCurve pointCurve;          // the smoothed points, n control points
    PathCurve curveA;              // (index, value A, 0), smoothed
    PathCurve curveB;              // (index, value B, 0), smoothed

    // Reads, blends and smooths. A file that cannot be opened leaves the object unchanged
    // (and says so on the console).
    // NOTE: a channel whose first smoothing pass would leave fewer than 4 control points (a
    // path of fewer than 80 samples) keeps its unsmoothed values, and its curve keeps the n
    // samples as they are.
    bool load(const std::string& path);

    int count() const { return static_cast<int>(points.size()); }

    // The sample at step k, taken as the scenes do: index k modulo (n - 1), with k read as an
    // unsigned 64-bit value (a negative k counts as 2^64 + k). With fewer than two samples
    // there is nothing to sway by: the result is all zero.
    PathSample swayAt(int32_t k) const;
};
