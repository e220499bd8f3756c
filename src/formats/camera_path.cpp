#include "formats/camera_path.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "formats/binary_io.h"

bool writePathRecords(const std::string& path, const std::vector<PathRecord>& records) {
    binio::Writer w;
    w.bytes.reserve(records.size() * kPathRecordBytes);
    for (const PathRecord& r : records) {
        w.value(r.x);
        w.value(r.y);
        w.value(r.z);
        w.value(r.valueA);
        w.value(r.valueB);
    }
    return w.save(path);
}

namespace {
const char* const kPathFieldNames[5] = {"x", "y", "z", "value A", "value B"};
}  // namespace

bool readPathRecords(const std::string& path, std::vector<PathRecord>& records, std::string& error) {
    records.clear();
    std::vector<uint8_t> bytes;
    if (!binio::readWholeFile(path, bytes, error)) return false;
    size_t n = bytes.size() / kPathRecordBytes;
    records.resize(n);
    const uint8_t* p = bytes.data();
    for (size_t i = 0; i < n; ++i, p += kPathRecordBytes) {
        PathRecord& r = records[i];
        std::memcpy(&r.x, p, 4);
        std::memcpy(&r.y, p + 4, 4);
        std::memcpy(&r.z, p + 8, 4);
        std::memcpy(&r.valueA, p + 12, 8);
        std::memcpy(&r.valueB, p + 20, 8);
        // One value that is not a number, or a huge one, spreads through the smoothing into
        // the whole channel (value B is a camera's up vector: every picture goes black).
        const double values[5] = {r.x, r.y, r.z, r.valueA, r.valueB};
        for (int k = 0; k < 5; ++k) {
            if (!(std::isfinite(values[k]) && std::fabs(values[k]) <= kMaxPathValue)) {
                char text[160];
                std::snprintf(text, sizeof text, ": record %zu has %s = %g, not a number or beyond +-%g", i,
                              kPathFieldNames[k], values[k], kMaxPathValue);
                error = path + text;
                records.clear();
                return false;
            }
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// PathCurve

TVector PathCurve::evaluate(float t) const {
    const int m = count();
    if (m == 0) return {};
    int i;
    float f;
    int i0, i1, i2, i3;
    if (!closed) {
        // A parameter far outside the curve (or not a number, from a file with NaN or infinite
        // points) is held near its end before the conversion to int; past the ends the
        // clamping below gives the same sample either way.
        const float held = std::isnan(t) ? 0.0f : std::clamp(t, -1.0f, static_cast<float>(m) + 1.0f);
        i = static_cast<int>(held);
        f = t - static_cast<float>(i);
        if (!(2.0f < t && t < static_cast<float>(m - 2))) {
            if (t > static_cast<float>(m)) f = 1.0f;
            if (t < 0.0f) f = 0.0f;
            i = std::clamp(i, 0, m - 1);
        }
        auto at = [m](int k) { return std::clamp(k, 0, m - 1); };
        i0 = at(i - 1);
        i1 = at(i);
        i2 = at(i + 1);
        i3 = at(i + 2);
    } else {
        // NOTE: the shift by m x 10000 only moves t by whole loops; done in float it would
        // round t to 1/128 and make a camera on the curve judder, so it is done in double.
        double shifted = t;
        if (!(2.0f < t && t < static_cast<float>(m - 2))) shifted += static_cast<double>(m) * 10000.0;
        if (!(std::fabs(shifted) < 2.0e9)) shifted = 0.0;  // not a number, or past int's range
        int whole = static_cast<int>(shifted);
        f = static_cast<float>(shifted - static_cast<double>(whole));
        auto wrap = [m](int k) { return ((k % m) + m) % m; };
        i = wrap(whole);
        i0 = wrap(i - 1);
        i1 = i;
        i2 = wrap(i + 1);
        i3 = wrap(i + 2);
    }
    const TVector& p0 = points[static_cast<size_t>(i0)];
    const TVector& p1 = points[static_cast<size_t>(i1)];
    const TVector& p2 = points[static_cast<size_t>(i2)];
    const TVector& p3 = points[static_cast<size_t>(i3)];
    const float f2 = f * f;
    auto component = [f, f2](float q0, float q1, float q2, float q3) {
        float a = (q2 - q0) * 0.5f;
        float b = (q3 - q1) * 0.5f;
        return ((2.0f * q1 - 2.0f * q2 + a + b) * f + (3.0f * q2 - 3.0f * q1 - 2.0f * a - b)) * f2 +
               a * f + q1;
    };
    return {component(p0.x, p1.x, p2.x, p3.x), component(p0.y, p1.y, p2.y, p3.y),
            component(p0.z, p1.z, p2.z, p3.z)};
}

void PathCurve::resample(int targetCount, int subdivisions) {
    const int m = count();
    if (m < 4 || subdivisions <= 0 || targetCount < 0) return;
    const int s = subdivisions;
    const size_t segments = static_cast<size_t>(s) * static_cast<size_t>(m);
    std::vector<float> length(segments + 1);
    length[0] = 0.0f;
    if (s > 1) {
        TVector prev = evaluate(0.0f);
        for (size_t i = 0; i < segments; ++i) {
            TVector next = evaluate(static_cast<float>(i + 1) / static_cast<float>(s));
            length[i + 1] = length[i] + (next - prev).length();
            prev = next;
        }
    } else {
        for (size_t i = 0; i < segments; ++i) {
            const TVector& a = points[i];
            const TVector& b = points[(i + 1) % static_cast<size_t>(m)];
            length[i + 1] = length[i] + (b - a).length();
        }
    }
    const float total = length[segments];
    std::vector<TVector> out(static_cast<size_t>(targetCount));
    size_t k = 0;
    for (int j = 0; j < targetCount; ++j) {
        float d = static_cast<float>(j) / static_cast<float>(targetCount) * total;
        while (k + 1 < segments && !(d <= length[k + 1])) ++k;
        float u = (d - length[k]) / std::max(0.001f, length[k + 1] - length[k]);
        out[static_cast<size_t>(j)] = evaluate((u + static_cast<float>(k)) / static_cast<float>(s));
    }
    points = std::move(out);
}

// ---------------------------------------------------------------------------------------------
// CameraPath

namespace {

// Fits the values as an open curve of (i, value, 0) points, smooths it through `first` control
// points and back to n, and copies the smoothed values back. Too few points to smooth: the
// curve keeps the samples as they are and so do the values.
void smoothValues(std::vector<double>& values, int first, PathCurve& curve) {
    const int n = static_cast<int>(values.size());
    curve = PathCurve{};
    curve.points.resize(values.size());
    for (int i = 0; i < n; ++i)
        curve.points[static_cast<size_t>(i)] = {static_cast<float>(i), static_cast<float>(values[static_cast<size_t>(i)]), 0.0f};
    if (first < 4 || n < 4) return;
    curve.resample(first, 3);
    curve.resample(n, 3);
    for (int i = 0; i < n; ++i) values[static_cast<size_t>(i)] = curve.points[static_cast<size_t>(i)].y;
}

}  // namespace

bool CameraPath::load(const std::string& path) {
    std::vector<PathRecord> records;
    std::string error;
    if (!readPathRecords(path, records, error)) {
        std::printf("formats: camera path %s\n", error.c_str());
        return false;
    }
    points.clear();
    valuesA.clear();
    valuesB.clear();
    const size_t n = records.size();
    points.reserve(n);
    valuesA.reserve(n);
    valuesB.reserve(n);
    for (const PathRecord& r : records) {
        points.push_back({r.x, r.y, r.z});
        valuesA.push_back(r.valueA);
        valuesB.push_back(r.valueB);
    }

    // Close the loop: the last six samples ramp from sample n - 6 toward sample 0, which
    // follows sample n - 1 when the path wraps.
    if (n > 5) {
        auto blend = [n](auto&& get, auto&& set) {
            double s = get(n - 6), e = get(0);
            for (size_t k = 0; k < 6; ++k) set(n - 6 + k, s + (e - s) * static_cast<double>(k) / 6.0);
        };
        blend([&](size_t i) { return double(points[i].x); }, [&](size_t i, double v) { points[i].x = float(v); });
        blend([&](size_t i) { return double(points[i].y); }, [&](size_t i, double v) { points[i].y = float(v); });
        blend([&](size_t i) { return double(points[i].z); }, [&](size_t i, double v) { points[i].z = float(v); });
        blend([&](size_t i) { return valuesA[i]; }, [&](size_t i, double v) { valuesA[i] = v; });
        blend([&](size_t i) { return valuesB[i]; }, [&](size_t i, double v) { valuesB[i] = v; });
    }

    const double nd = static_cast<double>(n);
    const int ni = static_cast<int>(n);
    pointCurve = PathCurve{};
    pointCurve.points = points;
    int firstPoints = static_cast<int>(std::trunc(nd / 5.0));
    if (firstPoints >= 4) {
        pointCurve.resample(firstPoints, 3);
        pointCurve.resample(ni, 3);
    }
    smoothValues(valuesB, static_cast<int>(std::trunc(nd / 20.0)), curveB);
    smoothValues(valuesA, static_cast<int>(std::trunc(nd / 10.0)), curveA);
    return true;
}

PathSample CameraPath::swayAt(int32_t k) const {
    const size_t n = points.size();
    if (n < 2) return {};
    uint64_t step = static_cast<uint64_t>(static_cast<int64_t>(k));
    size_t i = static_cast<size_t>(step % static_cast<uint64_t>(n - 1));
    return {points[i], valuesA[i], valuesB[i]};
}
