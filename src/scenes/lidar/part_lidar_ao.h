#pragma once
// Part_LidarAO: the shared park scan seen from a camera on a looping spline, then from fixed
// shots. A statue of a million compute particles gathers out of the flow field among the
// ruins from scene time 32, red fog slices drift through from 27, and a small sky cube opens
// at the end. The post chain is the same three passes as every scene's.
//
// The script (clock, gates, camera) lives in lidar_ao_timeline.h.

#include "common/loader.h"
#include "driver/part.h"
#include "formats/camera_path.h"
#include "gpu/compute_particle_system.h"
#include "gpu/shader_program.h"
#include "gpu/texture_object.h"
#include "scenes/lidar/scan_pass.h"

class Part_LidarAO : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    ~Part_LidarAO() override = default;
    void load() override;
    void finishLoad() override;

    // Clears the console, then builds the statue system and the programs in order.
    void reloadShaders();

    ShaderProgram materialProgram;
    ShaderProgram fixedProgram;       // the sky cube
    ShaderProgram treesProgram;       // gets the matrices, draws nothing
    ShaderProgram occlusionProgram;
    ShaderProgram flowProgram;        // built, not drawn with
    ShaderProgram smogProgram;        // the fog slices
    ShaderProgram particleProgram;    // the statue particles
    ShaderProgram compositeProgram;
    ShaderProgram blurProgram;
    TextureObject statueSamples;
    CameraPath cameraPath;
    ComputeParticleSystem statueSystem;
    float pointSize = 1.0f;           // "FSize"

private:
    void particleStep();
    void scenePass();
    void drawCloud();
    void drawTrees();
    void drawStatue();
    void drawFog();
    void drawSky();
    void postPasses(int eye);

    ScanView view{};             // "MV" and "MP" of this view
};

// The scene whose load is running: its worker, which takes no arguments, reaches the statue
// samples through it. Set before the worker starts, unchanged until finishLoad joins it.
extern Part_LidarAO* g_loadingLidarAO;
// The statue worker between load and finishLoad.
extern Loader g_lidarAOWorker;
