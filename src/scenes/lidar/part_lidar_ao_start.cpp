#include "scenes/lidar/part_lidar_ao_start.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

#include "display/post_chain.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/load_progress.h"
#include "driver/scene_clock.h"
#include "formats/path_sway.h"
#include "gpu/image_texture.h"
#include "gpu/render_target.h"
#include "platform/console.h"
#include "scenes/lidar/lidar_ao_start_timeline.h"
#include "scenes/lidar/scan_pass.h"

using namespace lidar_ao_start;

float RePosX = 0.0f;
float RePosY = 0.0f;

// [SECTION] Loading

void Part_LidarAOStart::load() {
    cameraPath.load("..//newresources//try1.sav");
    reloadShaders();
    std::string base = "..//newresources//smalltown2.ascb";
    base += "b";
    townCloud.loadCompressed(base);
    townCloud.upload();
    reportLoadProgress(engine, 1.0f);
    localTime = kStartTime;
}

void Part_LidarAOStart::reloadShaders() {
    platform::clearConsole();
    fixedProgram.build("../shaders/common/v_fixed2.cpp", "../shaders/common/f_fixedtexture2.cpp");
    materialProgram.build("../shaders/LidarAOStart/v_Material1.cpp", "../shaders/LidarAOStart/f_Material1.cpp");
    treesProgram.build("../shaders/LidarAOStart/v_Material1Trees.cpp", "../shaders/LidarAOStart/f_Material1.cpp");
    particleProgram.build("../shaders/LidarAOStart/v_particles.cpp", "../shaders/LidarAOStart/f_particles.cpp");
    occlusionProgram.build("../shaders/LidarAOStart/v_postprocess.cpp",
                           "../shaders/LidarAOStart/f_postprocessSSAO.cpp");
    smogProgram.build("../shaders/LidarAOStart/v_smog.cpp", "../shaders/LidarAOStart/f_Smog.cpp");
    blurProgram.build("../shaders/LidarAOStart/1/v_blur.cpp", "../shaders/LidarAOStart/1/f_blur.cpp");
    compositeProgram.build("../shaders/LidarAOStart/1/v_postprocess.cpp",
                           "../shaders/LidarAOStart/1/f_postprocessSSAO.cpp");
}

// [SECTION] Clock

void Part_LidarAOStart::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::LidarAOStart); }

// [SECTION] Frame

void Part_LidarAOStart::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
    if (done) return;
    engine = e;
    e->aux = localTime;
    display = e->display;
    const int view = e->eye;
    if (e->simulateOnly) return;   // nothing here simulates

    display->beginEyePass(view);
    scenePass();
    display->resolveEyePass(view);

    postPasses(view);
}

void Part_LidarAOStart::scenePass() {
    const float t = std::max(localTime, 0.0f);
    const CameraPose camera = cameraAt(t, pathSwayAt(cameraPath, t).position);
    RePosX = camera.rePosX;
    RePosY = camera.rePosY;
    beginScanPass(engine, camera.eye, camera.target, camera.up, kFieldOfView, view);

    // The town, twice: a soft body of wide, dim splats behind, then the crisp points.
    materialProgram.use();
    materialProgram.setFloat("effect", t);
    materialProgram.setFloat("ttime", materialTime(t, engine->controllerValues[2]));
    materialProgram.setFloat("PosY", engine->controllerValues[1]);
    materialProgram.setFloat("PosX", engine->controllerValues[0]);
    materialProgram.setMat4("MV", view.modelView);
    materialProgram.setMat4("MP", view.projection);
    materialProgram.setFloat("ScreenSize", engine->viewWidth);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);   // gl_PointCoord for the round points
    materialProgram.setFloat("pass", 0.0f);
    townCloud.draw(1.0f, 0);
    materialProgram.setFloat("pass", 1.0f);
    townCloud.draw(1.0f, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    materialProgram.unuse();
}

void Part_LidarAOStart::postPasses(int eye) {
    const float t = localTime;

    // Occlusion and grade, with the night sky behind the roofs.
    PostUniforms occlusion;
    occlusion.ttime = t;
    occlusion.extras = kPostResolution | kPostRePos;
    occlusion.rePosX = RePosX;
    occlusion.rePosY = RePosY;
    occlusionProgram.use();
    occlusionProgram.bindSampler(GL_TEXTURE_2D, 34, "MyTextureSky",
                                 engine->skyboxTexture ? engine->skyboxTexture->texture : 0);
    postOcclusion(engine, eye, occlusionProgram, occlusion);

    PostUniforms blur;
    blur.ttime = t;
    postBlur(engine, eye, blurProgram, blur);

    VREngine2* d = engine->display;
    clampTextureEdges(d->quarterTarget.colourTexture[0]);
    clampTextureEdges(d->eyeTargetFor(eye).spareTexture);
    PostUniforms composite;
    composite.ttime = t;
    composite.extras = kPostAspect;
    postComposite(engine, eye, compositeProgram, composite);
}
