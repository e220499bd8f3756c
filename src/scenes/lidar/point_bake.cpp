#include "scenes/lidar/point_bake.h"

#include <GL/glew.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "common/mat4.h"
#include "formats/tg_object.h"
#include "scenes/lidar/point_bake_rule.h"

using namespace point_bake;

void PointBakeTarget::create(int targetSize, const std::string& vertexPath, const std::string& fragmentPath) {
    size = targetSize;
    target.createFloat(static_cast<GLuint>(targetSize), static_cast<GLuint>(targetSize), 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    program.build(vertexPath, fragmentPath);
}

int32_t bakeMeshPoints(PointBakeTarget& bake, const TGObject& mesh, PointBuffer& points) {
    static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const int size = bake.size;
    const size_t texels = static_cast<size_t>(size) * static_cast<size_t>(size);
    CRandom random(kBakeSeed);

    bake.target.bindForDrawing(1);
    glDisable(GL_MULTISAMPLE);
    glViewport(0, 0, size, size);
    bake.readBack.resize(texels * 4);
    std::vector<float> collected;
    // The program's "MV" carries projection and view together, so the fixed projection
    // stays at identity for the bake.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    using Clock = std::chrono::steady_clock;
    double renderSeconds = 0.0, readSeconds = 0.0, selectSeconds = 0.0;
    for (int pass = 0; pass < kBakePasses; ++pass) {
        const auto t0 = Clock::now();
        // Background texels read back as zeros, which the selection rule never keeps.
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const TVector eye = bakeEye(pass);
        const Mat4 camera = mat4Multiply(mat4Perspective(kBakeFieldOfView, 1.0f, kBakeNear, kBakeFar),
                                         mat4LookAt(eye, bakeTarget(pass), TVector(0.0f, 1.0f, 0.0f)));
        bake.program.use();
        bake.program.setFloat("IsBlack", 0.0f);
        bake.program.setFloat("IsReflection", 0.0f);
        bake.program.setMat4("MV", camera.m);
        bake.program.setMat4("Local", kIdentity);
        glEnable(GL_DEPTH_TEST);
        mesh.draw(-1);
        bake.program.unuse();
        glFinish();
        const auto t1 = Clock::now();

        glBindFramebuffer(GL_READ_FRAMEBUFFER, bake.target.drawFramebuffer);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, size, size, GL_RGBA, GL_FLOAT, bake.readBack.data());
        const auto t2 = Clock::now();
        reserveForPass(collected, texels);
        collectBakedTexels(bake.readBack.data(), texels, eye, random, collected);
        const auto t3 = Clock::now();
        renderSeconds += std::chrono::duration<double>(t1 - t0).count();
        readSeconds += std::chrono::duration<double>(t2 - t1).count();
        selectSeconds += std::chrono::duration<double>(t3 - t2).count();
    }
    bake.renderSeconds = renderSeconds;
    bake.readSeconds = readSeconds;
    bake.selectSeconds = selectSeconds;

    const int32_t count = static_cast<int32_t>(collected.size() / 4);
    createPointBuffer(points, count);
    if (count > 0) fillPointBuffer(points, collected.data(), count);

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_MULTISAMPLE);
    // The read-back image is only needed during the bake.
    std::vector<float>().swap(bake.readBack);
    return count;
}
