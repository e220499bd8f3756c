#include "formats/mesh_cache.h"

#include <cmath>
#include <cstdio>

#include "formats/binary_io.h"
#include "formats/mesh_part_io.h"
#include "formats/objb.h"

namespace meshcache {

namespace {
// Truncates toward zero into 0..top; NaN gives 0.
uint32_t truncClamped(double v, double top) {
    if (!(v > 0.0)) return 0;
    if (v >= top) return static_cast<uint32_t>(top);
    return static_cast<uint32_t>(v);
}
}  // namespace

uint16_t quantisePosition(float p, float min, float max) {
    float extent = max - min;
    if (!(extent > 0.0f)) return 0;
    return static_cast<uint16_t>(
        truncClamped(static_cast<double>(p - min) * 65535.0 / static_cast<double>(extent), 65535.0));
}

uint16_t quantiseNormal(float n) {
    return static_cast<uint16_t>(truncClamped(static_cast<double>(n + 2.0f) * 65535.0 * 0.25, 65535.0));
}

uint8_t quantiseColour(float c) {
    return static_cast<uint8_t>(truncClamped(static_cast<double>(c) * 255.0, 255.0));
}

}  // namespace meshcache

bool writeMeshCache(const std::string& path, const TVector& boxMin, const TVector& boxMax,
                    const std::vector<const MeshPart*>& parts) {
    std::vector<uint8_t> bytes;
    return encodeMeshCache(path, boxMin, boxMax, parts, bytes) &&
           binio::writeWholeFile(path, bytes.data(), bytes.size());
}

bool encodeMeshCache(const std::string& path, const TVector& boxMin, const TVector& boxMax,
                     const std::vector<const MeshPart*>& parts, std::vector<uint8_t>& out) {
    using namespace meshcache;
    size_t total = 4 + 24;
    for (const MeshPart* part : parts) {
        size_t n = part->positions.size();
        if (n % 3 != 0 || part->normals.size() != n || part->colours.size() != n) {
            std::printf("formats: %s: a part lacks normals or colours for the cache\n", path.c_str());
            return false;
        }
        total += 8 + n * 5 + part->indices.size() * 4;
    }
    out.assign(total, 0);
    uint8_t* w = out.data();
    auto put = [&w](const void* src, size_t n) {
        std::memcpy(w, src, n);
        w += n;
    };
    int32_t count = static_cast<int32_t>(parts.size());
    put(&count, 4);
    put(&boxMin, 12);
    put(&boxMax, 12);
    const float lo[3] = {boxMin.x, boxMin.y, boxMin.z};
    const float hi[3] = {boxMax.x, boxMax.y, boxMax.z};
    for (const MeshPart* part : parts) {
        int32_t v = part->numVertices(), i = part->numIndices();
        put(&v, 4);
        put(&i, 4);
        size_t n = part->positions.size();
        uint16_t* q = reinterpret_cast<uint16_t*>(w);  // NOTE: x86 tolerates the odd alignment
        for (size_t k = 0; k < n; ++k) {
            uint16_t value = quantisePosition(part->positions[k], lo[k % 3], hi[k % 3]);
            std::memcpy(q + k, &value, 2);
        }
        w += n * 2;
        q = reinterpret_cast<uint16_t*>(w);
        for (size_t k = 0; k < n; ++k) {
            uint16_t value = quantiseNormal(part->normals[k]);
            std::memcpy(q + k, &value, 2);
        }
        w += n * 2;
        for (size_t k = 0; k < n; ++k) w[k] = quantiseColour(part->colours[k]);
        w += n;
        put(part->indices.data(), part->indices.size() * 4);
    }
    return true;
}

bool parseMeshCache(const uint8_t* data, size_t size, const std::string& name, float scale,
                    std::vector<MeshPart>& parts, TVector& boxMin, TVector& boxMax,
                    std::string& error) {
    using namespace meshcache;
    parts.clear();
    binio::Reader r(data, size);
    int32_t count = 0;
    TVector lo, hi;
    if (!r.value(count) || !r.bytes(&lo, 12) || !r.bytes(&hi, 12)) {
        error = name + ": too short for the cache header (28 bytes)";
        return false;
    }
    if (count < 0 || count > kObjbMaxParts) {
        error = name + ": part count " + std::to_string(count) + " is outside 0.." +
                std::to_string(kObjbMaxParts);
        return false;
    }
    std::vector<MeshPart> out(static_cast<size_t>(count));
    const float los[3] = {lo.x, lo.y, lo.z};
    const float his[3] = {hi.x, hi.y, hi.z};
    // Every position lies in the box, so a box that is sensible keeps them all sensible.
    for (int a = 0; a < 3; ++a) {
        if (!meshio::sensibleCoordinate(los[a]) || !meshio::sensibleCoordinate(his[a])) {
            char text[160];
            std::snprintf(text, sizeof text, ": the box's %c runs from %g to %g, not a number or beyond +-%g",
                          "xyz"[a], static_cast<double>(los[a]), static_cast<double>(his[a]),
                          static_cast<double>(meshio::kMaxCoordinate));
            error = name + text;
            return false;
        }
    }
    const bool boxHolds = lo.x <= hi.x && lo.y <= hi.y && lo.z <= hi.z;
    for (int32_t p = 0; p < count; ++p) {
        const std::string where = name + ": part " + std::to_string(p);
        int32_t v = 0, i = 0;
        // 2 + 2 + 1 bytes per component: positions, normals, colours.
        if (!meshio::readPartCounts(r, where, 15, v, i, error)) return false;
        // An empty mesh's cache keeps the empty box (minimum above maximum); with vertices
        // the box must hold them.
        if (v > 0 && !boxHolds) {
            error = where + ": the box's minimum lies above its maximum, so it holds none of its vertices";
            return false;
        }
        const uint64_t n = 3ull * static_cast<uint64_t>(v);
        MeshPart& part = out[static_cast<size_t>(p)];
        part.positions.resize(n);
        part.normals.resize(n);
        part.colours.resize(n);
        const uint8_t* qp = r.view<uint16_t>(n);
        const uint8_t* qn = r.view<uint16_t>(n);
        const uint8_t* qc = r.view<uint8_t>(n);
        for (size_t k = 0; k < n; ++k) {
            uint16_t q;
            std::memcpy(&q, qp + 2 * k, 2);
            part.positions[k] = dequantisePosition(q, los[k % 3], his[k % 3], scale);
        }
        for (size_t k = 0; k < n; ++k) {
            uint16_t q;
            std::memcpy(&q, qn + 2 * k, 2);
            part.normals[k] = dequantiseNormal(q);
        }
        for (size_t k = 0; k < n; ++k) part.colours[k] = dequantiseColour(qc[k]);
        r.array(part.indices, static_cast<uint64_t>(i));
        if (!meshio::indicesInRange(part.indices, static_cast<uint32_t>(v))) {
            error = where + ": an index points past its " + std::to_string(v) + " vertices";
            return false;
        }
    }
    parts = std::move(out);
    boxMin = lo * scale;
    boxMax = hi * scale;
    return true;
}

bool readMeshCache(const std::string& path, float scale, std::vector<MeshPart>& parts,
                   TVector& boxMin, TVector& boxMax, std::string& error) {
    parts.clear();
    std::vector<uint8_t> bytes;
    if (!binio::readWholeFile(path, bytes, error)) return false;
    return parseMeshCache(bytes.data(), bytes.size(), path, scale, parts, boxMin, boxMax, error);
}
