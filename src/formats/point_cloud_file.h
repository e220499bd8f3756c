#pragma once
// Quantised point-cloud files ("<base>comp"): the scan scenes' clouds, decoded into four floats
// per point (x, y, z, occlusion term 0..10). The GPU side is gpu/point_buffer.h.
//
// File layout (little-endian, no magic): int32 count, float32 minX, minY, minZ, maxX, maxY,
// maxZ, then count records of four uint16: x, y, z over [min, max], occlusion over [0, 10].
#include <cstdint>
#include <string>
#include <vector>

struct PointCloudFile {
    std::vector<float> points;  // count records of x, y, z, w
    int32_t count = 0;
    float boundsMin[3] = {0.0f, 0.0f, 0.0f};
    float boundsMax[3] = {0.0f, 0.0f, 0.0f};
};

// Reads and decodes `path`. False, with `error` naming the file, when it is missing,
// unreadable, shorter than its header or than the records it promises; `out` is then empty
// (its bounds are kept when the header was read).
bool readCompressedPointCloud(const std::string& path, PointCloudFile& out, std::string& error);

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
