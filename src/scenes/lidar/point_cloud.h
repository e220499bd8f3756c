#pragma once
// Lidar point clouds: a quantised file ("<base>comp", formats/point_cloud_file.h) decoded into
// four floats per point (x, y, z, occlusion term) and drawn from one static point buffer.
//
//   PointCloud cloud;                              // bounds zeroed, empty
//   cloud.loadCompressed("..//newresources//2.ascbb");   // opens "...2.ascbbcomp"
//   cloud.upload();                                // render thread
//   cloud.draw(0.8f, 0);                           // the first 80 % of the points
#include <cstdint>
#include <string>
#include <vector>

#include "formats/point_cloud_file.h"
#include "gpu/point_buffer.h"

class PointCloud {
public:
    uint32_t vao = 0;
    uint32_t vbo = 0;
    std::vector<float> points;  // count records of x, y, z, w; freed by upload()
    int32_t count = 0;
    float boundsMin[3] = {0.0f, 0.0f, 0.0f};
    float boundsMax[3] = {0.0f, 0.0f, 0.0f};

    // Opens baseName + "comp" and decodes it (no GL work). A missing, unreadable or short file
    // is reported with its name and leaves the cloud empty (count 0).
    bool loadCompressed(const std::string& baseName);
    // Creates vao and vbo and copies the points to the GPU, then frees `points`; render thread.
    void upload();
    // Draws the first trunc(count x fraction) points (at most count) as points, or as line
    // segments of consecutive pairs when asLines is non-zero. The caller has bound its program.
    void draw(float fraction, int asLines) const;
};

// The number of points draw(fraction) draws.
inline int32_t pointCloudDrawCount(int32_t count, float fraction) { return pointDrawCount(count, fraction); }
