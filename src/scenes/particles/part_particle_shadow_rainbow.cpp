#include "scenes/particles/part_particle_shadow_rainbow.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "common/mat4.h"
#include "display/post_chain.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/load_progress.h"
#include "driver/scene_clock.h"
#include "scenes/particles/fixed_layers.h"
#include "scenes/particles/particle_kit.h"
#include "scenes/particles/smog_layer.h"
#include "scenes/particles/sway_camera.h"

using namespace rainbow;

Part_ParticleShadowRainbow* g_loadingRainbow = nullptr;
Loader g_rainbowWorker;

namespace {

constexpr const char* kPeoplePath = "..//newresources//people.objb";

// Uniform names longer than the small-string buffer, made once so that a frame allocates
// nothing.
const std::string kSplineTexture = "SplineTexture";
const std::string kIsReflection = "IsReflection";

void loadRepeating(ImageTexture& texture, const char* path) {
    texture.loadImage(path, false);
    glBindTexture(GL_TEXTURE_2D, texture.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// Spectral colour for the fixed layers (the particles make their own on the GPU): hue 0 red
// .. 5/6 violet, full saturation.
void spectral(float hue, float out[3]) {
    for (int k = 0; k < 3; ++k) {
        const float h = std::fmod(hue + 1.0f - static_cast<float>(k) / 3.0f, 1.0f) * 6.0f;
        const float v = std::fabs(h - 3.0f) - 1.0f;
        out[k] = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
    }
}

}  // namespace

// [SECTION] Loading

void Part_ParticleShadowRainbow::load() {
    g_loadingRainbow = this;
    system.width = kGrid;
    system.height = kGrid;
    peopleSamples.allocate(kGrid, kGrid);
    startScatterWorker(g_rainbowWorker, g_loadingRainbow->peopleSamples, kPeoplePath, kPeopleDensityX,
                       kPeopleDensityY, TVector(-1000.0f, 0.0f, -1000.0f),
                                         TVector(10000.0f, 1000.0f, 1000.0f));
    cameraPath.load("..//newresources//try1.sav");
    reportLoadProgress(engine, kWeightSamplesStarted);
    buffaloMesh.loadObjb("..//newresources//buffalo.objb", 1.0f, false);
    reportLoadProgress(engine, kWeightBuffalo);
    cheetahMesh.loadObjb("..//newresources//cheetah2.objb", 1.0f, false);
    peopleMesh.loadObjb(kPeoplePath, 1.0f, false);
    reportLoadProgress(engine, kWeightCheetahAndPeople);
    reloadShaders();
    linkFlowField(system, engine);
    std::printf("%s\n", std::string(88, '=').c_str());
    loadRepeating(fogTexture, "..//newresources//bg03.jpg");
    loadRepeating(cityTexture, "..//newresources//city3.jpg");
    reportLoadProgress(engine, kWeightCity);
    loadRepeating(moonTexture, "..//newresources//moon.jpg");
    reportLoadProgress(engine, kWeightMoon);
}

void Part_ParticleShadowRainbow::finishLoad() {
    g_rainbowWorker.join();
    peopleSamples.upload();
}

void Part_ParticleShadowRainbow::reloadShaders() {
    system.create("../shaders//ParticleShadowRainbow/ComputeShader1.cpp");
    particleProgram.build("../shaders/ParticleShadowRainbow/v_particles.cpp",
                          "../shaders/ParticleShadowRainbow/f_particles.cpp");
    occlusionProgram.build("../shaders/ParticleShadowRainbow/v_postprocess.cpp",
                           "../shaders/ParticleShadowRainbow/f_postprocessSSAO.cpp");
    materialProgram.build("../shaders/ParticleShadowRainbow/v_Material1.cpp",
                          "../shaders/ParticleShadowRainbow/f_Material1.cpp");
    meshProgram.build("../shaders/common/v_fixedObjb.cpp", "../shaders/common/f_fixedObjb.cpp");
    shadowProgram.build("../shaders/common/v_fixedObjbB.cpp", "../shaders/common/f_fixedObjbB.cpp");
    reflectionProgram.build("../shaders/common/v_fixedObjb.cpp", "../shaders/common/f_fixedObjb2.cpp");
    smogProgram.build("../shaders/common/v_smog.cpp", "../shaders/common/f_Smog.cpp");
    texturedProgram.build("../shaders/common/v_fixed3.cpp", "../shaders/common/f_fixedtexture3.cpp");
    blurProgram.build("../shaders/ParticleShadowRainbow/v_blur.cpp", "../shaders/ParticleShadowRainbow/f_blur.cpp");
    compositeProgram.build("../shaders/ParticleShadowRainbow/1/v_postprocess.cpp",
                           "../shaders/ParticleShadowRainbow/1/f_postprocessSSAO.cpp");
    localTime = kStartTime;
}

// [SECTION] Clock

void Part_ParticleShadowRainbow::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::Rainbow); }

