#include "scenes/depth/part_kinect_effect.h"

#include <cstdio>
#include <fstream>

#include "common/camera.h"
#include "common/loader.h"
#include "display/post_chain.h"
#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/load_progress.h"
#include "driver/scene_clock.h"
#include "driver/scene_state_hooks.h"
#include "gpu/render_target.h"
#include "scenes/depth/depth_frame.h"
#include "scenes/particles/particle_kit.h"

using namespace kinect_effect;

Part_KinectEffect* g_loadingKinectEffect = nullptr;

namespace {

// Uniform names longer than the small-string buffer, made once so that a frame allocates
// nothing.
const std::string kOriginalPosition = "OriginalPositionTexture";
const std::string kOriginalColour = "OriginalColorTexture";
const std::string kOriginalUV = "OriginalUVTexture";
const std::string kTitlePosition = "VellunaPositionTexture";

struct MeshJob {
    const char* path;
    float densityX;
    float densityY;
};
const MeshJob kMeshJobs[2] = {
    {"../newresources//qrbplane.objb", 40.0f, 17.0f},
    {"../newresources//velluna.objb", 35.0f, 17.0f},
};

}  // namespace

void kinectMeshWorker(int i) {
    Part_KinectEffect* scene = g_loadingKinectEffect;
    if (scene == nullptr || i < 0 || i > 1) return;
    const MeshJob& job = kMeshJobs[i];
    // Area-weighted (points per triangle -1); the box keeps everything of these meshes.
    scene->sampleSets[i].loadMesh(job.path, job.densityX, job.densityY, TVector(-1000.0f, -1000.121f, -1000.0f),
                                  TVector(10000.0f, 1000.0f, 100.0f), -1.0f);
}

// [SECTION] Loading

