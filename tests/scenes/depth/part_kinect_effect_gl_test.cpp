// The depth-camera scene on a run tree written here: tiny meshes, a four-frame recording
// with gaps and faults, the shaders from the repository. Its load (prints, weights, the
// recording's lists, the depth texture), decoding frames into the texture, and a few
// rendered frames, with and without a recording.
#include "scenes/depth/part_kinect_effect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <opencv2/imgcodecs.hpp>
#include <string>
#include <vector>

#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "support/gl_context.h"
#include "support/temp_run_tree.h"

namespace {

namespace fs = std::filesystem;

std::vector<float> g_weights;
void recordWeight(float weight) { g_weights.push_back(weight); }

// A frame image whose pixel (x, y) holds (b0, b1) = (x + 10 y + base, 8) and channel 2 = 0.
void writeFrame(const std::string& path, int w, int h, int base) {
    cv::Mat image(h, w, CV_8UC3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.at<cv::Vec3b>(y, x) = cv::Vec3b(static_cast<uint8_t>(x + 10 * y + base), 8, 0);
    ASSERT_TRUE(cv::imwrite(path, image)) << path;
}

// The shared run tree (bin/ is the working directory) with the two meshes, the stone image
// and, when asked, a recording: frames 175 and 176 whole, 178 without its signal file, 180 of
// another size.
struct RunTree {
    testsupport::TempRunTree tree;
    explicit RunTree(bool withRecording) {
        EXPECT_TRUE(tree.ready());
        EXPECT_TRUE(tree.writeTriangle("newresources/qrbplane.objb", 1.0f));
        EXPECT_TRUE(tree.writeTriangle("newresources/velluna.objb", 0.5f));
        EXPECT_TRUE(cv::imwrite(tree.file("newresources/wood2.jpg"), cv::Mat(8, 8, CV_8UC3, cv::Scalar(90, 120, 150))));
        fs::create_directories(tree.path() / "newresources" / "3");
        if (withRecording) {
            for (int n : {175, 176, 178}) writeFrame(tree.file("newresources/3/D_00" + std::to_string(n) + ".tiff"), 4, 3, n);
            for (int n : {175, 176, 180}) writeFrame(tree.file("newresources/3/Dv00" + std::to_string(n) + ".tiff"), 4, 3, 128);
            writeFrame(tree.file("newresources/3/D_00180.tiff"), 5, 3, 0);
        }
    }
};

// Runs `body` and returns what it printed.
template <typename F>
std::string printed(F body) {
    testing::internal::CaptureStdout();
    body();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

GLint textureParameter(GLuint texture, GLenum name, bool level) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    if (level)
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    else
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

std::vector<float> readTexels(GLuint texture, int w, int h) {
    std::vector<float> texels(static_cast<size_t>(w * h * 3));
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_FLOAT, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texels;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Renders `frames` frames of 0.1 s from scene time `from` on a small display, and returns
// the finished picture's mean brightness (the display's spare texture, RGBA bytes).
double renderFrames(Part_KinectEffect& scene, Data_Interface& engine, VREngine2& display, float from, int frames) {
    engine.display = &display;
    engine.viewWidth = static_cast<float>(display.renderWidth);
    engine.viewHeight = static_cast<float>(display.renderHeight);
    engine.frameDelta = 0.1f;
    scene.localTime = from;
    const float offset[3] = {0, 0, 0};
    for (int i = 0; i < frames; ++i) {
        scene.update(&engine);
        scene.render(&engine, 0, offset);
    }
    const RenderTarget& target = display.eyeTarget[0];
    std::vector<uint8_t> pixels(static_cast<size_t>(target.width * target.height * 4));
    glBindTexture(GL_TEXTURE_2D, target.spareTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    double sum = 0.0;
    for (size_t k = 0; k < pixels.size(); k += 4) sum += pixels[k] + pixels[k + 1] + pixels[k + 2];
    return sum / (3.0 * 255.0 * static_cast<double>(pixels.size() / 4));
}

// A display of its own (window, context, targets); the test context is current again after.
struct SmallDisplay {
    SDL_Window* testWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext testContext = SDL_GL_GetCurrentContext();
    VREngine2 display;
    SmallDisplay() {
        testing::internal::CaptureStdout();
        const bool ok = display.initWindowed(0, 0, 96, 54, false);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_TRUE(ok) << out;
    }
    ~SmallDisplay() { SDL_GL_MakeCurrent(testWindow, testContext); }
};

// A scene loaded in the run tree, with its engine, the load's prints and its weights.
struct LoadedScene {
    std::unique_ptr<Part_KinectEffect> scene = std::make_unique<Part_KinectEffect>();
    Data_Interface engine;
    std::string out;
    explicit LoadedScene(const RunTree&) {
        engine.loaderCallback = recordWeight;
        scene->engine = &engine;
        g_weights.clear();
        out = printed([&] { scene->load(); });
    }
};

}  // namespace

TEST(PartKinectEffectGl, LoadsDecodesAndRendersARecording) {
    REQUIRE_GL_CONTEXT();
    SmallDisplay small;
    RunTree tree(true);
    LoadedScene loaded(tree);
    std::unique_ptr<Part_KinectEffect>& scene = loaded.scene;
    Data_Interface& engine = loaded.engine;
    const std::string& out = loaded.out;

    // The prints, in order: the material program, the line of "=", then the systems and
    // programs; the two workers' scatter lines come whenever they finish.
    const size_t material = out.find("../shaders/v_Material1.cpp");
    const size_t line = out.find(std::string(88, '=') + "\n");
    const size_t rain = out.find("Computer shader: ../shaders//KinectEffect/ComputeShader1Rain.cpp");
    const size_t start = out.find("Computer shader: ../shaders//KinectEffect/ComputeShader1start.cpp");
    const size_t composite = out.find("../shaders/KinectEffect/1/f_postprocessSSAO.cpp");
    ASSERT_NE(material, std::string::npos) << out;
    EXPECT_LT(material, line);
    EXPECT_LT(line, rain);
    EXPECT_LT(rain, start);
    EXPECT_LT(start, composite);
    EXPECT_EQ(count(out, "TGObject Maxcounter: "), 2u) << out;
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;
    EXPECT_EQ(g_weights, (std::vector<float>{1.0f, 1.0f, 2.0f}));
    EXPECT_EQ(g_loadingKinectEffect, scene.get());

    // The recording: the frames whose depth file exists, their signal names unchecked.
    EXPECT_EQ(scene->depthFileNames,
              (std::vector<std::string>{"..//newresources//3//D_00175.tiff", "..//newresources//3//D_00176.tiff",
                                        "..//newresources//3//D_00178.tiff", "..//newresources//3//D_00180.tiff"}));
    ASSERT_EQ(scene->signalFileNames.size(), 4u);
    EXPECT_EQ(scene->signalFileNames[2], "..//newresources//3//Dv00178.tiff");
    EXPECT_EQ(scene->depthWidth, 4);
    EXPECT_EQ(scene->depthHeight, 3);
    EXPECT_EQ(scene->depthPixels.size(), 4u * 3u * 3u);

    // The depth texture: RGB32F at the recording's size, nearest, clamped, zero until a
    // frame is decoded.
    const GLuint depth = scene->depthTexture;
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_INTERNAL_FORMAT, true), GL_RGB32F);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_WIDTH, true), 4);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_HEIGHT, true), 3);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_MIN_FILTER, false), GL_NEAREST);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_MAG_FILTER, false), GL_NEAREST);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_WRAP_S, false), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(textureParameter(depth, GL_TEXTURE_WRAP_T, false), GL_CLAMP_TO_EDGE);
    for (float f : readTexels(depth, 4, 3)) EXPECT_EQ(f, 0.0f);
    EXPECT_EQ(textureParameter(scene->stoneTexture.texture, GL_TEXTURE_WRAP_S, false), GL_REPEAT);
    EXPECT_EQ(scene->sampleSets[0].width, 1100);
    EXPECT_EQ(scene->sampleSets[1].height, 1100);
    EXPECT_EQ(scene->sampleSets[2].width, -1);   // never filled
    EXPECT_EQ(scene->rainSystem.width, 1024);
    EXPECT_EQ(scene->startSystem.width, 1100);

    // Frame 1 (176): pixel (x, y) holds depth (x + 10 y + 176 + 256 x 8) / 256 and the
    // signal ((x + 10 y) / 128, (8 - 128) / 128), image row y in texture row 2 - y.
    std::string log = printed([&] { scene->decodeFrame(1); });
    EXPECT_EQ(log, "");
    std::vector<float> texels = readTexels(depth, 4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const float* t = &texels[static_cast<size_t>(((2 - y) * 4 + x) * 3)];
            EXPECT_EQ(t[0], static_cast<float>(x + 10 * y) / 128.0f);
            EXPECT_EQ(t[1], -120.0f / 128.0f);
            EXPECT_EQ(t[2], static_cast<float>(x + 10 * y + 176 + 256 * 8) / 256.0f);
        }

    // Frame 2 (178) has no signal file: zero motion and one message for the whole scene.
    log = printed([&] {
        scene->decodeFrame(2);
        scene->decodeFrame(2);
    });
    EXPECT_EQ(count(log, "kinect: cannot read ..//newresources//3//Dv00178.tiff"), 1u) << log;
    texels = readTexels(depth, 4, 3);
    EXPECT_EQ(texels[0], 0.0f);
    EXPECT_EQ(texels[1], 0.0f);
    EXPECT_EQ(texels[2], static_cast<float>(20 + 178 + 2048) / 256.0f);

    // Frame 3 (180) is wider than the first: skipped, said once, the texture unchanged.
    log = printed([&] {
        scene->decodeFrame(3);
        scene->decodeFrame(3);
        scene->decodeFrame(99);   // outside the list: nothing
    });
    EXPECT_EQ(count(log, "D_00180.tiff is not 4 x 3"), 1u) << log;
    EXPECT_EQ(readTexels(depth, 4, 3), texels);

    // A few frames around the rain's start: the recording plays (1.8 frames per 0.1 s call,
    // every one that is due: 5 after three calls, index 1 in the list of 4), and the picture is
    // neither black nor blown out.
    scene->frameIndex = 0;
    scene->frameAccumulator = 0.0f;
    double mean = 0.0;
    log = printed([&] { mean = renderFrames(*scene, engine, small.display, 3.5f, 3); });
    EXPECT_EQ(scene->frameIndex, 5 % 4);
    EXPECT_GT(mean, 0.002);
    EXPECT_LT(mean, 0.8);
    EXPECT_EQ(engine.aux, scene->localTime);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(PartKinectEffectGl, WithoutARecordingLoadsAndRenders) {
    REQUIRE_GL_CONTEXT();
    SmallDisplay small;
    RunTree tree(false);
    LoadedScene loaded(tree);
    std::unique_ptr<Part_KinectEffect>& scene = loaded.scene;
    Data_Interface& engine = loaded.engine;
    const std::string& out = loaded.out;
    EXPECT_EQ(count(out, "kinect: no recording in ..//newresources//3//"), 1u) << out;
    EXPECT_EQ(g_weights, (std::vector<float>{1.0f, 1.0f, 2.0f}));
    EXPECT_TRUE(scene->depthFileNames.empty());
    EXPECT_EQ(scene->depthWidth, 0);
    EXPECT_TRUE(scene->depthPixels.empty());
    // A defined, empty depth texture: one zero texel.
    EXPECT_EQ(textureParameter(scene->depthTexture, GL_TEXTURE_WIDTH, true), 1);
    for (float f : readTexels(scene->depthTexture, 1, 1)) EXPECT_EQ(f, 0.0f);

    double mean = 0.0;
    const std::string log = printed([&] { mean = renderFrames(*scene, engine, small.display, 1.0f, 2); });
    EXPECT_EQ(log, "");
    EXPECT_EQ(scene->frameIndex, 0);
    EXPECT_GT(mean, 0.002);   // the plate
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
