#pragma once
// VREngine2: the display object. It owns the window, the GL context, the render targets the
// scenes draw into, the pass operations of the post-processing chain, and the per-view
// matrices. Held by value in the Entrypoint and initialised on the render thread; every
// call below belongs to that thread.
//
//   display.sampleCount = 4;
//   if (!display.initWindowed(x, y, w, h, fullscreen)) return;   // message already printed
//   // per frame:
//   SDL_GL_MakeCurrent(display.window, display.glContext);
//   display.handleInput();
//   ... scene render: beginEyePass(0) ... finishEyePostPass(0) ...
//   display.presentLeftEye();
//   SDL_GL_SwapWindow(display.window);
#include <SDL.h>

#include "common/mat4.h"
#include "gpu/render_target.h"

class VREngine2 {
public:
    VREngine2();

    // Creates the window (title "QRB - Velluna "), a 4.3+ compatibility context, GLEW and the
    // six render targets. Prints the reason and returns false on any failure. Result also
    // stored in `initialised`.
    bool initWindowed(int x, int y, int width, int height, bool fullscreen);
    // Takes every pending event from SDL's queue without pumping it (the main thread pumps);
    // quit, Escape and "q" only set `quitRequested`, which the show does not act on.
    bool handleInput();

    // Matrix queries; eye 0 = left, 1 = right, anything else gives the identity.
    Mat4 projectionFor(int eye) const;                     // P
    Mat4 eyeViewFor(int eye) const;                        // E x H
    Mat4 viewFor(int eye, const TVector& offset) const;    // E x H x T(offset)
    Mat4 mvpFor(int eye, const TVector& offset) const;     // P x E x H x T(offset)

    // Draws the left eye target's spare texture (the finished picture) over the window's
    // framebuffer, setting all of its own state (the picture does not depend on what a scene
    // left behind). The caller swaps.
    void presentLeftEye();

    // Pass operations of the post-processing chain, in the order scenes call them:
    // beginEyePass, resolveEyePass, beginEyePostPass, (bindTargetTextures, drawFullScreenQuad),
    // finishEyePostPass, beginQuarterPass, resolveQuarterPass, beginEyePostPass,
    // (composite), finishEyePostPass. Eye indices other than 1 use the left eye target.
    void beginEyePass(int eye);
    void resolveEyePass(int eye);
    RenderTarget& beginEyePostPass(int eye);
    void finishEyePostPass(int eye);
    RenderTarget& beginQuarterPass();
    void resolveQuarterPass();
    RenderTarget& beginWidePass();
    void resolveWidePass();

    SDL_Window* window = nullptr;
    SDL_GLContext glContext = nullptr;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    int32_t renderWidth = 0;
    int32_t renderHeight = 0;
    float nearClip = 0.0f;
    float farClip = 0.0f;
    int32_t sampleCount = 2;
    bool debugContext = false;
    bool vsync = false;
    bool initialised = false;
    bool quitRequested = false;
    bool wideTargetCleared = false;

    Mat4 headPose;          // H
    Mat4 eyeMatrix[2];      // E, eye to head
    Mat4 projection[2];     // P

    RenderTarget eyeTarget[2];    // render size; [0] is the one the show draws and presents; [1] never made
    RenderTarget wideTarget[2];   // 1.5 x render size; scenes use [0]; [1] never made
    RenderTarget extraTarget;     // never made (nothing draws into it)
    RenderTarget quarterTarget;   // render size / 4

    // The eye target of view `eye`: the left eye's for every view (the right eye's is not made).
    RenderTarget& eyeTargetFor(int eye);
    // The wide target cleared and resolved, as the particle scenes want it before their pass
    // (its depth is their light's depth map). Nothing draws into it, so only the first call
    // does the work; later calls find it as the first one left it.
    void clearWideTarget();

private:
    void createTargets();
};

namespace vr_engine2 {

// The context the display asks for: compatibility profile, at least this version.
constexpr int kContextMajor = 4;
constexpr int kContextMinor = 3;

}  // namespace vr_engine2
