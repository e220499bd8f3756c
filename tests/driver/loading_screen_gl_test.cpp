#include <GL/glew.h>
#include <SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <vector>

#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/loading_arc.h"
#include "driver/show_loading.h"
#include "gpu/shader_program.h"
#include "scenes/placeholder_scene.h"
#include "support/gl_context.h"

// Every swap of this test program passes through here, so the test can count presented frames.
static int swapCount = 0;
extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using Swap = void (*)(SDL_Window*);
    static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    ++swapCount;
    real(window);
}

namespace {

// The picture of the frame about to be presented (bottom-up RGB rows).
std::vector<unsigned char> backBuffer;
int side = 256;

void grabBackBuffer() {
    backBuffer.assign(static_cast<size_t>(side * side * 3), 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, side, side, GL_RGB, GL_UNSIGNED_BYTE, backBuffer.data());
}

// Grey level at a point of the loading screen's own coordinates (before "MV"; y up there is
// down on screen).
int greyAt(float x, float y) {
    const int px = static_cast<int>((0.3f * x + 1.0f) * 0.5f * side);
    const int py = static_cast<int>((-0.3f * y + 1.0f) * 0.5f * side);  // window rows from the bottom
    return backBuffer[static_cast<size_t>((py * side + px) * 3)];
}

class LoadingScreen : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        // The display's own window and context, as the show makes them.
        ASSERT_TRUE(display.initWindowed(100, 100, side, side, false));
        engineData.display = &display;
        const std::string dir = std::string(VELLUNA_SOURCE_DIR) + "/content/shaders/common/";
        engineData.colorProgram = new ShaderProgram();
        engineData.colorProgram->build(dir + "v_fixed.vert", dir + "f_fixed.frag");
        engineData.textureProgram = new ShaderProgram();
        engineData.textureProgram->build(dir + "v_fixed.vert", dir + "f_fixedtexture.frag");
        // White in the middle, black around it, so the ring is seen against black.
        std::vector<unsigned char> picture(8 * 8 * 3, 0);
        for (int y = 2; y < 6; ++y) {
            for (int x = 2; x < 6; ++x) {
                for (int c = 0; c < 3; ++c) picture[static_cast<size_t>((y * 8 + x) * 3 + c)] = 255;
            }
        }
        loaderTexture.setPixels(8, 8, picture.data());
        loadProgress = 0.0f;
    }
    VREngine2 display;
};

TEST_F(LoadingScreen, OneFramePerCall) {
    const int before = swapCount;
    for (int i = 0; i < 7; ++i) loadingScreenStep(1.0f);
    EXPECT_EQ(swapCount - before, 7);
    EXPECT_FLOAT_EQ(loadProgress, [] {
        float p = 0.0f;
        for (int i = 0; i < 7; ++i) p = loading_arc::advance(p, 1.0f);
        return p;
    }());
}

TEST_F(LoadingScreen, PictureAndArc) {
    loadingFrameHook = grabBackBuffer;
    loadProgress = 0.5f - (loading_arc::advance(0.0f, 1.0f));
    loadingScreenStep(1.0f);  // now at 0.5: the right half of the ring
    loadingFrameHook = nullptr;
    ASSERT_EQ(backBuffer.size(), static_cast<size_t>(side * side * 3));
    EXPECT_EQ(greyAt(0.0f, 0.0f), 255);                   // the picture, untinted at full fade
    EXPECT_NEAR(greyAt(1.055f, 0.0f), 0.4 * 255, 12.0);   // the band on the right
    EXPECT_NEAR(greyAt(0.746f, 0.746f), 0.4 * 255, 12.0);  // ... on towards the bottom
    EXPECT_EQ(greyAt(-0.746f, 0.746f), 0);                  // ... and not past it
    EXPECT_EQ(greyAt(-1.055f, 0.0f), 0);                   // nothing on the left yet
    EXPECT_EQ(greyAt(1.5f, 1.5f), 0);                      // black outside
}

TEST_F(LoadingScreen, ClosedRingIsBlack) {
    loadingFrameHook = grabBackBuffer;
    loadProgress = 1.0f - loading_arc::advance(0.0f, 1.0f);
    loadingScreenStep(1.0f);
    loadingFrameHook = nullptr;
    int brightest = 0;
    for (unsigned char v : backBuffer) brightest = std::max(brightest, static_cast<int>(v));
    EXPECT_LE(brightest, 1);
}

// A placeholder's picture is black, whatever the target held before.
TEST_F(LoadingScreen, PlaceholderDrawsBlack) {
    RenderTarget& t = display.eyeTarget[0];
    const std::vector<unsigned char> grey(static_cast<size_t>(t.width * t.height * 4), 200);
    glBindTexture(GL_TEXTURE_2D, t.spareTexture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, t.width, t.height, GL_RGBA, GL_UNSIGNED_BYTE, grey.data());
    PlaceholderScene scene(4);
    const float zero[3] = {0.0f, 0.0f, 0.0f};
    scene.render(&engineData, 0, zero);
    std::vector<unsigned char> pixels(grey.size(), 7);
    glBindTexture(GL_TEXTURE_2D, t.spareTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    for (size_t i = 0; i < pixels.size(); i += 4) {
        ASSERT_EQ(pixels[i] + pixels[i + 1] + pixels[i + 2], 0) << "pixel " << i / 4;
    }
}

}  // namespace
