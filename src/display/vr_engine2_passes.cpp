// The display's pass operations: the fixed order in which every scene draws a view into the
// render targets and post-processes it (see vr_engine2.h).
#include <GL/glew.h>

#include "display/vr_engine2.h"

namespace {

void clearAndEnableDepth(GLsizei viewportWidth, GLsizei viewportHeight) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_MULTISAMPLE);
    glViewport(0, 0, viewportWidth, viewportHeight);
    glEnable(GL_DEPTH_TEST);
}

void bindWindowFramebuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
}

}  // namespace

// NOTE: the show draws view 0 only, and the right eye's target is never made; a view 1 that
// still came would draw the left eye rather than into framebuffer 0.
RenderTarget& VREngine2::eyeTargetFor(int eye) {
    return eye == 1 && eyeTarget[1].drawFramebuffer != 0 ? eyeTarget[1] : eyeTarget[0];
}

void VREngine2::beginEyePass(int eye) {
    RenderTarget& target = eyeTargetFor(eye);
    target.attachResolveTextures();
    target.bindForDrawing(3);
    clearAndEnableDepth(static_cast<GLsizei>(target.width), static_cast<GLsizei>(target.height));
}

void VREngine2::resolveEyePass(int eye) { eyeTargetFor(eye).resolve(3, true); }

RenderTarget& VREngine2::beginEyePostPass(int eye) {
    RenderTarget& target = eyeTargetFor(eye);
    glColor3f(1.0f, 1.0f, 1.0f);
    target.attachResolveColour(0, target.spareTexture);
    target.bindForDrawing(1);
    glViewport(0, 0, static_cast<GLsizei>(target.width), static_cast<GLsizei>(target.height));
    glBindTexture(GL_TEXTURE_2D, target.colourTexture[0]);
    return target;
}

void VREngine2::finishEyePostPass(int eye) {
    glUseProgram(0);
    eyeTargetFor(eye).resolve(1, false);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

RenderTarget& VREngine2::beginWidePass() {
    RenderTarget& target = wideTarget[0];
    target.attachResolveTextures();
    target.bindForDrawing(1);
    const GLuint w = static_cast<GLuint>(renderWidth > 0 ? renderWidth : 0);
    const GLuint h = static_cast<GLuint>(renderHeight > 0 ? renderHeight : 0);
    clearAndEnableDepth(static_cast<GLsizei>(render_target::wideExtent(w)),
                        static_cast<GLsizei>(render_target::wideExtent(h)));
    return target;
}

void VREngine2::resolveWidePass() {
    wideTarget[0].resolve(1, true);
    bindWindowFramebuffer();
}

void VREngine2::clearWideTarget() {
    if (wideTargetCleared) return;
    beginWidePass();
    resolveWidePass();
    wideTargetCleared = true;
}

RenderTarget& VREngine2::beginQuarterPass() {
    RenderTarget& target = quarterTarget;
    target.attachResolveTextures();
    target.bindForDrawing(1);
    const GLuint w = static_cast<GLuint>(renderWidth > 0 ? renderWidth : 0);
    const GLuint h = static_cast<GLuint>(renderHeight > 0 ? renderHeight : 0);
    clearAndEnableDepth(static_cast<GLsizei>(render_target::quarterExtent(w)),
                        static_cast<GLsizei>(render_target::quarterExtent(h)));
    return target;
}

void VREngine2::resolveQuarterPass() {
    quarterTarget.resolve(1, true);
    bindWindowFramebuffer();
}
