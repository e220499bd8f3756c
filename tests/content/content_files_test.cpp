// The generated data files, read back through the show's own readers: sizes, headers, ranges,
// and the properties the scenes rely on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "content/generator_run.h"
#include "formats/camera_path.h"
#include "formats/flow_field_files.h"
#include "generator/clouds.h"
#include "generator/depth_recording.h"
#include "scenes/lidar/point_cloud.h"

namespace {

using contenttest::fs::path;

class SmallSet : public ::testing::Test {
protected:
    static void SetUpTestSuite() { root_ = contenttest::sharedSmallSet(); }
    void SetUp() override { ASSERT_FALSE(root_.empty()) << "the generator failed; see content-test/generator.log"; }
    static std::string file(const std::string& rel) { return (path(root_) / "newresources" / rel).string(); }
    static std::string root_;
};
std::string SmallSet::root_;

// Every file of the catalogue is there and whole.
TEST_F(SmallSet, EveryCatalogueFileIsWhole) {
    for (const content::Asset& a : content::catalogue()) {
        EXPECT_EQ(contenttest::checkWholeFile(path(root_) / a.path), "") << a.path;
    }
}

// The velocity field: exact size, speeds of order 1, and no divergence: with central
// differences over the interior, |div v| stays tiny next to |curl v|.
TEST_F(SmallSet, VelocityFieldIsDivergenceFree) {
    std::vector<float> v;
    std::string error;
    ASSERT_TRUE(readVelocityField(file("velocity.dat"), v, error)) << error;
    ASSERT_EQ(v.size(), kVelocityFloats);
    auto at = [&](int x, int y, int z, int c) { return v[velocityIndex(x, y, z, c)]; };
    double div = 0.0, curl = 0.0, speed = 0.0;
    long n = 0;
    for (int z = 1; z < kVelocitySizeZ - 1; z += 3)
        for (int y = 1; y < kVelocitySizeY - 1; y += 3)
            for (int x = 1; x < kVelocitySizeX - 1; x += 3) {
                const double d = (at(x + 1, y, z, 0) - at(x - 1, y, z, 0)) + (at(x, y + 1, z, 1) - at(x, y - 1, z, 1)) +
                                 (at(x, y, z + 1, 2) - at(x, y, z - 1, 2));
                const double cx = (at(x, y + 1, z, 2) - at(x, y - 1, z, 2)) - (at(x, y, z + 1, 1) - at(x, y, z - 1, 1));
                const double cy = (at(x, y, z + 1, 0) - at(x, y, z - 1, 0)) - (at(x + 1, y, z, 2) - at(x - 1, y, z, 2));
                const double cz = (at(x + 1, y, z, 1) - at(x - 1, y, z, 1)) - (at(x, y + 1, z, 0) - at(x, y - 1, z, 0));
                div += std::fabs(d);
                curl += std::sqrt(cx * cx + cy * cy + cz * cz);
                speed += std::sqrt(at(x, y, z, 0) * at(x, y, z, 0) + at(x, y, z, 1) * at(x, y, z, 1) + at(x, y, z, 2) * at(x, y, z, 2));
                ++n;
            }
    EXPECT_LT(div, 0.01 * curl);
    EXPECT_GT(speed / n, 0.3);
    EXPECT_LT(speed / n, 3.0);
}

TEST_F(SmallSet, VoronoiMapSpansItsRange) {
    VoronoiMap map;
    std::string error;
    ASSERT_TRUE(readVoronoiMap(file("voronoimap.bin"), map, error)) << error;
    ASSERT_GT(map.width, 0);
    EXPECT_EQ(map.values.size(), static_cast<size_t>(map.width) * map.height);
    const auto [lo, hi] = std::minmax_element(map.values.begin(), map.values.end());
    EXPECT_GE(*lo, 0.0f);
    EXPECT_LT(*lo, 500.0f);    // seeds sit near zero
    EXPECT_LE(*hi, 10000.0f);
    EXPECT_GT(*hi, 8000.0f);   // cell corners reach far
}

// The wobble: whole records, at least 80, positions within +-300, value B within +-1000, and
// smooth (no jump between neighbouring samples, including across the loop).
TEST_F(SmallSet, CameraWobbleIsSmallAndSmooth) {
    std::vector<PathRecord> r;
    std::string error;
    ASSERT_TRUE(readPathRecords(file("try1.sav"), r, error)) << error;
    EXPECT_EQ(contenttest::fs::file_size(file("try1.sav")) % kPathRecordBytes, 0u);
    ASSERT_GE(r.size(), 80u);
    for (size_t i = 0; i < r.size(); ++i) {
        const PathRecord& a = r[i];
        const PathRecord& b = r[(i + 1) % r.size()];
        EXPECT_LE(std::max({std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)}), 300.0f) << i;
        EXPECT_LE(std::fabs(a.valueB), 1000.0) << i;
        EXPECT_LT(std::fabs(b.x - a.x), 40.0f) << i;
        EXPECT_LT(std::fabs(b.valueB - a.valueB), 100.0) << i;
    }
}

struct CloudCase {
    const char* base;
    float halfExtent;  // the scan reaches about this far in x and z
    float groundY;
};

