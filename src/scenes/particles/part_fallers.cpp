#include "scenes/particles/part_fallers.h"

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
#include "formats/path_sway.h"
#include "scenes/particles/fallers_timeline.h"
#include "scenes/particles/particle_kit.h"

using namespace fallers;

Part_Fallers* g_loadingFallers = nullptr;
Loader g_fallersWorker;

namespace {

constexpr const char* kFallersPath = "..//newresources///fallers.objb";
constexpr const char* kStatuePath = "..//newresources/agalma3simple.objb";
constexpr const char* kBustPath = "..//newresources/agalma3cut.objb";
constexpr const char* kHeadPath = "..//newresources/cupidhead.objb";

const std::string kSpline = "SplineTexture";
const std::string kMyTexture = "MyTexture";
const std::string kReflection = "IsReflection";

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// translate(x, y, z) x rotateY(yaw) x rotateX(pitch) x scale(s); with `mirrored`, reflected
// in the water plane first.
Mat4 placement(float x, float y, float z, float yaw, float pitch, float s, bool mirrored) {
    const float cy = std::cos(yaw), sy = std::sin(yaw);
    const float cp = std::cos(pitch), sp = std::sin(pitch);
    // Columns of rotateY(yaw) x rotateX(pitch), each times s.
    Mat4 m = mat4Identity();
    m[0] = cy * s;          m[1] = 0.0f;      m[2] = -sy * s;
    m[4] = sy * sp * s;     m[5] = cp * s;    m[6] = cy * sp * s;
    m[8] = sy * cp * s;     m[9] = -sp * s;   m[10] = cy * cp * s;
    m[12] = x;              m[13] = y;        m[14] = z;
    if (mirrored) {
        Mat4 mirror = mat4Identity();
        mirror[5] = -1.0f;
        mirror[13] = 2.0f * kWaterY;
        m = mat4Multiply(mirror, m);
    }
    return m;
}

// Where the statues stand. The standing statue (2.5 units in its file) on the left, half a
// turn toward the camera; the bust (6.4 in its file) on the right, on its socle; the
// cherub's head (7.6 in its file, centred on its origin) lying in the water in front, face up.
struct StatuePlace {
    float x, y, z, yaw, pitch, scale;
};
constexpr StatuePlace kStatuePlace = {-2.6f, kWaterY - 0.05f, 2.7f, 1.15f, 0.0f, 1.0f};
constexpr StatuePlace kBustPlace = {-1.8f, kWaterY - 0.02f, -2.9f, 1.95f, 0.0f, 0.3f};
constexpr StatuePlace kHeadPlace = {0.6f, kWaterY + 0.1f, 1.25f, 1.35f, -1.0f, 0.12f};

Mat4 statueMatrix(const StatuePlace& p, bool mirrored) {
    return placement(p.x, p.y, p.z, p.yaw, p.pitch, p.scale, mirrored);
}

void repeatTexture(const ImageTexture& texture) {
    glBindTexture(GL_TEXTURE_2D, texture.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// Makes `program` current with "MV" = the camera and "Local".
void beginLayer(ShaderProgram& program, const float* mvp, const float* local) {
    program.use();
    program.setMat4("MV", mvp);
    program.setMat4("Local", local);
}

}  // namespace

// [SECTION] Loading

void Part_Fallers::load() {
    g_loadingFallers = this;
    particleSystem.width = kGrid;
    particleSystem.height = kGrid;

    cameraPath.load("..//newresources//try1.sav");

    reloadShaders();

    linkFlowField(particleSystem, engine);

    fallersSamples.allocate(kGrid, kGrid);
    startScatterWorker(g_fallersWorker, fallersSamples, kFallersPath, 16000.0f, 1.0f, TVector(-1000.0f, 0.0f, -1000.0f),
                       TVector(10000.0f, 1000.0f, 1000.0f));

    std::printf("%s\n", std::string(88, '=').c_str());

    statueMesh.loadObjb(kStatuePath, 1.0f, false);
    bustMesh.loadObjb(kBustPath, 1.0f, false);
    headMesh.loadObjb(kHeadPath, 1.0f, false);

    backgroundTexture.loadImage("..//newresources//bg03.jpg", false);
    repeatTexture(backgroundTexture);
    reportLoadProgress(engine, kWeightBackground);
    moonTexture.loadImage("..//newresources//moon.jpg", false);
    repeatTexture(moonTexture);
    reportLoadProgress(engine, kWeightMoon);
}

void Part_Fallers::finishLoad() {
    g_fallersWorker.join();
    fallersSamples.upload();
}

void Part_Fallers::reloadShaders() {
    particleSystem.create("../shaders//fallers/ComputeShader1.cpp");
    particleProgram.build("../shaders/fallers/v_particles.cpp", "../shaders/fallers/f_particles.cpp");
    occlusionProgram.build("../shaders/fallers/v_postprocess.cpp", "../shaders/fallers/f_postprocessSSAO.cpp");
    materialProgram.build("../shaders/fallers/v_Material1.cpp", "../shaders/fallers/f_Material1.cpp");
    meshProgram.build("../shaders/common/v_fixedObjb.cpp", "../shaders/common/f_fixedObjb.cpp");
    blackMeshProgram.build("../shaders/common/v_fixedObjb.cpp", "../shaders/common/f_fixedObjb2black.cpp");
    smogProgram.build("../shaders/common/v_smog.cpp", "../shaders/common/f_Smog2.cpp");
    texturedProgram.build("../shaders/common/v_fixed3.cpp", "../shaders/common/f_fixedtexture33.cpp");
    blurProgram.build("../shaders/fallers/v_blur.cpp", "../shaders/fallers/f_blur.cpp");
    compositeProgram.build("../shaders/fallers/1/v_postprocess.cpp", "../shaders/fallers/1/f_postprocessSSAO.cpp");
    localTime = 0.0f;
}

// [SECTION] Clock

void Part_Fallers::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::Fallers); }

