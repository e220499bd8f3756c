#include "scenes/particles/part_particle_shadow.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/camera.h"
#include "common/loader.h"
#include "common/mat4.h"
#include "display/post_chain.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/load_progress.h"
#include "driver/scene_clock.h"
#include "scenes/particles/particle_kit.h"

using namespace particle_shadow;

Part_ParticleShadow* g_loadingParticleShadow = nullptr;

namespace {

constexpr const char* kStatuePath = "..//newresources//agalma3.objb";
constexpr const char* kIslandPath = "..//newresources//island.objb";
constexpr const char* kWalkPattern = "..//newresources//walkers2//mesh.%04d.objb";

// The statue worker: scatters agalma3 by area into the statue samples (load scale 50, set by
// load()), on its own thread.
void statueWorker() {
    g_loadingParticleShadow->statueSamples.loadMesh(kStatuePath, 21.0f, 12.0f,
                                                    TVector(-1000.0f, 0.0f, -1000.0f),
                                                    TVector(10000.0f, 1000.0f, 100.0f), -1.0f);
}

}  // namespace

// [SECTION] Loading

void Part_ParticleShadow::load() {
    std::printf("PARTICLE SHADOW\n");
    g_loadingParticleShadow = this;

    for (ComputeParticleSystem* system : {&crowdA, &crowdB, &statueSystem}) {
        system->width = kGrid;
        system->height = kGrid;
        linkFlowField(*system, engine);
    }

    statueSamples.loadScale = 50.0f;
    statueSamples.allocate(kGrid, kGrid);
    Loader statue;
    statue.start(statueWorker);

    // The walk frames' textures are made up front; their CPU arrays (44 MB a frame) exist
    // only for the batch being scattered: each batch scatters four frames, uploads each one
    // as its worker finishes and hands their storage on to the next batch. The textures come out as if all 56 sets were
    // scattered first and uploaded after, in the same order.
    for (int i = 0; i < kWalkFrames; ++i) {
        walkFrames[i].width = kGrid;
        walkFrames[i].height = kGrid;
        walkFrames[i].createTextures();
        if (i % 2 == 0) reportLoadProgress(engine, kWeightPerTwoAllocations);
    }

    const TVector origin(0.0f, 0.0f, 0.0f);
    const TVector boxMin(-1000.0f, -10.0f, -1000.0f);
    const TVector boxMax(10000.0f, 1000.0f, 100.0f);
    char path[96];
    SampleArrays spare[4];
    for (int k = 0; k < kWalkFrames; k += 4) {
        reportLoadProgress(engine, kWeightPerBatch);
        Loader workers[4];
        for (int j = 0; j < 4; ++j) {
            TextureObject& frame = walkFrames[k + j];
            frame.swapArrays(spare[j]);
            frame.allocateArrays(kGrid, kGrid);
            std::snprintf(path, sizeof path, kWalkPattern, k + j + 1);
            std::srand(42342);
            workers[j].start([&frame, i = k + j, file = std::string(path), origin, boxMin, boxMax] {
                TextureObject::loadAndScatter(&frame, i, file, 0.0f, 0.0f, 10.0f, 81.0f, origin, boxMin, boxMax);
            });
        }
        // Each frame is uploaded as soon as its own worker is done, while the batch's later
        // frames may still be scattering; the uploads stay in index order.
        for (int j = 0; j < 4; ++j) {
            const int i = k + j;
            workers[j].join();
            std::printf("T: %d\n", i);
            walkFrames[i].uploadArrays();
            walkFrames[i].swapArrays(spare[j]);
            if (i % 2 == 0) reportLoadProgress(engine, kWeightPerTwoUploads);
        }
    }

    reportLoadProgress(engine, kWeightBeforeMeshes);
    // NOTE: the statue worker reads agalma3 through its mesh cache and writes the cache when
    // there is none; the drawn statue below opens the same cache. Joining the worker first
    // keeps the render thread from reading a cache that is still being written, and makes
    // the drawn statue's size (50 x the file, from the worker's cache) the same on every run.
    statue.join();
    statueMesh.loadObjb(kStatuePath, 1.0f, false);
    reportLoadProgress(engine, kWeightPerMesh);
    islandMesh.loadObjb(kIslandPath, 1.0f, false);
    reportLoadProgress(engine, kWeightPerMesh);

    reloadShaders();

    stoneTexture.loadImage("..//newresources//wood2.jpg", false);
    glBindTexture(GL_TEXTURE_2D, stoneTexture.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);

    statueSamples.upload();

    reportLoadProgress(engine, kWeightAtEnd);
    std::printf("%s\n", std::string(88, '=').c_str());
    localTime = sceneClock(SceneId::ParticleShadow).start;
}

