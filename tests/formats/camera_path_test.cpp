#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "formats/camera_path.h"
#include "support/temp_dir.h"
#include "tvector_eq.h"

namespace {

std::vector<PathRecord> wobble(int n) {
    std::vector<PathRecord> r(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        float t = static_cast<float>(i);
        r[size_t(i)] = {std::sin(t * 0.1f) * 100.0f, std::cos(t * 0.07f) * 50.0f, t * 0.5f,
                        std::sin(i * 0.05) * 10.0, std::cos(i * 0.03) * 1000.0};
    }
    return r;
}

std::string writePath(const testsupport::TempDir& dir, const std::vector<PathRecord>& records,
                      const std::string& name = "path.sav") {
    std::string path = dir.file(name);
    EXPECT_TRUE(writePathRecords(path, records));
    return path;
}

TEST(CameraPathFile, RoundTripIgnoresATrailingPartialRecord) {
    testsupport::TempDir dir;
    std::vector<PathRecord> records = wobble(7);
    std::string path = writePath(dir, records);
    FILE* f = std::fopen(path.c_str(), "ab");
    std::fwrite("0123456789", 1, 10, f);
    std::fclose(f);
    std::vector<PathRecord> back;
    std::string error;
    ASSERT_TRUE(readPathRecords(path, back, error)) << error;
    ASSERT_EQ(back.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(back[i].x, records[i].x);
        EXPECT_EQ(back[i].z, records[i].z);
        EXPECT_EQ(back[i].valueA, records[i].valueA);
        EXPECT_EQ(back[i].valueB, records[i].valueB);
    }
}

// Six records: sample n - 6 is sample 0 itself, so the ramp leaves every sample equal to it.
TEST(CameraPath, SixRecordsAllBecomeSampleZero) {
    testsupport::TempDir dir;
    std::vector<PathRecord> records = wobble(6);
    CameraPath path;
    ASSERT_TRUE(path.load(writePath(dir, records)));
    ASSERT_EQ(path.count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(path.points[size_t(i)], TVector(records[0].x, records[0].y, records[0].z)) << i;
        EXPECT_EQ(path.valuesA[size_t(i)], records[0].valueA) << i;
        EXPECT_EQ(path.valuesB[size_t(i)], records[0].valueB) << i;
    }
}

TEST(CameraPath, FiveRecordsAreNotBlended) {
    testsupport::TempDir dir;
    std::vector<PathRecord> records = wobble(5);
    CameraPath path;
    ASSERT_TRUE(path.load(writePath(dir, records)));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(path.points[size_t(i)].x, records[size_t(i)].x) << i;
        EXPECT_EQ(path.valuesB[size_t(i)], records[size_t(i)].valueB) << i;
    }
    EXPECT_EQ(path.pointCurve.count(), 5);
}

TEST(CameraPath, LoopBlendRampsTheLastSixSamples) {
    testsupport::TempDir dir;
    std::vector<PathRecord> records = wobble(12);
    CameraPath path;
    ASSERT_TRUE(path.load(writePath(dir, records)));
    double s = records[6].valueA, e = records[0].valueA;
    for (int k = 0; k < 6; ++k) EXPECT_EQ(path.valuesA[size_t(6 + k)], s + (e - s) * k / 6.0) << k;
    double sx = records[6].x, ex = records[0].x;
    EXPECT_EQ(path.points[9].x, static_cast<float>(sx + (ex - sx) * 3 / 6.0));
    EXPECT_EQ(path.points[5].x, records[5].x);
}

