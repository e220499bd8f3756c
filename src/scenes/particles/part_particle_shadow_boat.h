#pragma once
// Part_ParticleShadowBoat: a rowing boat on night water made of 2560 x 2560 particles. At its
// windows a car takes the boat's place; from scene time 35 the particles leave the boat for a
// heap of garbled heads, with a pair of eyes above it. Around them: a low moon, mist over the
// black water, and an island with a statue row and statues, all mirrored in the water.
//
// Four workers scatter the scene, car, heads and eyes meshes while the rest of the show
// loads; finishLoad joins them and uploads the sets. The script (clock, camera, windows)
// lives in particle_shadow_boat_timeline.h.

#include "common/loader.h"
#include "driver/part.h"
#include "formats/camera_path.h"
#include "formats/tg_object.h"
#include "gpu/compute_particle_system.h"
#include "gpu/image_texture.h"
#include "gpu/shader_program.h"
#include "gpu/texture_object.h"
#include "scenes/particles/particle_shadow_boat_timeline.h"

class Part_ParticleShadowBoat : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    ~Part_ParticleShadowBoat() override = default;
    void load() override;
    void finishLoad() override;

    // Builds the compute system and the nine programs from their files; the scene clock
    // restarts at -2.
    void reloadShaders();

    ShaderProgram particleProgram;
    ShaderProgram occlusionProgram;
    ShaderProgram blackProgram;
    ShaderProgram smogProgram;
    ShaderProgram materialProgram;
    ShaderProgram texturedProgram;
    ShaderProgram blurProgram;
    ShaderProgram compositeProgram;
    ImageTexture moonTexture;
    ImageTexture marbleTexture;
    ImageTexture woodTexture;
    ImageTexture boatTexture;
    TextureObject samples[boat::kSampleSets];   // by worker index: scene, car, heads, eyes
    TGObject rowMesh;
    TGObject statueMesh;
    TGObject islandMesh;
    CameraPath cameraPath;
    ComputeParticleSystem system;

private:
    void particleStep();
    void scenePass(const TVector& eye);
    void drawParticles(const float* lightMatrix);
    void drawWaterAndSky(const TVector& eye);
    void drawMoon(const TVector& eye);
    void drawMist();
    void drawIslandAndStatues(const float* lightMatrix);
    void drawTimedLayers(const TVector& eye);
    void postPasses(int eye);
};

// The scene whose load is running: its workers, which take no arguments, find their sets
// through it. Set before the workers start, unchanged until finishLoad has joined them.
extern Part_ParticleShadowBoat* g_loadingBoat;
// The four workers (scene, car, heads, eyes), started by load and joined by finishLoad.
extern Loader g_boatWorkers[boat::kSampleSets];
