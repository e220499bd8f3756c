#include "scenes/lidar/point_cloud.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdio>

#include "formats/binary_io.h"

bool PointCloud::loadCompressed(const std::string& baseName) {
    const std::string path = baseName + "comp";
    points.clear();
    count = 0;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!binio::readWholeFile(path, bytes, error)) {
        std::printf("PointCloud: %s\n", error.c_str());
        return false;
    }
    binio::Reader r(bytes);
    int32_t n = 0;
    float lo[3], hi[3];
    if (!r.value(n) || !r.bytes(lo, 12) || !r.bytes(hi, 12)) {
        std::printf("PointCloud: %s is too short for its 28-byte header\n", path.c_str());
        return false;
    }
    for (int a = 0; a < 3; ++a) {
        boundsMin[a] = lo[a];
        boundsMax[a] = hi[a];
    }
    const uint8_t* records = n >= 0 ? r.view<uint64_t>(static_cast<uint64_t>(n)) : nullptr;
    if (!records) {
        std::printf("PointCloud: %s promises %d points but holds %zu bytes of records\n", path.c_str(),
                    n, r.remaining());
        return false;
    }
    points.resize(size_t(n) * 4);
    for (size_t i = 0; i < size_t(n); ++i) {
        uint16_t q[4];
        std::memcpy(q, records + i * 8, 8);
        points[i * 4 + 0] = decodePointValue(q[0], lo[0], hi[0]);
        points[i * 4 + 1] = decodePointValue(q[1], lo[1], hi[1]);
        points[i * 4 + 2] = decodePointValue(q[2], lo[2], hi[2]);
        points[i * 4 + 3] = static_cast<float>(q[3]) / 65535.0f * 10.0f + 0.0f;
    }
    count = n;
    return true;
}

void PointCloud::upload() {
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &vbo);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(size_t(count) * 16),
                 points.empty() ? nullptr : points.data(), GL_STATIC_DRAW);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glDisableVertexAttribArray(2);
    glDisableVertexAttribArray(3);
    // A priming draw with whatever program is current.
    if (count > 0) glDrawArrays(GL_POINTS, 0, count);
    glBindVertexArray(0);
}

void PointCloud::draw(float fraction, int asLines) const {
    if (vao == 0) return;
    glBindVertexArray(vao);
    int32_t n = pointCloudDrawCount(count, fraction);
    if (n > 0) glDrawArrays(asLines ? GL_LINES : GL_POINTS, 0, n);
    glBindVertexArray(0);
}

int32_t pointCloudDrawCount(int32_t count, float fraction) {
    float n = static_cast<float>(count) * fraction;
    if (!(n > 0.0f)) return 0;
    if (n >= static_cast<float>(count)) return count;
    return static_cast<int32_t>(n);
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
