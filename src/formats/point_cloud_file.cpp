#include "formats/point_cloud_file.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "formats/binary_io.h"

bool readCompressedPointCloud(const std::string& path, PointCloudFile& out, std::string& error) {
    out.points.clear();
    out.count = 0;
    std::vector<uint8_t> bytes;
    if (!binio::readWholeFile(path, bytes, error)) return false;
    binio::Reader r(bytes);
    int32_t n = 0;
    float lo[3], hi[3];
    if (!r.value(n) || !r.bytes(lo, 12) || !r.bytes(hi, 12)) {
        error = path + " is too short for its 28-byte header";
        return false;
    }
    for (int a = 0; a < 3; ++a) {
        out.boundsMin[a] = lo[a];
        out.boundsMax[a] = hi[a];
    }
    const uint8_t* records = n >= 0 ? r.view<uint64_t>(static_cast<uint64_t>(n)) : nullptr;
    if (!records) {
        char buffer[160];
        std::snprintf(buffer, sizeof buffer, " promises %d points but holds %zu bytes of records", n, r.remaining());
        error = path + buffer;
        return false;
    }
    out.points.resize(size_t(n) * 4);
    for (size_t i = 0; i < size_t(n); ++i) {
        uint16_t q[4];
        std::memcpy(q, records + i * 8, 8);
        out.points[i * 4 + 0] = decodePointValue(q[0], lo[0], hi[0]);
        out.points[i * 4 + 1] = decodePointValue(q[1], lo[1], hi[1]);
        out.points[i * 4 + 2] = decodePointValue(q[2], lo[2], hi[2]);
        out.points[i * 4 + 3] = static_cast<float>(q[3]) / 65535.0f * 10.0f + 0.0f;
    }
    out.count = n;
    return true;
}

uint16_t quantisePointValue(float v, float min, float max) {
    float extent = max - min;
    if (!(extent > 0.0f)) return 0;
    double q = std::round(static_cast<double>(v - min) / static_cast<double>(extent) * 65535.0);
    if (!(q > 0.0)) return 0;
    if (q >= 65535.0) return 65535;
    return static_cast<uint16_t>(q);
}

bool writeCompressedPointCloud(const std::string& path, const float boundsMin[3],
                               const float boundsMax[3], const std::vector<uint16_t>& records) {
    if (records.size() % 4 != 0 || records.size() / 4 > size_t(INT32_MAX)) {
        std::printf("formats: %s: point records must come in fours (got %zu values)\n", path.c_str(),
                    records.size());
        return false;
    }
    binio::Writer w;
    w.bytes.reserve(28 + records.size() * 2);
    w.value(static_cast<int32_t>(records.size() / 4));
    w.raw(boundsMin, 12);
    w.raw(boundsMax, 12);
    w.array(records);
    return w.save(path);
}