// [SECTION] Frame

void Part_Fallers::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
    engine = e;
    if (done) return;
    setSceneCamera();
    if (done) return;
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

void Part_Fallers::setSceneCamera() {
    const CameraPose pose = cameraAt(localTime, pathSwayAt(cameraPath, localTime));
    swayPosition[0] = pose.swayX;
    swayPosition[1] = pose.swayY;
    setCamera(engine, pose.eye, pose.target, pose.up, kFieldOfView);
}

void Part_Fallers::particleStep() {
    particleSystem.bindForStep(localTime, timeStep);
    bindSampleSet(particleSystem, fallersSamples, fallersSamples);
    particleSystem.bindSampler(GL_TEXTURE_2D, 22, kSpline, splineTexture);
    particleSystem.setMat4("MVP", engine->mvpMatrix);
    bindStone(particleSystem, backgroundTexture.texture);
    particleSystem.setFloat("PosY", 0.0f);
    particleSystem.dispatch();
    finishParticleSteps();
}

void Part_Fallers::scenePass() {
    beginParticleScenePass();

    drawParticles();
    drawStatues();
    drawWaterAndBackdrop();
    drawMist();
    drawMoonAndDust();

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
}

void Part_Fallers::drawParticles() {
    float lightMatrix[16];
    particleLightMatrix(engine, lightMatrix);
    beginParticleDraw(particleProgram, engine, particleSystem,
                      {lightMatrix, display->wideTarget[0].depthTexture});
    drawParticleSystem(particleProgram, particleSystem, localTime);
    endParticleDraw();
}

void Part_Fallers::drawStatues() {
    const float t = localTime;
    for (ShaderProgram* program : {&meshProgram, &blackMeshProgram}) {
        beginLayer(*program, engine->mvpMatrix, kIdentity);
        program->setFloat("ttime", t);
    }

    // Statue, bust and head upright, then the bust's and the statue's reflections in the
    // water (the head lies in it).
    struct Draw {
        ShaderProgram* program;
        const TGObject* mesh;
        const StatuePlace* place;
        bool reflection;
    };
    const Draw draws[5] = {
        {&meshProgram, &statueMesh, &kStatuePlace, false},
        {&meshProgram, &bustMesh, &kBustPlace, false},
        {&meshProgram, &headMesh, &kHeadPlace, false},
        {&blackMeshProgram, &bustMesh, &kBustPlace, true},
        {&blackMeshProgram, &statueMesh, &kStatuePlace, true},
    };
    for (const Draw& d : draws) {
        float local[16];
        mat4Store(statueMatrix(*d.place, d.reflection), local);
        d.program->use();
        d.program->setFloat("IsBlack", d.reflection ? 1.0f : 0.0f);
        d.program->setFloat("ttime", t);
        d.program->setFloat(kReflection, d.reflection ? 1.0f : 0.0f);
        d.program->setMat4("Local", local);
        d.mesh->draw(-1);
    }
}

void Part_Fallers::drawWaterAndBackdrop() {
    // The foggy backdrop far behind, and its reflection under the water line.
    if (ShaderProgram* textured = engine->textureProgram) {
        beginLayer(*textured, engine->mvpMatrix, kIdentity);
        textured->bindSampler(GL_TEXTURE_2D, 0, kMyTexture, backgroundTexture.texture);
        // 127 units from the eye, its top above the picture even with the camera's roll; the
        // picture's haze band (v = 0.68) sits just above the horizon. The reflection meets it
        // at the water line, so the two never overlap.
        constexpr float kX = -120.0f, kTop = 90.0f, kBottom = kWaterY, kHalfWidth = 170.0f;
        constexpr float kVTop = 0.0f, kVBottom = 0.76f;
        glBegin(GL_QUADS);
        for (int mirrored = 0; mirrored < 2; ++mirrored) {
            const float top = mirrored ? 2.0f * kWaterY - kTop : kTop;
            const float bottom = mirrored ? 2.0f * kWaterY - kBottom : kBottom;
            const float shade = mirrored ? 0.8f : 1.0f;
            glColor4f(shade, shade, shade, 1.0f);
            glTexCoord2f(0.0f, kVBottom); glVertex3f(kX, bottom, kHalfWidth);
            glTexCoord2f(2.0f, kVBottom); glVertex3f(kX, bottom, -kHalfWidth);
            glTexCoord2f(2.0f, kVTop);    glVertex3f(kX, top, -kHalfWidth);
            glTexCoord2f(0.0f, kVTop);    glVertex3f(kX, top, kHalfWidth);
        }
        glEnd();
    }

    // The water: a dark sheet over everything below its line, more opaque near the camera,
    // where a real surface reflects less.
    if (ShaderProgram* colour = engine->colorProgram) {
        beginLayer(*colour, engine->mvpMatrix, kIdentity);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        constexpr float kNear = 8.0f, kFar = -119.0f, kHalfWidth = 170.0f;
        glBegin(GL_QUADS);
        glColor4f(0.015f, 0.018f, 0.026f, 0.72f);
        glVertex3f(kNear, kWaterY, kHalfWidth);
        glVertex3f(kNear, kWaterY, -kHalfWidth);
        glColor4f(0.02f, 0.024f, 0.034f, 0.4f);
        glVertex3f(kFar, kWaterY, -kHalfWidth);
        glVertex3f(kFar, kWaterY, kHalfWidth);
        glEnd();
        glDisable(GL_BLEND);
    }
}

