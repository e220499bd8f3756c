// Inputs the readers' fuzz targets (tests/fuzz, scripts/fuzz) found, each cut down to the few
// bytes or values that show the fault. They matter most in test_formats_asan, where
// undefined behaviour and bad reads stop the test.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "formats/camera_path.h"
#include "formats/flow_field_files.h"
#include "support/temp_dir.h"

namespace {

// A path whose points are not all numbers (a recording cut short and padded with garbage)
// made the arc lengths NaN, and a NaN curve parameter was converted to int. Such a file is
// now refused as a whole, with the path left as it was.
TEST(ReaderFuzzRegression, PathWithNonFinitePointsIsRefused) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    testsupport::TempDir dir;
    std::string path = dir.file("try1.sav");
    std::vector<PathRecord> records(100);
    for (size_t i = 0; i < records.size(); ++i)
        records[i] = {static_cast<float>(i), 1.0f, 2.0f, 0.5, 0.25};
    records[10].x = nan;
    records[11].y = inf;
    records[12].z = -inf;
    records[13].valueA = std::numeric_limits<double>::quiet_NaN();
    ASSERT_TRUE(writePathRecords(path, records));
    CameraPath camera;
    EXPECT_FALSE(camera.load(path));
    EXPECT_EQ(camera.count(), 0);
    PathSample s = camera.swayAt(-76);
    EXPECT_EQ(s.valueB, 0.0);
}

TEST(ReaderFuzzRegression, CurveParameterOutsideTheCurve) {
    PathCurve curve;
    for (int i = 0; i < 6; ++i) curve.points.push_back({static_cast<float>(i), 0.0f, 0.0f});
    const float params[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), 1e30f, -1e30f};
    for (float t : params) {
        TVector p = curve.evaluate(t);
        (void)p;
    }
    // Far past either end the sample is the end point.
    EXPECT_FLOAT_EQ(curve.evaluate(1e30f).x, curve.evaluate(7.0f).x);
    EXPECT_FLOAT_EQ(curve.evaluate(-1e30f).x, curve.evaluate(-2.0f).x);
    curve.closed = true;
    for (float t : params) {
        TVector p = curve.evaluate(t);
        (void)p;
    }
}

// A short velocity file is refused by its size, with the size in the message.
TEST(ReaderFuzzRegression, ShortVelocityFieldNamesItsSize) {
    testsupport::TempDir dir;
    std::string path = dir.file("velocity.dat");
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite("0123456789", 1, 10, f);
    std::fclose(f);
    std::vector<float> field;
    std::string error;
    EXPECT_FALSE(readVelocityField(path, field, error));
    EXPECT_TRUE(field.empty());
    EXPECT_NE(error.find(path + " holds only 10 bytes"), std::string::npos) << error;
}

}  // namespace
