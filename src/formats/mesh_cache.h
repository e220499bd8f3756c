#pragma once
// The quantised mesh cache (a mesh's path followed by "comp"): positions and normals as
// 16-bit values, colours as bytes.
//
// Layout (little-endian, no padding): int32 part count, float[3] box minimum, float[3] box
// maximum, then per part int32 V, int32 I, uint16[3V] positions, uint16[3V] normals,
// uint8[3V] colours, uint32[I] indices.
//
// Quantising works in double precision and truncates; dequantising works in single
// precision. Values outside a format's range are clamped to it (a NaN gives 0).
#include <cstdint>
#include <string>
#include <vector>

#include "common/tvector.h"
#include "formats/mesh_part.h"

namespace meshcache {

// trunc((p - min) x 65535 / (max - min)); 0 on an axis of zero extent.
uint16_t quantisePosition(float p, float min, float max);
// trunc((n + 2) x 65535 x 0.25): -2..2 onto 0..65535.
uint16_t quantiseNormal(float n);
// trunc(c x 255), c in 0..1.
uint8_t quantiseColour(float c);

// (q / 65535 x (max - min) + min) x scale
inline float dequantisePosition(uint16_t q, float min, float max, float scale) {
    return (static_cast<float>(q) / 65535.0f * (max - min) + min) * scale;
}
// q / 65535 x 4 - 2
inline float dequantiseNormal(uint16_t q) { return static_cast<float>(q) / 65535.0f * 4.0f - 2.0f; }
// q / 255
inline float dequantiseColour(uint8_t q) { return static_cast<float>(q) / 255.0f; }

}  // namespace meshcache

// Writes the cache. Every part must carry 3V normals and 3V colours (0..1). The box is the
// one of the positions as given. False (with a message printed) on failure.
bool writeMeshCache(const std::string& path, const TVector& boxMin, const TVector& boxMax,
                    const std::vector<const MeshPart*>& parts);
// The same into memory; false (with a message printed that names `name`) when malformed.
bool encodeMeshCache(const std::string& name, const TVector& boxMin, const TVector& boxMax,
                     const std::vector<const MeshPart*>& parts, std::vector<uint8_t>& out);

// Reads a cache: positions dequantised with the stored box and multiplied by `scale`, then
// the box itself multiplied by `scale`. Rejects a short or inconsistent file with a message in
// `error` that names it; `parts` is empty after a failure.
bool readMeshCache(const std::string& path, float scale, std::vector<MeshPart>& parts,
                   TVector& boxMin, TVector& boxMax, std::string& error);
bool parseMeshCache(const uint8_t* data, size_t size, const std::string& name, float scale,
                    std::vector<MeshPart>& parts, TVector& boxMin, TVector& boxMax,
                    std::string& error);
