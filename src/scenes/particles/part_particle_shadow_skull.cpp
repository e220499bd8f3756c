#include "scenes/particles/part_particle_shadow_skull.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "common/camera.h"
#include "common/mat4.h"
#include "display/post_chain.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/load_progress.h"
#include "driver/scene_clock.h"
#include "gpu/image_texture.h"
#include "scenes/particles/particle_kit.h"
#include "scenes/particles/particle_shadow_skull_timeline.h"

using namespace particle_shadow_skull;

Part_ParticleShadowSkull* g_loadingParticleShadowSkull = nullptr;
Loader g_skullSampleWorkers[2];

namespace {

GLuint marbleOf(const Data_Interface* engine) {
    return engine && engine->marbleTexture ? engine->marbleTexture->texture : 0;
}

}  // namespace

// [SECTION] Loading

void Part_ParticleShadowSkull::load() {
    cameraPath.load("..//newresources//try1.sav");
    g_loadingParticleShadowSkull = this;
    for (ComputeParticleSystem* system : {&bustSystem, &headSystem}) {
        system->width = kGrid;
        system->height = kGrid;
        linkFlowField(*system, engine);
    }
    reportLoadProgress(engine, kWeightAfterSystems);

    bustSamples.allocate(kGrid, kGrid);
    headSamples.allocate(kGrid, kGrid);
    // NOTE: the workers keep scattering while the scenes after this one load; finishLoad()
    // joins them.
    startScatterWorker(g_skullSampleWorkers[0], g_loadingParticleShadowSkull->bustSamples, kBust.path, kBust.densityX,
                       kBust.densityY, kBust.boxMin, kBust.boxMax);
    startScatterWorker(g_skullSampleWorkers[1], g_loadingParticleShadowSkull->headSamples, kHead.path, kHead.densityX,
                       kHead.densityY, kHead.boxMin, kHead.boxMax);
    reportLoadProgress(engine, kWeightAfterWorkers);

    reloadShaders();
    std::printf("%s\n", std::string(88, '=').c_str());
}

void Part_ParticleShadowSkull::finishLoad() {
    for (Loader& worker : g_skullSampleWorkers) worker.join();
    bustSamples.upload();
    headSamples.upload();
}

void Part_ParticleShadowSkull::reloadShaders() {
    bustSystem.create("../shaders//ParticleShadowSkull/ComputeShader1.cpp");
    headSystem.create("../shaders//ParticleShadowSkull/ComputeShader12.cpp");
    textureProgram.build("../shaders/common/v_fixed2.cpp", "../shaders/common/f_fixedtexture2.cpp");
    particleProgram.build("../shaders/ParticleShadowSkull/v_particles.cpp",
                          "../shaders/ParticleShadowSkull/f_particles.cpp");
    occlusionProgram.build("../shaders/ParticleShadowSkull/v_postprocess.cpp",
                           "../shaders/ParticleShadowSkull/f_postprocessSSAO.cpp");
    materialProgram.build("../shaders/ParticleShadowSkull/v_Material1.cpp",
                          "../shaders/ParticleShadowSkull/f_Material1.cpp");
    smogProgram.build("../shaders/ParticleShadowSkull/v_smog.cpp", "../shaders/ParticleShadowSkull/f_Smog.cpp");
    blurProgram.build("../shaders/ParticleShadowSkull/1/v_blur.cpp", "../shaders/ParticleShadowSkull/1/f_blur.cpp");
    compositeProgram.build("../shaders/ParticleShadowSkull/1/v_postprocess.cpp",
                           "../shaders/ParticleShadowSkull/1/f_postprocessSSAO.cpp");
    localTime = 0.0f;
}

// [SECTION] Clock

void Part_ParticleShadowSkull::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::Skull); }

// [SECTION] Frame

