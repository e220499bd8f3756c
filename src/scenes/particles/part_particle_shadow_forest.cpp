#include "scenes/particles/part_particle_shadow_forest.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <thread>

#include "common/camera.h"
#include "common/mat4.h"
#include "display/post_chain.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/entrypoint.h"
#include "driver/load_progress.h"
#include "driver/scene_clock.h"
#include "formats/path_sway.h"
#include "gpu/post_pass.h"
#include "scenes/particles/particle_kit.h"

using namespace forest;

Part_ParticleShadowForest* g_loadingForest = nullptr;

namespace {

constexpr const char* kStandingPath = "..//newresources//standing.objb";

// Uniform names longer than the small-string buffer, made once so that a frame allocates
// nothing.
const std::string kTree1 = "OriginalPositionTexture";
const std::string kTree2 = "OriginalPositionTexture2";
const std::string kSuperOriginalPosition = "SuperOriginalPositionTexture";
const std::string kOriginalColour = "OriginalColorTexture";
const std::string kOriginalUV = "OriginalUVTexture";
const std::string kIsReflection = "IsReflection";

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Offline capture, and developer mode (whose seeks replay frames and must land on capture's
// pictures): every picture must follow from its own frame, never from thread timing.
bool framesOwnTheirTrees() {
    return currentEntrypoint != nullptr && (currentEntrypoint->capture.enabled || currentEntrypoint->dev.enabled);
}

TreeControls controlsOf(const Data_Interface* e) {
    TreeControls c;
    c.toggle = e->controllerToggle;
    c.value = e->controllerValues[1];
    return c;
}

// A 250 x 259 RGBA float texture for a packed tree, nearest and clamped, no data yet.
GLuint createTreeTexture() {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, ttree::kStepsPerBranch, ttree::kBranchesPerTree, 0, GL_RGBA,
                 GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

}  // namespace

// [SECTION] Loading

void Part_ParticleShadowForest::load() {
    g_loadingForest = this;
    g_treeClock = &treeClock;
    cameraPath.load("..//newresources//try1.sav");

    // Each tree is built once now, for the scene time as it stands, and uploaded; from the
    // first frame on it is rebuilt as the scene time runs.
    for (int i = 0; i < 2; ++i) {
        TTree& tree = trees[i];
        tree.texture = createTreeTexture();
        tree.textureCreated = 1;
        tree.seed = i;
        buildTreeNow(tree, i, localTime, controlsOf(engine));
    }
    uploadTrees();
    const float blank[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glGenTextures(1, &blankTexture);
    glBindTexture(GL_TEXTURE_2D, blankTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, 1, 1, 0, GL_RGBA, GL_FLOAT, blank);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    makeGrass(grass);

    treeSystem.width = treeSystem.height = kTreeGrid;
    standingSystem.width = standingSystem.height = kStandingGrid;
    linkFlowField(treeSystem, engine);
    linkFlowField(standingSystem, engine);

    standingSamples.allocate(kStandingGrid, kStandingGrid);
    Loader standingWorker;
    startScatterWorker(standingWorker, standingSamples, kStandingPath, 1.0f, 52.0f, TVector(-1000.0f, 0.0f, -1000.0f),
                       TVector(10000.0f, 1000.0f, 100.0f));

    buffaloMesh.loadObjb("..//newresources//buffalo.objb", 1.0f, false);
    reportLoadProgress(engine, kWeightBuffalo);
    standing3Mesh.loadObjb("..//newresources//standing3.objb", 1.0f, false);
    reportLoadProgress(engine, kWeightStanding3);
    reloadShaders();
    reportLoadProgress(engine, kWeightShaders);

    standingWorker.join();
    standingSamples.upload();

    std::printf("%s\n", std::string(88, '=').c_str());
    localTime = kStartTime;
    buildTreesPerFrame = framesOwnTheirTrees();
}

void Part_ParticleShadowForest::reloadShaders() {
    treeSystem.create("../shaders//ParticleShadowForest/ComputeShader1.cpp");
    standingSystem.create("../shaders//ParticleShadowForest/ComputeShader12.cpp");
    particleProgram.build("../shaders/ParticleShadowForest/v_particles.cpp",
                          "../shaders/ParticleShadowForest/f_particles.cpp");
    occlusionProgram.build("../shaders/ParticleShadowForest/v_postprocess.cpp",
                           "../shaders/ParticleShadowForest/f_postprocessSSAO.cpp");
    materialProgram.build("../shaders/ParticleShadowForest/v_Material1.cpp",
                          "../shaders/ParticleShadowForest/f_Material1.cpp");
    materialProgram2.build("../shaders/ParticleShadowForest/v_Material1.cpp",
                           "../shaders/ParticleShadowForest/f_Material12.cpp");
    smogProgram.build("../shaders/ParticleShadowForest/v_smog.cpp", "../shaders/ParticleShadowForest/f_Smog.cpp");
    meshProgram.build("../shaders/common/v_fixedObjb.cpp", "../shaders/common/f_fixedObjb3.cpp");
    localTime = kReloadTime;
}

Part_ParticleShadowForest::~Part_ParticleShadowForest() {
    stopTreeWorkers(treeClock, trees);
    if (g_treeClock == &treeClock) g_treeClock = nullptr;
    if (g_loadingForest == this) g_loadingForest = nullptr;
}

// [SECTION] Clock

void Part_ParticleShadowForest::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::Forest); }

// [SECTION] Frame

void Part_ParticleShadowForest::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
    engine = e;
    if (done) return;
    const float t = localTime;
    CameraShot shot = cameraAt(t);
    const PathSample sway = pathSwayAt(cameraPath, t);
    shot.target += sway.position * static_cast<float>(kSwayWeight);
    setCamera(e, shot.eye, shot.target, shot.up, shot.fovDegrees);
    if (done) return;
    e->aux = t;
    display = e->display;
    const int view = e->eye;

