#include "scenes/lidar/part_lidar_ao.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

#include "common/mat4.h"
#include "display/post_chain.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/scene_clock.h"
#include "formats/path_sway.h"
#include "gpu/image_texture.h"
#include "gpu/render_target.h"
#include "gpu/sky_cube.h"
#include "platform/console.h"
#include "scenes/lidar/lidar_ao_timeline.h"
#include "scenes/lidar/point_cloud.h"
#include "scenes/lidar/scan_pass.h"
#include "scenes/particles/particle_kit.h"

using namespace lidar_ao;

Part_LidarAO* g_loadingLidarAO = nullptr;
std::thread g_lidarAOWorker;

namespace {

constexpr const char* kStatuePath = "..//newresources//agalma2.objb";
const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

// [SECTION] Loading

void Part_LidarAO::load() {
    g_loadingLidarAO = this;
    cameraPath.load("..//newresources//try1.sav");

    statueSystem.width = kGrid;
    statueSystem.height = kGrid;
    linkFlowField(statueSystem, engine);
    statueSamples.allocate(kGrid, kGrid);

    // Area-weighted samples of the statue (density 3 x 1), clipped to the box, on a worker.
    g_lidarAOWorker = startScatterWorker(g_loadingLidarAO->statueSamples, kStatuePath, 3.0f, 1.0f,
                                         TVector(-1000.0f, -0.0f, -1000.0f), TVector(10000.0f, 1000.0f, 100.0f));

    reloadShaders();
    localTime = kStartTime;
}

void Part_LidarAO::finishLoad() {
    g_lidarAOWorker.join();
    statueSamples.upload();
}

void Part_LidarAO::reloadShaders() {
    platform::clearConsole();
    fixedProgram.build("../shaders/common/v_fixed4b.cpp", "../shaders/common/f_fixedtexture4b.cpp");
    materialProgram.build("../shaders/LidarAO/v_Material1.cpp", "../shaders/LidarAO/f_Material1.cpp");
    treesProgram.build("../shaders/LidarAO/v_Material1Trees.cpp", "../shaders/LidarAO/f_Material1.cpp");
    statueSystem.create("../shaders//LidarAO/ComputeShader1.cpp");
    particleProgram.build("../shaders/LidarAO/v_particles.cpp", "../shaders/LidarAO/f_particles.cpp");
    occlusionProgram.build("../shaders/LidarAO/v_postprocess.cpp", "../shaders/LidarAO/f_postprocessSSAO.cpp");
    flowProgram.build("../shaders/LidarAO/v_postprocess.cpp", "../shaders/LidarAO/f_postprocessSSAOFlow.cpp");
    smogProgram.build("../shaders/LidarAO/v_smog.cpp", "../shaders/LidarAO/f_Smog.cpp");
    blurProgram.build("../shaders/LidarAO/1/v_blur.cpp", "../shaders/LidarAO/1/f_blur.cpp");
    compositeProgram.build("../shaders/LidarAO/1/v_postprocess.cpp", "../shaders/LidarAO/1/f_postprocessSSAO.cpp");
}

// [SECTION] Clock

void Part_LidarAO::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::LidarAO); }

// [SECTION] Frame

void Part_LidarAO::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
    if (done) return;
    engine = e;
    e->aux = localTime;
    display = e->display;
    const int view = e->eye;

    particleStep();
    if (e->simulateOnly) return;

    display->beginEyePass(view);
    scenePass();
    display->resolveEyePass(view);

    postPasses(view);
}

void Part_LidarAO::particleStep() {
    if (!particleStepRuns(localTime)) return;
    statueSystem.bindForStep(localTime, timeStep);
    bindSampleSet(statueSystem, statueSamples, statueSamples);
    statueSystem.setFloat("PosY", engine->controllerValues[1]);
    statueSystem.dispatch();
    finishParticleSteps();
}

void Part_LidarAO::scenePass() {
    const float t = std::max(localTime, 0.0f);
    pointSize = 1.0f;
    const CameraPose camera = cameraAt(t, pathSwayAt(cameraPath, t).position);
    beginScanPass(engine, camera.eye, camera.target, camera.up, camera.fieldOfView, view);

    drawCloud();
    drawTrees();
    drawStatue();
    drawFog();
    drawSky();
}