void Part_ParticleShadowSkull::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
    engine = e;
    if (done) return;
    const CameraPose camera = cameraAt(localTime);
    setCamera(e, camera.eye, camera.target, TVector(0.0f, 1.0f, 0.0f), kFieldOfView);
    if (done) return;
    e->aux = localTime;
    display = e->display;
    const int view = e->eye;

    particleStep();
    if (e->simulateOnly) return;

    display->clearWideTarget();

    display->beginEyePass(view);
    scenePass();
    display->resolveEyePass(view);

    PostUniforms occlusion;
    occlusion.ttime = localTime;
    occlusion.extras = kPostResolution | kPostSky;
    PostUniforms composite;
    composite.ttime = localTime;
    composite.extras = kPostAspect;
    runPostChain(e, view, {&occlusionProgram, &blurProgram, &compositeProgram}, occlusion, composite);
}

void Part_ParticleShadowSkull::particleStep() {
    const GLuint marble = marbleOf(engine);
    bustSystem.bindForStep(localTime, timeStep);
    bindSampleSet(bustSystem, bustSamples, bustSamples);
    bindStone(bustSystem, marble);
    bustSystem.setFloat("PosY", 0.0f);
    bustSystem.dispatch();

    headSystem.bindForStep(localTime, timeStep);
    bindSampleSet(headSystem, headSamples, headSamples);
    bindStone(headSystem, marble);
    headSystem.setFloat("PosY", 0.0f);
    headSystem.dispatch();
    finishParticleSteps();
}

void Part_ParticleShadowSkull::scenePass() {
    // A clear of nothing: the occlusion pass paints the dark behind the subjects and adds the
    // mist that was drawn over it.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);

    // The light looks straight down from above; it shares the camera's projection.
    float lightMatrix[16];
    particleLightMatrix(engine, lightMatrix);

    ParticleDrawUniforms light;
    light.lightMVP = lightMatrix;
    light.depthTexture = display->wideTarget[0].depthTexture;
    beginParticleDraw(particleProgram, engine, bustSystem, light);
    drawParticleSystem(particleProgram, bustSystem, localTime);
    drawParticleSystem(particleProgram, headSystem, localTime);
    endParticleDraw();

    drawFloor();
    drawMist();
}

// The fixed layer: a dark polished floor under both subjects, a disc of marble.
void Part_ParticleShadowSkull::drawFloor() {
    static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    constexpr float kFloorY = -2.45f;
    constexpr float kRadius = 16.0f;
    constexpr int kSegments = 48;
    textureProgram.use();
    textureProgram.setMat4("MP", engine->projectionMatrix);
    textureProgram.setMat4("MV", engine->viewMatrix);
    textureProgram.setMat4("Local", kIdentity);
    textureProgram.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", marbleOf(engine));
    // The fixed program writes colour only: the floor keeps the cleared normal and material
    // (no glow, no occlusion weight) rather than whatever an unwritten output would hold.
    glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glColorMaski(2, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glColor4f(0.11f, 0.11f, 0.12f, 1.0f);
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, kFloorY, -2.0f);
    for (int i = 0; i <= kSegments; ++i) {
        const float a = 6.2831853f * static_cast<float>(i) / kSegments;
        const float x = kRadius * std::cos(a), z = kRadius * std::sin(a) - 2.0f;
        glTexCoord2f(x * 0.12f, z * 0.12f);
        glVertex3f(x, kFloorY, z);
    }
    glEnd();
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glColorMaski(2, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// The smog-style layer: stacked sheets of low mist, drawn over everything without writing
// depth, so the occlusion pass still sees the subjects behind it.
void Part_ParticleShadowSkull::drawMist() {
    static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    constexpr int kSheets = 6;
    smogProgram.use();
    smogProgram.setFloat("ttime", localTime);
    smogProgram.setFloat("height", engine->viewHeight);
    smogProgram.setMat4("MV", engine->mvpMatrix);
    smogProgram.setMat4("Local", kIdentity);
    smogProgram.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", marbleOf(engine));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glDisable(GL_CULL_FACE);
    glBegin(GL_QUADS);
    for (int s = 0; s < kSheets; ++s) {
        const float y = -2.35f + 0.28f * static_cast<float>(s);
        const float layer = static_cast<float>(s) / (kSheets - 1);
        glColor4f(1.0f, 1.0f, 1.0f, layer);  // alpha carries the sheet's place in the stack
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(-18.0f, y, -20.0f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(18.0f, y, -20.0f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(18.0f, y, 12.0f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(-18.0f, y, 12.0f);
    }
    glEnd();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glUseProgram(0);
}
