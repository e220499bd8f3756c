#include "formats/path_sway.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(PathSway, StepAndIndex) {
    struct Case { const char* name; double t; size_t records; int32_t step; uint64_t index; };
    const uint64_t minus76 = std::numeric_limits<uint64_t>::max() - 75;  // 2^64 - 76
    const Case cases[] = {
        {"scene zero: k = -76 wraps", 0.0, 4201, -76, minus76 % 4200},
        {"lead-in, truncated toward zero", -2.0, 4201, -146, (std::numeric_limits<uint64_t>::max() - 145) % 4200},
        {"first positive step", 76.0 / 35.0 + 1e-9, 4201, 0, 0},
        {"one second later", 76.0 / 35.0 + 1.0 + 1e-9, 4201, 35, 35},
        {"the wrap at records - 1", (4200.0 + 76.0) / 35.0 + 1e-9, 4201, 4200, 0},
        {"just before the wrap", (4199.0 + 76.0) / 35.0 + 1e-9, 4201, 4199, 4199},
        {"two records: always 0", 50.0, 2, 1674, 0},
        {"one record: defined, no division", 50.0, 1, 1674, 0},
        {"no records", 50.0, 0, 1674, 0},
        {"far outside the show saturates", 1e12, 4201, std::numeric_limits<int32_t>::max(),
         static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) % 4200},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pathSwayStep(c.t), c.step) << c.name;
        EXPECT_EQ(pathSwayIndex(c.t, c.records), c.index) << c.name;
    }
}

TEST(PathSway, ReadsTheSampleAtTheIndex) {
    CameraPath path;
    for (int i = 0; i < 5; ++i) {
        path.points.push_back(TVector(static_cast<float>(i), 0.0f, 0.0f));
        path.valuesA.push_back(i * 10.0);
        path.valuesB.push_back(i * 100.0);
    }
    const double t = (2.0 + 76.0) / 35.0 + 1e-9;  // k = 2
    const PathSample s = pathSwayAt(path, t);
    EXPECT_EQ(s.position.x, 2.0f);
    EXPECT_EQ(s.valueA, 20.0);
    EXPECT_EQ(s.valueB, 200.0);

    CameraPath single;
    single.points.push_back(TVector(7.0f, 7.0f, 7.0f));
    single.valuesA.push_back(1.0);
    single.valuesB.push_back(1.0);
    const PathSample none = pathSwayAt(single, t);
    EXPECT_EQ(none.position.x, 0.0f);
    EXPECT_EQ(none.valueB, 0.0);
}

}  // namespace