// [SECTION] Frame

void Part_ParticleShadowRainbow::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
    engine = e;
    if (done) return;
    const float t = localTime;
    const CameraShot shot = cameraAt(t);
    setSwayedCamera(e, cameraPath, t, shot.eye, shot.target, shot.fovDegrees, kSwayWeight);
    e->aux = t;
    display = e->display;
    const int view = e->eye;

    particleStep();
    if (e->simulateOnly) return;

    display->beginEyePass(view);
    scenePass(shot.eye);
    display->resolveEyePass(view);

    postPasses(view);
}

void Part_ParticleShadowRainbow::particleStep() {
    system.bindForStep(localTime, timeStep);
    bindSampleSet(system, peopleSamples, peopleSamples);
    // NOTE: the scene never makes a spline texture: unit 22 holds texture name 0, and the
    // compute step does not read it.
    system.bindSampler(GL_TEXTURE_2D, 22, kSplineTexture, 0);
    system.setMat4("MVP", engine->mvpMatrix);
    bindStone(system, fogTexture.texture);
    system.setFloat("PosY", 0.0f);
    system.dispatch();
    finishParticleSteps();
}

void Part_ParticleShadowRainbow::scenePass(const TVector& eye) {
    beginParticleScenePass();
    glClearColor(0.02f, 0.022f, 0.035f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    float lightMatrix[16];
    particleLightMatrix(engine, lightMatrix);

    drawParticles(lightMatrix);
    drawBuffalo();
    drawPeople();
    drawCheetah();
    drawWalkers();
    drawLines();
    drawBackdrop(eye);
    drawSmog();
    drawVeil();
}

void Part_ParticleShadowRainbow::drawParticles(const float* lightMatrix) {
    ParticleDrawUniforms light;
    light.lightMVP = lightMatrix;
    beginParticleDraw(particleProgram, engine, system, light);
    drawParticleSystem(particleProgram, system, localTime);
    endParticleDraw();
}

// Sets the mesh program's matrices and draws `mesh` through `local`.
static void drawMeshAt(const ShaderProgram& program, const TGObject& mesh, const Mat4& local) {
    float values[16];
    mat4Store(local, values);
    program.setMat4("Local", values);
    mesh.draw(-1);
}

void Part_ParticleShadowRainbow::drawBuffalo() {
    meshProgram.use();
    meshProgram.setMat4("MV", engine->mvpMatrix);
    meshProgram.setFloat("ttime", localTime);
    meshProgram.setFloat("IsBlack", 0.0f);
    meshProgram.setFloat(kIsReflection, 0.0f);
    drawMeshAt(meshProgram, buffaloMesh, buffaloLocal());
    meshProgram.setFloat(kIsReflection, 1.0f);
    drawMeshAt(meshProgram, buffaloMesh, mat4Multiply(peopleReflectionLocal(), buffaloLocal()));
}

// The people mesh three times: the distant crowd of silhouettes at the foot of the skyline,
// the crowd's shadow on the ground, and its coloured reflection in the wet ground.
void Part_ParticleShadowRainbow::drawPeople() {
    meshProgram.use();
    meshProgram.setFloat("IsBlack", 1.0f);
    meshProgram.setFloat(kIsReflection, 0.0f);
    drawMeshAt(meshProgram, peopleMesh, distantCrowdLocal());

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    shadowProgram.use();
    shadowProgram.setMat4("MV", engine->mvpMatrix);
    shadowProgram.setFloat("ttime", localTime);
    drawMeshAt(shadowProgram, peopleMesh, mat4Identity());
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);

    reflectionProgram.use();
    reflectionProgram.setMat4("MV", engine->mvpMatrix);
    reflectionProgram.setFloat("ttime", localTime);
    drawMeshAt(reflectionProgram, peopleMesh, peopleReflectionLocal());
}

void Part_ParticleShadowRainbow::drawCheetah() {
    if (!cheetahRuns(localTime)) return;
    const Mat4 local = cheetahLocal(localTime);
    meshProgram.use();
    meshProgram.setFloat("IsBlack", 0.0f);
    meshProgram.setFloat(kIsReflection, 0.0f);
    drawMeshAt(meshProgram, cheetahMesh, local);
    meshProgram.setFloat(kIsReflection, 1.0f);
    drawMeshAt(meshProgram, cheetahMesh, mat4Multiply(peopleReflectionLocal(), local));
    meshProgram.setFloat(kIsReflection, 0.0f);
}

void Part_ParticleShadowRainbow::drawWalkers() {
    materialProgram.use();
    materialProgram.setMat4("MV", engine->mvpMatrix);
    materialProgram.setFloat("ttime", localTime);
    materialProgram.setFloat("IsBlack", 1.0f);
    for (int w = 0; w < kWalkers; ++w) {
        const WalkerPose pose = walkerAt(w, localTime);
        const TGObject* mesh = engine->walkerMeshes[pose.frame];
        if (mesh == nullptr) continue;
        for (float reflection : {0.0f, 1.0f}) {
            materialProgram.setFloat(kIsReflection, reflection);
            drawMeshAt(materialProgram, *mesh, pose.local);
        }
    }
}