void Part_LidarAO::drawCloud() {
    materialProgram.use();
    materialProgram.setFloat("ttime", localTime);
    materialProgram.setFloat("PosY", engine->controllerValues[1]);
    materialProgram.setFloat("PosX", engine->controllerValues[0]);
    materialProgram.setMat4("MV", view.modelView);
    materialProgram.setMat4("MP", view.projection);
    materialProgram.setFloat("ScreenSize", engine->viewWidth);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);   // gl_PointCoord for the round points
    materialProgram.setFloat("pass", 1.0f);
    if (engine->pointCloud) engine->pointCloud->draw(1.0f, 0);
}

void Part_LidarAO::drawTrees() {
    treesProgram.use();
    treesProgram.setFloat("ttime", localTime);
    treesProgram.setMat4("MV", view.modelView);
    treesProgram.setMat4("MP", view.projection);
}

void Part_LidarAO::drawStatue() {
    ParticleDrawUniforms u;
    u.depthTexture = display->wideTarget[0].depthTexture;
    particleProgram.use();
    particleProgram.setMat4("MV", view.modelView);
    particleProgram.setMat4("MP", view.projection);
    particleProgram.setFloat("FSize", pointSize);
    beginParticleDraw(particleProgram, engine, statueSystem, u);
    if (statueDrawn(localTime)) drawParticleSystem(particleProgram, statueSystem, localTime);
    endParticleDraw();
}

void Part_LidarAO::drawFog() {
    if (!fogShown(localTime)) return;
    // NOTE: the slices need projection x model-view (the model-view acts first on a vertex).
    float mvp[16];
    mat4Store(mat4Multiply(mat4Load(view.projection), mat4Load(view.modelView)), mvp);
    smogProgram.use();
    smogProgram.setMat4("MV", mvp);
    smogProgram.setMat4("Local", kIdentity);
    smogProgram.setFloat("ttime", localTime);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    // NOTE: translucent layers leave the depth buffer to the scan, which the occlusion pass
    // reads.
    glDepthMask(GL_FALSE);
    for (int i = 0; i < kFogSlices; ++i) {
        const float y = fogSliceHeight(i);
        smogProgram.setFloat("slice", static_cast<float>(i));
        glBegin(GL_QUADS);
        glColor4f(kFogColour[0], kFogColour[1], kFogColour[2], kFogColour[3]);
        glVertex3f(-1.0f, y, -1.0f);
        glVertex3f(1.0f, y, -1.0f);
        glVertex3f(1.0f, y, 1.0f);
        glVertex3f(-1.0f, y, 1.0f);
        glEnd();
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void Part_LidarAO::drawSky() {
    glEnable(GL_DEPTH_TEST);
    fixedProgram.use();
    fixedProgram.setFloat("ttime", localTime);
    fixedProgram.setFloat("height", engine->viewHeight);
    fixedProgram.setMat4("MV", view.modelView);
    fixedProgram.setMat4("MP", view.projection);
    fixedProgram.setMat4("Local", kIdentity);
    fixedProgram.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", engine->skyboxTexture ? engine->skyboxTexture->texture : 0);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.6f, 0.6f, 0.6f);
    if (skyShown(localTime)) drawSkyCube(kSkyHalfSize);
    glDisable(GL_BLEND);
    fixedProgram.unuse();
}

void Part_LidarAO::postPasses(int eye) {
    const float t = localTime;
    PostUniforms occlusion;
    occlusion.ttime = t;
    postOcclusion(engine, eye, occlusionProgram, occlusion);

    PostUniforms blur;
    blur.ttime = t;
    postBlur(engine, eye, blurProgram, blur);

    clampTextureEdges(engine->display->quarterTarget.colourTexture[0]);
    PostUniforms composite;
    composite.ttime = t;
    composite.extras = kPostAspect;
    postComposite(engine, eye, compositeProgram, composite);
}
