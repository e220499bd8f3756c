#include "scenes/lidar/part_demo_lidar_tree.h"

#include <GL/glew.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "common/mat4.h"
#include "display/post_chain.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/load_progress.h"
#include "driver/scene_clock.h"
#include "gpu/post_pass.h"
#include "gpu/sky_cube.h"
#include "scenes/lidar/lidar_tree_timeline.h"
#include "scenes/lidar/point_bake_rule.h"
#include "scenes/lidar/point_cloud.h"

using namespace lidar_tree;

Part_DEMOLidarTree* g_loadingLidarTree = nullptr;

namespace {

constexpr const char* kShaders = "../shaders/DEMOLidarTree/";
const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Uniform names longer than the small-string buffer, made once so that a frame allocates
// nothing.
const std::string kFloral = "texture2d_floral";

std::string shaderPath(const char* name) { return std::string(kShaders) + name; }

void build(ShaderProgram& program, const char* vertex, const char* fragment) {
    program.build(shaderPath(vertex), shaderPath(fragment));
}

GLuint skyTexture(const Data_Interface* e) { return e->skyboxTexture ? e->skyboxTexture->texture : 0; }

// Immediate-mode quad in the x-z plane (y = 0), from -1 to 1, with texture coordinates 0..1.
void drawGroundQuad() {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-1.0f, 0.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(1.0f, 0.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(1.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-1.0f, 0.0f, 1.0f);
    glEnd();
}

}  // namespace

// [SECTION] Loading

void Part_DEMOLidarTree::load() {
    std::srand(52524);
    g_loadingLidarTree = this;

    build(greenProgram, "v_Material1green.cpp", "f_Material1Green.cpp");
    build(cityProgramA, "v_Material1City.cpp", "f_Material1City.cpp");
    build(statueProgram, "v_Material1Agalma.cpp", "f_Material1Agalma.cpp");
    build(birdProgram, "v_Material1Bird.cpp", "f_Material1Agalma.cpp");
    reloadShaders();
    reportLoadProgress(engine, 2.0f);

    standingMesh.loadObjb("..//newresources//standing.objb", 1.0f, false);
    statueMesh.loadObjb("..//newresources//agalma2.objb", 1.0f, false);
    reportLoadProgress(engine, 1.0f);
    birdMesh.loadObjb("..//newresources//bird.objb", 1.0f, false);
    reportLoadProgress(engine, 1.0f);
    plateMesh.loadObjb("..//newresources//qrbplane.objb", 1.0f, false);
    reportLoadProgress(engine, 1.0f);

    floralTexture.loadImage("..//newresources//floralPost.png", false);
    // NOTE: a missing image leaves no texture; the wrap mode then goes to no texture at all
    // rather than to whatever happens to be bound.
    if (floralTexture.texture != 0) {
        glBindTexture(GL_TEXTURE_2D, floralTexture.texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    reportLoadProgress(engine, 1.0f);

    std::printf("1 \n");
    lidarMesh.loadObjb("..//newresources//lidar4.objb", 1.0f, false);
    reportLoadProgress(engine, 2.0f);
    std::printf("2 \n");

    bake.create(point_bake::kBakeSize, shaderPath("v_Material1.cpp"), shaderPath("f_Material1.cpp"));
    const auto bakeStart = std::chrono::steady_clock::now();
    const std::clock_t bakeCpuStart = std::clock();
    const int32_t baked = bakeMeshPoints(bake, lidarMesh, bakedPoints);
    const std::chrono::duration<double> bakeTime = std::chrono::steady_clock::now() - bakeStart;
    const double bakeCpu = static_cast<double>(std::clock() - bakeCpuStart) / CLOCKS_PER_SEC;
    std::printf("lidartree: baked %d points from %d views in %.2f s (%.2f s cpu; drawing %.2f s, read-back %.2f s, "
                "selection %.2f s)\n",
                baked, point_bake::kBakePasses, bakeTime.count(), bakeCpu, bake.renderSeconds, bake.readSeconds,
                bake.selectSeconds);
    reportLoadProgress(engine, 10.0f);
}

void Part_DEMOLidarTree::reloadShaders() {
    build(occlusionProgram, "v_postprocess.cpp", "f_postprocessSSAO.cpp");
    build(screenEffectProgram, "v_postprocess.cpp", "f_ScreenSpaceEffect.cpp");
    fixedProgram.build("../shaders/common/v_fixed4c.cpp", "../shaders/common/f_fixedtexture4c.cpp");
    build(rendererProgram, "v_MaterialRenderer1.cpp", "f_MaterialRenderer1.cpp");
    build(materialProgram, "v_Material1.cpp", "f_Material1.cpp");
    build(cityProgramB, "v_Material1City2.cpp", "f_Material1City.cpp");
    build(postProgram, "v_postprocess_post.cpp", "f_postprocessSSAO_post.cpp");
    build(blurProgram, "v_blur.cpp", "f_blur.cpp");
}

// [SECTION] Clock

void Part_DEMOLidarTree::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::DEMOLidarTree); }

// [SECTION] Frame

void Part_DEMOLidarTree::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
    if (done) return;
    engine = e;
    e->aux = localTime;
    display = e->display;
    if (e->simulateOnly) return;  // nothing here simulates: the clocks moved in update
    const int view = e->eye;