// Both clouds decode through the show's loader; their points fill the stated extent, the
// ground sits where the cameras expect it, and the occlusion term varies within 0 .. 10.
TEST_F(SmallSet, PointCloudsDecodeWithinTheirExtents) {
    for (const CloudCase& c : {CloudCase{"2.ascbb", 0.04f, 0.0f}, CloudCase{"smalltown2.ascbb", 0.03f, -0.002f}}) {
        SCOPED_TRACE(c.base);
        PointCloud cloud;
        ASSERT_TRUE(cloud.loadCompressed(file(c.base)));
        ASSERT_GT(cloud.count, 100000);
        for (int a : {0, 2}) {
            EXPECT_NEAR(cloud.boundsMin[a], -c.halfExtent, 0.004f);
            EXPECT_NEAR(cloud.boundsMax[a], c.halfExtent, 0.004f);
        }
        EXPECT_NEAR(cloud.boundsMin[1], c.groundY, 0.0015f);
        EXPECT_LT(cloud.boundsMax[1], c.groundY + 0.030f);
        long open = 0, shut = 0, nearGround = 0;
        for (int32_t i = 0; i < cloud.count; ++i) {
            const float w = cloud.points[static_cast<size_t>(i) * 4 + 3];
            ASSERT_GE(w, 0.0f);
            ASSERT_LE(w, 10.0f);
            open += w > 5.0f, shut += w < 2.0f;
            if (std::fabs(cloud.points[static_cast<size_t>(i) * 4 + 1] - c.groundY) < 0.001f) ++nearGround;
        }
        EXPECT_GT(open, cloud.count / 10);  // open ground and roofs see most of the sky
        EXPECT_GT(shut, cloud.count / 10);  // the insides of crowns, corners and eaves little
        EXPECT_GT(nearGround, cloud.count / 5);
    }
}

// The full scans hold 2 to 5 million points (sampled here without the occlusion pass).
TEST(FullScans, HoldTwoToFiveMillionPoints) {
    for (bool park : {true, false}) {
        const size_t n = (park ? content::parkPoints(false) : content::townPoints(false)).size();
        EXPECT_GE(n, 2000000u) << (park ? "park" : "town");
        EXPECT_LE(n, 5000000u) << (park ? "park" : "town");
    }
}

// All 465 pairs exist and decode as the depth scene reads them (OpenCV, colour): the wall and
// the person at sensible depths, the projector's shadow as holes, motion around 128.
TEST_F(SmallSet, DepthRecordingIsCompleteAndSensible) {
    int frames = 0;
    for (int n = content::kDepthFirst; n <= content::kDepthLast; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "3/D_%05d.tiff", n);
        const cv::Mat depth = cv::imread(file(name), cv::IMREAD_COLOR);
        std::snprintf(name, sizeof name, "3/Dv%05d.tiff", n);
        const cv::Mat signal = cv::imread(file(name), cv::IMREAD_COLOR);
        ASSERT_FALSE(depth.empty()) << n;
        ASSERT_FALSE(signal.empty()) << n;
        ASSERT_EQ(depth.size(), signal.size()) << n;
        if (n % 50 != 0) {
            ++frames;
            continue;
        }
        int holes = 0, person = 0, wall = 0, moving = 0;
        for (int y = 0; y < depth.rows; ++y)
            for (int x = 0; x < depth.cols; ++x) {
                const int mm = content::depthMillimetres(depth, x, y);
                if (mm == 0) ++holes;
                else if (mm < 2900) ++person;
                else if (mm < 4500) ++wall;
                else ADD_FAILURE() << "frame " << n << " depth " << mm << " at " << x << "," << y;
                const cv::Vec3b s = signal.at<cv::Vec3b>(y, x);
                if (s[0] != 128 || s[1] != 128) ++moving;
            }
        const int all = depth.rows * depth.cols;
        EXPECT_LT(holes, all / 20) << n;
        EXPECT_GT(person, all / 30) << n;
        EXPECT_GT(wall, all / 3) << n;
        EXPECT_GT(moving, 0) << n;
        ++frames;
    }
    EXPECT_EQ(frames, 465);
}

struct PictureCase {
    const char* name;
    int width, height;  // of the small set
    double minSpread;   // standard deviation of the grey values: not a flat colour
};

TEST_F(SmallSet, PicturesHaveTheirSizesAndContent) {
    const PictureCase cases[] = {
        {"theloader.jpg", 256, 256, 10.0}, {"skybox.png", 512, 384, 3.0},  {"marble.jpg", 256, 256, 5.0},
        {"wood1.jpg", 256, 256, 8.0},      {"wood2.jpg", 256, 256, 8.0},   {"boattex.jpg", 256, 256, 8.0},
        {"bg03.jpg", 256, 256, 5.0},       {"city3.jpg", 512, 256, 8.0},   {"moon.jpg", 256, 256, 30.0},
        {"floralPost.png", 256, 256, 15.0},
    };
    for (const PictureCase& c : cases) {
        const cv::Mat img = cv::imread(file(c.name), cv::IMREAD_COLOR);
        ASSERT_FALSE(img.empty()) << c.name;
        EXPECT_EQ(img.cols, c.width) << c.name;
        EXPECT_EQ(img.rows, c.height) << c.name;
        cv::Mat grey;
        cv::cvtColor(img, grey, cv::COLOR_BGR2GRAY);
        cv::Scalar mean, spread;
        cv::meanStdDev(grey, mean, spread);
        EXPECT_GT(spread[0], c.minSpread) << c.name;
    }
}

}  // namespace