void Part_Fallers::drawMist() {
    const MistDrift drift = mistDrift(swayPosition[0], swayPosition[1]);
    smogProgram.use();
    smogProgram.setFloat("ttime", localTime);
    smogProgram.setFloat("height", engine->viewHeight);
    smogProgram.setMat4("MV", engine->mvpMatrix);
    smogProgram.setVec3("resolution", engine->viewWidth, engine->viewHeight, 0.0f);
    smogProgram.setFloat("PosY", 0.0f);
    smogProgram.setFloat("RePosX", drift.x);
    smogProgram.setFloat("RePosY", drift.y);
    smogProgram.bindSampler(GL_TEXTURE_2D, 0, kMyTexture, backgroundTexture.texture);

    // Three sheets low over the water, drawn from the top down, blended and not written to
    // depth, so the figures sink into the mist.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    constexpr float kSheetHeights[3] = {0.55f, 0.28f, 0.06f};
    for (float h : kSheetHeights) {
        const Mat4 local = mat4Translation(0.0f, kWaterY + h, 0.0f);
        smogProgram.setMat4("Local", local.m);
        glBegin(GL_QUADS);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glTexCoord2f(0.0f, 0.0f); glVertex3f(6.0f, 0.0f, 40.0f);
        glTexCoord2f(1.0f, 0.0f); glVertex3f(6.0f, 0.0f, -40.0f);
        glTexCoord2f(1.0f, 1.0f); glVertex3f(-70.0f, 0.0f, -40.0f);
        glTexCoord2f(0.0f, 1.0f); glVertex3f(-70.0f, 0.0f, 40.0f);
        glEnd();
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void Part_Fallers::drawMoonAndDust() {
    // The moon, added onto the backdrop (its black surround adds nothing).
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthMask(GL_FALSE);
    beginLayer(texturedProgram, engine->mvpMatrix, kIdentity);
    texturedProgram.setFloat("ttime", localTime);
    texturedProgram.bindSampler(GL_TEXTURE_2D, 0, kMyTexture, moonTexture.texture);
    constexpr float kX = -112.0f, kY = 36.0f, kZ = 27.0f, kHalf = 6.5f;
    glBegin(GL_QUADS);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f); glVertex3f(kX, kY - kHalf, kZ + kHalf);
    glTexCoord2f(1.0f, 1.0f); glVertex3f(kX, kY - kHalf, kZ - kHalf);
    glTexCoord2f(1.0f, 0.0f); glVertex3f(kX, kY + kHalf, kZ - kHalf);
    glTexCoord2f(0.0f, 0.0f); glVertex3f(kX, kY + kHalf, kZ + kHalf);
    glEnd();

    // The last layer: dust falling with the figures, as faint streaks.
    if (ShaderProgram* colour = engine->colorProgram) {
        beginLayer(*colour, engine->mvpMatrix, kIdentity);
        colour->setFloat("ttime", localTime);
        glBegin(GL_LINES);
        for (int i = 0; i < kStreakCount; ++i) {
            const Streak s = streakAt(i, localTime);
            const float b = s.brightness * 0.15f;
            glColor4f(b, b * 0.95f, b * 0.85f, 1.0f);
            glVertex3f(s.head.x, s.head.y, s.head.z);
            glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
            glVertex3f(s.tail.x, s.tail.y, s.tail.z);
        }
        glEnd();
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void Part_Fallers::postPasses(int eye) {
    // NOTE: the occlusion pass begins the eye's post pass twice in a row (postOcclusion
    // begins it once more); the second call's target is the one drawn into.
    display->beginEyePostPass(eye);
    PostUniforms occlusion;
    occlusion.ttime = localTime;
    occlusion.extras = kPostDump | kPostPosY;
    PostUniforms composite;
    composite.ttime = localTime;
    composite.extras = kPostDepth | kPostAspect;
    runPostChain(engine, eye, {&occlusionProgram, &blurProgram, &compositeProgram}, occlusion, composite);
}