void Part_ParticleShadow::reloadShaders() {
    crowdA.create("../shaders//ParticleShadow/ComputeShader1.cpp");
    crowdB.create("../shaders//ParticleShadow/ComputeShader12.cpp");
    statueSystem.create("../shaders//ParticleShadow/ComputeShader12Agalma.cpp");
    particleProgram.build("../shaders/particleShadow/v_particles.cpp",
                          "../shaders/particleshadow/f_particles.cpp");
    occlusionProgram.build("../shaders/ParticleShadow/v_postprocess.cpp",
                           "../shaders/ParticleShadow/f_postprocessSSAO.cpp");
    materialProgram.build("../shaders/ParticleShadow/v_Material1.cpp",
                          "../shaders/ParticleShadow/f_Material1.cpp");
    blurProgram.build("../shaders/ParticleShadow/1/v_blur.cpp", "../shaders/ParticleShadow/1/f_blur.cpp");
    compositeProgram.build("../shaders/ParticleShadow/1/v_postprocess.cpp",
                           "../shaders/ParticleShadow/1/f_postprocessSSAO.cpp");
    localTime = 0.0f;
}

// [SECTION] Clock

void Part_ParticleShadow::update(Data_Interface* e) {
    updateSceneClock(*this, e, SceneId::ParticleShadow);
}

// [SECTION] Frame

void Part_ParticleShadow::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
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

    postPasses(view);
}

void Part_ParticleShadow::stepCrowd(ComputeParticleSystem& system, int frame) {
    system.bindForStep(localTime, timeStep);
    bindSampleSet(system, walkFrames[frame], walkFrames[0]);
    bindStone(system, stoneTexture.texture);
    system.setFloat("PosY", 0.0f);
    system.dispatch();
}

void Part_ParticleShadow::particleStep() {
    const float t = localTime;
    stepCrowd(crowdA, crowdAFrame(t));
    stepCrowd(crowdB, crowdBFrame(t));
    if (statueSimulates(t)) {
        statueSystem.bindForStep(t, timeStep);
        bindSampleSet(statueSystem, statueSamples, statueSamples);
        bindStone(statueSystem, stoneTexture.texture);
        statueSystem.setFloat("PosY", 0.0f);
        statueSystem.setFloat("PosX", 0.0f);
        statueSystem.dispatch();
    }
    finishParticleSteps();
}

void Part_ParticleShadow::scenePass() {
    beginParticleScenePass();
    // The light looks straight down from above the crowd; it shares the camera's projection.
    float lightMatrix[16];
    particleLightMatrix(engine, lightMatrix);

    drawParticles(lightMatrix);
    drawMaterials(lightMatrix);
    drawGreyPoints();
}

void Part_ParticleShadow::drawParticles(const float* lightMatrix) {
    const float t = localTime;
    // Every system's draw reads its particles from its own images by vertex index, so crowd
    // A's buffer serves as the vertex array for all three.
    ParticleDrawUniforms light;
    light.lightMVP = lightMatrix;
    light.depthTexture = display->wideTarget[0].depthTexture;
    beginParticleDraw(particleProgram, engine, crowdA, light);
    drawParticleSystem(particleProgram, crowdA, t);
    drawParticleSystem(particleProgram, crowdB, t);
    if (statueDrawn(t)) drawParticleSystem(particleProgram, statueSystem, t);
    endParticleDraw();
}

void Part_ParticleShadow::drawMaterials(const float* lightMatrix) {
    static const float kLocal[16] = {100, 0, 0, 0, 0, 100, 0, 0, 0, 0, 100, 0, 0, 0, 0, 1};
    const float t = localTime;
    materialProgram.use();
    materialProgram.setFloat("ttime", t);
    materialProgram.setMat4("MV", engine->mvpMatrix);
    materialProgram.setFloat("IsShadow", 0.0f);
    materialProgram.setFloat("PosY", engine->tuneY);
    materialProgram.setMat4("Local", kLocal);
    materialProgram.setMat4("LightMVP", lightMatrix);
    for (int row = 0; row < kMaterialRows; ++row) {
        const MaterialRow& r = kMaterialRowTable[row];
        materialProgram.setFloat("object", r.object);
        materialProgram.setFloat("Refl", r.refl);
        if (materialRowDrawn(row, t)) (r.mesh == RowMesh::Statue ? statueMesh : islandMesh).draw(-1);
    }
}

void Part_ParticleShadow::drawGreyPoints() {
    static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    ShaderProgram* program = engine->colorProgram;
    if (!program) return;
    program->use();
    program->setMat4("MV", engine->mvpMatrix);
    program->setMat4("Local", kIdentity);
    GreyPoint points[kGreyPointCount];
    makeGreyPoints(points);
    glBegin(GL_POINTS);
    for (const GreyPoint& p : points) {
        glColor3f(p.grey, p.grey, p.grey);
        glVertex3f(p.position.x, p.position.y, p.position.z);
    }
    glEnd();
}

void Part_ParticleShadow::postPasses(int eye) {
    PostUniforms occlusion;
    occlusion.ttime = localTime;
    occlusion.extras = kPostResolution | kPostSky;
    PostUniforms composite;
    composite.ttime = localTime;
    composite.extras = kPostAspect;
    runPostChain(engine, eye, {&occlusionProgram, &blurProgram, &compositeProgram}, occlusion, composite);
}