    display->beginEyePass(view);
    scenePass(passTime(localTime));
    display->resolveEyePass(view);

    screenEffectPass(view);
    blurAndComposite(view);
}

void Part_DEMOLidarTree::scenePass(float t) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);

    const float aspect = engine->viewWidth / engine->viewHeight;
    const Mat4 projection = mat4Perspective(kFieldOfView, aspect, kNear, kFar);
    const CameraPose pose = cameraAt(t);
    const Mat4 view = mat4LookAt(pose.eye, pose.target, TVector(0.0f, 1.0f, 0.0f));
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.m);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.m);
    // NOTE: the screen-effect pass gets the engine's "MVP"; it carries this camera so that the
    // pass can find the view ray of every pixel (the sky behind the scan).
    mat4Store(mat4Multiply(projection, view), engine->mvpMatrix);
    const Mat4 wide = mat4Multiply(mat4Perspective(kWideFieldOfView, aspect, kNear, kFar), view);

    if (bakedPointsDrawn(t)) drawBakedPoints(t, view.m, wide.m);
    if (walkersDrawn(t)) drawWalkers(t, view.m);
    if (standingWindow(t) >= 0) drawStanding(t, view.m);
    if (skyCubeDrawn(t)) drawSkyLayer(t, view.m);
    if (floralFrameDrawn(t)) drawFloralFrame(t, view.m);
    if (firstCloudDrawn(t)) drawSharedCloud(cityProgramB, kFirstCloudFraction, t, view.m);
    if (secondCloudDrawn(t)) drawSharedCloud(cityProgramA, secondCloudFraction(t), t, view.m);
    drawClimax(t, view.m);

    glUseProgram(0);
    glDisable(GL_POINT_SPRITE);
    glDisable(GL_POINT_SMOOTH);
    glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void Part_DEMOLidarTree::drawBakedPoints(float t, const float* view, const float* wideProjection) {
    rendererProgram.use();
    rendererProgram.setFloat("IsReflection", 0.0f);
    rendererProgram.setFloat("ttime", t);
    rendererProgram.setFloat("cut", 1.0f);
    rendererProgram.setMat4("MV_Proj", wideProjection);
    rendererProgram.setMat4("MV", view);
    rendererProgram.setMat4("Local", kIdentity);
    rendererProgram.setFloat("ScreenSize", engine->viewHeight);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);
    // NOTE: an empty bake (no lidar4) leaves a buffer of no points, which draws nothing.
    if (bakedPoints.count > 0) drawPointBuffer(bakedPoints, 1.0f, 0);
    rendererProgram.unuse();
}

