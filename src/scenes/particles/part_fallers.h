#pragma once
// Part_Fallers: figures in free fall. A mesh of falling figures is scattered at load time
// into one 2024 x 2024 sample set; every frame one compute particle system chases it, the
// figures tumbling down through the picture into a dark water. Around them: three statues
// (a standing statue, a colossal bust, a cherub's head) and their reflections, the foggy
// backdrop and the moon, a mist over the water, falling dust, and the post chain (occlusion,
// quarter blur, composite).
//
// The script (camera, mist drift, dust) lives in fallers_timeline.h; the clock is the scene's
// entry in driver/scene_clock.h.

#include "common/loader.h"
#include "driver/part.h"
#include "formats/camera_path.h"
#include "formats/tg_object.h"
#include "gpu/compute_particle_system.h"
#include "gpu/image_texture.h"
#include "gpu/shader_program.h"
#include "gpu/texture_object.h"

class Part_Fallers : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    ~Part_Fallers() override = default;
    void load() override;
    // Joins the sample worker that load() started, then uploads the samples.
    void finishLoad() override;

    // Builds the compute system and the nine programs from their files; the scene clock
    // restarts at 0.
    void reloadShaders();

    ShaderProgram materialProgram;    // built, not drawn with
    ShaderProgram meshProgram;
    ShaderProgram blackMeshProgram;
    ShaderProgram smogProgram;
    ShaderProgram occlusionProgram;
    ShaderProgram particleProgram;
    ShaderProgram compositeProgram;
    float swayPosition[2] = {0.0f, 0.0f};   // the camera sway's x and y, times its weight
    ShaderProgram blurProgram;
    ImageTexture backgroundTexture;   // bg03: the backdrop, and "StoneTexture2" of the step
    ImageTexture moonTexture;
    ShaderProgram texturedProgram;
    CameraPath cameraPath;
    TextureObject fallersSamples;
    TGObject statueMesh;
    TGObject bustMesh;
    TGObject headMesh;
    ComputeParticleSystem particleSystem;
    // Bound as "SplineTexture"; no texture is ever made for it, so it stays 0 (no texture)
    // and the compute shader does not read it.
    unsigned int splineTexture = 0;

private:
    void setSceneCamera();
    void particleStep();
    void scenePass();
    void drawParticles();
    void drawStatues();
    void drawWaterAndBackdrop();
    void drawMist();
    void drawMoonAndDust();
    void postPasses(int eye);
};

// The scene whose load is running, published for its sample worker.
extern Part_Fallers* g_loadingFallers;
// The sample worker: started by load(), joined by finishLoad().
extern Loader g_fallersWorker;
