#include "scenes/lidar/scan_pass.h"

#include <cstdlib>

#include "common/camera_override.h"
#include "common/mat4.h"
#include "driver/data_interface.h"

void beginScanPass(const Data_Interface* engine, const TVector& sceneEye, const TVector& sceneTarget,
                   const TVector& sceneUp, float sceneFov, ScanView& view) {
    TVector eye = sceneEye, target = sceneTarget, up = sceneUp;
    float fovDegrees = sceneFov;
    camera_override::apply(eye, target, up, fovDegrees);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glActiveTexture(GL_TEXTURE0);

    // The matrices gluPerspective and gluLookAt would build, computed here and loaded, so the
    // fixed-function stacks and the uniforms agree without a read-back.
    const float aspect = engine->viewHeight != 0.0f ? engine->viewWidth / engine->viewHeight : 1.0f;
    mat4Store(mat4Perspective(fovDegrees, aspect, kScanNear, kScanFar), view.projection);
    mat4Store(mat4LookAt(eye, target, up), view.modelView);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(view.projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.modelView);

    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 0.0f);
    std::srand(kScanRandSeed);
}

void clampTextureEdges(GLuint texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
}