void Part_DEMOLidarTree::useSilhouetteProgram(float t, const float* view) {
    materialProgram.use();
    materialProgram.setFloat("IsBlack", 1.0f);
    materialProgram.setFloat("IsReflection", 0.0f);
    materialProgram.setFloat("ttime", t);
    materialProgram.setMat4("MV", view);
}

void Part_DEMOLidarTree::drawWalkers(float t, const float* view) {
    useSilhouetteProgram(t, view);
    const int frames[2] = {walkFrameA(t), walkFrameB(t)};
    for (int w = 0; w < 2; ++w) {
        const Mat4 local = walkerPlacement(w, t);
        materialProgram.setMat4("Local", local.m);
        if (const TGObject* mesh = engine->walkerMeshes[frames[w]]) mesh->draw(-1);
    }
    materialProgram.unuse();
}

void Part_DEMOLidarTree::drawStanding(float t, const float* view) {
    useSilhouetteProgram(t, view);
    const Mat4 local = standingPlacement(standingWindow(t));
    materialProgram.setMat4("Local", local.m);
    for (int group = 0; group < standingMesh.partCount; ++group) {
        if (standingGroupDrawn(group)) standingMesh.draw(group);
    }
    materialProgram.unuse();
}

void Part_DEMOLidarTree::drawSkyLayer(float t, const float* view) {
    const Mat4 turn = placement(TVector(0.0f, 0.0f, 0.0f), 172.0f * 3.14159265f / 180.0f, 1.0f);
    fixedProgram.use();
    fixedProgram.setFloat("ttime", t);
    fixedProgram.setFloat("height", engine->viewHeight);
    fixedProgram.setMat4("MV", view);
    fixedProgram.setMat4("Local", turn.m);
    fixedProgram.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", skyTexture(engine));
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    // The sky adds its light where nothing has been drawn yet: the scene's programs write
    // alpha 0 over the clear's 1, so the stars stay behind the scan without a depth test.
    glBlendFunc(GL_DST_ALPHA, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.6f, 0.6f, 0.6f);
    ::drawSkyCube(40.8f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glEnable(GL_DEPTH_TEST);
    fixedProgram.unuse();
}

void Part_DEMOLidarTree::drawFloralFrame(float t, const float* view) {
    const Mat4 local = floralFloorPlacement();
    const Mat4 localView = mat4Multiply(mat4Load(view), local);
    greenProgram.use();
    greenProgram.setFloat("ttime", t);
    greenProgram.setMat4("MV", view);
    greenProgram.setMat4("Local", local.m);
    greenProgram.setMat4("LocalMV", localView.m);
    greenProgram.bindSampler(GL_TEXTURE_2D, 0, kFloral, floralTexture.texture);
    glDisable(GL_CULL_FACE);
    // The mosaic on the ground, then the frame round the picture: the frame sits at the near
    // plane, so whatever is drawn later stays inside it.
    greenProgram.setFloat("IsFrame", 0.0f);
    drawGroundQuad();
    greenProgram.setFloat("IsFrame", 1.0f);
    drawTexturedSquare(1.0f);
    greenProgram.unuse();
}

void Part_DEMOLidarTree::drawSharedCloud(ShaderProgram& program, float fraction, float t, const float* view) {
    if (engine->pointCloud == nullptr) return;
    program.use();
    program.setFloat("ttime", t);
    program.setFloat("PosY", engine->controllerValues[1]);
    program.setFloat("PosX", engine->controllerValues[0]);
    program.setMat4("MV", view);
    program.setMat4("Local", kIdentity);
    program.setFloat("ScreenSize", engine->viewHeight);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);
    glEnable(GL_DEPTH_TEST);
    program.setFloat("pass", 1.0f);
    engine->pointCloud->draw(fraction, 0);
    program.unuse();
}

