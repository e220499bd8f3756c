#include "scenes/particles/part_particle_shadow_boat.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/mat4.h"
#include "display/post_chain.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/load_progress.h"
#include "driver/scene_clock.h"
#include "scenes/particles/fixed_layers.h"
#include "scenes/particles/mirrored_copies.h"
#include "scenes/particles/particle_kit.h"
#include "scenes/particles/particle_shadow_boat_layers.h"
#include "scenes/particles/smog_layer.h"
#include "scenes/particles/sway_camera.h"

using namespace boat;

Part_ParticleShadowBoat* g_loadingBoat = nullptr;
Loader g_boatWorkers[kSampleSets];

namespace {

// Uniform names longer than the small-string buffer, made once so that a frame allocates
// nothing.
const std::string kCarPosition = "OriginalPositionTextureCar";
const std::string kCarColour = "OriginalColorTextureCar";
const std::string kEyesPosition = "OriginalPositionTextureEyes";

void loadRepeating(ImageTexture& texture, const char* path) {
    texture.loadImage(path, false);
    glBindTexture(GL_TEXTURE_2D, texture.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// The island where the statues stand, and the rings they stand in.
CopyPlacement islandPlacement() {
    CopyPlacement p;
    p.position = kIslandCentre;
    p.yaw = 0.4f;
    p.scale = kIslandScale;
    return p;
}

CopyScatter statueRing() {
    CopyScatter s;
    s.centre = kIslandCentre;
    s.radiusMin = 1.0f;
    s.radiusMax = 5.5f;
    s.yawMin = 1.5707963f - 0.6f;   // facing the water, toward +x, more or less
    s.yawMax = 1.5707963f + 0.6f;
    s.scaleMin = 2.2f;
    s.scaleMax = 3.0f;
    s.sink = 0.15f;
    s.groundAt = islandHeight;
    return s;
}

CopyScatter rowRing() {
    CopyScatter s = statueRing();
    s.radiusMin = 3.0f;
    s.radiusMax = 7.0f;
    s.yawMin = 1.5707963f - 0.35f;
    s.yawMax = 1.5707963f + 0.35f;
    s.scaleMin = 1.6f;
    s.scaleMax = 1.9f;
    return s;
}

}  // namespace

// [SECTION] Loading

void Part_ParticleShadowBoat::load() {
    rowMesh.loadObjb("..//newresources//peoplerow.objb", 1.0f, false);
    cameraPath.load("..//newresources//try1.sav");
    g_loadingBoat = this;
    system.width = kGrid;
    system.height = kGrid;
    reportLoadProgress(engine, kWeightLoadStep);
    linkFlowField(system, engine);
    for (int i = 0; i < kSampleSets; ++i) samples[i].allocate(kSampleSetDescs[i].grid, kSampleSetDescs[i].grid);
    reportLoadProgress(engine, kWeightLoadStep);
    for (int i = 0; i < kSampleSets; ++i) {
        const SampleSetDesc& desc = kSampleSetDescs[i];
        startScatterWorker(g_boatWorkers[i], g_loadingBoat->samples[i], desc.path, desc.densityX, desc.densityY,
                           desc.boxMin, desc.boxMax);
    }
    reportLoadProgress(engine, kWeightLoadStep);
    statueMesh.loadObjb("..//newresources/agalma3simple.objb", 1.0f, false);
    reportLoadProgress(engine, kWeightLoadStep);
    islandMesh.loadObjb("..//newresources//island.objb", 1.0f, false);
    reportLoadProgress(engine, kWeightLoadStep);
    std::printf("%s\n", std::string(88, '=').c_str());
    reloadShaders();
    loadRepeating(moonTexture, "..//newresources//moon.jpg");
    loadRepeating(marbleTexture, "..//newresources//marble.jpg");
    loadRepeating(woodTexture, "..//newresources//wood1.jpg");
    reportLoadProgress(engine, kWeightLoadStep);
    loadRepeating(boatTexture, "..//newresources//boattex.jpg");
    localTime = kStartTime;
}

void Part_ParticleShadowBoat::finishLoad() {
    for (Loader& worker : g_boatWorkers) worker.join();
    reportLoadProgress(engine, kWeightBeforeUploads);
    for (SampleSet set : kUploadOrder) {
        samples[set].upload();
        reportLoadProgress(engine, kWeightPerUpload);
    }
}

void Part_ParticleShadowBoat::reloadShaders() {
    system.create("../shaders//ParticleShadowBoat/ComputeShader1.cpp");
    particleProgram.build("../shaders/ParticleShadowBoat/v_particles.cpp", "../shaders/ParticleShadowBoat/f_particles.cpp");
    occlusionProgram.build("../shaders/ParticleShadowBoat/v_postprocess.cpp",
                           "../shaders/ParticleShadowBoat/f_postprocessSSAO.cpp");
    blackProgram.build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixedBlack2.cpp");
    smogProgram.build("../shaders/ParticleShadowBoat/v_smog.cpp", "../shaders/ParticleShadowBoat/f_Smog.cpp");
    materialProgram.build("../shaders/ParticleShadowBoat/v_Material1.cpp", "../shaders/ParticleShadowBoat/f_Material1.cpp");
    texturedProgram.build("../shaders/common/v_fixed4.cpp", "../shaders/common/f_fixedtexture4.cpp");
    blurProgram.build("../shaders/ParticleShadowBoat/1/v_blur.cpp", "../shaders/ParticleShadowBoat/1/f_blur.cpp");
    compositeProgram.build("../shaders/ParticleShadowBoat/1/v_postprocess.cpp",
                           "../shaders/ParticleShadowBoat/1/f_postprocessSSAO.cpp");
    localTime = kStartTime;
}

// [SECTION] Clock

void Part_ParticleShadowBoat::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::Boat); }

