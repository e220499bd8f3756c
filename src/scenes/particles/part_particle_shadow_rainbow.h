#pragma once
// Part_ParticleShadowRainbow: the one scene in spectral colour. A crowd of 2024 x 2024
// particles pours down out of a rainbow arc into the people of a crowd, and a rainbow keeps
// sweeping through it; behind it the city skyline at night over a foggy gradient and the moon,
// beside it a buffalo standing, and from 6.0 a cheetah running through. Two walkers cross
// behind the crowd, a second crowd of silhouettes stands at the foot of the skyline, and
// everything is mirrored in wet ground. The post chain (occlusion, blur, composite) adds a
// soft depth of field from the view's depth.
//
// The people set is scattered by one worker that load() starts and finishLoad() joins; the
// sequencer loads other scenes in between.
//
// The script (camera, cheetah, walkers, placements) lives in rainbow_timeline.h.
#include <GL/glew.h>


#include "common/loader.h"
#include "driver/part.h"
#include "formats/camera_path.h"
#include "formats/tg_object.h"
#include "gpu/compute_particle_system.h"
#include "gpu/image_texture.h"
#include "gpu/shader_program.h"
#include "gpu/texture_object.h"
#include "scenes/particles/rainbow_timeline.h"

class Part_ParticleShadowRainbow : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    void load() override;
    // Joins the people worker and uploads its samples.
    void finishLoad() override;

    // Builds the compute system and the ten programs from their files; the clock restarts.
    void reloadShaders();

    ShaderProgram particleProgram;
    ShaderProgram occlusionProgram;
    ShaderProgram materialProgram;    // the walkers ("IsBlack", "IsReflection")
    ShaderProgram meshProgram;        // the buffalo, the cheetah, the distant crowd
    ShaderProgram shadowProgram;      // the people mesh as its shadow on the ground
    ShaderProgram reflectionProgram;  // the people mesh as its reflection
    ShaderProgram smogProgram;
    ShaderProgram texturedProgram;    // backdrop, skyline, moon
    ShaderProgram blurProgram;
    ShaderProgram compositeProgram;
    TextureObject peopleSamples;
    TGObject buffaloMesh;
    TGObject cheetahMesh;
    TGObject peopleMesh;
    ImageTexture fogTexture;    // bg03
    ImageTexture cityTexture;   // city3
    ImageTexture moonTexture;
    ComputeParticleSystem system;
    CameraPath cameraPath;

private:
    void particleStep();
    void scenePass(const TVector& eye);
    void drawParticles(const float* lightMatrix);
    void drawBuffalo();
    void drawPeople();
    void drawCheetah();
    void drawWalkers();
    void drawLines();
    void drawBackdrop(const TVector& eye);
    void drawSmog();
    void drawVeil();
    void postPasses(int eye);
};

// The scene whose load is running: its people worker finds its TextureObject through it.
extern Part_ParticleShadowRainbow* g_loadingRainbow;
// The people worker, started by load() and joined by finishLoad().
extern Loader g_rainbowWorker;
