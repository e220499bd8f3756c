#pragma once
// Part_ParticleShadow: a crowd of walking figures made of particles. A 56-frame walk cycle
// is scattered at load time into 56 sets of sample textures; every frame two compute
// particle systems (1000 x 1000 each) chase the current walk frame, as two crowds out of
// phase, and from scene time 15 a third system gathers into a statue. Around them: the
// statue and island meshes with a material shader, 50 grey points, and the three-pass post
// chain (occlusion, quarter blur, composite).
//
// The script (walk frames, clock, gates, camera) lives in particle_shadow_timeline.h.
#include "driver/part.h"
#include "formats/tg_object.h"
#include "gpu/compute_particle_system.h"
#include "gpu/image_texture.h"
#include "gpu/shader_program.h"
#include "gpu/texture_object.h"
#include "scenes/particles/particle_shadow_timeline.h"

class Part_ParticleShadow : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    ~Part_ParticleShadow() override = default;
    void load() override;
    void finishLoad() override {}

    // Builds the three compute systems and the five programs from their files; the scene
    // clock restarts at 0.
    void reloadShaders();

    ShaderProgram materialProgram;
    ShaderProgram spareProgram;          // never built
    ImageTexture spareTexture;           // never loaded
    ShaderProgram occlusionProgram;
    ShaderProgram particleProgram;
    ImageTexture stoneTexture;
    ShaderProgram compositeProgram;
    ShaderProgram blurProgram;
    TextureObject walkFrames[particle_shadow::kWalkFrames];
    TextureObject statueSamples;
    ImageTexture spareTexture2;          // never loaded
    TGObject statueMesh;
    TGObject islandMesh;
    ComputeParticleSystem crowdA;
    ComputeParticleSystem crowdB;
    ComputeParticleSystem statueSystem;

private:
    void particleStep();
    void stepCrowd(ComputeParticleSystem& system, int frame);
    void scenePass();
    void drawParticles(const float* lightMatrix);
    void drawMaterials(const float* lightMatrix);
    void drawGreyPoints();
    void postPasses(int eye);
};

// The scene whose load is running: the statue worker, which takes no arguments, finds its
// TextureObject through it. Set before the worker starts, unchanged until it is joined.
extern Part_ParticleShadow* g_loadingParticleShadow;