// [SECTION] Frame

void Part_ParticleShadowBoat::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
    engine = e;
    if (done) return;
    const float t = localTime;
    const CameraShot shot = cameraShot(t);
    setSwayedCamera(e, cameraPath, t, shot.eye, shot.target, shot.fov, swayWeight(t));
    if (done) return;
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

void Part_ParticleShadowBoat::particleStep() {
    const float t = localTime;
    const bool heads = headsActive(t);
    const TextureObject& first = samples[heads ? kHeadsSet : kSceneSet];
    system.bindForStep(t, timeStep);
    bindSampleSet(system, first, first);
    system.bindSampler(GL_TEXTURE_2D, 26, kCarPosition, samples[kCarSet].positionTexture);
    system.bindSampler(GL_TEXTURE_2D, 27, kCarColour, samples[kCarSet].colourTexture);
    if (heads) system.bindSampler(GL_TEXTURE_2D, 23, kEyesPosition, samples[kEyesSet].positionTexture);
    bindStone(system, marbleTexture.texture);
    system.bindSampler(GL_TEXTURE_2D, 20, "BoatTexture2", boatTexture.texture);
    system.bindSampler(GL_TEXTURE_2D, 22, "WoodTexture2", woodTexture.texture);
    system.setFloat("PosY", 0.0f);
    system.dispatch();
    finishParticleSteps();
}

void Part_ParticleShadowBoat::scenePass(const TVector& eye) {
    glClearColor(0.012f, 0.016f, 0.03f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LINE_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_DEPTH_TEST);

    // The moon's view of the scene, for the programs that take a light matrix.
    const Mat4 lightView = mat4LookAt(kMoonDirection * 30.0f, TVector(0.0f, 0.0f, 0.0f), TVector(0.0f, 1.0f, 0.0f));
    float lightMatrix[16];
    mat4Store(mat4Multiply(mat4Load(engine->projectionMatrix), lightView), lightMatrix);

    drawParticles(lightMatrix);
    drawWaterAndSky(eye);
    drawMoon(eye);
    drawMist();
    drawIslandAndStatues(lightMatrix);
    drawTimedLayers(eye);
}