void Part_KinectEffect::load() {
    g_loadingKinectEffect = this;
    // Developer mode's checkpoints: the recording's position, and its frame decoded again.
    scene_state_hooks::add(
        this,
        [this](std::vector<uint8_t>& blob) {
            scene_state_hooks::append(blob, frameIndex);
            scene_state_hooks::append(blob, frameAccumulator);
        },
        [this](const std::vector<uint8_t>& blob) {
            size_t at = 0;
            if (scene_state_hooks::take(blob, at, frameIndex) && scene_state_hooks::take(blob, at, frameAccumulator)) {
                decodeFrame(frameIndex);
            }
        });
    materialProgram.build("../shaders/v_Material1.cpp", "../shaders/f_Material1.cpp");
    reportLoadProgress(engine, kWeightMaterial);

    rainSystem.width = rainSystem.height = kRainGrid;
    startSystem.width = startSystem.height = kStartGrid;
    linkFlowField(rainSystem, engine);
    linkFlowField(startSystem, engine);
    sampleSets[0].allocate(kSampleGrid, kSampleGrid);
    sampleSets[1].allocate(kSampleGrid, kSampleGrid);

    Loader plate, title;
    plate.start([] { kinectMeshWorker(0); });
    title.start([] { kinectMeshWorker(1); });
    reportLoadProgress(engine, kWeightWorkers);
    std::printf("%s\n", std::string(88, '=').c_str());

    reloadShaders();

    scanRecording();
    reportLoadProgress(engine, kWeightFrames);
    if (!depthFileNames.empty() && !depth_frame::readFrameSize(depthFileNames[0], depthWidth, depthHeight)) {
        // Without a readable first frame the size is unknown: play nothing rather than guess.
        std::printf("kinect: cannot read %s; the recording is left out\n", depthFileNames[0].c_str());
        depthFileNames.clear();
        signalFileNames.clear();
    }
    depthPixels.assign(static_cast<size_t>(depthWidth) * static_cast<size_t>(depthHeight) * 3, 0.0f);

    stoneTexture.loadImage("..//newresources//wood2.jpg", false);
    if (stoneTexture.texture != 0) {
        glBindTexture(GL_TEXTURE_2D, stoneTexture.texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    createDepthTexture();

    plate.join();
    title.join();
    sampleSets[0].upload();
    sampleSets[1].upload();
}

void Part_KinectEffect::reloadShaders() {
    rainSystem.create("../shaders//KinectEffect/ComputeShader1Rain.cpp");
    startSystem.create("../shaders//KinectEffect/ComputeShader1start.cpp");
    rainParticleProgram.build("../shaders/KinectEffect/v_particlesRain.cpp", "../shaders/KinectEffect/f_particles.cpp");
    occlusionProgram.build("../shaders/KinectEffect/v_postprocess.cpp",
                           "../shaders/KinectEffect/f_postprocessSSAO.cpp");
    startParticleProgram.build("../shaders/KinectEffect/v_particlesstart.cpp",
                               "../shaders/KinectEffect/f_particlesstart.cpp");
    blurProgram.build("../shaders/KinectEffect/1/v_blur.cpp", "../shaders/KinectEffect/1/f_blur.cpp");
    compositeProgram.build("../shaders/KinectEffect/1/v_postprocess.cpp",
                           "../shaders/KinectEffect/1/f_postprocessSSAO.cpp");
}

// Lists the recording's frames: every number whose depth file exists, with its signal twin.
// NOTE: a plain read test; a read-only installation still plays its recording.
void Part_KinectEffect::scanRecording() {
    depthFileNames.clear();
    signalFileNames.clear();
    for (int n = kFirstRecordingFrame; n <= kLastRecordingFrame; ++n) {
        std::string depth = depthFileName(n);
        if (!std::ifstream(depth, std::ios::binary).is_open()) continue;
        depthFileNames.push_back(std::move(depth));
        signalFileNames.push_back(signalFileName(n));
    }
    if (depthFileNames.empty())
        std::printf("kinect: no recording in %s; the depth texture stays empty\n", kRecordingFolder);
}

// The depth texture at the recording's size, zero until the first frame is decoded. Without
// a recording it is one zero texel, so that the rain reads a defined "nothing there".
void Part_KinectEffect::createDepthTexture() {
    static const float kZero[3] = {0.0f, 0.0f, 0.0f};
    const bool empty = depthPixels.empty();
    glGenTextures(1, &depthTexture);
    glBindTexture(GL_TEXTURE_2D, depthTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB32F, empty ? 1 : depthWidth, empty ? 1 : depthHeight, 0, GL_RGB, GL_FLOAT,
                 empty ? kZero : depthPixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Part_KinectEffect::decodeFrame(int k) {
    if (k < 0 || static_cast<size_t>(k) >= depthFileNames.size() || depthPixels.empty()) return;
    using depth_frame::FrameStatus;
    const FrameStatus status = depth_frame::readDepthFrame(depthFileNames[k], signalFileNames[k], depthWidth,
                                                           depthHeight, depthPixels.data());
    // One message per kind of fault for the whole scene, naming the first file that has it.
    char message[256];
    bool* reported = nullptr;
    if (status == FrameStatus::DepthMissing) {
        std::snprintf(message, sizeof message, "cannot read %s; frames that cannot be read are skipped",
                      depthFileNames[k].c_str());
        reported = &reportedMissingDepth;
    } else if (status == FrameStatus::SizeMismatch) {
        std::snprintf(message, sizeof message, "%s is not %d x %d like the first frame; such frames are skipped",
                      depthFileNames[k].c_str(), depthWidth, depthHeight);
        reported = &reportedOtherSize;
    } else if (status == FrameStatus::SignalMissing) {
        std::snprintf(message, sizeof message, "cannot read %s (or not %d x %d); frames without a signal have no motion",
                      signalFileNames[k].c_str(), depthWidth, depthHeight);
        reported = &reportedMissingSignal;
    }
    if (reported != nullptr && !*reported) std::printf("kinect: %s\n", message);
    if (reported != nullptr) *reported = true;
    if (status == FrameStatus::DepthMissing || status == FrameStatus::SizeMismatch) return;

    glBindTexture(GL_TEXTURE_2D, depthTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB32F, depthWidth, depthHeight, 0, GL_RGB, GL_FLOAT, depthPixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
}

// [SECTION] Clock

void Part_KinectEffect::update(Data_Interface* e) { updateSceneClock(*this, e, SceneId::KinectEffect); }

// [SECTION] Frame

void Part_KinectEffect::render(Data_Interface* e, int /*eye*/, const float* /*offset*/) {
    engine = e;
    if (done) return;
    setCamera(e, cameraEye(), cameraTarget(), cameraUp(), kFieldOfView);
    if (done) return;
    e->aux = localTime;
    display = e->display;
    const int view = e->eye;

    particleStep();
    // Capture frames that are not written only need the simulation to move on.
    if (e->simulateOnly) return;

    const float t = passTime(localTime);
    display->beginEyePass(view);
    scenePass(t);
    display->resolveEyePass(view);

    postPasses(view, t);
}

void Part_KinectEffect::particleStep() {
    const RecordingStep recording =
        stepRecording(frameIndex, frameAccumulator, timeStep, static_cast<int>(depthFileNames.size()));
    frameIndex = recording.index;
    frameAccumulator = recording.accumulator;
    if (recording.advanced) decodeFrame(frameIndex);

    const float t = localTime;
    const float posY = engine->controllerValues[1];

    // The plate: it stops at 10.8 and stands frozen until it is no longer drawn.
    startSystem.bindForStep(t, timeStep);
    startSystem.bindSampler(GL_TEXTURE_2D, 16, kOriginalPosition, sampleSets[0].positionTexture);
    startSystem.bindSampler(GL_TEXTURE_2D, 17, kOriginalColour, sampleSets[0].colourTexture);
    startSystem.bindSampler(GL_TEXTURE_2D, 18, kOriginalUV, sampleSets[0].normalTexture);
    bindStone(startSystem, stoneTexture.texture);
    startSystem.setFloat("PosY", posY);
    if (startSimulates(t)) startSystem.dispatch();

    // The rain reads the recording and the title.
    rainSystem.bindForStep(t, timeStep);
    rainSystem.bindSampler(GL_TEXTURE_2D, 16, kOriginalPosition, depthTexture);
    rainSystem.bindSampler(GL_TEXTURE_2D, 14, kTitlePosition, sampleSets[1].positionTexture);
    bindStone(rainSystem, stoneTexture.texture);
    rainSystem.setFloat("PosY", posY);
    rainSystem.dispatch();

    finishParticleSteps();
}

void Part_KinectEffect::scenePass(float t) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_DEPTH_TEST);

    ParticleDrawUniforms start;
    start.depthTexture = display->wideTarget[0].depthTexture;
    beginParticleDraw(startParticleProgram, engine, startSystem, start);
    if (startDrawn(t)) drawParticleSystem(startParticleProgram, startSystem, t);
    endParticleDraw();

    // NOTE: the rain is drawn without depth test and without blending: each point simply
    // covers what lies under it (the blend function is set for nothing).
    beginParticleDraw(rainParticleProgram, engine, rainSystem, ParticleDrawUniforms());
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    if (rainDrawn(t)) drawParticleSystem(rainParticleProgram, rainSystem, t);
    endParticleDraw();
}

void Part_KinectEffect::postPasses(int eye, float t) {
    PostUniforms occlusion;
    occlusion.ttime = t;
    postOcclusion(engine, eye, occlusionProgram, occlusion);

    PostUniforms blur;
    blur.ttime = t;
    RenderTarget& quarter = postBlur(engine, eye, blurProgram, blur);
    // The composite reads the glow clamped: no light wraps in from the opposite edge.
    glBindTexture(GL_TEXTURE_2D, quarter.colourTexture[0]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);

    PostUniforms composite;
    composite.ttime = t;
    composite.extras = kPostAspect;
    postComposite(engine, eye, compositeProgram, composite);
    // NOTE: the quarter target is the display's, shared by every scene: give it back its
    // repeating edges, or the next scene's glow would change at the picture's border.
    glBindTexture(GL_TEXTURE_2D, quarter.colourTexture[0]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);
}
