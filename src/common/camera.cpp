#include "common/camera.h"

#include "common/camera_override.h"
#include "driver/data_interface.h"

CameraMatrices cameraMatrices(const TVector& eye, const TVector& target, const TVector& up,
                              float fovDegrees, float aspect) {
    CameraMatrices m;
    m.projection = mat4Perspective(fovDegrees, aspect, kCameraNear, kCameraFar);
    m.view = mat4LookAt(eye, target, up);
    m.mvp = mat4Multiply(m.projection, m.view);
    return m;
}

void setCamera(Data_Interface* engine, const TVector& sceneEye, const TVector& sceneTarget,
               const TVector& sceneUp, float sceneFov) {
    TVector eye = sceneEye, target = sceneTarget, up = sceneUp;
    float fovDegrees = sceneFov;
    camera_override::apply(eye, target, up, fovDegrees);
    const CameraMatrices m =
        cameraMatrices(eye, target, up, fovDegrees, engine->viewWidth / engine->viewHeight);
    mat4Store(m.projection, engine->projectionMatrix);
    mat4Store(m.view, engine->viewMatrix);
    mat4Store(m.mvp, engine->mvpMatrix);
}