    treeStep();
    particleStep();
    if (e->simulateOnly) return;

    display->clearWideTarget();

    display->beginEyePass(view);
    scenePass();
    display->resolveEyePass(view);

    // The occlusion pass is the only post pass: its result is the finished picture.
    PostUniforms occlusion;
    occlusion.ttime = t;
    occlusion.extras = kPostPosY | kPostAspect;
    occlusion.posY = 0.0f;
    postOcclusion(e, view, occlusionProgram, occlusion);
}

// The trees of this frame: the workers start on the first frame (real time), or the frame
// builds its own (capture mode); then both textures take the newest whole images.
// NOTE: the upload comes before the particle step, so the compute step follows this frame's
// trees rather than the previous frame's.
void Part_ParticleShadowForest::treeStep() {
    treeClock.sceneTime.store(localTime, std::memory_order_relaxed);
    if (buildTreesPerFrame) {
        const float t = treeBuildTime(localTime);
        if (t != builtTreeTime) {
            for (int i = 0; i < 2; ++i) buildTreeNow(trees[i], i, t, controlsOf(engine));
            builtTreeTime = t;
        }
    } else {
        startTreeWorkers(treeClock, trees, controlsOf(engine), localTime);
    }
    uploadTrees();
}

void Part_ParticleShadowForest::uploadTrees() {
    for (TTree& tree : trees) {
        glBindTexture(GL_TEXTURE_2D, tree.texture);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, ttree::kStepsPerBranch, ttree::kBranchesPerTree, GL_RGBA, GL_FLOAT,
                        tree.images.latest());
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Part_ParticleShadowForest::particleStep() {
    const float t = localTime;
    treeSystem.bindForStep(t, timeStep);
    treeSystem.bindSampler(GL_TEXTURE_2D, 16, kTree1, trees[0].texture);
    treeSystem.bindSampler(GL_TEXTURE_2D, 32, kTree2, trees[1].texture);
    // NOTE: these four name textures the scene never makes; a blank 1 x 1 stands in.
    treeSystem.bindSampler(GL_TEXTURE_2D, 21, kSuperOriginalPosition, blankTexture);
    treeSystem.bindSampler(GL_TEXTURE_2D, 17, kOriginalColour, blankTexture);
    treeSystem.bindSampler(GL_TEXTURE_2D, 18, kOriginalUV, blankTexture);
    bindStone(treeSystem, blankTexture);
    treeSystem.setFloat("PosY", 0.0f);
    treeSystem.dispatch();

    standingSystem.bindForStep(t, timeStep);
    bindSampleSet(standingSystem, standingSamples, standingSamples);
    standingSystem.setFloat("PosY", 0.0f);
    standingSystem.dispatch();
    finishParticleSteps();
}

void Part_ParticleShadowForest::scenePass() {
    beginParticleScenePass();
    float lightMatrix[16];
    particleLightMatrix(engine, lightMatrix);

    drawParticles(lightMatrix);
    drawBuffalo();
    drawGrass();
    drawStanding3();
    drawWalkers();
    drawSmog();
}

void Part_ParticleShadowForest::drawParticles(const float* lightMatrix) {
    ParticleDrawUniforms u;
    u.lightMVP = lightMatrix;
    u.depthTexture = display->wideTarget[0].depthTexture;
    beginParticleDraw(particleProgram, engine, treeSystem, u);
    drawParticleSystem(particleProgram, treeSystem, localTime);
    drawParticleSystem(particleProgram, standingSystem, localTime);
    endParticleDraw();
}

void Part_ParticleShadowForest::drawBuffalo() {
    float local[16];
    meshProgram.use();
    meshProgram.setMat4("MV", engine->mvpMatrix);
    meshProgram.setFloat("ttime", localTime);
    mat4Store(buffaloLocal(), local);
    meshProgram.setMat4("Local", local);
    buffaloMesh.draw(-1);
    mat4Store(mirrored(buffaloLocal()), local);   // its reflection in the wet ground
    meshProgram.setMat4("Local", local);
    buffaloMesh.draw(-1);
}

void Part_ParticleShadowForest::drawGrass() {
    ShaderProgram* program = engine->colorProgram;
    if (!program) return;
    program->use();
    program->setMat4("MV", engine->mvpMatrix);
    program->setMat4("Local", kIdentity);
    glBegin(GL_LINES);
    for (const GrassBlade& b : grass) {
        glColor3f(b.grey * 0.5f, b.grey * 0.55f, b.grey * 0.5f);
        glVertex3f(b.root.x, b.root.y, b.root.z);
        glColor3f(b.grey * 0.8f, b.grey, b.grey * 0.8f);
        glVertex3f(b.tip.x, b.tip.y, b.tip.z);
    }
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void Part_ParticleShadowForest::drawStanding3() {
    float local[16];
    mat4Store(standing3Local(), local);
    materialProgram.use();
    materialProgram.setMat4("MV", engine->mvpMatrix);
    materialProgram.setMat4("Local", local);
    materialProgram.setFloat("ttime", localTime);
    for (float shadow : {0.0f, 1.0f}) {
        materialProgram.setFloat("IsShadow", shadow);
        standing3Mesh.draw(-1);
    }
}

void Part_ParticleShadowForest::drawWalkers() {
    float local[16];
    materialProgram2.use();
    materialProgram2.setMat4("MV", engine->mvpMatrix);
    materialProgram2.setFloat("ttime", localTime);
    materialProgram2.setFloat("IsBlack", 1.0f);
    for (int w = 0; w < kWalkers; ++w) {
        const WalkerPose pose = walkerAt(w, localTime);
        const TGObject* mesh = engine->walkerMeshes[pose.frame];
        if (mesh == nullptr) continue;
        mat4Store(pose.local, local);
        materialProgram2.setMat4("Local", local);
        for (float reflection : {0.0f, 1.0f}) {
            materialProgram2.setFloat(kIsReflection, reflection);
            mesh->draw(-1);
        }
    }
}

// The sky dome, the wet ground over the reflections, and the mist, in that order.
void Part_ParticleShadowForest::drawSmog() {
    constexpr float kPi = 3.14159265f;
    smogProgram.use();
    smogProgram.setMat4("MV", engine->mvpMatrix);
    smogProgram.setMat4("Local", kIdentity);
    smogProgram.setFloat("ttime", localTime);

    // Sky: a dome of radius 180 round the clearing (inside the far plane).
    smogProgram.setFloat("object", 0.0f);
    smogProgram.setFloat("height", 0.0f);
    constexpr int kRings = 10, kSegments = 32;
    constexpr float kDome = 180.0f;
    for (int r = 0; r < kRings; ++r) {
        const float a0 = -0.25f * kPi + 0.75f * kPi * static_cast<float>(r) / kRings;
        const float a1 = -0.25f * kPi + 0.75f * kPi * static_cast<float>(r + 1) / kRings;
        glBegin(GL_QUAD_STRIP);
        for (int s = 0; s <= kSegments; ++s) {
            const float b = 2.0f * kPi * static_cast<float>(s) / kSegments;
            glVertex3f(kDome * std::cos(a1) * std::cos(b), kDome * std::sin(a1), kDome * std::cos(a1) * std::sin(b));
            glVertex3f(kDome * std::cos(a0) * std::cos(b), kDome * std::sin(a0), kDome * std::cos(a0) * std::sin(b));
        }
        glEnd();
    }

    // Ground: half see-through, so the mirrored meshes under it show as reflections.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    smogProgram.setFloat("object", 1.0f);
    constexpr float kGround = 150.0f;
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(0.0f, 0.0f, 0.0f);
    for (int s = 0; s <= kSegments; ++s) {
        const float b = -2.0f * kPi * static_cast<float>(s) / kSegments;
        glVertex3f(kGround * std::cos(b), 0.0f, kGround * std::sin(b));
    }
    glEnd();

    // Mist: a few drifting sheets low over the ground, colour only, behind nothing's depth.
    smogProgram.setFloat("object", 2.0f);
    glDepthMask(GL_FALSE);
    glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glColorMaski(2, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    for (float h : {0.12f, 0.3f, 0.55f, 0.85f, 1.25f}) {
        smogProgram.setFloat("height", h);
        glBegin(GL_QUADS);
        glVertex3f(-35.0f, h, -35.0f);
        glVertex3f(35.0f, h, -35.0f);
        glVertex3f(35.0f, h, 14.0f);
        glVertex3f(-35.0f, h, 14.0f);
        glEnd();
    }
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glColorMaski(2, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    smogProgram.unuse();
}
