#include "display/vr_engine2.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "dev/key_queue.h"
#include "gpu/gl_functions.h"
#include "gpu/post_pass.h"

namespace {

const char* const kWho = "VREngine2::BInitNoVR";

// Whether the current context is what the show needs: a compatibility profile (the
// fixed-function calls) of at least the version asked for (compute shaders, storage buffers).
bool contextIsUsable() {
    GLint major = 0, minor = 0, profile = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    const bool compatible = (profile & GL_CONTEXT_CORE_PROFILE_BIT) == 0;
    return compatible && major * 10 + minor >= vr_engine2::kContextMajor * 10 + vr_engine2::kContextMinor;
}

// Sets the swap interval. NOTE: some GLX drivers (Mesa's software rasteriser under Xvfb)
// reject every request, even one for the interval already in effect; only an interval that
// differs from the request after the call counts as a refusal.
bool setSwapInterval(int interval) {
    SDL_ClearError();
    if (SDL_GL_SetSwapInterval(interval) == 0) return true;
    const std::string reason = SDL_GetError();
    if (SDL_GL_GetSwapInterval() != interval) {
        SDL_SetError("%s", reason.c_str());
        return false;
    }
    std::printf("display: swap interval already %d (the driver would not set it: %s)\n", interval,
                reason.empty() ? "no reason given" : reason.c_str());
    return true;
}

}  // namespace

VREngine2::VREngine2() {
    headPose = mat4Identity();
    for (int eye = 0; eye < 2; ++eye) {
        eyeMatrix[eye] = mat4Identity();
        projection[eye] = mat4Identity();
    }
}

bool VREngine2::initWindowed(int x, int y, int width, int height, bool fullscreen) {
    initialised = false;
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::printf("%s - SDL could not initialize! SDL Error: %s\n", kWho, SDL_GetError());
        return false;
    }
    windowWidth = renderWidth = width;
    windowHeight = renderHeight = height;

    // NOTE: the show mixes fixed-function calls with compute shaders, so it needs a
    // compatibility-profile context of version 4.3 or later; a core context lacks the former.
    // The window's own framebuffer is not multisampled: the render targets are.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, vr_engine2::kContextMajor);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, vr_engine2::kContextMinor);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, debugContext ? SDL_GL_CONTEXT_DEBUG_FLAG : 0);

    const Uint32 flags = fullscreen ? SDL_WINDOW_FULLSCREEN | SDL_WINDOW_OPENGL | SDL_WINDOW_INPUT_GRABBED
                                    : SDL_WINDOW_OPENGL;
    window = SDL_CreateWindow("hello2D_sdl", x, y, width, height, flags);
    if (window == nullptr) {
        std::printf("%s - Window could not be created! SDL Error: %s\n", kWho, SDL_GetError());
        return false;
    }

    glContext = SDL_GL_CreateContext(window);
    if (glContext == nullptr) {
        std::printf("%s - OpenGL context could not be created! SDL Error: %s\n", kWho, SDL_GetError());
        std::printf("%s - asked for an OpenGL %d.%d compatibility-profile context\n", kWho,
                    vr_engine2::kContextMajor, vr_engine2::kContextMinor);
        return false;
    }

    std::string glewError, glewNote;
    if (!loadGlFunctions(glewError, glewNote)) {
        std::printf("%s - Error initializing GLEW! %s\n", kWho, glewError.c_str());
        return false;
    }
    if (!glewNote.empty()) std::printf("%s - %s\n", kWho, glewNote.c_str());

    if (!contextIsUsable()) {
        const GLubyte* text = glGetString(GL_VERSION);
        std::printf("%s - asked for an OpenGL %d.%d compatibility-profile context, got \"%s\"\n", kWho,
                    vr_engine2::kContextMajor, vr_engine2::kContextMinor,
                    text ? reinterpret_cast<const char*>(text) : "(none)");
        return false;
    }

    if (!setSwapInterval(vsync ? 1 : 0)) {
        std::printf("%s - Warning: Unable to set VSync! SDL Error: %s\n", kWho, SDL_GetError());
        return false;
    }

    SDL_SetWindowTitle(window, "QRB - Velluna ");
    nearClip = 0.04f;
    farClip = 60.0f;
    createTargets();
    initialised = true;
    return true;
}