void Part_DEMOLidarTree::drawClimax(float t, const float* view) {
    const bool anyStatue = statueDrawn(0, t) || statueDrawn(1, t) || statueDrawn(2, t) || lateStatuesDrawn(t);
    if (anyStatue) {
        statueProgram.use();
        statueProgram.setFloat("ttime", t);
        statueProgram.setMat4("MV", view);
        for (int i = 0; i < kStatues; ++i) {
            if (!statueDrawn(i, t)) continue;
            const Mat4 local = statuePlacement(i, t);
            statueProgram.setMat4("Local", local.m);
            statueMesh.draw(-1);
        }
        if (lateStatuesDrawn(t)) {
            for (int i = 0; i < kLateStatues; ++i) {
                const Mat4 local = lateStatuePlacement(i, t);
                statueProgram.setMat4("Local", local.m);
                statueMesh.draw(-1);
            }
        }
        statueProgram.unuse();
    }
    if (plateDrawn(t) || birdsDrawn(t)) {
        birdProgram.use();
        birdProgram.setFloat("ttime", t);
        birdProgram.setMat4("MV", view);
        if (plateDrawn(t)) {
            const Mat4 local = platePlacement(t);
            birdProgram.setMat4("Local", local.m);
            birdProgram.setFloat("IsPlate", 1.0f);
            birdProgram.setFloat("Flip", 0.0f);
            plateMesh.draw(-1);
            birdProgram.setFloat("Flip", 1.0f);
            plateMesh.draw(-1);
        }
        if (birdsDrawn(t)) {
            birdProgram.setFloat("IsPlate", 0.0f);
            birdProgram.setFloat("Flip", 0.0f);
            for (int b = 0; b < kBirds; ++b) {
                const Mat4 local = birdPlacement(b, t);
                birdProgram.setMat4("Local", local.m);
                birdMesh.draw(-1);
            }
        }
        birdProgram.unuse();
    }
}

// [SECTION] Post passes

void Part_DEMOLidarTree::screenEffectPass(int eye) {
    const float t = localTime;
    RenderTarget& post = display->beginEyePostPass(eye);
    ShaderProgram* programs[2] = {&screenEffectProgram, &postProgram};
    for (int p = 0; p < 2; ++p) {
        ShaderProgram& program = *programs[p];
        if (p == 1) {
            // The overlay, blended over the screen effect while the scene time is below 31.
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        }
        bindTargetTextures(post, program);
        program.setFloat(p == 0 ? "time" : "ttime", t);
        program.setFloat("PosY", engine->tuneY);
        program.setVec3("resolution", engine->viewWidth, engine->viewHeight, 0.0f);
        program.setVec3("mouse", engine->tuneX, engine->tuneY, 0.0f);
        program.bindSampler(GL_TEXTURE_2D, 0, "Texture1", post.colourTexture[0]);
        program.bindSampler(GL_TEXTURE_2D, 1, "Texture1Depth", post.depthTexture);
        program.setMat4("MVP", engine->mvpMatrix);
        program.bindSampler(GL_TEXTURE_2D, 30, "Skybox", skyTexture(engine));
        if (p == 0 || overlayDrawn(t)) drawFullScreenQuad();
    }
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    postProgram.unuse();
    display->finishEyePostPass(eye);
}

void Part_DEMOLidarTree::blurAndComposite(int eye) {
    PostUniforms u;
    u.ttime = localTime;
    RenderTarget& quarter = postBlur(engine, eye, blurProgram, u);

    // The composite samples both images with clamp-to-edge, so the glow does not wrap round
    // the picture's edges.
    const GLuint images[2] = {quarter.colourTexture[0], display->eyeTargetFor(eye).spareTexture};
    for (GLuint image : images) {
        glBindTexture(GL_TEXTURE_2D, image);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    u.extras = kPostAspect;
    postComposite(engine, eye, occlusionProgram, u);
}
