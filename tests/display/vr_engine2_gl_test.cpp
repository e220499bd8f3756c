#include "display/vr_engine2.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <vector>

#include "../gpu/gl_test_util.h"
#include "gpu/post_pass.h"
#include "support/gl_context.h"

namespace {

struct Size { GLint w, h; };

Size textureSize(GLuint texture) {
    return {gltest::textureLevelParameter(texture, GL_TEXTURE_WIDTH),
            gltest::textureLevelParameter(texture, GL_TEXTURE_HEIGHT)};
}

Size renderbufferSize(GLuint buffer) {
    return {gltest::renderbufferParameter(buffer, GL_RENDERBUFFER_WIDTH),
            gltest::renderbufferParameter(buffer, GL_RENDERBUFFER_HEIGHT)};
}

void expectTargetSize(const RenderTarget& t, GLint w, GLint h, const char* name) {
    SCOPED_TRACE(name);
    EXPECT_EQ(t.width, static_cast<GLuint>(w));
    EXPECT_EQ(t.height, static_cast<GLuint>(h));
    for (GLuint texture : {t.colourTexture[0], t.spareTexture, t.depthTexture}) {
        const Size s = textureSize(texture);
        EXPECT_EQ(s.w, w);
        EXPECT_EQ(s.h, h);
    }
    const Size s = renderbufferSize(t.colourBuffer[0]);
    EXPECT_EQ(s.w, w);
    EXPECT_EQ(s.h, h);
}

TEST(VREngine2Gl, InitialisesWindowContextAndTheSixTargets) {
    REQUIRE_GL_CONTEXT();
    struct Case { int w, h; GLint wideW, wideH, quarterW, quarterH; };
    const Case cases[] = {{1920, 1080, 2880, 1620, 480, 270}, {1366, 768, 2049, 1152, 341, 192}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        VREngine2 display;
        testing::internal::CaptureStdout();
        const bool ok = display.initWindowed(0, 0, c.w, c.h, false);
        const std::string out = testing::internal::GetCapturedStdout();
        ASSERT_TRUE(ok) << out;
        EXPECT_EQ(out.find("VREngine2::"), std::string::npos) << out;
        EXPECT_TRUE(display.initialised);
        std::printf("gl: %s | %s\n", glGetString(GL_VERSION), glGetString(GL_RENDERER));

        EXPECT_STREQ(SDL_GetWindowTitle(display.window), "QRB - Velluna ");
        EXPECT_EQ(SDL_GetWindowFlags(display.window) & SDL_WINDOW_INPUT_GRABBED, 0u);
        EXPECT_FLOAT_EQ(display.nearClip, 0.04f);
        EXPECT_FLOAT_EQ(display.farClip, 60.0f);
        EXPECT_EQ(display.renderWidth, c.w);
        EXPECT_EQ(display.windowHeight, c.h);
        GLint profile = 0, major = 0, minor = 0;
        glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
        glGetIntegerv(GL_MAJOR_VERSION, &major);
        glGetIntegerv(GL_MINOR_VERSION, &minor);
        EXPECT_NE(profile & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT, 0);
        EXPECT_GE(major * 10 + minor, 43);

        expectTargetSize(display.eyeTarget[0], c.w, c.h, "left eye");
        expectTargetSize(display.wideTarget[0], c.wideW, c.wideH, "wide");
        // Nothing draws into these three: they are not made.
        for (const RenderTarget* unused : {&display.eyeTarget[1], &display.wideTarget[1], &display.extraTarget}) {
            EXPECT_EQ(unused->drawFramebuffer, 0u);
            EXPECT_EQ(unused->spareTexture, 0u);
        }
        EXPECT_EQ(&display.eyeTargetFor(1), &display.eyeTarget[0]);
        expectTargetSize(display.quarterTarget, c.quarterW, c.quarterH, "quarter");
        EXPECT_GE(gltest::renderbufferParameter(display.eyeTarget[0].colourBuffer[0], GL_RENDERBUFFER_SAMPLES), 2);
        GLint bound = -1;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
        EXPECT_EQ(bound, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        SDL_GL_DeleteContext(display.glContext);
        SDL_DestroyWindow(display.window);
    }
}

// The per-eye chain as a scene runs it, with small programs whose results are known:
// geometry writes three outputs, the post pass mixes them, the quarter pass and the
// composite add the blur; the window then shows the spare texture.
TEST(VREngine2Gl, PostChainEndsInTheSpareTextureAndTheWindowShowsIt) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    VREngine2 display;
    display.sampleCount = 4;
    testing::internal::CaptureStdout();
    const bool ok = display.initWindowed(0, 0, 64, 48, false);
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(ok) << out;

    ShaderProgram geometry, post, quarter, composite;
    gltest::buildProgram(geometry, dir, "geometry", gltest::passThroughVertex(),
                         "#version 120\nvoid main() { gl_FragData[0] = vec4(0.4, 0, 0, 1);"
                         " gl_FragData[1] = vec4(0, 0.6, 0, 1); gl_FragData[2] = vec4(0, 0, 0.2, 1); }\n");
    gltest::buildProgram(post, dir, "post", gltest::passThroughVertex(),
                         "#version 120\nuniform sampler2D Texture1, Texture2, Texture3, TextureDepth;\n"
                         "void main() { vec2 uv = gl_TexCoord[0].xy;\n"
                         "  gl_FragColor = vec4(texture2D(Texture1, uv).r, texture2D(Texture2, uv).g,"
                         " texture2D(Texture3, uv).b + texture2D(TextureDepth, uv).r * 0.0, 1.0); }\n");
    gltest::buildProgram(quarter, dir, "quarter", gltest::passThroughVertex(),
                         "#version 120\nvoid main() { gl_FragColor = vec4(0.2, 0.2, 0.2, 1.0); }\n");
    gltest::buildProgram(composite, dir, "composite", gltest::passThroughVertex(),
                         "#version 120\nuniform sampler2D TextureBlur, Texture1; uniform float ttime, aspect;\n"
                         "void main() { vec2 uv = gl_TexCoord[0].xy;\n"
                         "  gl_FragColor = texture2D(Texture1, uv) + texture2D(TextureBlur, uv)"
                         " + vec4(0.0, 0.0, ttime * 0.0 + (aspect - 1.0) * 0.0, 0.0); }\n");

    display.clearWideTarget();
    EXPECT_TRUE(display.wideTargetCleared);

    display.beginEyePass(0);
    geometry.use();
    drawFullScreenQuad();
    glEnable(GL_DEPTH_TEST);
    display.resolveEyePass(0);
    RenderTarget& eye = display.beginEyePostPass(0);
    EXPECT_EQ(&eye, &display.eyeTarget[0]);
    display.beginEyePostPass(0);
    bindTargetTextures(eye, post);
    drawFullScreenQuad();
    display.finishEyePostPass(0);

    const std::vector<uint8_t> afterPost = gltest::readRgba8(eye.spareTexture, 64, 48);
    const uint8_t* centre = &afterPost[(24 * 64 + 32) * 4];
    EXPECT_NEAR(centre[0], 102, 2);
    EXPECT_NEAR(centre[1], 153, 2);
    EXPECT_NEAR(centre[2], 51, 2);

    RenderTarget& q = display.beginQuarterPass();
    EXPECT_EQ(&q, &display.quarterTarget);
    quarter.use();
    drawFullScreenQuad();
    display.resolveQuarterPass();
    display.beginEyePostPass(0);
    composite.use();
    composite.bindSampler(GL_TEXTURE_2D, 1, "TextureBlur", display.quarterTarget.colourTexture[0]);
    composite.bindSampler(GL_TEXTURE_2D, 2, "Texture1", eye.spareTexture);
    composite.setFloat("ttime", 1.0f);
    composite.setFloat("aspect", 64.0f / 48.0f);
    drawFullScreenQuad();
    display.finishEyePostPass(0);

    const std::vector<uint8_t> finished = gltest::readRgba8(eye.spareTexture, 64, 48);
    centre = &finished[(24 * 64 + 32) * 4];
    EXPECT_NEAR(centre[0], 153, 2);
    EXPECT_NEAR(centre[1], 204, 2);
    EXPECT_NEAR(centre[2], 102, 2);
    // The geometry itself is untouched: colour texture 0 still holds the first output.
    EXPECT_NEAR(gltest::readRgba8(eye.colourTexture[0], 64, 48)[(24 * 64 + 32) * 4], 102, 2);

    display.presentLeftEye();
    std::vector<uint8_t> window(64 * 48 * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 64, 48, GL_RGBA, GL_UNSIGNED_BYTE, window.data());
    for (int i : {0, (24 * 64 + 32) * 4, (47 * 64 + 63) * 4}) {
        EXPECT_NEAR(window[i + 0], 153, 2) << "pixel byte " << i;
        EXPECT_NEAR(window[i + 1], 204, 2) << "pixel byte " << i;
        EXPECT_NEAR(window[i + 2], 102, 2) << "pixel byte " << i;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    SDL_GL_SwapWindow(display.window);
    SDL_GL_DeleteContext(display.glContext);
    SDL_DestroyWindow(display.window);
}

}  // namespace

namespace {

TEST(VREngine2Gl, FullScreenGrabsTheInputWindowedDoesNot) {
    REQUIRE_GL_CONTEXT();
    for (bool fullscreen : {true, false}) {
        SCOPED_TRACE(fullscreen);
        VREngine2 display;
        testing::internal::CaptureStdout();
        const bool ok = display.initWindowed(0, 0, 320, 240, fullscreen);
        const std::string out = testing::internal::GetCapturedStdout();
        ASSERT_TRUE(ok) << out;
        const Uint32 flags = SDL_GetWindowFlags(display.window);
        EXPECT_EQ((flags & SDL_WINDOW_INPUT_GRABBED) != 0, fullscreen);
        EXPECT_EQ((flags & SDL_WINDOW_FULLSCREEN) != 0, fullscreen);
        EXPECT_EQ(flags & SDL_WINDOW_RESIZABLE, 0u);
        EXPECT_EQ(display.eyeTarget[0].width, 320u);
        SDL_GL_DeleteContext(display.glContext);
        SDL_DestroyWindow(display.window);
    }
}

}  // namespace

namespace {

// Failures of initialisation, each in a child process of this test binary with a spoiled
// environment: the child initialises the display and reports through its exit code and output.
TEST(VREngine2Gl, InitialisationFailuresReturnFalseWithTheirMessage) {
    if (std::getenv("VELLUNA_DISPLAY_CHILD") != nullptr) {
        VREngine2 display;
        const bool ok = display.initWindowed(0, 0, 64, 48, false);
        std::fflush(stdout);
        std::_Exit(ok ? 0 : 3);
    }
    REQUIRE_GL_CONTEXT();
    struct Case { const char* name; const char* environment; std::vector<std::string> lines; };
    const Case cases[] = {
        {"no GL 4.3 compatibility context", "MESA_GL_VERSION_OVERRIDE=3.3COMPAT",
         {"VREngine2::BInitNoVR - OpenGL context could not be created! SDL Error: ",
          "VREngine2::BInitNoVR - asked for an OpenGL 4.3 compatibility-profile context\n"}},
        {"no display", "DISPLAY= WAYLAND_DISPLAY= SDL_VIDEODRIVER=x11",
         {"VREngine2::BInitNoVR - SDL could not initialize! SDL Error: "}},
    };
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const std::string log = dir.file("child.log");
        const std::string command = std::string("env VELLUNA_DISPLAY_CHILD=1 ") + c.environment + " '" + self +
                                    "' --gtest_filter=VREngine2Gl.InitialisationFailuresReturnFalseWithTheirMessage"
                                    " >'" + log + "' 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 3);
        std::ifstream in(log);
        const std::string out((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (const std::string& line : c.lines) EXPECT_NE(out.find(line), std::string::npos) << out;
    }
}

}  // namespace

namespace {

// Under Xvfb the driver will not change the swap interval: asking for vsync must then fail
// with the warning. Where a driver does honour it, the interval must be in effect.
TEST(VREngine2Gl, VsyncRequestThatIsNotHonouredFailsInitialisation) {
    REQUIRE_GL_CONTEXT();
    VREngine2 display;
    display.vsync = true;
    testing::internal::CaptureStdout();
    const bool ok = display.initWindowed(0, 0, 64, 48, false);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(display.initialised, ok);
    if (ok) {
        EXPECT_EQ(SDL_GL_GetSwapInterval(), 1);
    } else {
        EXPECT_NE(out.find("VREngine2::BInitNoVR - Warning: Unable to set VSync! SDL Error: "), std::string::npos)
            << out;
        EXPECT_EQ(display.quarterTarget.drawFramebuffer, 0u) << "no render target after a failure";
    }
    SDL_GL_DeleteContext(display.glContext);
    SDL_DestroyWindow(display.window);
}

}  // namespace

namespace {

std::vector<uint8_t> readWindow(int w, int h) {
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The present pass sets all of its own state: whatever a scene left behind, the window shows
// the finished picture exactly as the clean context shows it.
TEST(VREngine2Gl, PresentedPictureIgnoresTheStateLeftBehind) {
    REQUIRE_GL_CONTEXT();
    constexpr int w = 32, h = 24;
    VREngine2 display;
    testing::internal::CaptureStdout();
    const bool ok = display.initWindowed(0, 0, w, h, false);
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(ok) << out;

    // A picture whose every pixel differs, so a moved or scaled quad shows too.
    std::vector<uint8_t> picture(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &picture[static_cast<size_t>(y * w + x) * 4];
            p[0] = static_cast<uint8_t>(x * 8);
            p[1] = static_cast<uint8_t>(y * 10);
            p[2] = 180;
            p[3] = 200;
        }
    }
    glBindTexture(GL_TEXTURE_2D, display.eyeTarget[0].spareTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());

    auto clearWindow = [&] {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    };
    clearWindow();
    display.presentLeftEye();
    const std::vector<uint8_t> reference = readWindow(w, h);
    for (size_t i = 0; i < reference.size(); i += 4) {
        ASSERT_NEAR(reference[i + 0], picture[i + 0], 1) << "pixel " << i / 4;
        ASSERT_NEAR(reference[i + 1], picture[i + 1], 1) << "pixel " << i / 4;
        ASSERT_NEAR(reference[i + 2], picture[i + 2], 1) << "pixel " << i / 4;
    }

    testsupport::TempDir dir;
    ShaderProgram red;
    gltest::buildProgram(red, dir, "red", gltest::passThroughVertex(),
                         "#version 120\nvoid main() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }\n");
    GLuint other = 0;
    const uint8_t green[4] = {0, 255, 0, 255};
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, green);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);  // incomplete: black

