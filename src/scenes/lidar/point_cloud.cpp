#include "scenes/lidar/point_cloud.h"

#include <GL/glew.h>

#include <cstdio>
#include <utility>

#include "gpu/sliced_draw.h"

bool PointCloud::loadCompressed(const std::string& baseName) {
    const std::string path = baseName + "comp";
    PointCloudFile file;
    std::string error;
    const bool ok = readCompressedPointCloud(path, file, error);
    if (!ok) std::printf("PointCloud: %s\n", error.c_str());
    points = std::move(file.points);
    count = file.count;
    for (int a = 0; a < 3; ++a) {
        boundsMin[a] = file.boundsMin[a];
        boundsMax[a] = file.boundsMax[a];
    }
    return ok;
}

void PointCloud::upload() {
    PointBuffer buffer;
    createPointBuffer(buffer, count);
    fillPointBuffer(buffer, points.empty() ? nullptr : points.data(), count);
    vao = buffer.vao;
    vbo = buffer.vbo;
    // The buffer holds the points from now on; nothing reads the decoded copy again.
    std::vector<float>().swap(points);
    // A priming draw with whatever program is current.
    if (count > 0) {
        glBindVertexArray(vao);
        drawArraysSliced(GL_POINTS, 0, count);
        glBindVertexArray(0);
    }
}

void PointCloud::draw(float fraction, int asLines) const {
    PointBuffer buffer;
    buffer.vao = vao;
    buffer.vbo = vbo;
    buffer.capacity = buffer.count = count;
    drawPointBuffer(buffer, fraction, asLines);
}
