#pragma once
// The two flow-field files on the CPU side: the velocity field ("velocity.dat") and the
// Voronoi map ("voronoimap.bin"). The GL side is in flow_field_loader.h.
//
// Velocity field: 128 x 256 x 128 texels of three float32 (x, y, z), x fastest, then y, then
// z; no header; exactly 50,331,648 bytes.
// Voronoi map: int32 W, int32 H, then W x H float32 row by row, x fastest.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kVelocitySizeX = 128;
constexpr int kVelocitySizeY = 256;
constexpr int kVelocitySizeZ = 128;
constexpr size_t kVelocityFloats = size_t(kVelocitySizeX) * kVelocitySizeY * kVelocitySizeZ * 3;
constexpr size_t kVelocityBytes = kVelocityFloats * 4;  // 50,331,648

// The index of component c of texel (x, y, z) in the velocity array.
inline size_t velocityIndex(int x, int y, int z, int c) {
    return ((size_t(z) * kVelocitySizeY + size_t(y)) * kVelocitySizeX + size_t(x)) * 3 + size_t(c);
}

struct VoronoiMap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<float> values;  // width x height, as stored in the file
};

// Writers for the content generator. `field` must hold kVelocityFloats values, `map.values`
// width x height. False (with a message printed) when malformed or on I/O failure.
bool writeVelocityField(const std::string& path, const std::vector<float>& field);
bool writeVoronoiMap(const std::string& path, const VoronoiMap& map);

// Readers. False with a message in `error` that names the file and what it should hold when
// it is missing, unreadable or short (a longer velocity file is read up to its size).
bool readVelocityField(const std::string& path, std::vector<float>& field, std::string& error);
bool readVoronoiMap(const std::string& path, VoronoiMap& map, std::string& error);

// The values as the shaders see them: every file value x 0.0001 (single precision).
void scaleVoronoiValues(std::vector<float>& values);
