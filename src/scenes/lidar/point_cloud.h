#pragma once
// Lidar point clouds: a quantised file ("<base>comp") decoded into four floats per point
// (x, y, z, occlusion term) and drawn from one static vertex buffer.
//
//   PointCloud cloud;                              // bounds zeroed, empty
//   cloud.loadCompressed("..//newresources//2.ascbb");   // opens "...2.ascbbcomp"
//   cloud.upload();                                // render thread
//   cloud.draw(0.8f, 0);                           // the first 80 % of the points
//
// File layout (little-endian, no magic): int32 count, float32 minX, minY, minZ, maxX, maxY,
// maxZ, then count records of four uint16: x, y, z over [min, max], occlusion over [0, 10].
#include <cstdint>
#include <string>
#include <vector>

class PointCloud {
public:
    uint32_t vao = 0;
    uint32_t vbo = 0;
    std::vector<float> points;  // count records of x, y, z, w
    int32_t count = 0;
    float boundsMin[3] = {0.0f, 0.0f, 0.0f};
    float boundsMax[3] = {0.0f, 0.0f, 0.0f};

    // Opens baseName + "comp" and decodes it (no GL work). A missing, unreadable or short file
    // is reported with its name and leaves the cloud empty (count 0).
    bool loadCompressed(const std::string& baseName);
    // Creates vao and vbo and copies the points to the GPU; render thread.
    void upload();
    // Draws the first trunc(count x fraction) points (at most count) as points, or as line
    // segments of consecutive pairs when asLines is non-zero. The caller has bound its program.
    void draw(float fraction, int asLines) const;
};

// The number of points draw(fraction) draws: trunc(float(count) x fraction), within 0..count.
int32_t pointCloudDrawCount(int32_t count, float fraction);

// Decodes one quantised record value: q / 65535 x (max - min) + min, in single precision.
inline float decodePointValue(uint16_t q, float min, float max) {
    return static_cast<float>(q) / 65535.0f * (max - min) + min;
}

// Quantises a value for the file: round((v - min) / (max - min) x 65535), clamped; 0 for an
// empty range.
uint16_t quantisePointValue(float v, float min, float max);

// Writer for the content generator: `records` holds four values per point (x, y, z, w).
// False (with a message printed) when malformed or on I/O failure.
bool writeCompressedPointCloud(const std::string& path, const float boundsMin[3],
                               const float boundsMax[3], const std::vector<uint16_t>& records);