    struct Case {
        const char* name;
        std::function<void()> leave;
    };
    const Case cases[] = {
        {"a colour", [] { glColor4f(0.2f, 0.5f, 1.0f, 0.3f); }},
        {"blending", [] { glEnable(GL_BLEND); glBlendFunc(GL_ZERO, GL_SRC_COLOR); }},
        {"a program", [&] { red.use(); }},
        {"unit 1 textured", [&] {
             glActiveTexture(GL_TEXTURE1);
             glBindTexture(GL_TEXTURE_2D, other);
             glEnable(GL_TEXTURE_2D);
             glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
             glActiveTexture(GL_TEXTURE0);
         }},
        {"unit 9 active", [] { glActiveTexture(GL_TEXTURE9); }},
        {"a cube map switched on", [] { glActiveTexture(GL_TEXTURE0); glEnable(GL_TEXTURE_CUBE_MAP); }},
        {"texture environment add", [] { glActiveTexture(GL_TEXTURE0); glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD); }},
        {"coordinate generation", [] { glActiveTexture(GL_TEXTURE0); glEnable(GL_TEXTURE_GEN_S); }},
        {"a sampler object", [&] { glBindSampler(0, sampler); }},
        {"the texture matrix", [] { glActiveTexture(GL_TEXTURE0); glMatrixMode(GL_TEXTURE); glScalef(0.5f, 0.5f, 1.0f); }},
        {"a colour mask", [] { glColorMask(GL_FALSE, GL_TRUE, GL_TRUE, GL_TRUE); }},
        {"depth test never", [] { glEnable(GL_DEPTH_TEST); glDepthFunc(GL_NEVER); }},
        {"a scissor box", [] { glEnable(GL_SCISSOR_TEST); glScissor(0, 0, 4, 4); }},
        {"alpha test never", [] { glEnable(GL_ALPHA_TEST); glAlphaFunc(GL_NEVER, 0.0f); }},
        {"culling both faces", [] { glEnable(GL_CULL_FACE); glCullFace(GL_FRONT_AND_BACK); }},
        {"lighting", [] { glEnable(GL_LIGHTING); }},
        {"lines", [] { glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); }},
        {"another framebuffer", [&] { display.quarterTarget.bindForDrawing(1); }},
    };
    auto cleanUp = [&] {
        glUseProgram(0);
        glBindSampler(0, 0);
        for (GLint unit = 7; unit >= 0; --unit) {
            glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_TEXTURE_CUBE_MAP);
            glDisable(GL_TEXTURE_GEN_S);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        }
        glColor4f(1, 1, 1, 1);
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glDisable(GL_SCISSOR_TEST);
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glDisable(GL_LIGHTING);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    };
    auto expectReference = [&](const char* name) {
        const std::vector<uint8_t> shown = readWindow(w, h);
        size_t differing = 0;
        for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != reference[i] && i % 4 != 3;
        EXPECT_EQ(differing, 0u) << "left behind: " << name;
    };
    for (const Case& c : cases) {
        clearWindow();
        c.leave();
        display.presentLeftEye();
        expectReference(c.name);
        cleanUp();
    }
    // And all of them at once.
    clearWindow();
    for (const Case& c : cases) c.leave();
    display.presentLeftEye();
    expectReference("everything at once");
    cleanUp();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    SDL_GL_DeleteContext(display.glContext);
    SDL_DestroyWindow(display.window);
}

}  // namespace
