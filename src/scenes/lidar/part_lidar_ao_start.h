#pragma once
// Part_LidarAOStart: the scanned town, seen by a slowly flying camera. The town cloud is drawn
// twice per view (a soft body pass, then the crisp points), its points shaded by their
// occlusion term, and the picture runs through the post chain (occlusion with the night sky
// behind the roofs, quarter blur, composite).
//
// The script (clock, camera, material clock) lives in lidar_ao_start_timeline.h.
#include "driver/part.h"
#include "formats/camera_path.h"
#include "gpu/shader_program.h"
#include "scenes/lidar/point_cloud.h"
#include "scenes/lidar/scan_pass.h"

class Part_LidarAOStart : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    ~Part_LidarAOStart() override = default;
    void load() override;
    void finishLoad() override {}

    // Clears the console, then builds the programs in the scene's fixed order.
    void reloadShaders();

    ShaderProgram materialProgram;
    ShaderProgram fixedProgram;       // built, not drawn with
    ShaderProgram treesProgram;       // built, not drawn with
    ShaderProgram occlusionProgram;
    ShaderProgram smogProgram;        // built, not drawn with
    ShaderProgram particleProgram;    // built, not drawn with
    PointCloud townCloud;
    ShaderProgram compositeProgram;
    ShaderProgram blurProgram;
    CameraPath cameraPath;

private:
    void scenePass();
    void postPasses(int eye);

    ScanView view{};             // "MV" and "MP" of this view
};

// The camera-path sample of LidarAOStart's last scene pass, handed to its occlusion pass.
extern float RePosX;
extern float RePosY;