void Part_ParticleShadowBoat::drawParticles(const float* lightMatrix) {
    // The second matrix draws a share of the points mirrored in the water: their reflection.
    static const Mat4 kMirror = {{1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    float mirrored[16];
    mat4Store(mat4Multiply(mat4Load(engine->mvpMatrix), kMirror), mirrored);
    ParticleDrawUniforms u;
    u.lightMVP = lightMatrix;
    beginParticleDraw(particleProgram, engine, system, u);
    particleProgram.setMat4("MVP2", mirrored);
    drawParticleSystem(particleProgram, system, localTime);
    endParticleDraw();
}

void Part_ParticleShadowBoat::drawWaterAndSky(const TVector& eye) {
    static ColouredVertex vertices[kStars > 2 * kGlints ? kStars : 2 * kGlints];
    ShaderProgram* colour = engine->colorProgram;
    if (!colour) return;
    beginFixedLayer(*colour, engine->mvpMatrix, nullptr);
    glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);   // the stars take glPointSize
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    // The water: black glass over everything below it (the mirrored points), to the horizon.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawGroundQuad(eye.x - 240.0f, eye.z - 240.0f, eye.x + 240.0f, eye.z + 240.0f, 0.0f, 1.0f, 0.0f, 0.004f, 0.01f, 0.74f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glPointSize(1.5f);
    drawColouredVertices(GL_POINTS, vertices, makeStars(eye, vertices));
    glPointSize(1.0f);
    glLineWidth(1.5f);
    drawColouredVertices(GL_LINES, vertices, makeGlints(eye, localTime, vertices));
    glLineWidth(1.0f);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void Part_ParticleShadowBoat::drawMoon(const TVector& eye) {
    ShaderProgram* textured = engine->textureProgram;
    if (!textured) return;
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    beginFixedLayer(*textured, engine->mvpMatrix, nullptr);
    textured->bindSampler(GL_TEXTURE_2D, 0, "MyTexture", moonTexture.texture);
    glBlendFunc(GL_ONE, GL_ONE);   // the picture's black square vanishes into the sky
    drawBillboard(eye, eye + kMoonDirection * kMoonDistance, kMoonHalfSize, kMoonHalfSize, 1.0f, 0.96f, 0.88f, 1.0f);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void Part_ParticleShadowBoat::drawMist() {
    SmogLayer mist;
    mist.centre = TVector(0.0f, 0.0f, 0.0f);
    mist.halfSize = 70.0f;
    mist.sheets = 4;
    mist.lowest = 0.05f;
    mist.spacing = 0.2f;
    drawSmogLayer(smogProgram, engine->mvpMatrix, localTime, mist, marbleTexture.texture);
}

void Part_ParticleShadowBoat::drawIslandAndStatues(const float* lightMatrix) {
    materialProgram.use();
    materialProgram.setFloat("ttime", localTime);
    materialProgram.setMat4("MV", engine->mvpMatrix);
    materialProgram.setFloat("IsShadow", 0.0f);
    materialProgram.setFloat("PosY", engine->tuneY);
    materialProgram.setMat4("LightMVP", lightMatrix);

    const CopyPlacement island = islandPlacement();
    materialProgram.setFloat("object", 0.0f);
    drawMirroredCopies(materialProgram, islandMesh, &island, 1);

    CopyPlacement copies[kStatueCopies > kRowCopies ? kStatueCopies : kRowCopies];
    scatterCopies(kStatueSeed, statueRing(), copies, kStatueCopies);
    materialProgram.setFloat("object", 1.0f);
    drawMirroredCopies(materialProgram, statueMesh, copies, kStatueCopies);

    scatterCopies(kRowSeed, rowRing(), copies, kRowCopies);
    materialProgram.setFloat("object", 2.0f);
    drawMirroredCopies(materialProgram, rowMesh, copies, kRowCopies);
}

void Part_ParticleShadowBoat::drawTimedLayers(const TVector& eye) {
    static ColouredVertex vertices[2 * kRippleRings * kRingSegments + 4 * kWakeSegments + 2 * kMoonRays + kEmbers +
                                   2 * kGazeLines];
    const float t = localTime;
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);

    // The moon's reflection: a long streak of its picture on the water, rippled.
    beginFixedLayer(texturedProgram, engine->mvpMatrix, nullptr);
    texturedProgram.setFloat("ttime", t);
    texturedProgram.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", moonTexture.texture);
    glBlendFunc(GL_ONE, GL_ONE);
    {
        TVector along(kMoonDirection.x, 0.0f, kMoonDirection.z);
        along.normalize();
        const TVector side(-along.z, 0.0f, along.x);
        const TVector near = TVector(eye.x, 0.002f, eye.z) + along * 3.0f;
        const TVector far = TVector(eye.x, 0.002f, eye.z) + along * kMoonDistance;
        const float half = kMoonHalfSize * 1.1f;
        glBegin(GL_QUADS);
        glColor4f(0.55f, 0.52f, 0.46f, 1.0f);
        const TVector corners[4] = {near - side * (half * 0.15f), near + side * (half * 0.15f), far + side * half,
                                    far - side * half};
        const float u[4] = {0.0f, 1.0f, 1.0f, 0.0f};
        const float v[4] = {0.0f, 0.0f, 1.0f, 1.0f};
        for (int i = 0; i < 4; ++i) {
            glTexCoord2f(u[i], v[i]);
            glVertex3f(corners[i].x, corners[i].y, corners[i].z);
        }
        glEnd();
    }

    ShaderProgram* colour = engine->colorProgram;
    if (colour) {
        beginFixedLayer(*colour, engine->mvpMatrix, nullptr);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        if (layerDrawn(Layer::Ripples, t)) {
            const float p = layerProgress(Layer::Ripples, t);
            const float strength = p < 0.1f ? p * 10.0f : (p > 0.9f ? (1.0f - p) * 10.0f : 1.0f);
            drawColouredVertices(GL_LINES, vertices, makeRipples(t, strength, vertices));
        }
        if (layerDrawn(Layer::Wake, t)) drawColouredVertices(GL_LINES, vertices, makeWake(t, 1.0f, vertices));
        if (layerDrawn(Layer::MoonRays, t)) {
            const float p = layerProgress(Layer::MoonRays, t);
            drawColouredVertices(GL_LINES, vertices, makeMoonRays(t, p < 0.2f ? p * 5.0f : 1.0f, vertices));
        }
        if (layerDrawn(Layer::Embers, t)) {
            const float p = layerProgress(Layer::Embers, t);
            glPointSize(2.0f);
            drawColouredVertices(GL_POINTS, vertices, makeEmbers(t, p < 0.15f ? p / 0.15f : (p > 0.85f ? (1.0f - p) / 0.15f : 1.0f), vertices));
            glPointSize(1.0f);
        }
        if (layerDrawn(Layer::GazeLines, t)) {
            const float p = layerProgress(Layer::GazeLines, t);
            drawColouredVertices(GL_LINES, vertices, makeGazeLines(t, p < 0.3f ? p / 0.3f : 1.0f, vertices));
        }
    }

    // The fades: black over the whole view.
    float black = 0.0f;
    if (layerDrawn(Layer::DipToBlack, t)) black = layerProgress(Layer::DipToBlack, t) * 0.92f;
    if (layerDrawn(Layer::FadeIn, t)) black = 0.92f * (1.0f - std::min(1.0f, layerProgress(Layer::FadeIn, t) * 2.0f));
    if (black > 0.0f) {
        beginFixedLayer(blackProgram, kIdentityMatrix, nullptr);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        drawClipQuad(0.0f, 0.0f, 0.0f, black);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void Part_ParticleShadowBoat::postPasses(int eye) {
    PostUniforms occlusion;
    occlusion.ttime = localTime;
    occlusion.extras = kPostPosY;
    occlusion.posY = 0.0f;
    PostUniforms composite;
    composite.ttime = localTime;
    composite.extras = kPostAspect;
    runPostChain(engine, eye, {&occlusionProgram, &blurProgram, &compositeProgram}, occlusion, composite);
}