// 100 records: the points are fitted with 20 control points, value B with 5 and value A with
// 10, each resampled back to 100.
TEST(CameraPath, HundredRecordsSmoothThroughTwentyFiveAndTen) {
    testsupport::TempDir dir;
    CameraPath path;
    ASSERT_TRUE(path.load(writePath(dir, wobble(100))));
    ASSERT_EQ(path.pointCurve.count(), 100);
    ASSERT_EQ(path.curveA.count(), 100);
    ASSERT_EQ(path.curveB.count(), 100);

    CameraPath raw;  // the blended samples, from a path too short to smooth
    raw.points = path.points;
    auto expectCurve = [](std::vector<TVector> control, int first, const PathCurve& got, const char* what) {
        PathCurve c;
        c.points = std::move(control);
        c.resample(first, 3);
        EXPECT_EQ(c.count(), first) << what;
        c.resample(100, 3);
        ASSERT_EQ(c.count(), 100) << what;
        for (int i = 0; i < 100; ++i) ASSERT_EQ(c.points[size_t(i)], got.points[size_t(i)]) << what << " " << i;
    };
    expectCurve(path.points, 20, path.pointCurve, "points");

    // Rebuild the blended values from the file to fit them again.
    std::vector<PathRecord> records = wobble(100);
    std::vector<TVector> a(100), b(100);
    for (int i = 0; i < 100; ++i) {
        double va = records[size_t(i)].valueA, vb = records[size_t(i)].valueB;
        if (i >= 94) {
            int k = i - 94;
            va = records[94].valueA + (records[0].valueA - records[94].valueA) * k / 6.0;
            vb = records[94].valueB + (records[0].valueB - records[94].valueB) * k / 6.0;
        }
        a[size_t(i)] = {float(i), float(va), 0.0f};
        b[size_t(i)] = {float(i), float(vb), 0.0f};
    }
    expectCurve(a, 10, path.curveA, "value A");
    expectCurve(b, 5, path.curveB, "value B");
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(path.valuesA[size_t(i)], path.curveA.points[size_t(i)].y);
        EXPECT_EQ(path.valuesB[size_t(i)], path.curveB.points[size_t(i)].y);
    }
}

// Fewer than 80 samples: a channel whose first pass would leave fewer than 4 control points
// keeps its values; the others are smoothed as usual.
TEST(CameraPath, ShortPathKeepsUnsmoothableChannels) {
    testsupport::TempDir dir;
    std::vector<PathRecord> records = wobble(30);  // points: 6 control points, A: 3, B: 1
    CameraPath path;
    ASSERT_TRUE(path.load(writePath(dir, records)));
    ASSERT_EQ(path.pointCurve.count(), 30);
    ASSERT_EQ(path.curveA.count(), 30);
    ASSERT_EQ(path.curveB.count(), 30);
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(path.valuesA[size_t(i)], records[size_t(i)].valueA);
        EXPECT_EQ(path.valuesB[size_t(i)], records[size_t(i)].valueB);
    }
    EXPECT_NE(path.pointCurve.points[10], path.points[10]);
}

TEST(CameraPath, MissingFileLeavesThePathAsItWas) {
    testsupport::TempDir dir;
    CameraPath path;
    ASSERT_TRUE(path.load(writePath(dir, wobble(6))));
    EXPECT_FALSE(path.load(dir.file("missing.sav")));
    EXPECT_EQ(path.count(), 6);
}