// Fixed-colour lines: a fan of faint spectral beams rising behind the crowd, the wet ground
// over the reflections, and a spectral line of light along the horizon.
void Part_ParticleShadowRainbow::drawLines() {
    ShaderProgram* program = engine->colorProgram;
    if (program == nullptr) return;
    beginFixedLayer(*program, engine->mvpMatrix, nullptr);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);

    // The wet ground: a dark sheet that lets the reflections under it show through.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    glColor4f(0.015f, 0.016f, 0.025f, 0.55f);
    glVertex3f(-120.0f, 0.0f, 40.0f);
    glVertex3f(120.0f, 0.0f, 40.0f);
    glColor4f(0.03f, 0.03f, 0.045f, 0.8f);
    glVertex3f(120.0f, 0.0f, -68.0f);
    glVertex3f(-120.0f, 0.0f, -68.0f);
    glEnd();

    // The beams, turning slowly, each its own hue.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    constexpr int kBeams = 36;
    const float turn = 0.05f * std::sin(localTime * 0.35f);
    float c[3];
    glBegin(GL_LINES);
    for (int i = 0; i < kBeams; ++i) {
        const float f = (static_cast<float>(i) + 0.5f) / kBeams;
        const float angle = (f - 0.5f) * 2.4f + turn;
        spectral(f * 0.83f, c);
        glColor4f(c[0], c[1], c[2], 0.22f);
        glVertex3f(0.0f, 0.0f, -26.0f);
        glColor4f(c[0], c[1], c[2], 0.0f);
        glVertex3f(60.0f * std::sin(angle), 60.0f * std::cos(angle), -40.0f);
    }
    glEnd();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// Textured quads ("MyTexture"): the fog gradient far behind, the skyline in front of it (its
// lights added), and the moon.
void Part_ParticleShadowRainbow::drawBackdrop(const TVector& eye) {
    beginFixedLayer(texturedProgram, engine->mvpMatrix, nullptr);
    texturedProgram.setFloat("ttime", localTime);
    glDepthMask(GL_FALSE);
    glActiveTexture(GL_TEXTURE0);
    texturedProgram.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", fogTexture.texture);
    texturedProgram.setFloat("object", 0.0f);
    glBegin(GL_QUADS);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-200.0f, -10.0f, -110.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(200.0f, -10.0f, -110.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(200.0f, 110.0f, -110.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-200.0f, 110.0f, -110.0f);
    glEnd();

    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    texturedProgram.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", moonTexture.texture);
    texturedProgram.setFloat("object", 2.0f);
    drawBillboard(eye, TVector(-34.0f, 30.0f, -100.0f), 6.0f, 6.0f, 1.0f, 0.97f, 0.9f, 1.0f);

    texturedProgram.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", cityTexture.texture);
    texturedProgram.setFloat("object", 1.0f);
    glBegin(GL_QUADS);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (int panel = -1; panel <= 1; ++panel) {
        const float x0 = static_cast<float>(panel) * 80.0f - 40.0f;
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(x0, -2.0f, -70.0f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(x0 + 80.0f, -2.0f, -70.0f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(x0 + 80.0f, 38.0f, -70.0f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(x0, 38.0f, -70.0f);
    }
    glEnd();
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDepthMask(GL_TRUE);
}

void Part_ParticleShadowRainbow::drawSmog() {
    SmogLayer mist;
    mist.centre = TVector(0.0f, 0.0f, -6.0f);
    mist.halfSize = 45.0f;
    mist.sheets = 3;
    mist.lowest = 0.1f;
    mist.spacing = 0.35f;
    drawSmogLayer(smogProgram, engine->mvpMatrix, localTime, mist, fogTexture.texture);
}

// The final fixed layer: the veil that opens and closes the scene.
void Part_ParticleShadowRainbow::drawVeil() {
    const float alpha = veilAlpha(localTime);
    ShaderProgram* program = engine->colorProgram;
    if (program == nullptr || alpha <= 0.0f) return;
    beginFixedLayer(*program, kIdentityMatrix, kIdentityMatrix);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    drawClipQuad(0.0f, 0.0f, 0.0f, alpha);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void Part_ParticleShadowRainbow::postPasses(int eye) {
    PostUniforms occlusion;
    occlusion.ttime = localTime;
    occlusion.extras = kPostDump | kPostPosY;
    occlusion.dump = 0.0f;
    occlusion.posY = 0.0f;
    PostUniforms composite;
    composite.ttime = localTime;
    composite.extras = kPostAspect | kPostDepth;
    runPostChain(engine, eye, {&occlusionProgram, &blurProgram, &compositeProgram}, occlusion, composite);
}
