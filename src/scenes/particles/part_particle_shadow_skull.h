#pragma once
// Part_ParticleShadowSkull: a marble bust and a cherub's head, each a compute particle
// system of 1536 x 1536, condense out of drifting dust, hold, and crumble into plumes at the
// end, while the camera circles them. Around them: a dark floor, low mist, and the three-pass
// post chain with a strong glow.
//
// The script (camera, sample table, weights) lives in particle_shadow_skull_timeline.h; the
// clock is the skull's entry in driver/scene_clock.h.

#include "common/loader.h"
#include "driver/part.h"
#include "gpu/compute_particle_system.h"
#include "gpu/shader_program.h"
#include "gpu/texture_object.h"
#include "formats/camera_path.h"

class Part_ParticleShadowSkull : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    ~Part_ParticleShadowSkull() override = default;
    void load() override;
    // Joins the two sample workers in start order and uploads both sets.
    void finishLoad() override;

    // Builds the two compute systems and the seven programs from their files; the clock
    // restarts at 0.
    void reloadShaders();

    ShaderProgram textureProgram;
    ShaderProgram particleProgram;
    ShaderProgram occlusionProgram;
    ShaderProgram materialProgram;   // built, no mesh of this scene uses it
    ShaderProgram smogProgram;
    ShaderProgram blurProgram;
    ShaderProgram compositeProgram;
    TextureObject bustSamples;
    TextureObject headSamples;
    ComputeParticleSystem bustSystem;
    ComputeParticleSystem headSystem;
    CameraPath cameraPath;           // read as the family does; its sway is weighted 0 here

private:
    void particleStep();
    void scenePass();
    void drawFloor();
    void drawMist();
};

// The scene whose load is running, for its sample workers. Set before they start.
extern Part_ParticleShadowSkull* g_loadingParticleShadowSkull;
// The two sample workers (bust, head), started by load() and joined by finishLoad().
extern Loader g_skullSampleWorkers[2];