// One value that is not a number or is huge anywhere in the file: refused with a line naming
// the file, the record and the field, and the path stays as it was, as for a missing file
// (before, value B became NaN after smoothing and the camera's up vector blacked out scenes).
TEST(CameraPath, AbsurdValuesAreRefused) {
    testsupport::TempDir dir;
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        void (*spoil)(PathRecord&, double);
        double value;
        const char* says;
    };
    const Case cases[] = {
        {"value B not a number", [](PathRecord& r, double v) { r.valueB = v; }, std::nan(""), "value B = nan"},
        {"value B infinite", [](PathRecord& r, double v) { r.valueB = v; }, inf, "value B = inf"},
        {"value B 1e300", [](PathRecord& r, double v) { r.valueB = v; }, 1e300, "value B = 1e+300"},
        {"value A -1e300", [](PathRecord& r, double v) { r.valueA = v; }, -1e300, "value A = -1e+300"},
        {"x infinite", [](PathRecord& r, double v) { r.x = static_cast<float>(v); }, inf, "x = inf"},
        {"z at 1e20", [](PathRecord& r, double v) { r.z = static_cast<float>(v); }, 1e20, "z = 1e+20"},
    };
    for (const Case& c : cases) {
        std::vector<PathRecord> records = wobble(100);
        c.spoil(records[42], c.value);
        const std::string file = writePath(dir, records, "absurd.sav");
        CameraPath path;
        ASSERT_TRUE(path.load(writePath(dir, wobble(6))));
        testing::internal::CaptureStdout();
        EXPECT_FALSE(path.load(file)) << c.name;
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find(file), std::string::npos) << c.name << ": " << out;
        EXPECT_NE(out.find("record 42"), std::string::npos) << c.name << ": " << out;
        EXPECT_NE(out.find(c.says), std::string::npos) << c.name << ": " << out;
        EXPECT_EQ(path.count(), 6) << c.name;
    }
    // The values the show's paths hold pass.
    CameraPath good;
    EXPECT_TRUE(good.load(writePath(dir, wobble(100), "good.sav")));
}

TEST(PathCurve, EvaluateHitsTheEndsAndTheControlPoints) {
    PathCurve c;
    for (int i = 0; i < 7; ++i) c.points.push_back({float(i * i), float(-i), 1.0f});
    const int m = c.count();
    EXPECT_EQ(c.evaluate(0.0f), c.points[0]);
    EXPECT_EQ(c.evaluate(float(m - 1)), c.points[size_t(m - 1)]);
    EXPECT_EQ(c.evaluate(3.0f), c.points[3]);
    EXPECT_EQ(c.evaluate(-5.0f), c.points[0]);          // clamped, f = 0
    EXPECT_EQ(c.evaluate(float(m) + 4.0f), c.points[size_t(m - 1)]);  // clamped, f = 1
    PathCurve empty;
    EXPECT_EQ(empty.evaluate(1.0f), TVector());
}

TEST(PathCurve, ResampleSpacesPointsEvenlyAlongALine) {
    PathCurve c;
    for (int i = 0; i < 10; ++i) c.points.push_back({float(i * i) * 0.1f, 0.0f, 0.0f});  // uneven spacing
    c.resample(5, 8);
    ASSERT_EQ(c.count(), 5);
    for (int j = 1; j < 4; ++j) {
        float gap = c.points[size_t(j + 1)].x - c.points[size_t(j)].x;
        EXPECT_NEAR(gap, c.points[1].x - c.points[0].x, 0.05f) << j;
    }
    PathCurve small;
    small.points = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    small.resample(10, 3);
    EXPECT_EQ(small.count(), 3);  // fewer than 4 points: unchanged
}

// The scenes index k modulo (n - 1) with k read as unsigned 64-bit; short paths give no sway.
TEST(CameraPath, SwayTable) {
    CameraPath path;
    for (int i = 0; i < 5; ++i) {
        path.points.push_back({float(i), 0, 0});
        path.valuesA.push_back(i * 10.0);
        path.valuesB.push_back(i * 100.0);
    }
    struct Case {
        int32_t k;
        float x;
    };
    const Case cases[] = {{0, 0}, {3, 3}, {4, 0}, {6, 2}, {-1, 3}, {-76, 0}};
    for (const Case& c : cases) {
        PathSample s = path.swayAt(c.k);
        EXPECT_EQ(s.position.x, c.x) << c.k;
        EXPECT_EQ(s.valueB, c.x * 100.0) << c.k;
    }
    CameraPath empty, one;
    one.points.push_back({5, 5, 5});
    one.valuesA.push_back(1);
    one.valuesB.push_back(2);
    for (const CameraPath* p : {&empty, &one}) {
        PathSample s = p->swayAt(-38);
        EXPECT_EQ(s.position, TVector());
        EXPECT_EQ(s.valueA, 0.0);
        EXPECT_EQ(s.valueB, 0.0);
    }
}

}  // namespace