// NOTE: on X11 only the thread that initialised video may pump SDL's events (the main
// thread does). Here we only take what is already queued; both threads share the queue.
bool VREngine2::handleInput() {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        if (event.type == SDL_KEYDOWN) {
            dev::offerKey(event.key.keysym.scancode, (event.key.keysym.mod & KMOD_SHIFT) != 0);
        }
        if (event.type == SDL_QUIT) {
            quitRequested = true;
        } else if (event.type == SDL_KEYDOWN &&
                   (event.key.keysym.sym == SDLK_ESCAPE || event.key.keysym.sym == SDLK_q)) {
            quitRequested = true;
        }
    }
    return true;
}

Mat4 VREngine2::projectionFor(int eye) const {
    if (eye != 0 && eye != 1) return mat4Identity();
    return projection[eye];
}

Mat4 VREngine2::eyeViewFor(int eye) const {
    if (eye != 0 && eye != 1) return mat4Identity();
    return mat4Multiply(eyeMatrix[eye], headPose);
}

Mat4 VREngine2::viewFor(int eye, const TVector& offset) const {
    if (eye != 0 && eye != 1) return mat4Identity();
    return mat4Multiply(eyeViewFor(eye), mat4Translation(offset.x, offset.y, offset.z));
}

Mat4 VREngine2::mvpFor(int eye, const TVector& offset) const {
    if (eye != 0 && eye != 1) return mat4Identity();
    return mat4Multiply(projection[eye], viewFor(eye, offset));
}

// NOTE: sets every piece of state the textured quad depends on, so the window shows the
// finished picture as it is, whatever colour, program, texture units or switches the scene
// left behind (fixed-function texturing multiplies by the current colour, for one).
void VREngine2::presentLeftEye() {
    const RenderTarget& left = eyeTarget[0];
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    glViewport(0, 0, static_cast<GLsizei>(left.width), static_cast<GLsizei>(left.height));
    glUseProgram(0);
    for (GLenum capability : {GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE, GL_ALPHA_TEST, GL_SCISSOR_TEST,
                              GL_STENCIL_TEST, GL_LIGHTING, GL_FOG, GL_COLOR_LOGIC_OP, GL_FRAMEBUFFER_SRGB}) {
        glDisable(capability);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    // Unit 0 alone textures the quad: every other fixed-function unit off, and on unit 0 the
    // 2D target only, no coordinate generation, no sampler object, modulated by white.
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    for (GLint unit = units - 1; unit >= 0; --unit) {
        glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
        for (GLenum target : {GL_TEXTURE_1D, GL_TEXTURE_2D, GL_TEXTURE_3D, GL_TEXTURE_CUBE_MAP}) glDisable(target);
    }
    for (GLenum coordinate : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) {
        glDisable(coordinate);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindSampler(0, 0);
    glBindTexture(GL_TEXTURE_2D, left.spareTexture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    drawFullScreenQuad();  // identity matrices, GL_TEXTURE_2D on, culling and depth test off
}

void VREngine2::createTargets() {
    const GLuint w = static_cast<GLuint>(renderWidth > 0 ? renderWidth : 0);
    const GLuint h = static_cast<GLuint>(renderHeight > 0 ? renderHeight : 0);
    const GLuint wideW = render_target::wideExtent(w);
    const GLuint wideH = render_target::wideExtent(h);
    struct Plan {
        RenderTarget* target;
        GLuint w, h;
    };
    // NOTE: only the left eye, the first wide and the quarter target are ever drawn into; the
    // right eye, the second wide and the extra target would be about 200 MB at 1280 x 720 that
    // nothing reads, so they are not made (their names stay 0).
    const Plan plans[3] = {{&eyeTarget[0], w, h},
                           {&wideTarget[0], wideW, wideH},
                           {&quarterTarget, render_target::quarterExtent(w), render_target::quarterExtent(h)}};
    for (const Plan& plan : plans) {
        plan.target->create(plan.w, plan.h, sampleCount);
        // NOTE: an incomplete target is left as it is; it simply draws nothing useful.
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
}
