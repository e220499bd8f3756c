#pragma once
// Part_KinectEffect: the show's opening. The group's mark, a plate with the letters "QRB",
// stands in particles (the start system, 1100 x 1100, sampled from the plate mesh) and blows
// away; a rain of points (the rain system, 1024 x 1024) falls through a depth-camera
// recording that plays at 18 frames a second in a float texture, catches on the dancing
// figure, and at the end gathers into the title "VELLUNA" (the title mesh's samples). A fixed
// camera and the three-pass post chain (occlusion, quarter blur, composite).
//
// The script (recording clock, gates, camera, file names, weights) lives in
// kinect_effect_timeline.h; decoding a recording frame in depth_frame.h.
#include <GL/glew.h>

#include <string>
#include <vector>

#include "driver/part.h"
#include "formats/tg_object.h"
#include "gpu/compute_particle_system.h"
#include "gpu/image_texture.h"
#include "gpu/shader_program.h"
#include "gpu/texture_object.h"
#include "scenes/depth/kinect_effect_timeline.h"

class Part_KinectEffect : public Part {
public:
    void render(Data_Interface* engine, int eye, const float offset[3]) override;
    void update(Data_Interface* engine) override;
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    ~Part_KinectEffect() override = default;
    void load() override;
    void finishLoad() override {}

    // Builds the two compute systems and the five drawing programs from their files.
    void reloadShaders();
    // Reads recording frame k (an index into the frame lists) into the depth pixels and
    // uploads them into the depth texture.
    void decodeFrame(int k);

    ShaderProgram materialProgram;       // built, never drawn with
    ShaderProgram spareProgram;          // never built
    ImageTexture spareTexture;           // never loaded
    ShaderProgram occlusionProgram;
    ShaderProgram rainParticleProgram;
    ShaderProgram startParticleProgram;
    ImageTexture stoneTexture;
    int depthWidth = 0;                  // the recording's frame size, from its first frame
    int depthHeight = 0;
    std::vector<float> depthPixels;      // depthWidth x depthHeight x 3: (u, v, depth)
    int frameIndex = 0;                  // into the frame lists
    float frameAccumulator = 0.0f;       // recording frames elapsed, not yet shown
    ShaderProgram compositeProgram;
    ShaderProgram blurProgram;
    std::vector<std::string> depthFileNames;    // existing depth files, in frame order
    std::vector<std::string> signalFileNames;   // their signal twins (not checked)
    TGObject spareMesh;                  // never loaded
    ComputeParticleSystem rainSystem;
    ComputeParticleSystem startSystem;
    GLuint depthTexture = 0;             // RGB32F, nearest, clamped
    TextureObject sampleSets[kinect_effect::kSampleSets];   // 0: the plate, 1: the title

private:
    void scanRecording();
    void createDepthTexture();
    void particleStep();
    void scenePass(float t);
    void postPasses(int eye, float t);

    // One message each for the whole scene, however many frames share the fault.
    bool reportedMissingSignal = false;
    bool reportedOtherSize = false;
    bool reportedMissingDepth = false;
};

// The scene whose load is running: the mesh workers, which take only their number, reach the
// sample sets through it. Set before the workers start, unchanged until they are joined.
extern Part_KinectEffect* g_loadingKinectEffect;

// A mesh worker's body: i = 0 scatters the plate into sample set 0, i = 1 the title into
// sample set 1; any other i does nothing.
void kinectMeshWorker(int i);
