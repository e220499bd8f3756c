#pragma once
// Part_ParticleShadowForest: a clearing at night where two trees grow out of the ground,
// branch by branch, as particles, beside a group of standing figures. The trees are the one
// target of the show computed while it plays: two tree workers (scenes/lidar/tree_workers.h)
// rebuild them for the scene time until 23, and every frame uploads the newest whole image of
// each into its texture, which the first particle system (1224 x 1224) follows. The second
// system (800 x 800) forms the standing figures. Around them: a buffalo, a second standing
// group and four walkers as dark geometry with reflections, grass, sky, wet ground and mist.
// One post pass (occlusion and grade) makes the finished picture.
//
// In capture mode no worker runs: each frame builds its trees on the render thread for its
// own scene time (held at 23 from then on), so captures come out the same on every run.
//
// The script (camera, walkers, grass, placements) lives in forest_timeline.h.
#include <GL/glew.h>

#include "driver/part.h"
#include "formats/camera_path.h"
#include "formats/tg_object.h"
#include "gpu/compute_particle_system.h"
#include "gpu/shader_program.h"
#include "gpu/texture_object.h"
#include "scenes/lidar/tree_workers.h"
#include "scenes/lidar/ttree.h"
#include "scenes/particles/forest_timeline.h"

class Part_ParticleShadowForest : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    // Stops tree workers that still run: they write into this object.
    ~Part_ParticleShadowForest() override;
    void load() override;
    void finishLoad() override {}  // the forest joins and uploads inside load

    // Builds the two compute systems and the six programs from their files; the scene clock
    // restarts at 0.
    void reloadShaders();

    ShaderProgram particleProgram;
    ShaderProgram occlusionProgram;
    ShaderProgram materialProgram;     // the second standing group (v_Material1 / f_Material1)
    ShaderProgram materialProgram2;    // the walkers (v_Material1 / f_Material12)
    ShaderProgram smogProgram;
    ShaderProgram meshProgram;         // the buffalo
    TextureObject standingSamples;
    TGObject buffaloMesh;
    TGObject standing3Mesh;
    ComputeParticleSystem treeSystem;      // 1224 x 1224, follows the two trees
    ComputeParticleSystem standingSystem;  // 800 x 800, the standing figures
    CameraPath cameraPath;
    TTree trees[2];
    TreeClock treeClock;
    // A defined 1 x 1 texture for the tree system's samplers that have nothing of their own.
    GLuint blankTexture = 0;
    // Capture mode: every frame builds its own trees (no workers).
    bool buildTreesPerFrame = false;
    float builtTreeTime = -1.0f;       // scene time of the trees built last (capture mode)
    forest::GrassBlade grass[forest::kGrassBlades];

private:
    void treeStep();
    void uploadTrees();
    void particleStep();
    void scenePass();
    void drawParticles(const float* lightMatrix);
    void drawBuffalo();
    void drawGrass();
    void drawStanding3();
    void drawWalkers();
    void drawSmog();
};

// The scene whose load is running: its standing-figure worker finds its TextureObject
// through it. Set before the worker starts, unchanged until it is joined.
extern Part_ParticleShadowForest* g_loadingForest;
